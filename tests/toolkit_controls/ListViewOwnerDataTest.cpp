// The list view that keeps its rows itself: what the control shows and answers
// comes from the object's rows, and the selection and focus stay on their rows
// when rows are inserted, deleted or sorted.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ControlsHost.h"
#include "support/ListViewText.h"
#include "toolkit/ListView.h"

namespace controls_tests {
namespace {

using testing_support::ListViewItemText;

int ControlCount(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

class OwnerDataList : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::ListViewOptions options;
    options.ownerData = true;
    options.fullRowSelect = true;
    options.checkBoxes = true;  // not offered: such a list has no tick boxes
    ASSERT_TRUE(list.create(host.hwnd(), 701, {10, 10, 610, 400}, options));
    list.addColumn("Name", 150);
    list.addColumn("Publisher", 120);
    list.addColumn("Directory", 200);
    list.appendRows({{"Beta", {"Vendor B", "C:\\Beta"}, 3, 20},
                     {"alpha", {"Vendor A", "C:\\Alpha"}, -1, 10},
                     {"Gamma", {"Vendor C", ""}, 5, 30}});
  }
  std::vector<std::string> captions() {
    std::vector<std::string> result;
    for (int i = 0; i < ControlCount(list.hwnd()); ++i) {
      result.push_back(ListViewItemText(list.hwnd(), i, 0));
    }
    return result;
  }

  Host host;
  tk::ListView list;
};

TEST_F(OwnerDataList, TheControlShowsTheObjectsRows) {
  EXPECT_TRUE(GetWindowLongA(list.hwnd(), GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_FALSE(list.extendedStyle() & LVS_EX_CHECKBOXES);
  EXPECT_TRUE(list.ownerData());
  ASSERT_EQ(ControlCount(list.hwnd()), 3);
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(ListViewItemText(list.hwnd(), 1, 0), "alpha");
  EXPECT_EQ(ListViewItemText(list.hwnd(), 1, 1), "Vendor A");
  EXPECT_EQ(ListViewItemText(list.hwnd(), 0, 2), "C:\\Beta");
  EXPECT_EQ(ListViewItemText(list.hwnd(), 2, 2), "");
  LVITEMA item{};
  item.mask = LVIF_IMAGE | LVIF_PARAM;
  item.iItem = 2;
  ASSERT_TRUE(SendMessageA(list.hwnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.iImage, 5);

  const tk::ListRow row = list.row(0);
  EXPECT_EQ(row.caption, "Beta");
  EXPECT_EQ(row.subItems, (std::vector<std::string>{"Vendor B", "C:\\Beta"}));
  EXPECT_EQ(row.image, 3);
  EXPECT_EQ(row.data, 20);
  EXPECT_EQ(list.itemImage(1), -1);
  EXPECT_EQ(list.findData(30), 2);
  EXPECT_EQ(list.findData(31), -1);

  // A text longer than the control's buffer is cut for the control, kept whole here.
  const std::string longPath = "C:\\" + std::string(600, 'x') + "\\end";
  EXPECT_TRUE(list.setItemText(2, 2, longPath));
  EXPECT_EQ(list.itemText(2, 2), longPath);
  EXPECT_EQ(ListViewItemText(list.hwnd(), 2, 2), longPath);
  char small[8] = {};
  LVITEMA cut{};
  cut.iSubItem = 2;
  cut.pszText = small;
  cut.cchTextMax = sizeof small;
  SendMessageA(list.hwnd(), LVM_GETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&cut));
  EXPECT_STREQ(small, "C:\\xxxx");
  EXPECT_TRUE(list.setItemData(2, 77));
  EXPECT_EQ(list.itemData(2), 77);
  EXPECT_TRUE(list.setItemImage(2, -1));
  EXPECT_EQ(list.itemImage(2), -1);
  EXPECT_FALSE(list.checked(0));

  // Bad indexes read as empty and change nothing.
  EXPECT_EQ(list.itemText(3, 0), "");
  EXPECT_EQ(list.itemText(-1, 0), "");
  EXPECT_FALSE(list.setItemText(3, 0, "x"));
  EXPECT_FALSE(list.setItemData(-1, 1));
  EXPECT_FALSE(list.deleteRow(3));
  EXPECT_EQ(list.count(), 3);

  // The control's own search (type-ahead) looks at the captions.
  LVFINDINFOA find{};
  find.flags = LVFI_PARTIAL | LVFI_STRING;
  find.psz = "gam";
  EXPECT_EQ(SendMessageA(list.hwnd(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&find)),
            2);
  find.psz = "nothing";
  EXPECT_EQ(SendMessageA(list.hwnd(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&find)),
            -1);

  list.deleteAll();
  EXPECT_EQ(ControlCount(list.hwnd()), 0);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.itemText(0, 0), "");
}

TEST_F(OwnerDataList, SelectionStaysOnItsRowThroughInsertsAndDeletes) {
  std::vector<tk::ListItemChange> changes;
  list.onItemChanged = [&](const tk::ListItemChange& c) {
    if (c.selectionChanged) changes.push_back(c);
  };
  list.select(1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].data, 10) << "the notification carries the row's data";

  changes.clear();
  EXPECT_EQ(list.insertRow({"First", {"P", "D"}, -1, 99}, 0), 0);
  EXPECT_EQ(captions(), (std::vector<std::string>{"First", "Beta", "alpha", "Gamma"}));
  EXPECT_EQ(list.selectedIndex(), 2);
  EXPECT_EQ(list.focusedIndex(), 2);
  EXPECT_EQ(list.insertRow({"Last", {}, -1, 100}, 50), 4) << "past the end appends";
  EXPECT_TRUE(changes.empty()) << "the user's choice did not change";

  EXPECT_TRUE(list.deleteRow(0));
  EXPECT_EQ(list.selectedIndex(), 1);
  EXPECT_EQ(list.itemText(1, 0), "alpha");
  EXPECT_TRUE(changes.empty());

  EXPECT_TRUE(list.deleteRow(1));  // the selected row goes: that is a change
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_FALSE(changes[0].selected);
  EXPECT_EQ(list.selectedIndex(), -1);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Beta", "Gamma", "Last"}));
}

TEST_F(OwnerDataList, SortsMoveRowsSelectionAndFocusTogether) {
  list.appendRows({{"delta", {"Vendor D", "D:\\"}, -1, 40}});
  list.select(2);  // Gamma
  std::vector<tk::ListItemChange> changes;
  list.onItemChanged = [&](const tk::ListItemChange& c) { changes.push_back(c); };
  auto byCaption = [&](int a, int b) {
    return lstrcmpiA(list.itemText(a, 0).c_str(), list.itemText(b, 0).c_str());
  };
  ASSERT_TRUE(list.sort(byCaption));
  EXPECT_EQ(captions(), (std::vector<std::string>{"alpha", "Beta", "delta", "Gamma"}));
  EXPECT_EQ(ListViewItemText(list.hwnd(), 0, 1), "Vendor A") << "rows move whole";
  EXPECT_EQ(list.itemData(3), 30);
  EXPECT_EQ(list.selectedIndex(), 3);
  EXPECT_EQ(list.focusedIndex(), 3);
  EXPECT_TRUE(changes.empty());

  ASSERT_TRUE(list.sortByData([](LPARAM a, LPARAM b) { return static_cast<int>(b - a); }));
  EXPECT_EQ(captions(), (std::vector<std::string>{"delta", "Gamma", "Beta", "alpha"}));
  EXPECT_EQ(list.selectedIndexes(), (std::vector<int>{1}));

  // Equal keys keep their order; a comparison that throws leaves the list whole.
  ASSERT_TRUE(list.sort([](int, int) { return 0; }));
  EXPECT_EQ(captions(), (std::vector<std::string>{"delta", "Gamma", "Beta", "alpha"}));
  EXPECT_TRUE(list.sort([](int, int) -> int { throw std::runtime_error("broken"); }));
  EXPECT_EQ(list.count(), 4);
  EXPECT_EQ(list.findData(30), list.selectedIndex());
}

TEST_F(OwnerDataList, PostedClickSelectsAndTheLinkColumnIsDrawn) {
  list.setLinkColumn(2);
  Pump(30);
  std::vector<tk::ListItemChange> changes;
  list.onItemChanged = [&](const tk::ListItemChange& c) {
    if (c.selectionChanged && c.selected) changes.push_back(c);
  };
  int linked = -1;
  list.onLinkClick = [&](int item) { linked = item; };
  PostClick(list.hwnd(), Centre(list.cellRect(1, 2)));
  EXPECT_EQ(list.selectedIndex(), 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].data, 10);
  EXPECT_EQ(linked, 1);

  list.clearSelection();
  Pump(30);
  const Capture shot(list.hwnd());
  EXPECT_GT(shot.count(list.cellRect(0, 2), IsBlue), 10) << "the directory is drawn as a link";
  EXPECT_EQ(shot.count(list.cellRect(0, 1), IsBlue), 0);
  EXPECT_GT(shot.count(list.cellRect(0, 1), IsDark), 10) << "the publisher is drawn";
}

TEST_F(OwnerDataList, OnlyItemStagesOfTheCustomDrawCarryARowsData) {
  std::vector<tk::ListCustomDraw> stages;
  list.onCustomDraw = [&](const tk::ListCustomDraw& draw) -> std::optional<LRESULT> {
    stages.push_back(draw);
    if (draw.stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    return std::nullopt;
  };
  { const Capture shot(list.hwnd()); }
  bool sawList = false, sawRow = false;
  for (const auto& s : stages) {
    if (s.stage == CDDS_PREPAINT) {
      sawList = true;
      EXPECT_EQ(s.data, 0) << "the whole list's stage names no row";
    } else if ((s.stage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT && s.item == 2) {
      sawRow = true;
      EXPECT_EQ(s.data, 30);
    }
  }
  EXPECT_TRUE(sawList);
  EXPECT_TRUE(sawRow);
}

}  // namespace
}  // namespace controls_tests

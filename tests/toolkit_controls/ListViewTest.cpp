// The list view over the real control: styles, columns, rows, ticks, selection,
// views, sorting, hit testing, image lists and the notifications its parent gets.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ControlsHost.h"
#include "support/ListViewText.h"
#include "toolkit/ImageLists.h"
#include "toolkit/ListView.h"

namespace controls_tests {
namespace {

using testing_support::ListViewItemText;

constexpr int kListId = 501;

UINT RawStateImage(HWND list, int item) {
  return (static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)) &
          LVIS_STATEIMAGEMASK) >>
         12;
}

std::vector<std::string> Captions(HWND list) {
  std::vector<std::string> result;
  const int n = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) result.push_back(ListViewItemText(list, i, 0));
  return result;
}

class ListViewTest : public ::testing::Test {
 protected:
  void make(const tk::ListViewOptions& options) {
    ASSERT_TRUE(list.create(host.hwnd(), kListId, {10, 10, 610, 400}, options));
    list.addColumn("Name", 150);
    list.addColumn("Publisher", 120);
    list.addColumn("Directory", 200);
  }
  void addRows() {
    list.insertRow({"Beta", {"Vendor B", "C:\\Program Files\\Beta"}, -1, 20});
    list.insertRow({"alpha", {"Vendor A", "C:\\Program Files\\Alpha"}, -1, 10});
    list.insertRow({"Gamma", {"Vendor C", ""}, -1, 30});
  }

  Host host;
  tk::ListView list;
};

TEST_F(ListViewTest, OptionsBecomeTheControlsStyles) {
  tk::ListViewOptions options;
  options.checkBoxes = true;
  options.fullRowSelect = true;
  options.multiSelect = true;
  options.showSelectionAlways = true;
  options.gridLines = true;
  make(options);
  const LONG style = GetWindowLongA(list.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SHAREIMAGELISTS);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & LVS_EDITLABELS);
  const auto ex = static_cast<DWORD>(SendMessageA(list.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_TRUE(ex & LVS_EX_CHECKBOXES);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
  EXPECT_FALSE(ex & LVS_EX_INFOTIP);
  EXPECT_EQ(GetDlgCtrlID(list.hwnd()), kListId);
  EXPECT_EQ(GetParent(list.hwnd()), host.hwnd());

  list.setGridLines(false);
  EXPECT_FALSE(SendMessageA(list.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
  EXPECT_TRUE(list.extendedStyle() & LVS_EX_CHECKBOXES) << "other bits stay";

  const tk::ListViewStyles single = tk::ListViewStylesFor({});
  EXPECT_TRUE(single.style & LVS_SINGLESEL);
  EXPECT_FALSE(single.listExStyle & LVS_EX_CHECKBOXES);
  tk::ListViewOptions editable;
  editable.editLabels = true;
  editable.infoTips = true;
  editable.sortHeader = false;
  const tk::ListViewStyles e = tk::ListViewStylesFor(editable);
  EXPECT_TRUE(e.style & LVS_EDITLABELS);
  EXPECT_TRUE(e.style & LVS_NOSORTHEADER);
  EXPECT_TRUE(e.listExStyle & LVS_EX_INFOTIP);
}

TEST_F(ListViewTest, ColumnsCaptionsAndWidths) {
  make({});
  EXPECT_EQ(list.columnCount(), 3);
  char buffer[64] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = buffer;
  column.cchTextMax = sizeof buffer;
  ASSERT_TRUE(SendMessageA(list.hwnd(), LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(buffer, "Directory");
  EXPECT_EQ(column.cx, 200);

  EXPECT_TRUE(list.setColumnCaption(1, "Herausgeber"));
  EXPECT_EQ(list.columnCaption(1), "Herausgeber");
  EXPECT_TRUE(list.setColumnWidth(0, 77));
  EXPECT_EQ(SendMessageA(list.hwnd(), LVM_GETCOLUMNWIDTH, 0, 0), 77);
  EXPECT_EQ(list.columnWidth(0), 77);
  EXPECT_FALSE(list.setColumnCaption(9, "none"));
  EXPECT_EQ(list.columnCaption(9), "");
}

TEST_F(ListViewTest, RowsGoInAndComeBackOut) {
  make({});
  addRows();
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(ListViewItemText(list.hwnd(), 1, 0), "alpha");
  EXPECT_EQ(ListViewItemText(list.hwnd(), 1, 1), "Vendor A");
  EXPECT_EQ(ListViewItemText(list.hwnd(), 1, 2), "C:\\Program Files\\Alpha");
  EXPECT_EQ(ListViewItemText(list.hwnd(), 2, 2), "");

  const int at = list.insertRow({"First", {"P"}, 4, 99}, 0);
  EXPECT_EQ(at, 0);
  EXPECT_EQ(Captions(list.hwnd()), (std::vector<std::string>{"First", "Beta", "alpha", "Gamma"}));
  const tk::ListRow row = list.row(0);
  EXPECT_EQ(row.caption, "First");
  EXPECT_EQ(row.subItems, (std::vector<std::string>{"P", ""}));
  EXPECT_EQ(row.image, 4);
  EXPECT_EQ(row.data, 99);
  EXPECT_EQ(list.itemImage(1), -1) << "a row without an image has none";
  EXPECT_EQ(list.findData(10), 2);
  EXPECT_EQ(list.findData(12345), -1);

  const std::string longPath = "C:\\" + std::string(600, 'x') + "\\end";
  EXPECT_TRUE(list.setItemText(2, 2, longPath));
  EXPECT_EQ(list.itemText(2, 2), longPath);
  EXPECT_TRUE(list.setItemData(2, 77));
  EXPECT_EQ(list.itemData(2), 77);
  EXPECT_TRUE(list.setItemImage(2, 3));
  EXPECT_EQ(list.itemImage(2), 3);

  // Bad indexes read as empty and change nothing.
  EXPECT_EQ(list.itemText(10, 0), "");
  EXPECT_EQ(list.itemText(-1, 0), "");
  EXPECT_EQ(list.row(7).caption, "");
  EXPECT_FALSE(list.setItemText(10, 0, "x"));
  EXPECT_FALSE(list.deleteRow(10));

  EXPECT_TRUE(list.deleteRow(0));
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(ListViewItemText(list.hwnd(), 0, 0), "Beta");
  list.deleteAll();
  EXPECT_EQ(SendMessageA(list.hwnd(), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(list.selectedIndex(), -1);
}

TEST_F(ListViewTest, TickBoxesAndTheirNotifications) {
  tk::ListViewOptions options;
  options.checkBoxes = true;
  make(options);
  std::vector<tk::ListItemChange> changes;
  list.onItemChanged = [&](const tk::ListItemChange& c) { changes.push_back(c); };
  list.insertRow({"Run entry", {"app.exe", "HKCU\\...\\Run"}, -1, 1, true});
  list.insertRow({"Parked entry", {"old.exe", "HKCU\\...\\Run"}, -1, 2, false});
  EXPECT_EQ(RawStateImage(list.hwnd(), 0), 2u);
  EXPECT_EQ(RawStateImage(list.hwnd(), 1), 1u);
  EXPECT_TRUE(list.checked(0));
  EXPECT_FALSE(list.checked(1));
  // The first tick of the ticked row is a change from unticked; the rows' first
  // boxes are none.
  int checkChanges = 0;
  for (const auto& c : changes) checkChanges += c.checkChanged ? 1 : 0;
  EXPECT_EQ(checkChanges, 1);

  changes.clear();
  list.setChecked(1, true);
  EXPECT_EQ(RawStateImage(list.hwnd(), 1), 2u);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_TRUE(changes[0].checkChanged);
  EXPECT_TRUE(changes[0].checked);
  EXPECT_EQ(changes[0].item, 1);
  EXPECT_EQ(changes[0].data, 2);
  EXPECT_FALSE(changes[0].selectionChanged);

  changes.clear();
  list.setChecked(1, true);  // no change, no notification of a change
  for (const auto& c : changes) EXPECT_FALSE(c.checkChanged);
  list.setChecked(5, true);  // a bad index is ignored
  EXPECT_FALSE(list.checked(5));
}

TEST_F(ListViewTest, PostedClickOnATickBoxTogglesIt) {
  tk::ListViewOptions options;
  options.checkBoxes = true;
  make(options);
  addRows();
  Pump(30);
  std::vector<tk::ListItemChange> changes;
  list.onItemChanged = [&](const tk::ListItemChange& c) { changes.push_back(c); };
  const RECT row = list.itemRect(1);
  POINT box{-1, (row.top + row.bottom) / 2};
  for (int x = row.left; x < row.left + 40; ++x) {
    if (list.hitTest({x, box.y}).flags & LVHT_ONITEMSTATEICON) {
      box.x = x + 3;
      break;
    }
  }
  ASSERT_GE(box.x, 0) << "no tick box found in row 1";
  PostClick(list.hwnd(), box);
  EXPECT_TRUE(list.checked(1));
  EXPECT_EQ(RawStateImage(list.hwnd(), 1), 2u);
  bool sawTick = false;
  for (const auto& c : changes) sawTick |= c.checkChanged && c.checked && c.item == 1;
  EXPECT_TRUE(sawTick);
  EXPECT_GE(host.countNotifications(list.hwnd(), LVN_ITEMCHANGED), 1u)
      << "the parent form sees the notification too";
}

TEST_F(ListViewTest, SelectionAndItsNotificationsAtTheParent) {
  tk::ListViewOptions options;
  options.multiSelect = true;
  make(options);
  addRows();
  std::vector<tk::ListItemChange> changes;
  list.onItemChanged = [&](const tk::ListItemChange& c) {
    if (c.selectionChanged) changes.push_back(c);
  };
  EXPECT_EQ(list.selectedIndex(), -1);
  list.select(2);
  list.select(0);
  EXPECT_EQ(list.selectedIndexes(), (std::vector<int>{0, 2}));
  EXPECT_EQ(list.selectedCount(), 2);
  EXPECT_EQ(list.selectedIndex(), 0);
  EXPECT_EQ(list.focusedIndex(), 0);
  EXPECT_TRUE(SendMessageA(list.hwnd(), LVM_GETITEMSTATE, 2, LVIS_SELECTED) & LVIS_SELECTED);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].item, 2);
  EXPECT_TRUE(changes[0].selected);
  EXPECT_EQ(changes[0].data, 30);

  changes.clear();
  list.selectOnly(1);
  EXPECT_EQ(list.selectedIndexes(), (std::vector<int>{1}));
  int deselected = 0, selected = 0;
  for (const auto& c : changes) (c.selected ? selected : deselected)++;
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(deselected, 2);

  list.clearSelection();
  EXPECT_EQ(list.selectedCount(), 0);
  EXPECT_FALSE(list.isSelected(1));
  EXPECT_GE(host.countNotifications(list.hwnd(), LVN_ITEMCHANGED), 5u);
}

TEST_F(ListViewTest, PostedClickSelectsTheRowAndDoubleClickActivates) {
  tk::ListViewOptions options;
  options.fullRowSelect = true;
  make(options);
  addRows();
  Pump(30);
  std::vector<tk::ListItemChange> changes;
  std::vector<tk::ListItemActivation> activations;
  list.onItemChanged = [&](const tk::ListItemChange& c) {
    if (c.selectionChanged && c.selected) changes.push_back(c);
  };
  list.onActivate = [&](const tk::ListItemActivation& a) { activations.push_back(a); };
  const POINT p = Centre(list.cellRect(2, 1));
  PostClick(list.hwnd(), p);
  EXPECT_EQ(list.selectedIndex(), 2);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].item, 2);

  PostMessageA(list.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageA(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Pump(60);
  bool doubleClicked = false;
  for (const auto& a : activations) doubleClicked |= a.code == NM_DBLCLK && a.item == 2;
  EXPECT_TRUE(doubleClicked);
  EXPECT_GE(host.countNotifications(list.hwnd(), NM_DBLCLK), 1u);
}

TEST_F(ListViewTest, ViewModesSwitchTheControlsStyle) {
  make({});
  addRows();
  const std::pair<tk::ListViewMode, LONG> modes[] = {{tk::ListViewMode::Icon, LVS_ICON},
                                                     {tk::ListViewMode::List, LVS_LIST},
                                                     {tk::ListViewMode::SmallIcon, LVS_SMALLICON},
                                                     {tk::ListViewMode::Report, LVS_REPORT}};
  for (const auto& [mode, bits] : modes) {
    list.setMode(mode);
    EXPECT_EQ(GetWindowLongA(list.hwnd(), GWL_STYLE) & LVS_TYPEMASK, bits);
    EXPECT_EQ(list.mode(), mode);
    EXPECT_TRUE(GetWindowLongA(list.hwnd(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
  }
  EXPECT_EQ(list.count(), 3) << "rows survive the switches";
  EXPECT_EQ(ListViewItemText(list.hwnd(), 1, 1), "Vendor A");
}

TEST_F(ListViewTest, SortsByIndexCallbackAndByData) {
  make({});
  addRows();
  list.insertRow({"delta", {"Vendor D", "D:\\"}, -1, 40});
  auto byCaption = [&](int a, int b) {
    return lstrcmpiA(list.itemText(a, 0).c_str(), list.itemText(b, 0).c_str());
  };
  ASSERT_TRUE(list.sort(byCaption));
  EXPECT_EQ(Captions(list.hwnd()), (std::vector<std::string>{"alpha", "Beta", "delta", "Gamma"}));
  // The rows moved whole: their sub-items and data went with them.
  EXPECT_EQ(ListViewItemText(list.hwnd(), 0, 1), "Vendor A");
  EXPECT_EQ(list.itemData(3), 30);

  ASSERT_TRUE(list.sort([&](int a, int b) { return -byCaption(a, b); }));
  EXPECT_EQ(Captions(list.hwnd()), (std::vector<std::string>{"Gamma", "delta", "Beta", "alpha"}));

  ASSERT_TRUE(list.sortByData([](LPARAM a, LPARAM b) { return static_cast<int>(a - b); }));
  EXPECT_EQ(Captions(list.hwnd()), (std::vector<std::string>{"alpha", "Beta", "Gamma", "delta"}));

  // A comparison that throws leaves the list whole.
  EXPECT_TRUE(list.sort([](int, int) -> int { throw std::runtime_error("broken"); }));
  EXPECT_EQ(list.count(), 4);
}

TEST_F(ListViewTest, HitTestingCellsAndScrolling) {
  make({});
  {
    auto hold = list.beginUpdate();
    for (int i = 0; i < 200; ++i) {
      list.insertRow({"Row " + std::to_string(i), {"P", "D" + std::to_string(i)}, -1, i});
    }
  }
  const RECT cell = list.cellRect(3, 2);
  EXPECT_GT(cell.right - cell.left, 150);
  tk::ListHit hit = list.hitTest(Centre(cell));
  EXPECT_EQ(hit.item, 3);
  EXPECT_EQ(hit.subItem, 2);
  hit = list.hitTest(Centre(list.cellRect(4, 0)));
  EXPECT_EQ(hit.item, 4);
  EXPECT_EQ(hit.subItem, 0);
  RECT client;
  GetClientRect(list.hwnd(), &client);
  EXPECT_EQ(list.hitTest({client.right - 5, client.bottom + 50}).item, -1);
  EXPECT_EQ(list.cellRect(999, 0).right, 0) << "no cell for a bad row";

  EXPECT_EQ(list.topIndex(), 0);
  EXPECT_TRUE(list.ensureVisible(150));
  EXPECT_GT(list.topIndex(), 100);
  const RECT r = list.itemRect(150);
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.bottom, client.bottom);
  EXPECT_FALSE(list.ensureVisible(500));
  EXPECT_TRUE(list.scroll(0, -100000));
  EXPECT_EQ(list.topIndex(), 0);
}

// Records what WM_SETREDRAW the control receives.
LRESULT CALLBACK RecordRedraw(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
  if (msg == WM_SETREDRAW) reinterpret_cast<std::vector<WPARAM>*>(data)->push_back(wParam);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(ListViewTest, UpdateGuardsSuspendRedrawingOnceWhenNested) {
  make({});
  std::vector<WPARAM> redraws;
  SetWindowSubclass(list.hwnd(), &RecordRedraw, 77, reinterpret_cast<DWORD_PTR>(&redraws));
  {
    auto outer = list.beginUpdate();
    EXPECT_TRUE(tk::RedrawGuard::IsHeld(list.hwnd()));
    {
      auto inner = list.beginUpdate();
      addRows();
    }
    EXPECT_TRUE(tk::RedrawGuard::IsHeld(list.hwnd())) << "the inner guard does not resume";
    EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE}));
  }
  EXPECT_FALSE(tk::RedrawGuard::IsHeld(list.hwnd()));
  EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  EXPECT_EQ(list.count(), 3);
  RemoveWindowSubclass(list.hwnd(), &RecordRedraw, 77);
  { tk::RedrawGuard nothing(nullptr); }  // a guard on no window does nothing
}

TEST_F(ListViewTest, SystemImageListsAreBorrowedNotOwned) {
  make({});
  ASSERT_TRUE(list.attachSystemImageLists());
  SHFILEINFOA info{};
  auto small = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(
      reinterpret_cast<HIMAGELIST>(SendMessageA(list.hwnd(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
      small);
  HIMAGELIST large = list.imageList(LVSIL_NORMAL);
  ASSERT_NE(large, nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(large, &cx, &cy);
  EXPECT_GT(cx, 16);
  const int icons = ImageList_GetImageCount(small);
  EXPECT_GT(icons, 0);

  const int index = tk::SystemIconIndex("C:\\some\\file.txt");
  EXPECT_GE(index, 0);
  list.insertRow({"Text", {}, index, 0});
  EXPECT_EQ(list.itemImage(0), index);

  DestroyWindow(list.hwnd());
  EXPECT_EQ(list.hwnd(), nullptr) << "the object notices that its control is gone";
  EXPECT_GE(ImageList_GetImageCount(small), icons) << "the shell's list lives on";
  EXPECT_GT(ImageList_GetImageCount(large), 0);
}

TEST(ListViewDecoding, ItemChangesAreReadFromTheStateBits) {
  HWND list = reinterpret_cast<HWND>(0x1234);
  NMLISTVIEW nm{};
  nm.hdr = {list, kListId, LVN_ITEMCHANGED};
  nm.iItem = 4;
  nm.lParam = 44;
  nm.uChanged = LVIF_STATE;
  nm.uOldState = 0;
  nm.uNewState = INDEXTOSTATEIMAGEMASK(1);  // a new row gets its box
  auto change = tk::DecodeItemChanged(&nm.hdr);
  ASSERT_TRUE(change);
  EXPECT_FALSE(change->checkChanged);
  EXPECT_FALSE(change->selectionChanged);

  nm.uOldState = INDEXTOSTATEIMAGEMASK(1) | LVIS_SELECTED;
  nm.uNewState = INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED;
  change = tk::DecodeItemChanged(&nm.hdr);
  EXPECT_TRUE(change->checkChanged);
  EXPECT_TRUE(change->checked);
  EXPECT_TRUE(change->selected);
  EXPECT_FALSE(change->selectionChanged);
  EXPECT_EQ(change->item, 4);
  EXPECT_EQ(change->data, 44);

  nm.uOldState = LVIS_SELECTED | LVIS_FOCUSED;
  nm.uNewState = 0;
  change = tk::DecodeItemChanged(&nm.hdr);
  EXPECT_TRUE(change->selectionChanged);
  EXPECT_FALSE(change->selected);
  EXPECT_TRUE(change->focusChanged);

  nm.uChanged = LVIF_TEXT;  // not a state change
  EXPECT_FALSE(tk::DecodeItemChanged(&nm.hdr));
  nm.hdr.code = LVN_COLUMNCLICK;
  nm.iSubItem = 2;
  EXPECT_FALSE(tk::DecodeItemChanged(&nm.hdr));
  EXPECT_EQ(tk::DecodeColumnClick(&nm.hdr), 2);
  EXPECT_FALSE(tk::DecodeItemChanged(nullptr));
}

TEST_F(ListViewTest, ColumnClicksReachTheCallback) {
  make({});
  addRows();
  std::vector<int> clicked;
  list.onColumnClick = [&](int column) { clicked.push_back(column); };
  HWND header = reinterpret_cast<HWND>(SendMessageA(list.hwnd(), LVM_GETHEADER, 0, 0));
  ASSERT_TRUE(header);
  RECT second{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  PostClick(header, Centre(second));
  EXPECT_EQ(clicked, (std::vector<int>{1}));
  EXPECT_EQ(host.countNotifications(list.hwnd(), LVN_COLUMNCLICK), 1u);
}

}  // namespace
}  // namespace controls_tests

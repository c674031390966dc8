// Images on demand in a list that keeps its rows: a row is drawn with the
// placeholder first, and its image is asked for once, after it was drawn, only
// while it is in view.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "ControlsHost.h"
#include "support/MessagePump.h"
#include "toolkit/ListView.h"

namespace controls_tests {
namespace {

constexpr int kPlaceholder = 7;

class ImagesOnDemand : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::ListViewOptions options;
    options.ownerData = true;
    ASSERT_TRUE(list.create(host.hwnd(), 702, {10, 10, 410, 210}, options));
    list.addColumn("Name", 150);
    std::vector<tk::ListRow> rows;
    for (int i = 0; i < 200; ++i) {
      rows.push_back({"Row " + std::to_string(i), {}, tk::kImageOnDemand, 1000 + i});
    }
    rows[3].image = 2;  // known from the start
    list.appendRows(std::move(rows));
    list.setImagesOnDemand(
        [this](int item) {
          const LPARAM data = list.itemData(item);
          ++asked[data];
          if (data == 1005) throw std::runtime_error("no image for this one");
          return static_cast<int>(data % 100);
        },
        kPlaceholder);
  }
  // What the control is told to draw for the row now.
  int shownImage(int item) {
    LVITEMW row{};
    row.mask = LVIF_IMAGE;
    row.iItem = item;
    SendMessageW(list.hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row));
    return row.iImage;
  }
  // Handles every message posted so far: a marker posted now comes after them.
  void handlePosted() {
    bool marked = false;
    host.hook = [&](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg != WM_APP + 17) return std::nullopt;
      marked = true;
      return 0;
    };
    PostMessageW(host.hwnd(), WM_APP + 17, 0, 0);
    ASSERT_TRUE(testing_support::PumpMessagesUntil([&] { return marked; }, 10000));
    host.hook = nullptr;
  }
  bool inViewResolved() {
    const int top = list.topIndex();
    const int page = static_cast<int>(SendMessageW(list.hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
    for (int i = top; i < top + page; ++i)
      if (list.imagePending(i)) return false;
    return true;
  }

  Host host;
  tk::ListView list;
  std::map<LPARAM, int> asked;  // by row data
};

}  // namespace

TEST_F(ImagesOnDemand, RowsInViewGetTheirImagesOnceAfterTheyAreDrawn) {
  EXPECT_TRUE(list.imagePending(0));
  EXPECT_EQ(list.itemImage(0), -1) << "not known yet";
  EXPECT_FALSE(list.imagePending(3));
  EXPECT_EQ(list.itemImage(3), 2);
  EXPECT_EQ(shownImage(0), kPlaceholder);
  EXPECT_EQ(shownImage(3), 2);
  EXPECT_TRUE(asked.empty()) << "the control's questions are answered at once";

  RedrawWindow(list.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_TRUE(testing_support::PumpMessagesUntil([&] { return inViewResolved(); }, 10000));
  EXPECT_EQ(list.itemImage(0), 0);
  EXPECT_EQ(shownImage(0), 0);
  EXPECT_EQ(list.itemImage(7), 7);
  EXPECT_EQ(asked.count(1003), 0u) << "a known image is never asked for";
  EXPECT_FALSE(list.imagePending(5));
  EXPECT_EQ(list.itemImage(5), -1) << "a failing source leaves the row without one";
  const int page = static_cast<int>(SendMessageW(list.hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_GT(page, 3);
  ASSERT_LT(page, 50);
  // Rows far below were never in view: never asked, still waiting.
  EXPECT_TRUE(list.imagePending(150));
  EXPECT_EQ(asked.count(1150), 0u);
  for (const auto& [data, times] : asked) {
    EXPECT_EQ(times, 1) << data;
    EXPECT_LE(data - 1000, page) << "only rows in view are asked for";
  }

  // Drawing again asks for nothing more; scrolling brings the next rows in.
  const size_t before = asked.size();
  RedrawWindow(list.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  handlePosted();
  EXPECT_EQ(asked.size(), before);
  ASSERT_TRUE(list.ensureVisible(150));
  ASSERT_TRUE(testing_support::PumpMessagesUntil([&] { return !list.imagePending(150); }, 10000));
  EXPECT_EQ(list.itemImage(150), 50);
  EXPECT_EQ(asked[1150], 1);
}

TEST_F(ImagesOnDemand, AHiddenListAsksForNothing) {
  ShowWindow(list.hwnd(), SW_HIDE);
  EXPECT_EQ(shownImage(0), kPlaceholder);
  handlePosted();
  EXPECT_TRUE(list.imagePending(0));
  EXPECT_TRUE(asked.empty());
}

}  // namespace controls_tests

// The tick tree over the real tree view: its own state pictures, nodes and their
// states as the control holds them, and presses on the tick boxes.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ControlsHost.h"
#include "toolkit/TickTreeView.h"

namespace controls_tests {
namespace {

int RawState(HWND tree, HTREEITEM node) {
  TVITEMA item{};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = node;
  item.stateMask = TVIS_STATEIMAGEMASK;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12);
}

// Draws one picture of the list on a cyan ground and counts what it shows.
struct PictureCounts {
  int ground = 0, green = 0, frame = 0, white = 0;
};
PictureCounts DrawPicture(HIMAGELIST images, int index) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  HBRUSH cyan = CreateSolidBrush(RGB(0, 255, 255));
  FillRect(dc, &all, cyan);
  DeleteObject(cyan);
  ImageList_Draw(images, index, dc, 0, 0, ILD_TRANSPARENT);
  PictureCounts counts;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c == RGB(0, 255, 255)) ++counts.ground;
      if (c == tk::kTickGreen) ++counts.green;
      if (c == tk::kTickBoxFrame) ++counts.frame;
      if (c == tk::kTickBoxFill) ++counts.white;
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return counts;
}

class TickTree : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tree.create(host.hwnd(), 701, {10, 10, 560, 300}));
    key = tree.add("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor", nullptr, 10);
    value1 = tree.add("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Path", key, 11);
    value2 = tree.add("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\", key, 12, tk::kUnticked);
    folder = tree.add("C:\\Program Files\\App", nullptr, 20);
    file = tree.add("C:\\Program Files\\App\\app.exe", folder, 21);
    tree.expandAll();
    Pump(30);
  }

  // A point on the node's tick box, found by the control's own hit test.
  POINT boxOf(HTREEITEM node) {
    const RECT text = tree.nodeRect(node, true);
    const int y = (text.top + text.bottom) / 2;
    for (int x = text.left; x >= 0; --x) {
      if (tree.hitTest({x, y}).onStateIcon()) return {x - 3, y};
    }
    ADD_FAILURE() << "no tick box left of the node's text";
    return {0, y};
  }

  Host host;
  tk::TickTreeView tree;
  HTREEITEM key = nullptr, value1 = nullptr, value2 = nullptr, folder = nullptr, file = nullptr;
};

TEST(TickPictures, FourPicturesOfOurOwn) {
  tk::UniqueImageList images = tk::CreateTickStateImages();
  ASSERT_TRUE(images);
  EXPECT_EQ(ImageList_GetImageCount(images.get()), 4);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images.get(), &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);

  const PictureCounts none = DrawPicture(images.get(), tk::kTickNone);
  EXPECT_EQ(none.ground, 256) << "state 0 shows no box";
  const PictureCounts empty = DrawPicture(images.get(), tk::kUnticked);
  EXPECT_GT(empty.frame, 30);
  EXPECT_GT(empty.white, 60);
  EXPECT_EQ(empty.green, 0);
  EXPECT_GT(empty.ground, 0) << "the corners stay transparent";
  const PictureCounts ticked = DrawPicture(images.get(), tk::kTicked);
  EXPECT_GT(ticked.green, 8);
  EXPECT_GT(ticked.frame, 30);
  const PictureCounts partly = DrawPicture(images.get(), tk::kPartlyTicked);
  EXPECT_EQ(partly.green, 64) << "a filled 8x8 square";
  EXPECT_GT(partly.white, 20);
}

TEST(TickPictures, NextStateOfAClick) {
  EXPECT_EQ(tk::NextTickState(tk::kUnticked), tk::kTicked);
  EXPECT_EQ(tk::NextTickState(tk::kTicked), tk::kUnticked);
  EXPECT_EQ(tk::NextTickState(tk::kPartlyTicked), tk::kTicked);
  EXPECT_EQ(tk::NextTickState(0), 0);
  EXPECT_EQ(tk::NextTickState(7), 7);
}

TEST_F(TickTree, NodesTheirStatesAndNavigation) {
  EXPECT_EQ(
      reinterpret_cast<HIMAGELIST>(SendMessageA(tree.hwnd(), TVM_GETIMAGELIST, TVSIL_STATE, 0)),
      tree.stateImages());
  EXPECT_FALSE(GetWindowLongA(tree.hwnd(), GWL_STYLE) & TVS_CHECKBOXES);
  EXPECT_EQ(tree.count(), 5);
  EXPECT_EQ(SendMessageA(tree.hwnd(), TVM_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(RawState(tree.hwnd(), key), tk::kTicked);
  EXPECT_EQ(RawState(tree.hwnd(), value2), tk::kUnticked);
  EXPECT_EQ(tree.state(value1), tk::kTicked);
  EXPECT_EQ(tree.text(value1), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Path");
  EXPECT_EQ(tree.text(value2), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\") << "text ends in \\";
  EXPECT_EQ(tree.data(file), 21);

  EXPECT_EQ(tree.children(nullptr), (std::vector<HTREEITEM>{key, folder}));
  EXPECT_EQ(tree.children(key), (std::vector<HTREEITEM>{value1, value2}));
  EXPECT_TRUE(tree.children(file).empty());
  EXPECT_EQ(tree.parent(value2), key);
  EXPECT_EQ(tree.parent(key), nullptr);
  EXPECT_EQ(tree.firstChild(nullptr), key);
  EXPECT_EQ(tree.nextSibling(key), folder);
  EXPECT_EQ(tree.descendants(nullptr), (std::vector<HTREEITEM>{key, value1, value2, folder, file}));
  EXPECT_EQ(tree.descendants(folder), (std::vector<HTREEITEM>{file}));
  EXPECT_TRUE(tree.isExpanded(key));
  tree.expand(key, false);
  EXPECT_FALSE(tree.isExpanded(key));

  EXPECT_TRUE(tree.setState(key, tk::kPartlyTicked));
  EXPECT_EQ(RawState(tree.hwnd(), key), tk::kPartlyTicked);
  EXPECT_FALSE(tree.setState(nullptr, tk::kTicked));
  EXPECT_FALSE(tree.setState(key, 16));
  EXPECT_EQ(tree.state(nullptr), 0);
  EXPECT_EQ(tree.text(nullptr), "");

  EXPECT_TRUE(tree.remove(value1));
  EXPECT_EQ(tree.children(key), (std::vector<HTREEITEM>{value2}));
  tree.deleteAll();
  EXPECT_EQ(tree.count(), 0);
  EXPECT_EQ(tree.firstChild(nullptr), nullptr);
}

TEST_F(TickTree, APostedClickOnATickBoxRaisesTheCallback) {
  std::vector<std::pair<HTREEITEM, UINT>> clicks;
  tree.onTickClick = [&](HTREEITEM node, UINT trigger) {
    clicks.emplace_back(node, trigger);
    tree.setState(node, tk::NextTickState(tree.state(node)));
  };
  PostClick(tree.hwnd(), boxOf(file));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].first, file);
  EXPECT_EQ(clicks[0].second, static_cast<UINT>(VK_LBUTTON));
  EXPECT_EQ(RawState(tree.hwnd(), file), tk::kUnticked);
  EXPECT_EQ(GetFocus(), tree.hwnd());

  PostClick(tree.hwnd(), boxOf(file), VK_RBUTTON);  // any button toggles
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1].second, static_cast<UINT>(VK_RBUTTON));
  EXPECT_EQ(RawState(tree.hwnd(), file), tk::kTicked);

  tree.setState(key, tk::kPartlyTicked);
  PostClick(tree.hwnd(), boxOf(key), VK_MBUTTON);
  EXPECT_EQ(RawState(tree.hwnd(), key), tk::kTicked) << "partly ticked becomes ticked";

  // A click on the text selects the node and leaves its box alone.
  clicks.clear();
  PostClick(tree.hwnd(), Centre(tree.nodeRect(value1, true)));
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(tree.selected(), value1);
  EXPECT_EQ(RawState(tree.hwnd(), value1), tk::kTicked);
}

TEST_F(TickTree, WithoutACallbackTheNodeAloneToggles) {
  PostClick(tree.hwnd(), boxOf(key));
  EXPECT_EQ(RawState(tree.hwnd(), key), tk::kUnticked);
  EXPECT_EQ(RawState(tree.hwnd(), value1), tk::kTicked) << "children are the callback's business";
  PostClick(tree.hwnd(), boxOf(value2));
  EXPECT_EQ(RawState(tree.hwnd(), value2), tk::kTicked);
}

TEST_F(TickTree, SpaceTogglesOnlyWhenAskedFor) {
  tree.select(folder);
  PostMessageA(tree.hwnd(), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageA(tree.hwnd(), WM_CHAR, ' ', 1);
  Pump(40);
  EXPECT_EQ(RawState(tree.hwnd(), folder), tk::kTicked) << "no keyboard toggle by default";

  tree.setSpaceToggles(true);
  std::vector<UINT> triggers;
  tree.onTickClick = [&](HTREEITEM node, UINT trigger) {
    triggers.push_back(trigger);
    tree.setState(node, tk::NextTickState(tree.state(node)));
  };
  PostMessageA(tree.hwnd(), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageA(tree.hwnd(), WM_CHAR, ' ', 1);
  Pump(40);
  EXPECT_EQ(RawState(tree.hwnd(), folder), tk::kUnticked);
  EXPECT_EQ(triggers, (std::vector<UINT>{VK_SPACE}));
  EXPECT_EQ(tree.selected(), folder) << "the blank does not search";
}

TEST_F(TickTree, TheControlGoesWithTheObjectAndNotBefore) {
  HWND hwnd = tree.hwnd();
  HIMAGELIST images = tree.stateImages();
  {
    tk::TickTreeView other;
    ASSERT_TRUE(other.create(host.hwnd(), 702, {0, 0, 100, 100}));
    hwnd = other.hwnd();
    images = other.stateImages();
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
  }
  EXPECT_FALSE(IsWindow(hwnd));
  // The parent destroying the control first leaves the object harmless.
  DestroyWindow(tree.hwnd());
  EXPECT_EQ(tree.hwnd(), nullptr);
  EXPECT_EQ(tree.count(), 0);
  EXPECT_EQ(tree.add("late"), nullptr);
}

}  // namespace
}  // namespace controls_tests

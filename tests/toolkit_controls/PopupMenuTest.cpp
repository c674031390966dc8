// Owner-drawn popup menus: what the HMENU holds (read back with GetMenuItemInfo),
// the items' measures and pictures, and a real showing driven by keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsHost.h"
#include "toolkit/ActionTable.h"
#include "toolkit/MenuPaint.h"
#include "toolkit/PopupMenu.h"

namespace controls_tests {
namespace {

#define VIEW_COMMANDS(X)  \
  X(ActionGrid, 3001)     \
  X(ActionInfoTips, 3002) \
  X(ActionViewIcon, 3003) \
  X(ActionViewList, 3004) \
  X(ActionRefresh, 3005)  \
  X(ActionExportReg, 3006)
TK_ACTION_TABLE(ViewActions, VIEW_COMMANDS);

MENUITEMINFOA ItemAt(HMENU menu, int position, std::string* text = nullptr) {
  static char buffer[256];
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_STRING | MIIM_SUBMENU;
  buffer[0] = '\0';
  info.dwTypeData = buffer;
  info.cch = sizeof buffer;
  GetMenuItemInfoA(menu, position, TRUE, &info);
  if (text) *text = buffer;
  return info;
}

std::vector<std::string> Texts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    std::string text;
    const MENUITEMINFOA info = ItemAt(menu, i, &text);
    texts.push_back((info.fType & MFT_SEPARATOR) ? "-" : text);
  }
  return texts;
}

class PopupMenus : public ::testing::Test {
 protected:
  PopupMenus() : commands(actions) {
    host.actions = &actions;
    commands.ActionGrid.setCaption("Grid");
    commands.ActionInfoTips.setCaption("Tips");
    commands.ActionInfoTips.setChecked(true);
    commands.ActionViewIcon.setCaption("Icon");
    commands.ActionViewList.setCaption("List");
    commands.ActionRefresh.setCaption("Refresh");
    commands.ActionRefresh.setShortcut({VK_F5});
    commands.ActionExportReg.setCaption("Export Registry Info...");
    commands.ActionExportReg.setEnabled(false);
  }
  void build() {
    menu.addAction(commands.ActionGrid);
    menu.addAction(commands.ActionInfoTips);
    menu.addSeparator();
    menu.addAction(commands.ActionViewIcon);
    menu.addAction(commands.ActionViewList);
    menu.addSeparator();
    menu.addAction(commands.ActionRefresh);
    menu.addAction(commands.ActionExportReg);
    menu.addItem("Plain &Item", 3100);
  }

  Host host;
  tk::ActionList actions;
  ViewActions commands;
  tk::PopupMenu menu;
};

TEST_F(PopupMenus, ItemsAreOwnerDrawnAndFollowTheirActions) {
  build();
  HMENU handle = menu.handle();
  ASSERT_TRUE(IsMenu(handle));
  EXPECT_EQ(Texts(handle),
            (std::vector<std::string>{"Grid", "Tips", "-", "Icon", "List", "-", "Refresh\tF5",
                                      "Export Registry Info...", "Plain &Item"}));
  for (int i = 0; i < GetMenuItemCount(handle); ++i) {
    const MENUITEMINFOA info = ItemAt(handle, i);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "item " << i;
    EXPECT_NE(info.dwItemData, 0u) << "item " << i;
  }
  EXPECT_EQ(ItemAt(handle, 0).wID, 3001u);
  EXPECT_TRUE(ItemAt(handle, 1).fState & MFS_CHECKED);
  EXPECT_TRUE(ItemAt(handle, 7).fState & MFS_GRAYED);
  EXPECT_FALSE(ItemAt(handle, 6).fState & MFS_GRAYED);

  // The bound items follow the actions at once.
  commands.ActionExportReg.setEnabled(true);
  commands.ActionGrid.setChecked(true);
  commands.ActionRefresh.setCaption("Aktualisieren");
  EXPECT_FALSE(ItemAt(handle, 7).fState & MFS_GRAYED);
  EXPECT_TRUE(ItemAt(handle, 0).fState & MFS_CHECKED);
  std::string text;
  ItemAt(handle, 6, &text);
  EXPECT_EQ(text, "Aktualisieren\tF5");

  EXPECT_TRUE(menu.setItemEnabled(3100, false));
  EXPECT_TRUE(ItemAt(handle, 8).fState & MFS_GRAYED);
  EXPECT_TRUE(menu.setItemChecked(3100, true));
  EXPECT_TRUE(ItemAt(handle, 8).fState & MFS_CHECKED);
  EXPECT_FALSE(menu.setItemEnabled(3001, false)) << "bound items belong to their action";
  EXPECT_FALSE(menu.setItemEnabled(9999, false));
  EXPECT_TRUE(menu.setItemCaption(3100, "Renamed"));
  EXPECT_EQ(Texts(handle).back(), "Renamed");
  EXPECT_TRUE(ItemAt(handle, 8).fState & MFS_CHECKED) << "a rebuild keeps the item's state";
}

TEST_F(PopupMenus, HiddenActionsLeaveNoItemsAndNoStraySeparators) {
  build();
  commands.ActionViewIcon.setVisible(false);
  commands.ActionViewList.setVisible(false);
  menu.rebuild();
  EXPECT_EQ(Texts(menu.handle()),
            (std::vector<std::string>{"Grid", "Tips", "-", "Refresh\tF5", "Export Registry Info...",
                                      "Plain &Item"}));
  commands.ActionGrid.setVisible(false);
  commands.ActionInfoTips.setVisible(false);
  menu.rebuild();
  EXPECT_EQ(Texts(menu.handle()).front(), "Refresh\tF5") << "no leading separator";
  commands.ActionViewIcon.setVisible(true);
  menu.rebuild();
  EXPECT_EQ(Texts(menu.handle()),
            (std::vector<std::string>{"Icon", "-", "Refresh\tF5", "Export Registry Info...",
                                      "Plain &Item"}));

  tk::PopupMenu tail;
  tail.addItem("Only", 1);
  tail.addSeparator();
  tail.addSeparator();
  EXPECT_EQ(Texts(tail.handle()), (std::vector<std::string>{"Only"})) << "no trailing separator";
}

TEST_F(PopupMenus, ItemsMeasure21PixelsAndWidenWithTheirTexts) {
  build();
  auto measure = [&](int position) {
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemID = ItemAt(menu.handle(), position).wID;
    m.itemData = ItemAt(menu.handle(), position).dwItemData;
    EXPECT_TRUE(tk::PopupMenu::HandleMeasureItem(&m));
    return m;
  };
  const MEASUREITEMSTRUCT grid = measure(0);
  EXPECT_EQ(grid.itemHeight, 21u);
  EXPECT_GT(grid.itemWidth, static_cast<UINT>(tk::PopupMenu::kIconBarWidth + 10));
  EXPECT_EQ(measure(2).itemHeight, 7u) << "separators are thin";
  const MEASUREITEMSTRUCT exportItem = measure(7);
  EXPECT_GT(exportItem.itemWidth, grid.itemWidth + 40);
  // The shortcut adds its own room: Refresh with F5 against Refresh alone.
  tk::PopupMenu plain;
  plain.addItem("Refresh", 1);
  MEASUREITEMSTRUCT alone{};
  alone.CtlType = ODT_MENU;
  alone.itemData = ItemAt(plain.handle(), 0).dwItemData;
  ASSERT_TRUE(tk::PopupMenu::HandleMeasureItem(&alone));
  EXPECT_GT(measure(6).itemWidth, alone.itemWidth + 20);

  // Items that are not ours are left to their owners.
  MEASUREITEMSTRUCT foreign{};
  foreign.CtlType = ODT_MENU;
  foreign.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
  EXPECT_FALSE(tk::PopupMenu::HandleMeasureItem(&foreign));
  foreign.CtlType = ODT_LISTBOX;
  foreign.itemData = alone.itemData;
  EXPECT_FALSE(tk::PopupMenu::HandleMeasureItem(&foreign));
}

// Draws one item into a fresh bitmap and gives its pixels.
class ItemPicture {
 public:
  ItemPicture(HMENU menu, int position, UINT state, int width = 200) : width_(width) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, 21);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = ItemAt(menu, position).wID;
    d.itemData = ItemAt(menu, position).dwItemData;
    d.itemState = state;
    d.hwndItem = reinterpret_cast<HWND>(menu);
    d.hDC = dc_;
    d.rcItem = {0, 0, width, 21};
    handled_ = tk::PopupMenu::HandleDrawItem(&d);
  }
  ~ItemPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  bool handled() const { return handled_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
  // Paints over the drawn item as the system does after its owner drew it.
  void fill(const RECT& r, COLORREF colour) const {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }
  int count(int left, int right, COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < 21; ++y) {
      for (int x = left; x < right; ++x) n += at(x, y) == colour ? 1 : 0;
    }
    return n;
  }
  int width() const { return width_; }

 private:
  int width_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  bool handled_ = false;
};

TEST_F(PopupMenus, ItemsDrawTheIconBarHighlightMarksAndGreyText) {
  build();
  const int bar = tk::PopupMenu::kIconBarWidth;
  const ItemPicture normal(menu.handle(), 0, 0);  // "Grid", unchecked
  ASSERT_TRUE(normal.handled());
  // The bar is one colour from top to bottom and stands out from the item's body.
  const COLORREF barColour = normal.at(2, 2);
  const COLORREF body = normal.at(bar + 2, 2);
  EXPECT_NE(barColour, body) << "the bar must stand out from the items";
  EXPECT_EQ(normal.at(bar - 2, 19), barColour);
  EXPECT_NE(body, GetSysColor(COLOR_HIGHLIGHT)) << "an item that is not hot is not highlighted";
  EXPECT_EQ(normal.count(0, bar, GetSysColor(COLOR_MENUTEXT)), 0) << "no mark when unchecked";
  EXPECT_GT(normal.count(bar, normal.width(), GetSysColor(COLOR_MENUTEXT)), 10) << "the text";

  const ItemPicture checked(menu.handle(), 1, ODS_CHECKED);  // "Tips"
  EXPECT_EQ(checked.at(bar + 2, 2), body) << "every item has the same body";
  EXPECT_GT(checked.count(0, bar, GetSysColor(COLOR_MENUTEXT)), 6) << "a tick in the bar";

  const ItemPicture hot(menu.handle(), 0, ODS_SELECTED);
  EXPECT_EQ(hot.at(bar + 2, 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_GT(hot.count(bar, hot.width(), GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);

  const ItemPicture grey(menu.handle(), 7, ODS_GRAYED | ODS_SELECTED);  // disabled Export
  EXPECT_EQ(grey.at(bar + 2, 2), body) << "disabled items are not highlighted";
  EXPECT_GT(grey.count(bar, grey.width(), GetSysColor(COLOR_GRAYTEXT)), 10);
  EXPECT_EQ(grey.count(bar, grey.width(), GetSysColor(COLOR_MENUTEXT)), 0);

  // "Refresh\tF5": the shortcut stands at the right edge.
  const ItemPicture refresh(menu.handle(), 6, 0, 260);
  const int textRight = refresh.count(200, 250, GetSysColor(COLOR_MENUTEXT));
  EXPECT_GT(textRight, 5) << "F5 drawn right-aligned";
  EXPECT_EQ(refresh.count(150, 190, GetSysColor(COLOR_MENUTEXT)), 0) << "a gap before it";

  const ItemPicture rule(menu.handle(), 2, 0);
  EXPECT_GT(rule.count(bar, rule.width(), GetSysColor(COLOR_BTNSHADOW)), 100);
}

TEST_F(PopupMenus, PicturesFromTheImageListAndIcons) {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
  HDC screen = GetDC(nullptr);
  HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, red);
  RECT all{0, 0, 16, 16};
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ImageList_Add(images, red, nullptr);
  DeleteObject(red);

  menu.setImages(images);
  menu.addItem("With picture", 1, 0);
  menu.addItem("Bad index", 2, 9);
  const ItemPicture pictured(menu.handle(), 0, 0);
  EXPECT_GT(pictured.count(0, tk::PopupMenu::kIconBarWidth, RGB(255, 0, 0)), 200);
  const ItemPicture missing(menu.handle(), 1, 0);
  EXPECT_EQ(missing.count(0, tk::PopupMenu::kIconBarWidth, RGB(255, 0, 0)), 0);
  menu.clear();
  EXPECT_EQ(GetMenuItemCount(menu.handle()), 0);
  ImageList_Destroy(images);
}

TEST_F(PopupMenus, ShowingDrawsThroughTheOwnerAndRunsTheChosenAction) {
  build();
  int refreshed = 0;
  commands.ActionRefresh.setOnExecute([&] { ++refreshed; });
  // Keys waiting in the queue drive the menu once it is open: five presses of Down
  // reach the fifth item that can be chosen (separators are skipped), Refresh.
  for (int i = 0; i < 5; ++i) PostMessageA(host.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(host.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  const UINT chosen = menu.showAt(host.hwnd(), 100, 100);
  EXPECT_EQ(chosen, 3005u);
  EXPECT_EQ(refreshed, 1);
  bool measured = false, drawn = false;
  for (UINT m : host.ownerDrawMessages) {
    measured |= m == WM_MEASUREITEM;
    drawn |= m == WM_DRAWITEM;
  }
  EXPECT_TRUE(measured);
  EXPECT_TRUE(drawn);
  ASSERT_FALSE(host.commands.empty());
  EXPECT_EQ(host.commands.back().id, 3005);
  EXPECT_EQ(host.commands.back().code, 0);

  host.commands.clear();
  PostMessageA(host.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(menu.showAt(host.hwnd(), 100, 100), 0u);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_EQ(refreshed, 1);
}

// The menu window this process shows: tests beside this one on the same display
// show menus of their own.
HWND OurShownMenuWindow() {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

TEST_F(PopupMenus, OpensUnderItsButton) {
  build();
  const RECT button{200, 150, 317, 184};  // screen coordinates
  RECT seen{};
  host.hook = [&](UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && seen.right == 0) {
      if (HWND popup = OurShownMenuWindow()) GetWindowRect(popup, &seen);
      EndMenu();
    }
    return std::nullopt;
  };
  SetTimer(host.hwnd(), 1, 2000, nullptr);  // a deadline, should the idle message not come
  EXPECT_EQ(menu.showUnder(host.hwnd(), button), 0u);
  KillTimer(host.hwnd(), 1);
  EXPECT_EQ(seen.left, button.left);
  EXPECT_EQ(seen.top, button.bottom);
}

// A dark look, each colour of its own, so that a pixel tells which role drew it.
constexpr tk::MenuColours kDark{RGB(21, 28, 38),    RGB(30, 39, 51),   RGB(227, 233, 240),
                                RGB(141, 154, 171), RGB(57, 87, 111),  RGB(226, 232, 239),
                                RGB(83, 90, 99),    RGB(124, 196, 255)};

COLORREF BrushColour(HMENU menu) {
  MENUINFO info{sizeof info, MIM_BACKGROUND};
  if (!GetMenuInfo(menu, &info) || !info.hbrBack) return CLR_NONE;
  LOGBRUSH brush{};
  GetObjectA(info.hbrBack, sizeof brush, &brush);
  return brush.lbColor;
}

class SkinnedPopupMenus : public PopupMenus {
 protected:
  ~SkinnedPopupMenus() override { tk::SetMenuColours(std::nullopt); }
};

TEST_F(SkinnedPopupMenus, ItemsAndTheWindowAroundThemTakeTheColoursSet) {
  tk::SetMenuColours(kDark);
  build();
  tk::PopupMenu& sub = menu.addSubmenu("More");
  const int bar = tk::PopupMenu::kIconBarWidth;
  const ItemPicture normal(menu.handle(), 0, 0);  // "Grid"
  EXPECT_EQ(normal.at(2, 2), kDark.iconBar);
  EXPECT_EQ(normal.at(bar + 2, 2), kDark.back);
  EXPECT_GT(normal.count(bar, normal.width(), kDark.text), 10);
  const ItemPicture hot(menu.handle(), 0, ODS_SELECTED);
  EXPECT_EQ(hot.at(bar + 2, 2), kDark.highlightBack);
  EXPECT_GT(hot.count(bar, hot.width(), kDark.highlightText), 10);
  const ItemPicture grey(menu.handle(), 7, ODS_GRAYED);  // disabled Export
  EXPECT_GT(grey.count(bar, grey.width(), kDark.disabledText), 10);
  EXPECT_EQ(grey.count(bar, grey.width(), kDark.text), 0);
  EXPECT_GT(ItemPicture(menu.handle(), 2, 0).count(bar, 200, kDark.separator), 100);
  // A submenu's arrow in the text colour, which the system's own cannot cover.
  const ItemPicture more(menu.handle(), 9, 0);
  EXPECT_GT(more.count(180, 200, kDark.text), 5);
  more.fill({180, 0, 200, 21}, RGB(255, 255, 255));
  EXPECT_EQ(more.count(180, 200, RGB(255, 255, 255)), 0);
  menu.rebuild();  // the window around the items, submenus too
  EXPECT_EQ(BrushColour(menu.handle()), kDark.back);
  EXPECT_EQ(BrushColour(sub.handle()), kDark.back);
}

TEST_F(SkinnedPopupMenus, PlainItemsOfABorrowedSubmenuDrawInTheSameLook) {
  HMENU languages = CreatePopupMenu();
  AppendMenuA(languages, MF_STRING | MF_CHECKED, 4001, "English");
  AppendMenuA(languages, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(languages, MF_STRING, 4003, "Own data");
  MENUITEMINFOA data{sizeof data, MIIM_DATA};
  data.dwItemData = 42;
  SetMenuItemInfoA(languages, 2, TRUE, &data);
  tk::SetMenuColours(kDark);
  {
    tk::PopupMenu view;
    view.addSubmenu("Languages", languages);
    EXPECT_TRUE(ItemAt(languages, 1).fType & MFT_OWNERDRAW) << "the separator";
    EXPECT_FALSE(ItemAt(languages, 2).fType & MFT_OWNERDRAW) << "an item with its owner's data";
    EXPECT_EQ(ItemAt(languages, 2).dwItemData, 42u);
    // The owner reads and checks its items as before.
    char text[32] = {};
    GetMenuStringA(languages, 4001, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "English");
    EXPECT_TRUE(GetMenuState(languages, 4001, MF_BYCOMMAND) & MF_CHECKED);
    const ItemPicture english(languages, 0, ODS_CHECKED);
    ASSERT_TRUE(english.handled());
    EXPECT_EQ(english.at(tk::PopupMenu::kIconBarWidth + 2, 2), kDark.back);
    EXPECT_GT(english.count(tk::PopupMenu::kIconBarWidth, 200, kDark.text), 10);
    EXPECT_GT(english.count(0, tk::PopupMenu::kIconBarWidth, kDark.text), 6) << "its tick";
    EXPECT_EQ(BrushColour(languages), kDark.back);
  }
  const MENUITEMINFOA english = ItemAt(languages, 0);
  EXPECT_FALSE(english.fType & MFT_OWNERDRAW) << "the menu's end lets its items go";
  EXPECT_EQ(english.dwItemData, 0u);
  EXPECT_TRUE(english.fState & MFS_CHECKED);
  DestroyMenu(languages);
}

TEST_F(PopupMenus, NewPicturesReachTheSubmenusThatShowedTheOldOnes) {
  HIMAGELIST first = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
  HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
  menu.setImages(first);
  tk::PopupMenu& inherits = menu.addSubmenu("View");
  menu.addSubmenu("Other").setImages(own);
  menu.setImages(nullptr);  // the old list is about to go
  EXPECT_EQ(inherits.images(), nullptr);
  menu.clear();
  ImageList_Destroy(first);
  ImageList_Destroy(own);
}

TEST_F(PopupMenus, SubmenusOwnedAndBorrowed) {
  HMENU languages = CreatePopupMenu();
  AppendMenuA(languages, MF_STRING, 4001, "English");
  HMENU ownSub = nullptr;
  {
    tk::PopupMenu view;
    view.addItem("Grid", 1);
    tk::PopupMenu& sub = view.addSubmenu("View");
    sub.addAction(commands.ActionViewIcon);
    sub.addAction(commands.ActionViewList);
    view.addSubmenu("Languages", languages);
    ownSub = sub.handle();
    EXPECT_EQ(Texts(view.handle()), (std::vector<std::string>{"Grid", "View", "Languages"}));
    EXPECT_EQ(ItemAt(view.handle(), 1).hSubMenu, ownSub);
    EXPECT_EQ(ItemAt(view.handle(), 2).hSubMenu, languages);
    EXPECT_EQ(Texts(ownSub), (std::vector<std::string>{"Icon", "List"}));
    commands.ActionViewList.setVisible(false);
    view.rebuild();
    EXPECT_EQ(Texts(ownSub), (std::vector<std::string>{"Icon"})) << "submenus rebuild too";
  }
  EXPECT_FALSE(IsMenu(ownSub)) << "an own submenu goes with its menu";
  ASSERT_TRUE(IsMenu(languages)) << "a borrowed one stays";
  EXPECT_EQ(GetMenuItemCount(languages), 1);
  DestroyMenu(languages);
}

}  // namespace
}  // namespace controls_tests

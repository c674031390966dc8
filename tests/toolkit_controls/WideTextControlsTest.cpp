// Names in any script reach the real controls whole and come back the same: what
// the toolkit's UTF-8 calls set is read back from the controls with the W messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "ControlsHost.h"
#include "toolkit/Action.h"
#include "toolkit/Control.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/ListView.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TickTreeView.h"
#include "toolkit/TrackingTip.h"

namespace controls_tests {
namespace {

std::string Utf8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

// The same names twice, spelt by the compiler in each encoding, so that neither
// side of a check depends on the program's own conversion.
const std::wstring kJapaneseW = L"日本語のプログラム";
const std::string kJapanese = Utf8(u8"日本語のプログラム");
const std::wstring kGreekW = L"Ελληνικά Εργαλεία";
const std::string kGreek = Utf8(u8"Ελληνικά Εργαλεία");
const std::wstring kRussianW = L"Русский редактор";
const std::string kRussian = Utf8(u8"Русский редактор");
const std::wstring kMixedW = L"C:\\Программы\\日本\\😀 Ελ.exe";
const std::string kMixed = Utf8(u8"C:\\Программы\\日本\\😀 Ελ.exe");

std::wstring ItemTextW(HWND list, int item, int column, int capacity = 1024) {
  std::wstring buffer(static_cast<size_t>(capacity), L'\x7F7F');
  LVITEMW lv{};
  lv.iSubItem = column;
  lv.pszText = buffer.data();
  lv.cchTextMax = capacity;
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lv));
  return lv.pszText ? std::wstring(lv.pszText) : std::wstring();
}

std::wstring ColumnTextW(HWND list, int column) {
  wchar_t buffer[512] = {};
  LVCOLUMNW lv{};
  lv.mask = LVCF_TEXT;
  lv.pszText = buffer;
  lv.cchTextMax = 512;
  if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&lv))) return {};
  return lv.pszText;
}

int FindW(HWND list, UINT flags, const wchar_t* text, int start = -1) {
  LVFINDINFOW find{};
  find.flags = flags;
  find.psz = text;
  return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(start),
                                       reinterpret_cast<LPARAM>(&find)));
}

std::wstring WindowTextW(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

std::wstring MenuTextW(HMENU menu, UINT id) {
  wchar_t buffer[512] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 512;
  if (!GetMenuItemInfoW(menu, id, FALSE, &info)) return L"<no item>";
  return buffer;
}

TEST(WideTextControls, ListViewRowsAndColumnsAreExact) {
  Host host;
  tk::ListView list;
  ASSERT_TRUE(list.create(host.hwnd(), 701, {10, 10, 610, 400}));
  list.addColumn(kGreek, 150);
  list.addColumn(kJapanese, 150);
  ASSERT_EQ(list.insertRow({kRussian, {kMixed}, -1, 1}), 0);
  ASSERT_EQ(list.insertRow({Utf8(u8"😀"), {}, -1, 2}), 1);
  ASSERT_TRUE(list.setItemText(1, 1, kJapanese));

  EXPECT_EQ(ColumnTextW(list.hwnd(), 0), kGreekW);
  EXPECT_EQ(ColumnTextW(list.hwnd(), 1), kJapaneseW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 0, 0), kRussianW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 0, 1), kMixedW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 1, 0), L"😀");
  EXPECT_EQ(ItemTextW(list.hwnd(), 1, 1), kJapaneseW);

  EXPECT_EQ(list.columnCaption(0), kGreek);
  EXPECT_EQ(list.itemText(0, 1), kMixed);
  EXPECT_EQ(list.row(1).caption, Utf8(u8"😀"));
  ASSERT_TRUE(list.setColumnCaption(1, kMixed));
  EXPECT_EQ(ColumnTextW(list.hwnd(), 1), kMixedW);
}

class WideOwnerData : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::ListViewOptions options;
    options.ownerData = true;
    ASSERT_TRUE(list.create(host.hwnd(), 702, {10, 10, 610, 400}, options));
    list.addColumn("Name", 200);
    list.addColumn("Path", 300);
    list.appendRows({{kJapanese, {kMixed}, -1, 10},
                     {kGreek, {kJapanese}, -1, 20},
                     {kRussian, {kGreek}, -1, 30},
                     {Utf8(u8"ab😀"), {}, -1, 40}});
  }

  Host host;
  tk::ListView list;
};

TEST_F(WideOwnerData, TheControlShowsTheRowsExactly) {
  EXPECT_EQ(ItemTextW(list.hwnd(), 0, 0), kJapaneseW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 0, 1), kMixedW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 1, 0), kGreekW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 2, 1), kGreekW);
  EXPECT_EQ(ItemTextW(list.hwnd(), 3, 0), L"ab😀");
  ASSERT_TRUE(list.setItemText(2, 0, kMixed));
  EXPECT_EQ(ItemTextW(list.hwnd(), 2, 0), kMixedW);
}

TEST_F(WideOwnerData, TextsAreCutToTheControlsBufferWithoutHalfCharacters) {
  EXPECT_EQ(ItemTextW(list.hwnd(), 3, 0, 5), L"ab😀") << "room for the pair and the zero";
  EXPECT_EQ(ItemTextW(list.hwnd(), 3, 0, 4), L"ab") << "no lone high surrogate";
  EXPECT_EQ(ItemTextW(list.hwnd(), 0, 0, 4), kJapaneseW.substr(0, 3));
}

TEST_F(WideOwnerData, FindComparesWideTextIgnoringCase) {
  EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"ελλ"), 1);
  EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"РУССКИЙ"), 2);
  EXPECT_EQ(FindW(list.hwnd(), LVFI_STRING, L"русский редактор"), 2);
  EXPECT_EQ(FindW(list.hwnd(), LVFI_STRING, L"русский"), -1) << "a whole caption only";
  EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"日本"), 0);
  EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"ab😀"), 3);
  EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"Русь"), -1);
  // Characters that the ANSI code page lacks must not turn into one that matches.
  EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"ΩΩ"), -1);
}

TEST_F(WideOwnerData, TypingSelectsTheRowThatStartsWithTheLetter) {
  SetFocus(list.hwnd());
  SendMessageW(list.hwnd(), WM_CHAR, L'р', 1);  // one press, as the keyboard sends it
  Pump(30);
  EXPECT_EQ(list.focusedIndex(), 2) << "the Russian caption starts with a capital Р";
}

// A parent of another toolkit's making, registered with the ANSI calls: it hands
// the list's notifications to the list object, as ListView.h asks of such parents.
tk::ListView* g_ansiParentsList = nullptr;

LRESULT CALLBACK AnsiParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (msg == WM_NOTIFY && g_ansiParentsList &&
      g_ansiParentsList->handleNotify(reinterpret_cast<NMHDR*>(lParam), &result)) {
    return result;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(WideTextControls, OwnerDataRowsAreExactUnderAnAnsiParent) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &AnsiParentProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PrunaxisAnsiTestParent";
  RegisterClassA(&wc);
  HWND parent = CreateWindowExA(0, wc.lpszClassName, "ANSI parent", WS_POPUP | WS_VISIBLE, 60, 60,
                                400, 300, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(parent);
  ASSERT_FALSE(IsWindowUnicode(parent));
  {
    tk::ListView list;
    g_ansiParentsList = &list;
    tk::ListViewOptions options;
    options.ownerData = true;
    ASSERT_TRUE(list.create(parent, 704, {0, 0, 380, 280}, options));
    list.addColumn("Name", 200);
    list.appendRows({{kRussian, {}, -1, 1}, {kMixed, {}, -1, 2}});
    EXPECT_EQ(ItemTextW(list.hwnd(), 0, 0), kRussianW);
    EXPECT_EQ(ItemTextW(list.hwnd(), 1, 0), kMixedW);
    EXPECT_EQ(FindW(list.hwnd(), LVFI_PARTIAL | LVFI_STRING, L"c:\\програм"), 1);
    g_ansiParentsList = nullptr;
  }
  DestroyWindow(parent);
}

TEST(WideTextControls, TickTreeNodeTextsAreExact) {
  Host host;
  tk::TickTreeView tree;
  ASSERT_TRUE(tree.create(host.hwnd(), 703, {10, 10, 560, 300}));
  HTREEITEM key = tree.add(kMixed);
  HTREEITEM value = tree.add(kGreek, key, 5, tk::kUnticked);
  ASSERT_TRUE(key && value);
  for (auto [node, expected] : {std::pair{key, kMixedW}, std::pair{value, kGreekW}}) {
    wchar_t buffer[512] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node;
    item.pszText = buffer;
    item.cchTextMax = 512;
    ASSERT_TRUE(SendMessageW(tree.hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::wstring(item.pszText), expected);
  }
  EXPECT_EQ(tree.text(key), kMixed);
  EXPECT_EQ(tree.text(value), kGreek);
  EXPECT_EQ(tree.state(value), tk::kUnticked);
}

class CaptionWindow : public tk::Window {
 public:
  CaptionWindow(const std::string& className, const std::string& caption) {
    tk::WindowParams params;
    params.className = className.c_str();
    params.caption = caption;
    params.style = WS_POPUP | WS_VISIBLE;
    params.x = 40;
    params.y = 40;
    params.width = 300;
    params.height = 200;
    create(params);
  }
  ~CaptionWindow() override { destroy(); }
};

TEST(WideTextControls, WindowAndControlCaptionsAreExact) {
  const std::string className = Utf8(u8"Prunaxis.Окно.窓");
  CaptionWindow window(className, kJapanese);
  ASSERT_TRUE(window.hwnd());
  EXPECT_TRUE(IsWindowUnicode(window.hwnd()));
  wchar_t cls[128] = {};
  GetClassNameW(window.hwnd(), cls, 128);
  EXPECT_EQ(std::wstring(cls), L"Prunaxis.Окно.窓");
  EXPECT_EQ(WindowTextW(window.hwnd()), kJapaneseW);
  window.setText(kMixed);
  EXPECT_EQ(WindowTextW(window.hwnd()), kMixedW);
  EXPECT_EQ(window.text(), kMixed);

  tk::Control label =
      tk::Control::Create(window.hwnd(), "STATIC", 10, kRussian, SS_LEFT, 5, 5, 200, 20);
  ASSERT_TRUE(label);
  EXPECT_EQ(WindowTextW(label.hwnd()), kRussianW);
  label.setText(kGreek);
  EXPECT_EQ(WindowTextW(label.hwnd()), kGreekW);
  EXPECT_EQ(label.text(), kGreek);
  tk::Control button =
      tk::Control::Create(window.hwnd(), WC_BUTTONW, 11, kMixed, BS_PUSHBUTTON, 5, 30, 200, 24);
  ASSERT_TRUE(button);
  EXPECT_EQ(WindowTextW(button.hwnd()), kMixedW);

  tk::LinkLabel link;
  ASSERT_TRUE(link.create(window.hwnd(), 12, 5, 60, 20, kGreek));
  EXPECT_EQ(WindowTextW(link.hwnd()), kGreekW);
  const RECT bounds = tk::Control(link.hwnd()).bounds();
  EXPECT_GT(bounds.right - bounds.left, 0) << "the label is as wide as its text";
}

TEST(WideTextControls, MenuItemTextsAreExact) {
  Host host;
  tk::PopupMenu menu;
  menu.addItem(kJapanese, 801);
  tk::Action action(802, "ActionRussian");
  action.setCaption(kRussian);
  action.setShortcut({VK_F5});
  menu.addAction(action);
  EXPECT_EQ(MenuTextW(menu.handle(), 801), kJapaneseW);
  EXPECT_EQ(MenuTextW(menu.handle(), 802), kRussianW + L"\tF5");
  EXPECT_EQ(tk::MenuItemText(menu.handle(), 802), kRussian + "\tF5");
  ASSERT_TRUE(menu.setItemCaption(801, kMixed));
  EXPECT_EQ(MenuTextW(menu.handle(), 801), kMixedW);

  // A plain menu of someone else's: the action keeps the item's own text and puts
  // its shortcut after it.
  HMENU plain = CreatePopupMenu();
  AppendMenuW(plain, MF_STRING, 803, kGreekW.c_str());
  tk::Action bound(803, "ActionGreek");
  bound.setShortcut({'G', tk::Shortcut::kCtrl});
  bound.bindMenuItem(plain);
  EXPECT_EQ(MenuTextW(plain, 803), kGreekW + L"\tCtrl+G");
  bound.setCaption(kMixed);
  EXPECT_EQ(MenuTextW(plain, 803), kMixedW + L"\tCtrl+G");
  DestroyMenu(plain);
}

TEST(WideTextControls, TipTextsAreExact) {
  Host host;
  tk::TrackingTip tip;
  ASSERT_TRUE(tip.create(host.hwnd()));
  tip.show(kMixed, {100, 100});
  wchar_t buffer[512] = {};
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = host.hwnd();
  info.uId = 1;
  info.lpszText = buffer;
  SendMessageW(tip.hwnd(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(std::wstring(buffer), kMixedW);
  EXPECT_EQ(tip.text(), kMixed);
}

}  // namespace
}  // namespace controls_tests

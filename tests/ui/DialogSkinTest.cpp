// A dialog in a dark skin's colours: its background and every kind of control the
// program's dialogs hold, drawn through the real controls into a bitmap; a skin
// without colours leaves a dialog as it was made.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/Sandbox.h"
#include "sys/IniFile.h"
#include "toolkit/DialogFrame.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Window.h"
#include "ui/ControlSkins.h"
#include "ui/DialogSkin.h"

using namespace ui;
using ui_test::Contrast;

namespace {

// The dark skin's colours as it ships.
TSkinColours DarkColours() {
  const sys::IniFile skin(testing_support::ProgramBinDir() + "Skins\\Dark.ini");
  auto colour = [&](const char* key) {
    return ParseSkinColour(skin.readString("Colors", key, ""));
  };
  TSkinColours c;
  c.PanelBack = colour("SK_COLOR_PanelBack");
  c.PanelText = colour("SK_COLOR_PanelText");
  c.ListBack = colour("SK_COLOR_ListBack");
  c.ListText = colour("SK_COLOR_ListText");
  c.Link = colour("SK_COLOR_Link");
  c.TabText = colour("SK_COLOR_TabText");
  c.TabSelectedText = colour("SK_COLOR_TabSelectedText");
  c.ButtonDisabledText = colour("SK_COLOR_ButtonDisabledText");
  return c;
}

// The common controls the program's manifest asks for (version 6): push buttons
// ask their parent to draw them only in that version. Windows made while the scope
// lives are of its classes.
class CommonControls6 {
 public:
  CommonControls6() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"prunaxis-dialogskin-test.manifest";
    const char manifest[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"
        "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" "
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
        "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
        "</dependentAssembly></dependency></assembly>";
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, manifest, sizeof manifest - 1, &written, nullptr);
    CloseHandle(file);
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.lpSource = path_.c_str();
    context_ = CreateActCtxW(&request);
    if (context_ != INVALID_HANDLE_VALUE) ActivateActCtx(context_, &cookie_);
  }
  ~CommonControls6() {
    if (context_ == INVALID_HANDLE_VALUE) return;
    DeactivateActCtx(0, cookie_);
    ReleaseActCtx(context_);
    DeleteFileW(path_.c_str());
  }
  bool active() const { return context_ != INVALID_HANDLE_VALUE; }

 private:
  std::wstring path_;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

// What a window draws of itself when asked to print its client area.
class Rendering {
 public:
  Rendering(HWND window, UINT message = WM_PRINTCLIENT) {
    RECT r{};
    GetClientRect(window, &r);
    width_ = r.right;
    height_ = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<size_t>(width_) * height_,
                0x123456u);  // no control draws this
    SendMessageW(window, message, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(p, p + static_cast<size_t>(width_) * height_);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
      ADD_FAILURE() << x << "," << y << " lies outside " << width_ << "x" << height_;
      return CLR_INVALID;
    }
    const std::uint32_t v = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += at(x, y) == colour;
    return n;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

struct Answer {
  COLORREF text, back, brush;
};

Answer AnswerOf(HWND parent, UINT message, HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  LOGBRUSH logBrush{};
  GetObjectW(brush, sizeof logBrush, &logBrush);
  Answer answer{GetTextColor(dc), GetBkColor(dc), logBrush.lbColor};
  DeleteDC(dc);
  return answer;
}

// A dialog whose combo box item gives its picture only when asked, as the details
// window's does.
class TestDialog : public tk::Window {
 protected:
  LRESULT onNotify(NMHDR* header, bool* handled) override {
    *handled = header->code == CBEN_GETDISPINFOW;
    if (*handled) {
      auto& item = reinterpret_cast<NMCOMBOBOXEXW*>(header)->ceItem;
      item.iImage = item.iSelectedImage = 0;
    }
    return 0;
  }
};

class DialogSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(v6.active());
    ASSERT_TRUE(dark.PanelBack && dark.PanelText && dark.ListBack && dark.ListText && dark.Link &&
                dark.TabText && dark.TabSelectedText && dark.ButtonDisabledText);
    ASSERT_TRUE(dialog.create(tk::DialogParams("DialogSkinTest", "Test", nullptr, 420, 320)));
    const HWND d = dialog.hwnd();
    auto make = [d](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                    int h, DWORD ex = 0) {
      return CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, d, nullptr,
                             nullptr, nullptr);
    };
    label = make(L"STATIC", L"Label", SS_LEFT, 10, 10, 100, 16);
    edit = make(L"EDIT", L"text", ES_AUTOHSCROLL, 10, 30, 100, 20, WS_EX_CLIENTEDGE);
    button = make(L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 10, 60, 90, 26);
    list = make(WC_LISTVIEWW, L"", LVS_REPORT, 120, 10, 120, 80, WS_EX_CLIENTEDGE);
    tree = make(WC_TREEVIEWW, L"", 0, 250, 10, 120, 80, WS_EX_CLIENTEDGE);
    tabs = make(WC_TABCONTROLW, L"", 0, 10, 100, 200, 90);
    progress = make(PROGRESS_CLASSW, L"", 0, 220, 100, 150, 20);
    rule = make(L"STATIC", L"", SS_ETCHEDHORZ, 220, 130, 150, 2);
    check = make(L"BUTTON", L"Tick me", BS_AUTOCHECKBOX, 120, 200, 120, 20);
    group = make(L"BUTTON", L"Group", BS_GROUPBOX, 250, 200, 120, 60);
    combo = make(WC_COMBOBOXEXW, L"", CBS_DROPDOWNLIST, 220, 150, 150, 200);
    for (const wchar_t* title : {L"First", L"Second"}) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(title);
      SendMessageW(tabs, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(progress, PBM_SETPOS, 50, 0);
    // One picture of pure red, so that the combo box's drawing of it shows.
    images = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    {
      HDC screen = GetDC(nullptr);
      HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
      HDC dc = CreateCompatibleDC(screen);
      HGDIOBJ old = SelectObject(dc, red);
      RECT all{0, 0, 16, 16};
      HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(dc, &all, brush);
      DeleteObject(brush);
      SelectObject(dc, old);
      DeleteDC(dc);
      ReleaseDC(nullptr, screen);
      ImageList_Add(images, red, nullptr);
      DeleteObject(red);
    }
    SendMessageW(combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = 0;
    item.iImage = item.iSelectedImage = I_IMAGECALLBACK;
    item.pszText = const_cast<wchar_t*>(L"Sample");
    SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    dialog.show(SW_SHOWNOACTIVATE);
  }
  void TearDown() override {
    dialog.destroy();
    ImageList_Destroy(images);
  }
  HWND innerCombo() const {
    return reinterpret_cast<HWND>(SendMessageW(combo, CBEM_GETCOMBOCONTROL, 0, 0));
  }

  CommonControls6 v6;
  TestDialog dialog;
  HWND label{}, edit{}, button{}, check{}, group{}, list{}, tree{}, tabs{}, progress{}, rule{},
      combo{};
  HIMAGELIST images{};
  const TSkinColours dark = DarkColours();
};

}  // namespace

TEST_F(DialogSkinTest, DarkColoursReachTheBackgroundAndEveryControl) {
  SkinDialog(dialog.hwnd(), dark);
  const HWND d = dialog.hwnd();

  const Rendering background(d, WM_ERASEBKGND);
  EXPECT_EQ(background.at(5, 300), *dark.PanelBack);
  EXPECT_EQ(AnswerOf(d, WM_CTLCOLORDLG, d).brush, *dark.PanelBack);
  const Answer labelAnswer = AnswerOf(d, WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(labelAnswer.text, *dark.PanelText);
  EXPECT_EQ(labelAnswer.brush, *dark.PanelBack);
  const Answer editAnswer = AnswerOf(d, WM_CTLCOLOREDIT, edit);
  EXPECT_EQ(editAnswer.text, *dark.ListText);
  EXPECT_EQ(editAnswer.brush, *dark.ListBack);
  EXPECT_EQ(AnswerOf(d, WM_CTLCOLORLISTBOX, innerCombo()).brush, *dark.ListBack);

  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), *dark.ListBack);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), *dark.ListBack);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0)), *dark.ListText);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(progress, PBM_GETBKCOLOR, 0, 0)), *dark.ListBack);
  const Rendering bar(progress);
  EXPECT_EQ(bar.at(bar.width() - 5, bar.height() / 2), *dark.ListBack);
  EXPECT_NE(bar.at(5, bar.height() / 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_NE(bar.at(5, bar.height() / 2), *dark.ListBack);

  // The push button: its face, its default edge in the link colour, its text.
  const TButtonLook look = *ButtonLookOf(dark);
  const Rendering pushed(button);
  EXPECT_EQ(pushed.at(0, 0), look.back);
  EXPECT_EQ(pushed.at(8, 13), look.face);
  EXPECT_GT(pushed.count(look.defaultEdge), 100);
  EXPECT_GT(pushed.count(look.text), 5);
  EnableWindow(button, FALSE);
  const Rendering disabled(button);
  EXPECT_GT(disabled.count(look.disabledText), 5);
  EXPECT_EQ(disabled.count(look.text), 0);
  EXPECT_EQ(disabled.count(look.defaultEdge), 0);

  // Tabs: nothing of the system's face is left; the selected tab's text stands out.
  const Rendering tabStrip(tabs);
  EXPECT_EQ(tabStrip.count(GetSysColor(COLOR_BTNFACE)), 0);
  EXPECT_EQ(tabStrip.count(0x563412), 0);  // every pixel painted
  EXPECT_GT(tabStrip.count(*dark.TabSelectedText), 5);
  EXPECT_GT(tabStrip.count(*dark.TabText), 5);
  EXPECT_EQ(tabStrip.at(100, 60), *dark.PanelBack);

  // The rule: a dark shadow line and a faint light line under it, nothing light.
  const Rendering line(rule);
  auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  EXPECT_LT(brightness(line.at(10, 0)), brightness(*dark.PanelBack));
  EXPECT_GT(brightness(line.at(10, 1)), brightness(*dark.PanelBack));
  EXPECT_LT(brightness(line.at(10, 1)), brightness(*dark.PanelText) / 2);

  // The combo box's shown item: its picture and its text on the list colours.
  const Rendering face(innerCombo());
  EXPECT_GT(face.count(RGB(255, 0, 0)), 100);
  EXPECT_EQ(face.count(GetSysColor(COLOR_WINDOW)), 0);
}

TEST_F(DialogSkinTest, WithoutColoursADialogStaysAsItWasMade) {
  const HWND d = dialog.hwnd();
  const Answer labelBefore = AnswerOf(d, WM_CTLCOLORSTATIC, label);
  const Rendering buttonBefore(button);
  const Rendering tabsBefore(tabs);
  SkinDialog(d, TSkinColours{});
  const Answer labelAfter = AnswerOf(d, WM_CTLCOLORSTATIC, label);
  EXPECT_EQ(labelAfter.text, labelBefore.text);
  EXPECT_EQ(labelAfter.brush, labelBefore.brush);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)),
            GetSysColor(COLOR_WINDOW));
  const Rendering buttonAfter(button);
  const Rendering tabsAfter(tabs);
  for (int y = 0; y < buttonAfter.height(); y += 3)
    for (int x = 0; x < buttonAfter.width(); x += 3)
      ASSERT_EQ(buttonAfter.at(x, y), buttonBefore.at(x, y)) << x << "," << y;
  for (int y = 0; y < tabsAfter.height(); y += 3)
    for (int x = 0; x < tabsAfter.width(); x += 3)
      ASSERT_EQ(tabsAfter.at(x, y), tabsBefore.at(x, y)) << x << "," << y;
}

// Every text the dark skin's dialogs draw on colours of their own reaches the body
// text contrast of WCAG AA, 4.5:1.
TEST_F(DialogSkinTest, TheDarkSkinsDialogTextsReachBodyTextContrast) {
  constexpr double kBodyText = 4.5;
  const TButtonLook look = *ButtonLookOf(dark);
  for (COLORREF face : {look.face, look.hotFace, look.pressedFace})
    EXPECT_GE(Contrast(look.text, face), kBodyText);
  SkinDialog(dialog.hwnd(), dark);
  // The backup window writes its percentage in the list's text over bar and trough.
  const auto bar = static_cast<COLORREF>(SendMessageW(progress, PBM_GETBARCOLOR, 0, 0));
  EXPECT_GE(Contrast(*dark.ListText, bar), kBodyText);
  EXPECT_GE(Contrast(*dark.ListText, *dark.ListBack), kBodyText);
  // Tabs: the text on the tab behind, and the selected tab's on the page.
  RECT behind{};
  SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&behind));
  const COLORREF tabBack = Rendering(tabs).at(behind.left + 3, behind.top + 3);
  EXPECT_GE(Contrast(*dark.TabText, tabBack), kBodyText);
  EXPECT_GE(Contrast(*dark.TabSelectedText, *dark.PanelBack), kBodyText);
}

TEST_F(DialogSkinTest, TipsOfTheDialogsControlsFollowTheSkinBothWays) {
  const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                   0, 0, 0, 0, tree, nullptr, nullptr, nullptr);
  const HWND stranger = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr);
  ASSERT_TRUE(tip && stranger);
  auto back = [](HWND t) {
    return static_cast<COLORREF>(SendMessageW(t, TTM_GETTIPBKCOLOR, 0, 0));
  };
  auto text = [](HWND t) {
    return static_cast<COLORREF>(SendMessageW(t, TTM_GETTIPTEXTCOLOR, 0, 0));
  };
  const COLORREF strangerBack = back(stranger);
  SkinDialog(dialog.hwnd(), dark);
  EXPECT_EQ(text(tip), *dark.PanelText);
  EXPECT_GE(Contrast(text(tip), back(tip)), 4.5);
  EXPECT_LT(GetRValue(back(tip)) + GetGValue(back(tip)) + GetBValue(back(tip)), 3 * 96);
  EXPECT_EQ(back(stranger), strangerBack);  // another window's tip is not ours to colour
  SetOwnedTipColours(dialog.hwnd(), TSkinColours{});
  EXPECT_EQ(back(tip), GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(text(tip), GetSysColor(COLOR_INFOTEXT));
  DestroyWindow(stranger);
}

TEST_F(DialogSkinTest, CheckBoxesGroupFramesAndTickBoxesAreDrawnOnTheSkinsColours) {
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  const Rendering systemCheck(check);
  ASSERT_GT(systemCheck.count(GetSysColor(COLOR_WINDOW)), 20);  // the system's white box
  SkinDialog(dialog.hwnd(), dark);
  const Rendering ticked(check);
  EXPECT_EQ(ticked.count(GetSysColor(COLOR_WINDOW)), 0);
  EXPECT_GT(ticked.count(*dark.ListBack), 20);   // inside the box
  EXPECT_GT(ticked.count(*dark.PanelText), 20);  // the tick and the caption
  SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_LT(Rendering(check).count(*dark.PanelText), ticked.count(*dark.PanelText));

  // The group's frame: no light system line is left, the title in the panel's text.
  const Rendering frame(group, WM_PAINT);
  EXPECT_EQ(frame.count(GetSysColor(COLOR_BTNHIGHLIGHT)), 0);
  EXPECT_GT(frame.count(*dark.PanelText), 5);
  // Inside the frame the group draws nothing: the dialog shows through.
  EXPECT_EQ(frame.at(60, 40), 0x563412);

  const tk::TickColours ticks = TickColoursOf(dark);
  EXPECT_EQ(ticks.fill, *dark.ListBack);
  auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  EXPECT_GT(brightness(ticks.mark), brightness(tk::kTickGreen));  // stands out on dark
  const tk::TickColours design = TickColoursOf(TSkinColours{});
  EXPECT_EQ(design.fill, tk::kTickBoxFill);
  EXPECT_EQ(design.mark, tk::kTickGreen);
}

namespace {

BOOL CALLBACK CloseIfBox(HWND window, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") == 0) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// Closes every box of this thread that is still open, should the look never come.
void CALLBACK CloseOpenBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseIfBox, 0);
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t buffer[64] = {};
    GetWindowTextW(child, buffer, 64);
    if (lstrcmpW(buffer, text) == 0) return child;
  }
  return nullptr;
}

}  // namespace

TEST(MessageBoxLook, ReachesTheRealBoxWithItsControlsBeforeTheUserAnswers) {
  CommonControls6 v6;
  ASSERT_TRUE(v6.active());
  const TSkinColours dark = DarkColours();
  int looks = 0;
  Answer text{}, box{};
  COLORREF buttonFace = CLR_INVALID;
  tk::SetMessageBoxLook([&](HWND shown) {
    ++looks;
    SkinDialog(shown, dark);
    if (HWND message = ChildWithText(shown, L"Something happened"))
      text = AnswerOf(shown, WM_CTLCOLORSTATIC, message);
    box = AnswerOf(shown, WM_CTLCOLORDLG, shown);
    if (HWND ok = GetDlgItem(shown, IDOK)) buttonFace = Rendering(ok).at(6, 6);
    PostMessageW(shown, WM_COMMAND, IDOK, 0);
  });
  const UINT_PTR guard = SetTimer(nullptr, 0, 10000, CloseOpenBoxes);
  const int answer = tk::ShowMessageBox(nullptr, "Something happened", "Test", MB_OKCANCEL);
  KillTimer(nullptr, guard);
  tk::SetMessageBoxLook({});

  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(looks, 1);
  EXPECT_EQ(text.text, *dark.PanelText);
  EXPECT_EQ(text.brush, *dark.PanelBack);
  EXPECT_EQ(box.brush, *dark.PanelBack);
  EXPECT_EQ(buttonFace, ButtonLookOf(dark)->face);
}

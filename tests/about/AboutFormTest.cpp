#include "main/frmAbout.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "AboutTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "toolkit/Window.h"
#include "ui/LanguageTable.h"
#include "ui/SkinTable.h"
#include "ui/multiLangs.h"

namespace {

using about_test::Box;
using about_test::ChildBox;
using about_test::DelayedAction;
using forms::TAboutForm;

constexpr char kFrenchFile[] =
    "[Language]\r\n"
    "IDS_ABOUTFORM_Title=A propos\r\n"
    "IDS_ABOUTFORM_LABEL_CopyRight=Copyright (C) 2024 Les developpeurs de Prunaxis.\r\n"
    "IDS_ABOUTFORM_LABEL_Warning=Attention : ce programme est protege par le droit d'auteur.\r\n"
    "IDS_ABOUTFORM_BUTTON_Ok=D'accord\r\n";

// A plain visible window to own the about window, as the main window does.
class OwnerWindow : public tk::Window {
 public:
  OwnerWindow() {
    tk::WindowParams params;
    params.className = "AboutTestOwner";
    params.caption = "Owner";
    params.style = WS_OVERLAPPEDWINDOW;
    params.x = 10;
    params.y = 10;
    params.width = 300;
    params.height = 200;
    create(params);
    show(SW_SHOW);
  }
  ~OwnerWindow() override { destroy(); }
};

class AboutFormTest : public about_test::ProgramFolderTest {
 protected:
  // Shows `about` modally over `owner`; `during` runs inside the modal loop, after
  // which the about window must have closed. A watchdog closes it otherwise.
  int runModal(TAboutForm& about, HWND owner, const std::function<void()>& during) {
    DelayedAction act(300, during);
    DelayedAction watchdog(10000, [&] { PostMessageA(about.hwnd(), WM_CLOSE, 0, 0); });
    const int result = about.showModal(owner);
    EXPECT_TRUE(act.ran());
    EXPECT_FALSE(watchdog.ran()) << "the about window did not close";
    return result;
  }
};

TEST_F(AboutFormTest, ShowsTheLanguageTextsAndTheMakersDetails) {
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  about.show(SW_SHOWNOACTIVATE);

  EXPECT_EQ(about.text(), "About");
  EXPECT_EQ(about.lblProductTitle.text(), "Prunaxis Uninstaller and Start-up Manager");
  EXPECT_EQ(about.lblCopyright.text(),
            "Copyright (C) 2024 The Prunaxis Developers. All rights reserved.");
  EXPECT_EQ(about.lblWarning.text(), ui::LanguageTable().text(ui::IDS_ABOUTFORM_LABEL_Warning));
  EXPECT_EQ(about.lblWarning.text().rfind("Warning: this program is protected", 0), 0u);
  EXPECT_EQ(about.btnOK.text(), "OK");
  EXPECT_EQ(about.lnkWebOnline.caption(), "https://prunaxis.example.org");
  EXPECT_EQ(about.lnkWebOnline.target(), "https://prunaxis.example.org");
  EXPECT_EQ(about.lnkSupportEmail.caption(), "support@prunaxis.example.org");
  EXPECT_EQ(about.lnkSupportEmail.target(), "mailto:support@prunaxis.example.org");
}

TEST_F(AboutFormTest, TakesTheTextsOfTheTableAtEachShowing) {
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  about.show(SW_SHOWNOACTIVATE);
  EXPECT_EQ(about.text(), "About");
  about.hide();

  // The user switches to another language file through the Languages menu.
  about_test::WriteText(langs() + "Francais.ini", kFrenchFile);
  ui::TLanguagesMenu menu(config, 1000, 10);
  menu.SwitchLanguage({1000, "Francais.ini", "Francais"});
  ASSERT_EQ(ui::LangText(ui::IDS_ABOUTFORM_Title), "A propos");

  about.show(SW_SHOWNOACTIVATE);
  EXPECT_EQ(about.text(), "A propos");
  EXPECT_EQ(about.lblWarning.text(), "Attention : ce programme est protege par le droit d'auteur.");
  EXPECT_EQ(about.btnOK.text(), "D'accord");
  EXPECT_EQ(about.lblCopyright.text(), "Copyright (C) 2024 Les developpeurs de Prunaxis.");

  // And so does the next about window the Help menu opens.
  TAboutForm next(config);
  ASSERT_TRUE(next.Create(nullptr));
  next.show(SW_SHOWNOACTIVATE);
  EXPECT_EQ(next.text(), "A propos");
  EXPECT_EQ(next.btnOK.text(), "D'accord");
}

TEST_F(AboutFormTest, EnterClosesItWithOkAndTheOwnerComesBack) {
  OwnerWindow owner;
  ASSERT_TRUE(owner.hwnd());
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(owner.hwnd()));
  EXPECT_EQ(GetWindow(about.hwnd(), GW_OWNER), owner.hwnd());

  bool ownerDisabled = false;
  HWND focus = nullptr;
  const int result = runModal(about, owner.hwnd(), [&] {
    ownerDisabled = !IsWindowEnabled(owner.hwnd());
    focus = GetFocus();
    // Enter, pressed wherever the keyboard focus is in the window.
    HWND target = IsChild(about.hwnd(), focus) ? focus : about.btnOK.hwnd();
    PostMessageA(target, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(target, WM_KEYUP, VK_RETURN, 0xC01C0001);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(ownerDisabled) << "modal over its owner";
  EXPECT_EQ(focus, about.btnOK.hwnd()) << "the default button has the focus";
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_FALSE(about.visible());
}

TEST_F(AboutFormTest, OkButtonEscapeAndCloseBoxEachCloseIt) {
  struct Case {
    const char* how;
    std::function<void(TAboutForm&)> press;
    int result;
  };
  const std::vector<Case> cases = {
      {"OK clicked", [](TAboutForm& a) { a.btnOK.send(BM_CLICK); }, IDOK},
      {"Escape",
       [](TAboutForm& a) { PostMessageA(a.btnOK.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); },
       IDCANCEL},
      {"close box", [](TAboutForm& a) { PostMessageA(a.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },
       IDCANCEL},
  };
  for (const Case& c : cases) {
    TAboutForm about(config);
    ASSERT_TRUE(about.Create(nullptr));
    EXPECT_EQ(runModal(about, nullptr, [&] { c.press(about); }), c.result) << c.how;
  }
  // The Help menu's way: made, shown and gone again.
  DelayedAction ok(300, [] {
    if (HWND about = FindWindowA("TAboutForm", nullptr)) {
      PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  });
  EXPECT_EQ(forms::ShowAboutForm(nullptr, config), IDOK);
  EXPECT_EQ(FindWindowA("TAboutForm", nullptr), nullptr);
}

TEST_F(AboutFormTest, HasItsDesignLayoutCentredOnTheScreen) {
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  RECT client{};
  GetClientRect(about.hwnd(), &client);
  EXPECT_EQ(client.right, TAboutForm::kClientWidth);
  EXPECT_EQ(client.bottom, TAboutForm::kClientHeight);
  RECT window{};
  GetWindowRect(about.hwnd(), &window);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);

  const LONG style = GetWindowLongA(about.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  EXPECT_EQ(ChildBox(about.btnOK.hwnd()), (Box{344, 316, 98, 25}));
  EXPECT_EQ(about.btnOK.id(), IDOK);
  EXPECT_EQ(GetWindowLongA(about.btnOK.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(ChildBox(about.lblProductTitle.hwnd()), (Box{152, 11, 289, 30}));
  EXPECT_EQ(ChildBox(about.lblWarning.hwnd()), (Box{152, 206, 288, 100}));
  EXPECT_EQ(ChildBox(about.lnkWebOnline.hwnd()).top, 162);
  EXPECT_EQ(ChildBox(about.lnkSupportEmail.hwnd()).top, 184);
  EXPECT_EQ(ChildBox(about.ImgAbout.hwnd()), (Box{10, 11, 125, 278}));
  EXPECT_EQ(about.lnkWebOnline.linkColour(), RGB(0, 0, 255));
  EXPECT_EQ(about.lnkWebOnline.hoverColour(), RGB(255, 0, 0));
}

TEST_F(AboutFormTest, ThePictureAndItsPlaceComeFromTheSkin) {
  {
    // Without the picture file the place is still the skin's, the picture empty.
    TAboutForm about(config);
    ASSERT_TRUE(about.Create(nullptr));
    about.show(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(about.ImgAbout.picture().empty());
    EXPECT_EQ(ChildBox(about.ImgAbout.hwnd()), (Box{10, 11, 125, 278}));
  }
  about_test::WriteSolidPng(skins() + "img_About.png", 125, 278, RGB(0, 0, 0));
  about_test::WriteSolidPng(skins() + "Portrait.png", 60, 80, RGB(200, 30, 40));
  ui::SkinTable().setValue(ui::SK_ABOUTFORM_IMGABOUT_Pic, "Portrait.png");
  ui::SkinTable().setValue(ui::SK_ABOUTFORM_IMGABOUT_POS, "20, 30, 60, 80");
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  about.show(SW_SHOWNOACTIVATE);
  EXPECT_EQ(about.ImgAbout.picture().width(), 60);
  EXPECT_EQ(about.ImgAbout.picture().height(), 80);
  EXPECT_EQ(ChildBox(about.ImgAbout.hwnd()), (Box{20, 30, 60, 80}));

  UpdateWindow(about.hwnd());
  HDC dc = GetDC(about.ImgAbout.hwnd());
  const COLORREF seen = GetPixel(dc, 30, 40);
  ReleaseDC(about.ImgAbout.hwnd(), dc);
  EXPECT_EQ(seen, RGB(200, 30, 40));
}

TEST_F(AboutFormTest, ABadPictureOrPlaceLeavesTheDesignAndSaysNothing) {
  about_test::WriteText(skins() + "img_About.png", "\x89PNG but broken");
  ui::SkinTable().setValue(ui::SK_ABOUTFORM_IMGABOUT_POS, "10, eleven, 125, 278");
  testing_support::ScriptedMessageBoxes boxes;  // none may appear
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  about.show(SW_SHOWNOACTIVATE);
  EXPECT_TRUE(about.ImgAbout.picture().empty());
  EXPECT_EQ(ChildBox(about.ImgAbout.hwnd()), (Box{10, 11, 125, 278}));
  EXPECT_EQ(about.btnOK.text(), "OK") << "the texts are all set";
  EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(AboutFormTest, TheLinksOpenTheMakersAddresses) {
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  about.show(SW_SHOWNOACTIVATE);
  std::vector<std::string> opened;
  auto record = [&](const std::string& target) { opened.push_back(target); };
  about.lnkWebOnline.setOpener(record);
  about.lnkSupportEmail.setOpener(record);

  // A click as the mouse makes it: press and release over the label.
  for (tk::LinkLabel* link : {&about.lnkWebOnline, &about.lnkSupportEmail}) {
    SendMessageA(link->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(link->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  EXPECT_EQ(opened, (std::vector<std::string>{"https://prunaxis.example.org",
                                              "mailto:support@prunaxis.example.org"}));
}

}  // namespace

TEST_F(AboutFormTest, TheSkinsColoursReachTheWindowItsLinksAndItsPicturesSurround) {
  const COLORREF panel = RGB(0x1E, 0x27, 0x33), text = RGB(0xE3, 0xE9, 0xF0),
                 link = RGB(0x7C, 0xC4, 0xFF);
  ui::SkinTable().setValue(ui::SK_COLOR_PanelBack, "#1E2733");
  ui::SkinTable().setValue(ui::SK_COLOR_PanelText, "#E3E9F0");
  ui::SkinTable().setValue(ui::SK_COLOR_Link, "#7CC4FF");
  TAboutForm about(config);
  ASSERT_TRUE(about.Create(nullptr));
  about.show(SW_SHOWNOACTIVATE);
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(about.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(about.lblWarning.hwnd())));
  LOGBRUSH logBrush{};
  GetObjectW(brush, sizeof logBrush, &logBrush);
  EXPECT_EQ(GetTextColor(dc), text);
  EXPECT_EQ(logBrush.lbColor, panel);
  DeleteDC(dc);
  EXPECT_EQ(about.lnkWebOnline.linkColour(), link);
  EXPECT_EQ(about.ImgAbout.background(), panel);
  // Without colours the window keeps the system's.
  ui::SkinTable().resetToDefaults();
  TAboutForm plain(config);
  ASSERT_TRUE(plain.Create(nullptr));
  EXPECT_EQ(plain.lnkWebOnline.linkColour(), RGB(0, 0, 255));
  EXPECT_EQ(plain.ImgAbout.background(), GetSysColor(COLOR_BTNFACE));
}

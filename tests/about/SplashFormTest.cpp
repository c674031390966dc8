#include "main/frmSplash.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "AboutTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "ui/LanguageTable.h"
#include "ui/SkinTable.h"

namespace {

using about_test::ChildBox;
using about_test::DelayedAction;
using forms::TSplashForm;

class SplashFormTest : public about_test::ProgramFolderTest {
 protected:
  static RECT WindowBox(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
  }
  static void ExpectCentred(HWND hwnd, int width, int height) {
    const RECT r = WindowBox(hwnd);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  }
};

TEST_F(SplashFormTest, ClosesItselfAfterItsTimer) {
  TSplashForm splash(config);
  ASSERT_TRUE(splash.Create());
  EXPECT_FALSE(splash.visible()) << "created hidden, shown by the modal loop";

  bool visibleMeanwhile = false;
  DelayedAction look(500, [&] { visibleMeanwhile = splash.visible(); });
  // Never hang: should the timer not close the splash, this does, and the test fails.
  DelayedAction watchdog(10000, [&] { PostMessageA(splash.hwnd(), WM_CLOSE, 0, 0); });

  const DWORD start = GetTickCount();
  splash.showModal(nullptr);
  const DWORD elapsed = GetTickCount() - start;

  EXPECT_FALSE(watchdog.ran()) << "the splash did not close itself";
  EXPECT_TRUE(look.ran());
  EXPECT_TRUE(visibleMeanwhile);
  EXPECT_GE(elapsed, TSplashForm::kShowMilliseconds - 100);
  EXPECT_FALSE(splash.visible());
}

TEST_F(SplashFormTest, ShowSplashReturnsOnceTheSplashHasGone) {
  about_test::WriteSolidPng(skins() + "img_Splash.png", 40, 30, RGB(1, 2, 3));
  DelayedAction watchdog(10000, [] {
    // Closes whatever splash is up, should its own timer fail.
    if (HWND splash = FindWindowA("TSplashForm", nullptr)) PostMessageA(splash, WM_CLOSE, 0, 0);
  });
  const DWORD start = GetTickCount();
  forms::ShowSplash(config);
  EXPECT_GE(GetTickCount() - start, TSplashForm::kShowMilliseconds - 100);
  EXPECT_FALSE(watchdog.ran());
  EXPECT_EQ(FindWindowA("TSplashForm", nullptr), nullptr) << "destroyed after showing";
}

TEST_F(SplashFormTest, TakesThePicturesSizeAndStaysCentred) {
  about_test::WriteSolidPng(skins() + "img_Splash.png", 600, 300, RGB(10, 120, 200));
  TSplashForm splash(config);
  ASSERT_TRUE(splash.Create());
  EXPECT_EQ(splash.imgBackground().width(), 600);
  EXPECT_EQ(splash.imgBackground().height(), 300);
  ExpectCentred(splash.hwnd(), 600, 300);
  RECT client{};
  GetClientRect(splash.hwnd(), &client);
  EXPECT_EQ(client.right, 600) << "borderless: the picture fills the whole window";
  EXPECT_EQ(client.bottom, 300);

  // What shows is the picture.
  splash.show(SW_SHOWNOACTIVATE);
  UpdateWindow(splash.hwnd());
  HDC dc = GetDC(splash.hwnd());
  const COLORREF seen = GetPixel(dc, 580, 20);
  ReleaseDC(splash.hwnd(), dc);
  EXPECT_EQ(seen, RGB(10, 120, 200));
}

TEST_F(SplashFormTest, ThePictureIsTheOneTheSkinNames) {
  about_test::WriteSolidPng(skins() + "img_Splash.png", 600, 300, RGB(0, 0, 0));
  about_test::WriteSolidPng(skins() + "Night.png", 320, 200, RGB(0, 0, 0));
  ui::SkinTable().setValue(ui::SK_SPLASHFORM_IMAGE_CHARGE, "Night.png");
  TSplashForm splash(config);
  ASSERT_TRUE(splash.Create());
  EXPECT_EQ(splash.imgBackground().width(), 320);
  ExpectCentred(splash.hwnd(), 320, 200);
}

TEST_F(SplashFormTest, ShowsTheNoticeWithoutThePictureAtItsDesignSize) {
  ui::LanguageTable().setText(ui::IDS_SPLASHFORM_LABEL_Copyright, "Line one\r\nLine two");
  TSplashForm splash(config);
  ASSERT_TRUE(splash.Create());
  EXPECT_TRUE(splash.imgBackground().empty());
  ExpectCentred(splash.hwnd(), TSplashForm::kDesignWidth, TSplashForm::kDesignHeight);
  EXPECT_EQ(splash.lblCopyrightInfo.text(), "Line one\r\nLine two");
  EXPECT_EQ(ChildBox(splash.lblCopyrightInfo.hwnd()), (about_test::Box{20, 176, 340, 57}));

  // White text without a background of its own, over whatever lies beneath.
  HDC dc = GetDC(splash.lblCopyrightInfo.hwnd());
  const LRESULT brush = SendMessageA(splash.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(splash.lblCopyrightInfo.hwnd()));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(splash.lblCopyrightInfo.hwnd(), dc);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));

  // Built-in texts keep their "#13" markers until a language file is read (a
  // program folder that cannot be written); the notice shows two lines all the same.
  TSplashForm english(config);
  ui::LanguageTable().resetToDefaults();
  ASSERT_TRUE(english.Create());
  EXPECT_EQ(english.lblCopyrightInfo.text(),
            "Copyright (C) 2024 The Prunaxis Developers. All rights reserved.\r\nThis program is "
            "protected by copyright law and international treaties.");
}

TEST_F(SplashFormTest, AnUndecodablePictureShowsLikeAMissingOne) {
  about_test::WriteText(skins() + "img_Splash.png", "not a picture at all");
  testing_support::ScriptedMessageBoxes boxes;  // none may appear
  TSplashForm splash(config);
  ASSERT_TRUE(splash.Create());
  EXPECT_TRUE(splash.imgBackground().empty());
  ExpectCentred(splash.hwnd(), TSplashForm::kDesignWidth, TSplashForm::kDesignHeight);
  EXPECT_EQ(boxes.count(), 0u);
}

}  // namespace

// The main window's status line after a switch of View > Languages: each label
// starts where the one before it ends (the width of its text in its own font) plus
// the gap of the layout, whatever the length of the new words; switching back puts
// every label where it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "main/frmMain.h"
#include "proglist/ProgramListFixture.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "ui/LanguageTable.h"
#include "ui/multiLangs.h"

using namespace proglist_test;

namespace {

// The width of a label's text as the label draws it.
int TextWidth(HWND label) {
  wchar_t text[512] = {};
  int length = GetWindowTextW(label, text, 512);
  HDC dc = GetDC(label);
  auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, text, length, &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return size.cx;
}

RECT PlaceInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class StatusLineLanguages : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    TestProgram program;
    program.keyName = "eWriter";
    program.displayName = "eWriter 3";
    program.publisher = "Writers";
    program.location = "C:\\Apps\\eWriter\\";
    program.helpLink = "http://example.org/ewriter";
    FillUninstallKeys({program});

    // A languages folder of the test's own: the template and the shipped German file.
    changePaths([this](settings::TPaths& paths) {
      paths.LangsDir = dir.file("Langs\\");
      paths.LanguageFilePath = paths.LangsDir + "English.ini";
    });
    const std::string& langs = config.paths().LangsDir;
    ASSERT_TRUE(sys::ForceDirectories(langs));
    ASSERT_TRUE(CopyFileA((testing_support::ProgramBinDir() + "Langs\\Deutsch.ini").c_str(),
                          (langs + "Deutsch.ini").c_str(), FALSE));
    ui::LanguageTable().resetToDefaults();
    ASSERT_TRUE(ui::WriteLanguageDefaults(config));
  }

  // Chooses the language as its menu item does.
  void chooseLanguage(const std::string& caption) {
    HMENU languages = GetSubMenu(form.pmView.handle(), 8);
    ASSERT_TRUE(languages);
    for (int i = 0, n = GetMenuItemCount(languages); i < n; ++i) {
      char text[64] = {};
      GetMenuStringA(languages, i, text, sizeof text, MF_BYPOSITION);
      if (caption != text) continue;
      SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(languages, i), 0), 0);
      return;
    }
    FAIL() << "no item " << caption;
  }

  std::vector<HWND> labels() {
    forms::ProgramListPage& p = form.programPage();
    return {p.lblPrograms.hwnd(), p.lblProgramCounts.hwnd(), p.lblRegName.hwnd(),
            p.lblRegistryName.hwnd(), p.lblProgramURL.hwnd()};
  }
  std::vector<LONG> lefts() {
    std::vector<LONG> out;
    for (HWND label : labels()) out.push_back(PlaceInParent(label).left);
    return out;
  }
  // Each label 5, 10, 5 and 10 pixels after the text of the one before.
  void expectFlowed() {
    const std::vector<HWND> l = labels();
    const int gaps[] = {5, 10, 5, 10};
    for (size_t i = 1; i < l.size(); ++i) {
      EXPECT_EQ(PlaceInParent(l[i]).left,
                PlaceInParent(l[i - 1]).left + TextWidth(l[i - 1]) + gaps[i - 1])
          << "label " << i;
      EXPECT_EQ(PlaceInParent(l[i]).top, PlaceInParent(l[0]).top) << "label " << i;
    }
  }
};

TEST_F(StatusLineLanguages, ASwitchReflowsTheLabelsAndSwitchingBackRestoresThem) {
  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  forms::ProgramListPage& page = form.programPage();
  page.lsvProgramList.selectOnly(0);
  ASSERT_EQ(page.lblRegistryName.text(), "eWriter");
  ASSERT_EQ(page.lblProgramURL.caption(), "http://example.org/ewriter");
  expectFlowed();
  const std::vector<LONG> english = lefts();

  chooseLanguage("Deutsch");
  ASSERT_EQ(page.lblRegName.text(), "Registrierungsname:");
  EXPECT_EQ(page.lblPrograms.text(), "Programme:");
  expectFlowed();
  const std::vector<LONG> german = lefts();
  // The longer German label pushes the name and the address to the right.
  EXPECT_GT(german[3], english[3]);
  EXPECT_GT(german[4], english[4]);

  chooseLanguage("English");
  ASSERT_EQ(page.lblRegName.text(), "Registry Name:");
  expectFlowed();
  EXPECT_EQ(lefts(), english);
}

}  // namespace

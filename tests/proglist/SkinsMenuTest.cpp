// View > Skins as a user drives it: the menu lists the skin files beside the
// built-in skin, and a choice re-skins the open main window at once (pictures,
// list and label colours, tab captions) and is written to Config.ini. A skin
// without some pictures shows the design look for those, not the last skin's.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "main/MenuIcons.h"
#include "main/frmMain.h"
#include "proglist/ProgramListFixture.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "toolkit/MenuPaint.h"
#include "ui/PngImage.h"
#include "ui/SkinColours.h"
#include "ui/multiSkins.h"

using namespace proglist_test;

namespace {

void CopyPictures(const std::string& from, const std::string& to) {
  ASSERT_TRUE(sys::ForceDirectories(to));
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((from + "*.png").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE) << "no pictures in " << from;
  do {
    ASSERT_TRUE(CopyFileA((from + data.cFileName).c_str(), (to + data.cFileName).c_str(), FALSE));
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

// The colours a label's parent gives it to paint with.
struct Painted {
  COLORREF text, back;
};

Painted LabelColours(HWND label) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(label), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(label)));
  LOGBRUSH logBrush{};
  GetObjectW(brush, sizeof logBrush, &logBrush);
  Painted painted{GetTextColor(dc), logBrush.lbColor};
  DeleteDC(dc);
  return painted;
}

// One menu item as its owner draws it: the pixels from `left` to `right` that
// have `colour`, and the body's colour.
struct DrawnItem {
  DrawnItem(HMENU menu, int position, UINT state = 0) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 160, 21);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    MENUITEMINFOA item{sizeof item, MIIM_DATA | MIIM_ID};
    GetMenuItemInfoA(menu, position, TRUE, &item);
    DRAWITEMSTRUCT d{ODT_MENU,       0, item.wID, 0, state, nullptr, dc, {0, 0, 160, 21},
                     item.dwItemData};
    handled = tk::PopupMenu::HandleDrawItem(&d);
  }
  ~DrawnItem() {
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
  }
  int count(int left, int right, COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < 21; ++y)
      for (int x = left; x < right; ++x) n += GetPixel(dc, x, y) == colour;
    return n;
  }
  COLORREF body() const { return GetPixel(dc, tk::PopupMenu::kIconBarWidth + 2, 2); }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  bool handled = false;
};

COLORREF MenuBrushColour(HMENU menu) {
  MENUINFO info{sizeof info, MIM_BACKGROUND};
  LOGBRUSH brush{};
  if (!GetMenuInfo(menu, &info) || !info.hbrBack) return CLR_NONE;
  GetObjectA(info.hbrBack, sizeof brush, &brush);
  return brush.lbColor;
}

class SkinsMenu : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    FillUninstallKeys(StandardPrograms());
    // A program folder's Skins\ of the test's own: the shipped pictures and the
    // dark skin, no Default.ini yet (the program writes it when it is chosen).
    const std::string shipped = testing_support::ProgramBinDir() + "Skins\\";
    skins = dir.file("Skins\\");
    CopyPictures(shipped, skins);
    CopyPictures(shipped + "Dark\\", skins + "Dark\\");
    ASSERT_TRUE(CopyFileA((shipped + "Dark.ini").c_str(), (skins + "Dark.ini").c_str(), FALSE));
    changePaths([this](settings::TPaths& paths) {
      paths.SkinsDir = skins;
      paths.SkinFilePath = skins + "Default.ini";
    });
    ASSERT_TRUE(
        sys::WriteFileBytes(config.paths().ConfigFile,
                            "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"));
    ui::SkinTable().resetToDefaults();
    ASSERT_TRUE(ui::LoadSkinTable(config));
  }
  void open() {
    ASSERT_TRUE(form.Create());
    form.show(SW_SHOWNOACTIVATE);
  }
  void TearDown() override { ui::SkinTable().resetToDefaults(); }

  HMENU skinsMenu() { return GetSubMenu(form.pmView.handle(), 9); }
  std::vector<std::string> captions() {
    std::vector<std::string> out;
    for (int i = 0, n = GetMenuItemCount(skinsMenu()); i < n; ++i) {
      char text[64] = {};
      GetMenuStringA(skinsMenu(), i, text, sizeof text, MF_BYPOSITION);
      out.push_back(text);
    }
    return out;
  }
  std::string checked() {
    for (int i = 0, n = GetMenuItemCount(skinsMenu()); i < n; ++i) {
      if (GetMenuState(skinsMenu(), i, MF_BYPOSITION) & MF_CHECKED) return captions()[i];
    }
    return "";
  }
  // Chooses the skin as its menu item does.
  void choose(const std::string& caption) {
    const std::vector<std::string> all = captions();
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] != caption) continue;
      SendMessageA(form.hwnd(), WM_COMMAND,
                   MAKEWPARAM(GetMenuItemID(skinsMenu(), static_cast<int>(i)), 0), 0);
      return;
    }
    FAIL() << "no item " << caption;
  }
  std::string configSkin() {
    return sys::IniFile(config.paths().ConfigFile).readString("config", "SkinFile", "");
  }
  std::uint32_t filePixel(const std::string& file) {
    return ui::LoadPictureFile(skins + file).pixel(60, 17);
  }
  COLORREF darkColour(const char* key) {
    return *ui::ParseSkinColour(sys::IniFile(skins + "Dark.ini").readString("Colors", key, ""));
  }
  COLORREF listBack() {
    return static_cast<COLORREF>(
        SendMessageW(form.programPage().lsvProgramList.hwnd(), LVM_GETBKCOLOR, 0, 0));
  }

  std::string skins;
};

}  // namespace

TEST_F(SkinsMenu, ListsBothSkinsAndSwitchingAppliesAtOnceAndIsWritten) {
  open();
  std::vector<std::string> listed = captions();
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"Dark", "Default"}));
  EXPECT_EQ(checked(), "Default");
  const std::uint32_t lightFile = filePixel("btnFile_Normal.png");
  ASSERT_NE(lightFile, filePixel("Dark\\btnFile_Normal.png"));
  EXPECT_EQ(form.btnFile.PicNormal().pixel(60, 17), lightFile);
  const COLORREF designTab = form.btnProgramList.CaptionColor(ui::ButtonState::Disabled);
  const HWND label = form.programPage().ckbHideScr.hwnd();
  const Painted designLabel = LabelColours(label);

  choose("Dark");
  EXPECT_EQ(configSkin(), "Dark.ini");
  EXPECT_EQ(config.paths().SkinFilePath, skins + "Dark.ini");
  EXPECT_EQ(checked(), "Dark");
  EXPECT_EQ(form.btnFile.PicNormal().pixel(60, 17), filePixel("Dark\\btnFile_Normal.png"));
  EXPECT_EQ(form.programPage().btnUninstall.PicDisabled().pixel(60, 17),
            filePixel("Dark\\btnUninstall_Disabled.png"));
  EXPECT_EQ(listBack(), darkColour("SK_COLOR_ListBack"));
  EXPECT_EQ(form.programPage().lsvProgramList.linkColour(), darkColour("SK_COLOR_Link"));
  EXPECT_EQ(form.btnProgramList.CaptionColor(ui::ButtonState::Disabled),
            darkColour("SK_COLOR_TabSelectedText"));
  const Painted dark = LabelColours(label);
  EXPECT_EQ(dark.text, darkColour("SK_COLOR_PanelText"));
  const HWND tip = form.programPage().lsvProgramList.itemTip().hwnd();
  ASSERT_TRUE(tip);
  auto tipText = [tip] {
    return static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0));
  };
  EXPECT_EQ(tipText(), darkColour("SK_COLOR_PanelText"));
  EXPECT_EQ(dark.back, darkColour("SK_COLOR_PanelBack"));

  // Back to the built-in skin: its file is written now, and every look returns.
  choose("Default");
  EXPECT_EQ(configSkin(), "Default.ini");
  EXPECT_TRUE(sys::FileExists(skins + "Default.ini"));
  EXPECT_EQ(checked(), "Default");
  EXPECT_EQ(form.btnFile.PicNormal().pixel(60, 17), lightFile);
  EXPECT_EQ(listBack(), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(form.programPage().lsvProgramList.linkColour(), forms::ProgramListPage::kLinkColour);
  EXPECT_EQ(form.btnProgramList.CaptionColor(ui::ButtonState::Disabled), designTab);
  EXPECT_EQ(tipText(), GetSysColor(COLOR_INFOTEXT));
  const Painted back = LabelColours(label);
  EXPECT_EQ(back.text, designLabel.text);
  EXPECT_EQ(back.back, designLabel.back);
}

TEST_F(SkinsMenu, MissingPicturesGiveTheDesignLookAndMissingKeysTheBuiltInValues) {
  // A skin of one key, whose picture is not there.
  ASSERT_TRUE(sys::WriteFileBytes(skins + "Partial.ini",
                                  "[MainForm]\r\nSK_MAINFORM_BUTTON_File_PicNormal=Gone.png\r\n"));
  open();
  choose("Dark");
  ASSERT_EQ(form.btnFile.PicNormal().pixel(60, 17), filePixel("Dark\\btnFile_Normal.png"));

  choose("Partial");
  EXPECT_EQ(configSkin(), "Partial.ini");
  EXPECT_TRUE(form.btnFile.PicNormal().empty());  // not the dark skin's picture
  // Everything else takes the built-in values: the default pictures, no colours.
  EXPECT_EQ(form.btnView.PicNormal().pixel(60, 17), filePixel("btnView_Normal.png"));
  EXPECT_EQ(form.programPage().btnRefresh.PicMouseHover().pixel(60, 17),
            filePixel("btnRefresh_Hover.png"));
  EXPECT_EQ(listBack(), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(form.btnProgramList.CaptionColor(ui::ButtonState::Normal),
            form.btnProgramList.Font().color());
}

TEST_F(SkinsMenu, TheMenusAndTheirPicturesFollowTheSkin) {
  open();
  const int bar = tk::PopupMenu::kIconBarWidth;
  auto grid = [&] {  // View > Grid, which has a picture, rebuilt as each showing does
    form.pmView.rebuild();
    return DrawnItem(form.pmView.handle(), 0);
  };
  auto light = grid();
  ASSERT_TRUE(light.handled);
  EXPECT_EQ(light.body(), GetSysColor(COLOR_WINDOW));
  EXPECT_GT(light.count(0, bar, forms::kMenuIconInk), 10) << "the strip's own ink";

  choose("Dark");
  const COLORREF back = darkColour("SK_COLOR_ListBack"), text = darkColour("SK_COLOR_ListText");
  auto dark = grid();
  EXPECT_EQ(dark.body(), back);
  EXPECT_GT(dark.count(bar, 160, text), 10) << "the caption";
  EXPECT_GT(dark.count(0, bar, text), 10) << "the picture in a light ink";
  EXPECT_EQ(dark.count(0, bar, forms::kMenuIconInk), 0);
  EXPECT_EQ(MenuBrushColour(form.pmView.handle()), back);
  EXPECT_EQ(MenuBrushColour(skinsMenu()), back);
  const DrawnItem skinItem(skinsMenu(), 1, ODS_CHECKED);
  ASSERT_TRUE(skinItem.handled) << "the Skins submenu is drawn by the same painter";
  EXPECT_EQ(skinItem.body(), back);
  EXPECT_EQ(checked(), "Dark") << "its captions and states read as before";

  choose("Default");
  auto again = grid();
  EXPECT_EQ(again.body(), GetSysColor(COLOR_WINDOW));
  EXPECT_GT(again.count(0, bar, forms::kMenuIconInk), 10);
  EXPECT_EQ(MenuBrushColour(form.pmView.handle()), CLR_NONE);
}

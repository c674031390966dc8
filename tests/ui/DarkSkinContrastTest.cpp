// The dark skin as it ships (Skins\Dark.ini and its pictures, drawn by the build):
// every text that the program draws on it stands out from what lies beneath by
// the contrast that WCAG AA asks of body text, 4.5:1, measured against each pixel
// of the picture under the caption, not a palette's nominal colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "UiTestSupport.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "ui/MenuSkin.h"
#include "ui/PngImage.h"
#include "ui/SkinColours.h"

using namespace ui;
using ui_test::Contrast;

namespace {

constexpr double kBodyText = 4.5;

class DarkSkin : public ::testing::Test {
 protected:
  std::string skins = testing_support::ProgramBinDir() + "Skins\\";

  COLORREF colour(const char* key) {
    const std::string text = sys::IniFile(skins + "Dark.ini").readString("Colors", key, "");
    const auto parsed = ParseSkinColour(text);
    EXPECT_TRUE(parsed) << key << " = \"" << text << "\"";
    return parsed.value_or(RGB(255, 0, 255));
  }
  std::string picture(const char* key) {
    return sys::IniFile(skins + "Dark.ini").readString("MainForm", key, "");
  }
  // The lowest contrast of `text` against the pixels of the picture in the box
  // (left, top, width, height) where the program writes a caption.
  double worstContrast(const std::string& file, COLORREF text, RECT box) {
    const Picture p = LoadPictureFile(skins + file);
    EXPECT_FALSE(p.empty()) << file;
    double worst = 100;
    for (int y = box.top; y < std::min<int>(box.bottom, p.height()); ++y) {
      for (int x = box.left; x < std::min<int>(box.right, p.width()); ++x) {
        const std::uint32_t argb = p.pixel(x, y);
        worst = std::min(worst,
                         Contrast(text, RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF)));
      }
    }
    return worst;
  }
};

// Caption boxes as the main window writes them: after the icon, one line high.
constexpr RECT kSideCaption{38, 9, 122, 24};
constexpr RECT kMenuCaption{40, 9, 95, 24};
constexpr RECT kTabCaption{28, 9, 100, 24};

}  // namespace

TEST_F(DarkSkin, NamesItsOwnPicturesAndAColourForEveryRole) {
  EXPECT_EQ(picture("SK_MAINFORM_PicBackGround"), "Dark\\img_Main.png");
  EXPECT_TRUE(sys::FileExists(skins + "Dark\\img_Main.png"));
  EXPECT_TRUE(sys::FileExists(skins + "Dark\\Title.png"));
  // The same layout as the built-in skin.
  EXPECT_EQ(picture("SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos"), "15, 16, 130, 36");
  for (const char* key : {"SK_COLOR_PanelBack", "SK_COLOR_PanelText", "SK_COLOR_ListBack",
                          "SK_COLOR_ListText", "SK_COLOR_Link", "SK_COLOR_TabText",
                          "SK_COLOR_TabSelectedText", "SK_COLOR_ButtonDisabledText"})
    colour(key);
}

TEST_F(DarkSkin, TextsOnItsColoursAndPicturesReachBodyTextContrast) {
  const COLORREF panel = colour("SK_COLOR_PanelBack"), list = colour("SK_COLOR_ListBack");
  EXPECT_GE(Contrast(colour("SK_COLOR_PanelText"), panel), kBodyText);
  EXPECT_GE(Contrast(colour("SK_COLOR_ListText"), list), kBodyText);
  EXPECT_GE(Contrast(colour("SK_COLOR_Link"), list), kBodyText);
  // The status line's labels sit on the background picture's inset.
  EXPECT_GE(worstContrast("Dark\\img_Main.png", colour("SK_COLOR_PanelText"), {20, 512, 740, 525}),
            kBodyText);

  // Side bar buttons: the design's green, white when hovered or pressed, and the
  // skin's colour while disabled.
  for (const char* name :
       {"Uninstall", "Details", "Refresh", "Search", "SelectAll", "Delete", "Apply"}) {
    const std::string base = std::string("Dark\\btn") + name;
    EXPECT_GE(worstContrast(base + "_Normal.png", RGB(0, 255, 0), kSideCaption), kBodyText) << name;
    EXPECT_GE(worstContrast(base + "_Hover.png", RGB(255, 255, 255), kSideCaption), kBodyText)
        << name;
    EXPECT_GE(worstContrast(base + "_Down.png", RGB(255, 255, 255), kSideCaption), kBodyText)
        << name;
    EXPECT_GE(
        worstContrast(base + "_Disabled.png", colour("SK_COLOR_ButtonDisabledText"), kSideCaption),
        kBodyText)
        << name;
  }
  // Menu buttons: green, white when hovered, black when pressed.
  for (const char* name : {"File", "View", "Tools", "Help"}) {
    const std::string base = std::string("Dark\\btn") + name;
    EXPECT_GE(worstContrast(base + "_Normal.png", RGB(0, 255, 0), kMenuCaption), kBodyText);
    EXPECT_GE(worstContrast(base + "_Hover.png", RGB(255, 255, 255), kMenuCaption), kBodyText);
    EXPECT_GE(worstContrast(base + "_Down.png", RGB(0, 0, 0), kMenuCaption), kBodyText);
  }
  // Tabs, in the skin's colours; the selected one is the disabled picture.
  for (const char* name : {"ProgramList", "StartUpItems"}) {
    const std::string base = std::string("Dark\\btn") + name;
    EXPECT_GE(worstContrast(base + "_Normal.png", colour("SK_COLOR_TabText"), kTabCaption),
              kBodyText);
    EXPECT_GE(worstContrast(base + "_Hover.png", colour("SK_COLOR_TabText"), kTabCaption),
              kBodyText);
  }
  for (const char* key : {"SK_MAINFORM_BUTTON_ProgramList_PosDisabled",
                          "SK_MAINFORM_BUTTON_StartupItems_PosDisabled"}) {
    EXPECT_GE(worstContrast(picture(key), colour("SK_COLOR_TabSelectedText"), kTabCaption),
              kBodyText)
        << key;
  }
  // The backup window's message is white on its card.
  EXPECT_GE(worstContrast("Dark\\img_ProgressBar.png", RGB(255, 255, 255), {55, 58, 336, 90}),
            kBodyText);
}

TEST_F(DarkSkin, ItsMenusAreOnItsSurfacesWithBodyTextContrast) {
  TSkinColours skin;
  skin.PanelBack = colour("SK_COLOR_PanelBack");
  skin.ListBack = colour("SK_COLOR_ListBack");
  skin.ListText = colour("SK_COLOR_ListText");
  skin.Link = colour("SK_COLOR_Link");
  skin.ButtonDisabledText = colour("SK_COLOR_ButtonDisabledText");
  const auto menu = MenuColoursFor(skin);
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->back, *skin.ListBack);
  EXPECT_EQ(menu->iconBar, *skin.PanelBack);
  EXPECT_GE(Contrast(menu->text, menu->back), kBodyText);
  EXPECT_GE(Contrast(menu->disabledText, menu->back), kBodyText);
  EXPECT_GE(Contrast(menu->highlightText, menu->highlightBack), kBodyText);
  EXPECT_GT(Contrast(menu->highlightBack, menu->back), 1.3) << "the hot item must show";
  // Ticks and pictures (in the text colour here) and the checked frame on the bar.
  EXPECT_GE(Contrast(menu->text, menu->iconBar), 3.0);
  EXPECT_GE(Contrast(menu->checkFrame, menu->iconBar), 3.0);
}

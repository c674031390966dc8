// The popup menus' look for a skin's colours: the system's for a skin without
// surface colours, readable texts on any surfaces a skin gives.
#include <gtest/gtest.h>

#include "ui/MenuSkin.h"
#include "ui/SkinTable.h"

using namespace ui;

TEST(MenuSkin, ASkinWithoutSurfaceColoursKeepsTheSystemMenus) {
  TSkinColours dark;
  dark.ListBack = RGB(20, 20, 20);
  ApplyMenuColours(dark);
  ASSERT_TRUE(tk::MenuColoursSet());
  EXPECT_EQ(tk::MenuColoursSet()->back, RGB(20, 20, 20));
  EXPECT_EQ(tk::MenuColoursSet()->text, RGB(255, 255, 255)) << "no text colour given";
  SkinTable().resetToDefaults();
  ApplyMenuColours(CurrentSkinColours());
  EXPECT_FALSE(tk::MenuColoursSet());
  TSkinColours textsOnly;
  textsOnly.PanelText = RGB(255, 255, 255);
  EXPECT_FALSE(MenuColoursFor(textsOnly)) << "texts alone say nothing of the surfaces";
}

TEST(MenuSkin, TextColoursTooNearTheirSurfacesAreMadeReadable) {
  EXPECT_NEAR(ContrastRatio(RGB(0x76, 0x76, 0x76), RGB(255, 255, 255)), 4.54, 0.01);
  TSkinColours weak;
  weak.ListBack = RGB(40, 40, 40);
  weak.PanelBack = RGB(50, 50, 50);
  weak.ListText = RGB(70, 70, 70);
  weak.ButtonDisabledText = RGB(45, 45, 45);
  weak.Link = RGB(200, 200, 200);  // a highlight of it would swallow the text
  const auto m = MenuColoursFor(weak);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->iconBar, RGB(50, 50, 50));
  EXPECT_GE(ContrastRatio(m->text, m->back), kBodyTextContrast);
  EXPECT_GE(ContrastRatio(m->disabledText, m->back), kBodyTextContrast);
  EXPECT_NE(m->disabledText, m->text);
  EXPECT_GE(ContrastRatio(m->highlightText, m->highlightBack), kBodyTextContrast);
  EXPECT_GE(ContrastRatio(m->checkFrame, m->iconBar), kGraphicsContrast);
}

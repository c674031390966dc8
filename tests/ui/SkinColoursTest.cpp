// The skin's colour values and the list of skin files that the Skins menu offers.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "ui/SkinColours.h"
#include "ui/multiSkins.h"

using namespace ui;

TEST(SkinColourText, IsHashAndSixHexDigitsAndAnythingElseLeavesTheDesignColour) {
  EXPECT_EQ(ParseSkinColour("#1E2733"), RGB(0x1E, 0x27, 0x33));
  EXPECT_EQ(ParseSkinColour("  #0a0B0c \t"), RGB(10, 11, 12));
  for (const char* bad : {"", "1E2733", "#1E273", "#1E27334", "#GG0000", "# 12345", "30, 40, 50"})
    EXPECT_FALSE(ParseSkinColour(bad)) << bad;
}

class SkinFiles : public ui_test::ProgramFolderTest {};

TEST_F(SkinFiles, AreTheIniFilesOfTheSkinsFolderWithTheirNamesUpToTheFirstDot) {
  ui_test::WriteText(skins() + "Dark.ini", "[MainForm]\r\n");
  ui_test::WriteText(skins() + "High.Contrast.ini", "[MainForm]\r\n");
  ui_test::WriteText(skins() + "Dark.ini.bak", "");
  ui_test::WriteText(skins() + "notes.txt", "");
  ASSERT_TRUE(sys::ForceDirectories(skins() + "Folder.ini"));
  std::vector<std::string> files = ListSkinFiles(skins());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Dark.ini", "High.Contrast.ini"}));
  EXPECT_EQ(SkinDisplayName("High.Contrast.ini"), "High");
}

TEST_F(SkinFiles, TheMenuAlwaysOffersTheBuiltInSkinAndChecksTheCurrentOne) {
  ui_test::WriteText(skins() + "Dark.ini", "[MainForm]\r\n");
  useFiles("English.ini", "Dark.ini");
  HMENU menu = CreatePopupMenu();
  TSkinsMenu skinsMenu(config, 500, 10);
  skinsMenu.BuildSkinsMenu(menu);
  ASSERT_EQ(skinsMenu.items().size(), 2u);  // Default.ini is not written yet
  EXPECT_EQ(skinsMenu.items()[0].fileName, "Default.ini");
  EXPECT_EQ(skinsMenu.items()[1].fileName, "Dark.ini");
  EXPECT_EQ(GetMenuState(menu, 501, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(menu, 500, MF_BYCOMMAND) & MF_CHECKED, 0u);
  // A file that went away after the menu was built is not switched to.
  ASSERT_TRUE(DeleteFileA((skins() + "Dark.ini").c_str()));
  int switched = 0;
  skinsMenu.onSkinSwitched = [&] { ++switched; };
  EXPECT_TRUE(skinsMenu.handleCommand(501));
  EXPECT_EQ(switched, 0);
  EXPECT_EQ(sys::IniFile(config.paths().ConfigFile).readString("config", "SkinFile", "none"),
            "none");
  EXPECT_FALSE(skinsMenu.handleCommand(510));
  DestroyMenu(menu);
}

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "UiTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "ui/SkinFile.h"
#include "ui/multiSkins.h"
#include "settings/Product.h"

using namespace ui;
using testing_support::ScriptedMessageBoxes;
using ui_test::ReadText;
using ui_test::WriteText;

namespace {

class SkinTableTest : public ui_test::ProgramFolderTest {};

}  // namespace

TEST(SkinEntries, HoldTheTableInFileOrderWithTheirSections) {
  const auto& entries = SkinEntries();
  ASSERT_EQ(entries.size(), 129u);
  EXPECT_STREQ(entries[0].key, "SK_MAINFORM_Pos");
  EXPECT_STREQ(entries[0].defaultValue, "0, 0, 763, 538");
  EXPECT_STREQ(entries[SK_MAINFORM_BUTTON_ProgramList_PicMouseDown].defaultValue,
               "btnStartUpItems_Down.png");
  EXPECT_STREQ(entries[SK_MAINFORM_BUTTON_ProgramList_PosDisabled].defaultValue,
               "btnProgramList_Down.png");
  EXPECT_STREQ(entries[SK_ABOUTFORM_LABEL_ProductTitle_Pos].defaultValue, "152,11, 312, 33");
  EXPECT_STREQ(entries[120].key, "SK_SPLASHFORM_IMAGE_CHARGE");
  EXPECT_STREQ(entries[120].defaultValue, "img_Splash.png");
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_STREQ(entries[i].section, i < 108   ? "MainForm"
                                     : i < 121 ? "RegistryForm"
                                               : "Colors")
        << entries[i].key;
  }
  // The colours come last, and none of them by default: the design colours stand.
  EXPECT_STREQ(entries[121].key, "SK_COLOR_PanelBack");
  for (size_t i = 121; i < entries.size(); ++i) EXPECT_STREQ(entries[i].defaultValue, "");
  std::set<std::string> unique;
  for (const auto& e : entries) unique.insert(e.key);
  EXPECT_EQ(unique.size(), entries.size());
}

TEST_F(SkinTableTest, FirstStartWritesTheTemplateInTableOrder) {
  ScriptedMessageBoxes boxes;  // none expected
  const std::string path = skins() + "Default.ini";
  ASSERT_FALSE(sys::FileExists(path));
  EXPECT_TRUE(LoadSkinTable(config));

  // Two sections, every key with its built-in value, in file order.
  ui_test::ExpectSameBytes(ReadText(path), ui_test::TestData("Default.ini"));
  EXPECT_EQ(SkinValue(SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos), "15, 16, 130, 36");
}

TEST_F(SkinTableTest, ValuesAreTakenAsTheyComeAndMissingKeysKeepTheBuiltInOnes) {
  WriteText(skins() + "Default.ini",
            "[mainform]\r\n"
            "sk_mainform_button_file_pos=1,2,3,4,5\r\n"
            "SK_MAINFORM_BUTTON_File_PicNormal=sub\\other.png\r\n"
            "SK_MAINFORM_BUTTON_View_Pos=not bounds at all\r\n"
            "SK_ABOUTFORM_IMGABOUT_Pic=wrong section.png\r\n"
            "[RegistryForm]\r\n"
            "SK_SPLASHFORM_IMAGE_CHARGE=\r\n");
  EXPECT_TRUE(LoadSkinTable(config));
  EXPECT_EQ(SkinValue(SK_MAINFORM_BUTTON_File_Pos), "1,2,3,4,5");
  EXPECT_EQ(SkinValue(SK_MAINFORM_BUTTON_File_PicNormal), "sub\\other.png");
  EXPECT_EQ(SkinValue(SK_MAINFORM_BUTTON_View_Pos), "not bounds at all");
  EXPECT_EQ(SkinValue(SK_ABOUTFORM_IMGABOUT_Pic), "img_About.png");
  EXPECT_EQ(SkinValue(SK_SPLASHFORM_IMAGE_CHARGE), "");
  EXPECT_EQ(SkinValue(SK_MAINFORM_Pos), "0, 0, 763, 538");
  // Only a missing file is replaced by the template; this one is not completed.
  EXPECT_EQ(sys::IniFile(skins() + "Default.ini").sectionKeys("MainForm").size(), 4u);
}

TEST_F(SkinTableTest, ASkinFileThatCannotBeWrittenIsReportedInTheCurrentLanguage) {
  useFiles("English.ini", "Blocked.ini");
  ASSERT_TRUE(sys::ForceDirectories(skins() + "Blocked.ini"));
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_FALSE(LoadSkinTable(config));
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.request(0).text, "Save file " + skins() + "Blocked.ini failed!");
  EXPECT_EQ(boxes.request(0).caption, settings::kAppTitle);
  EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(SkinValue(SK_MAINFORM_BUTTON_File_Pos), "11, 28, 117, 34");
}

TEST_F(SkinTableTest, AMissingSkinsFolderIsReportedToo) {
  settings::TPaths paths = config.paths();
  paths.SkinFilePath = dir_.file("No Such Folder\\Default.ini");
  config = settings::TSettings(paths);
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_FALSE(LoadSkinTable(config));
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_NE(boxes.request(0).text.find("No Such Folder\\Default.ini"), std::string::npos);
}

TEST_F(SkinTableTest, WritingThenReadingGivesTheSameValues) {
  for (size_t i = 0; i < kSkinEntryCount; ++i)
    SkinTable().setValue(static_cast<SkinId>(i), "value " + std::to_string(i));
  ASSERT_TRUE(WriteSkinDefaults(config));
  TSkinTable copy;
  ASSERT_TRUE(ReadSkinFromFile(copy, skins() + "Default.ini"));
  for (size_t i = 0; i < kSkinEntryCount; ++i)
    EXPECT_EQ(copy.value(static_cast<SkinId>(i)), SkinValue(static_cast<SkinId>(i))) << i;
  TSkinTable untouched;
  EXPECT_FALSE(ReadSkinFromFile(untouched, skins() + "Missing.ini"));
  EXPECT_EQ(untouched.value(SK_MAINFORM_Pos), "0, 0, 763, 538");
}

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "UiTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "ui/LanguageFile.h"
#include "ui/multiLangs.h"
#include "settings/Product.h"

using namespace ui;
using testing_support::ScriptedMessageBoxes;
using ui_test::ReadText;
using ui_test::WriteText;

namespace {

class LanguageTableTest : public ui_test::ProgramFolderTest {};

}  // namespace

TEST(LanguageEntries, HoldTheTableInFileOrder) {
  const auto& entries = LanguageEntries();
  ASSERT_EQ(entries.size(), 178u);
  EXPECT_STREQ(entries[0].key, "IDS_MAINFORM_MENU_File");
  EXPECT_STREQ(entries[0].defaultText, "File");
  EXPECT_STREQ(entries[IDS_PAGECONTROL_TABSHEETPL_Title].key, "IDS_PAGECONTROL_TABSHEETPL_Title");
  EXPECT_EQ(IDS_PAGECONTROL_TABSHEETPL_Title, 27);  // row 28
  EXPECT_EQ(IDS_ABOUTFORM_Title, 126);              // row 127
  EXPECT_STREQ(entries[140].key, "IDS_MESSAGEBOX_WARNING_SaveFileFailed");
  EXPECT_STREQ(entries[140].defaultText, "Save file %s failed!");
  // Keys added later come after the original ones, so older files keep their order.
  EXPECT_STREQ(entries[141].key, "IDS_MESSAGEBOX_WARNING_CleanIncomplete");
  EXPECT_STREQ(entries[142].key, "IDS_MESSAGEBOX_WARNING_BackupIncomplete");
  EXPECT_STREQ(entries[IDS_LISTVIEW_TIPS_Size].defaultText, "Size:  %.2f M");
  EXPECT_STREQ(entries[IDS_ADDITEMFORM_COMBOBOX_Items1].defaultText,
               "Startup Folder\\Current User");
  EXPECT_STREQ(entries[IDS_MAINFORM_MENU_FILE_ExportRegInfo].defaultText,
               "Export Regisrty Info");  // the program's own spelling

  // Seven keys end in blanks, as the language files spell them.
  std::set<std::string> blankEnded;
  for (const auto& e : entries)
    if (std::string(e.key).back() == ' ') blankEnded.insert(e.key);
  EXPECT_EQ(blankEnded, (std::set<std::string>{
                            "IDS_LISTVIEW_RIGHTCLICK_Uninstall  ",
                            "IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo ",
                            "IDS_LISTVIEW_RIGHTCLICK_ShowDetails ",
                            "IDS_SIDEBAR_BUTTON_UnSelectAll ",
                            "IDS_SIDEBAR_GROUPBOX_LABEL_Version ",
                            "IDS_SCANFORM_LABEL_Scaning ",
                            "IDS_MESSAGEBOX_WARNING_DeleteScr ",
                        }));

  // Line breaks: rows 131, 132, 133 and 138 of the original table, and the question
  // when an uninstall seems not to have happened (row 144).
  std::set<int> lineBreakRows;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].lineBreaks) lineBreakRows.insert(static_cast<int>(i) + 1);
  EXPECT_EQ(lineBreakRows, (std::set<int>{131, 132, 133, 138, 144}));
  EXPECT_STREQ(entries[143].key, "IDS_MESSAGEBOX_WARNING_UninstallNotDone");

  // One key is written in another spelling than it is read.
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i == IDS_MESSAGEBOX_WARNING_Noremains) {
      EXPECT_STREQ(entries[i].key, "IDS_MESSAGEBOX_WARNING_Noremains");
      EXPECT_STREQ(entries[i].writtenKey, "IDS_MESSAGEBOX_WARNING_NoRemains");
    } else {
      EXPECT_STREQ(entries[i].key, entries[i].writtenKey) << i;
    }
  }

  std::set<std::string> unique;
  for (const auto& e : entries) unique.insert(e.key);
  EXPECT_EQ(unique.size(), entries.size());
}

TEST_F(LanguageTableTest, FirstStartWritesTheTemplateInTableOrder) {
  ScriptedMessageBoxes boxes;  // none expected
  const std::string path = langs() + "English.ini";
  ASSERT_FALSE(sys::FileExists(path));

  EXPECT_TRUE(LoadLanguageTable(config));

  // Every key with its default text, in file order, the line-break entries with
  // their "#13" markers: the template a translator starts from. The profile
  // functions drop the blanks that end a key or a text, so the file holds none.
  ui_test::ExpectSameBytes(ReadText(path), ui_test::TestData("English.ini"));
  // In the table the markers are real line breaks.
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_ScanRemains),
            "May be some registry keys or files were not completly removed, \r\nwould you like to "
            "remove them?");
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "File");
  EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(LanguageTableTest, ANamedFileThatIsMissingIsCreatedFromTheCurrentTexts) {
  useFiles("Deutsch.ini", "Default.ini");
  LanguageTable().setText(IDS_MAINFORM_MENU_File, "Datei");
  EXPECT_TRUE(LoadLanguageTable(config));
  sys::IniFile ini(langs() + "Deutsch.ini");
  EXPECT_EQ(ini.readString("Language", "IDS_MAINFORM_MENU_File", ""), "Datei");
  EXPECT_EQ(ini.sectionKeys("Language").size(), 178u);
}

TEST_F(LanguageTableTest, MissingKeysKeepThePreviousLanguagesTexts) {
  WriteText(langs() + "English.ini",
            "[Language]\r\nIDS_MAINFORM_MENU_File=File\r\nIDS_MAINFORM_MENU_View=View\r\n");
  WriteText(langs() + "Partial.ini",
            "[Other]\r\nIDS_MAINFORM_MENU_View=Wrong section\r\n"
            "[Language]\r\nIDS_MAINFORM_MENU_File=Datei\r\nNOT_A_KEY=ignored\r\n");
  LanguageTable().setText(IDS_MAINFORM_MENU_View, "Ansicht");  // as if German was loaded
  useFiles("Partial.ini", "Default.ini");
  EXPECT_TRUE(LoadLanguageTable(config));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "Datei");
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_View), "Ansicht");
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_Tools), "Tools");
  // The partial file is read, never completed.
  EXPECT_EQ(sys::IniFile(langs() + "Partial.ini").sectionKeys("Language").size(), 2u);
}

TEST_F(LanguageTableTest, ValuesAreReadAsTheFileHoldsThem) {
  WriteText(langs() + "English.ini",
            "[LANGUAGE]\r\n"
            "ids_mainform_menu_file=\r\n"  // empty text
            "IDS_MESSAGEBOX_WARNING_NOREMAINS=Nichts \xFC"
            "brig\r\n"                                                   // any case
            "IDS_MAINFORM_MENU_View=View#13Ansicht\r\n"                  // no line breaks
            "IDS_MESSAGEBOX_WARNING_ScanRemains=  erste#13zweite  \r\n"  // line breaks
            "IDS_LISTVIEW_RIGHTCLICK_Uninstall=Entfernen\r\n"            // no trailing blanks
            "IDS_SIDEBAR_BUTTON_UnSelectAll =Alle aus\r\n"               // with them
            "IDS_MESSAGEBOX_WARNING_UninstallFailed=#13\r\n");
  EXPECT_TRUE(LoadLanguageTable(config));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "");
  // The ANSI file's "\xFC" (code page 1252) reaches the table as UTF-8.
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_Noremains),
            "Nichts \xC3\xBC"
            "brig");
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_View), "View#13Ansicht");
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_ScanRemains), "erste\r\nzweite");
  EXPECT_EQ(LangText(IDS_LISTVIEW_RIGHTCLICK_Uninstall), "Entfernen");
  EXPECT_EQ(LangText(IDS_SIDEBAR_BUTTON_UnSelectAll), "Alle aus");
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_UninstallFailed), "\r\n");
}

TEST_F(LanguageTableTest, ATemplateThatCannotBeWrittenIsReportedAndTheTextsStay) {
  // A folder where the file should be: it can be neither created nor read.
  ASSERT_TRUE(sys::ForceDirectories(langs() + "English.ini"));
  LanguageTable().setText(IDS_MESSAGEBOX_WARNING_SaveFileFailed, "Konnte %s nicht speichern");
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_FALSE(LoadLanguageTable(config));
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.request(0).text, "Konnte " + langs() + "English.ini nicht speichern");
  EXPECT_EQ(boxes.request(0).caption, settings::kAppTitle);
  EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes.request(0).owner, nullptr);
  // Without a loaded file the line-break entries still hold their markers.
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_DeleteScr),
            "Do you really want to delete the screen saver? #13It may cause the windows file "
            "protection mechanism");
}

TEST_F(LanguageTableTest, ATranslationWithABrokenPlaceholderStillReportsThePath) {
  ASSERT_TRUE(sys::ForceDirectories(langs() + "English.ini"));
  LanguageTable().setText(IDS_MESSAGEBOX_WARNING_SaveFileFailed, "%n%s%s %d failed");
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_FALSE(LoadLanguageTable(config));
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.request(0).text, "%n" + langs() + "English.ini%s %d failed");
}

TEST_F(LanguageTableTest, WritingThenReadingGivesTheSameTexts) {
  for (size_t i = 0; i < kLanguageEntryCount; ++i)
    LanguageTable().setText(static_cast<LangId>(i), "Text " + std::to_string(i));
  LanguageTable().setText(IDS_SPLASHFORM_LABEL_Copyright, "Zeile eins\r\nZeile zwei");
  ASSERT_TRUE(WriteLanguageDefaults(config));
  EXPECT_NE(ReadText(langs() + "English.ini")
                .find("IDS_SPLASHFORM_LABEL_Copyright=Zeile eins#13Zeile zwei\r\n"),
            std::string::npos);

  TLanguageTable copy;
  ASSERT_TRUE(ReadLanguageFromFile(copy, langs() + "English.ini"));
  for (size_t i = 0; i < kLanguageEntryCount; ++i)
    EXPECT_EQ(copy.text(static_cast<LangId>(i)), LangText(static_cast<LangId>(i))) << i;
}

TEST_F(LanguageTableTest, AFileThatCannotBeReadLeavesTheTable) {
  TLanguageTable table;
  table.setText(IDS_MAINFORM_MENU_File, "kept");
  EXPECT_FALSE(ReadLanguageFromFile(table, langs() + "Missing.ini"));
  EXPECT_EQ(table.text(IDS_MAINFORM_MENU_File), "kept");
  EXPECT_FALSE(sys::FileExists(langs() + "Missing.ini"));
}

TEST_F(LanguageTableTest, TheShippedGermanFileIsComplete) {
  std::string german = testing_support::ProgramBinDir() + "Langs\\Deutsch.ini";
  ASSERT_TRUE(sys::FileExists(german));
  // The English template, line by line in table order, is what the translation follows.
  const auto english = ui_test::TemplateLines("English.ini");
  ASSERT_EQ(english.size(), kLanguageEntryCount);
  TLanguageTable table;
  for (size_t i = 0; i < kLanguageEntryCount; ++i)
    table.setText(static_cast<LangId>(i), "\x01missing");
  ASSERT_TRUE(ReadLanguageFromFile(table, german));
  auto placeholders = [](const std::string& t) {
    std::string out;
    for (size_t at = t.find('%'); at != std::string::npos; at = t.find('%', at + 1))
      out += t.substr(at, 2);
    return out;
  };
  for (size_t i = 0; i < kLanguageEntryCount; ++i) {
    auto id = static_cast<LangId>(i);
    const auto& [key, text] = english[i];
    EXPECT_NE(table.text(id), "\x01missing") << key;
    // Placeholders stay the same as in the English text, in the same order.
    EXPECT_EQ(placeholders(table.text(id)), placeholders(text)) << key;
  }
  EXPECT_EQ(table.text(IDS_MAINFORM_MENU_File), "Datei");
  EXPECT_EQ(table.text(IDS_SIDEBAR_BUTTON_Apply),
            "\xC3\x9C"
            "bernehmen");  // stored in code page 1252, read as UTF-8
  EXPECT_NE(table.text(IDS_MESSAGEBOX_WARNING_ScanRemains).find("\r\n"), std::string::npos);
}

// Language and skin files in every encoding they may be stored in: ANSI as the
// template is written, UTF-16LE and UTF-8 with a byte-order mark. Texts are checked
// where the user sees them, in real controls and menus, read back in UTF-16.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/IniFile.h"
#include "ui/LanguageFile.h"
#include "ui/SkinFile.h"
#include "ui/multiLangs.h"

using namespace ui;
using ui_test::ReadText;
using ui_test::U8;
using ui_test::WriteText;

namespace {

constexpr UINT kFirstId = 700;

// UTF-16LE bytes with a byte-order mark, independent of the code under test.
std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

std::string Utf8File(const std::string& text) {
  return "\xEF\xBB\xBF" + text;
}

std::wstring WindowTextW(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring MenuTextW(HMENU menu, UINT position) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

class LanguageEncodingTest : public ui_test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ui_test::ProgramFolderTest::SetUp();
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    for (HWND& label : labels_) {
      label = CreateWindowExW(0, L"STATIC", L"?", WS_CHILD, 0, 0, 100, 20, parent_, nullptr,
                              nullptr, nullptr);
      ASSERT_NE(label, nullptr);
    }
  }
  void TearDown() override {
    DestroyWindow(parent_);
    ui_test::ProgramFolderTest::TearDown();
  }

  // Labels the four test controls from the table, as the main window is labelled.
  void applyTexts() {
    TMainWindowTextTargets t;
    t.lblPrograms = WindowTextSetter(labels_[0]);
    t.lblRegName = WindowTextSetter(labels_[1]);
    t.btnApply = WindowTextSetter(labels_[2]);
    t.grbSearch = WindowTextSetter(labels_[3]);
    ApplyMainWindowTexts(t);
  }

  HWND parent_ = nullptr;
  HWND labels_[4] = {};
};

// Exact texts in four scripts and one character beyond the Basic Multilingual Plane.
const std::wstring kPrograms = L"Программы 😀:";
const std::wstring kRegName = L"Ελληνικά όνομα:";
const std::wstring kApply = L"日本語で適用";

}  // namespace

TEST_F(LanguageEncodingTest, AUtf16FileLoadsEveryCharacterExactly) {
  useFiles("Mixed16.ini", "Default.ini");
  WriteText(config.paths().LanguageFilePath,
            Utf16File(L"[Language]\r\nIDS_STATUSBAR_LABEL_Programs=" + kPrograms +
                      L"\r\nIDS_STATUSBAR_LABEL_RegistryName=" + kRegName +
                      L"\r\nIDS_SIDEBAR_BUTTON_Apply=" + kApply + L"\r\n"));
  testing_support::ScriptedMessageBoxes boxes;
  EXPECT_TRUE(LoadLanguageTable(config));
  applyTexts();
  EXPECT_EQ(WindowTextW(labels_[0]), kPrograms);
  EXPECT_EQ(WindowTextW(labels_[1]), kRegName);
  EXPECT_EQ(WindowTextW(labels_[2]), kApply);
  EXPECT_EQ(WindowTextW(labels_[3]), L"Search");  // missing key: the default stays
  EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(LanguageEncodingTest, AUtf8FileLoadsEveryCharacterExactly) {
  useFiles("Mixed8.ini", "Default.ini");
  // Written as the profile functions would read it: names in any case, blanks
  // around names and values, a quoted value, comments, another section with the
  // same key, and a second occurrence that must lose to the first.
  WriteText(config.paths().LanguageFilePath,
            Utf8File(U8(u8"; Русский комментарий\r\n"
                        u8"[Other]\r\nIDS_STATUSBAR_LABEL_Programs=wrong section\r\n"
                        u8"[ language ]\n"
                        u8"ids_statusbar_label_programs = Программы 😀:\r\n"
                        u8"IDS_STATUSBAR_LABEL_RegistryName=\"Ελληνικά όνομα:\"\r\n"
                        u8"IDS_SIDEBAR_BUTTON_Apply\t=\t日本語で適用  \r\n"
                        u8"IDS_SIDEBAR_BUTTON_Apply=second\r\n"
                        u8"IDS_LISTVIEW_RIGHTCLICK_Uninstall=Удалить\r\n"
                        u8"IDS_MESSAGEBOX_WARNING_NoRemains=Ничего не осталось\r\n"
                        u8"IDS_MESSAGEBOX_WARNING_ScanRemains=  Первая#13вторая  \r\n")));
  EXPECT_TRUE(LoadLanguageTable(config));
  applyTexts();
  EXPECT_EQ(WindowTextW(labels_[0]), kPrograms);
  EXPECT_EQ(WindowTextW(labels_[1]), kRegName);
  EXPECT_EQ(WindowTextW(labels_[2]), kApply);
  EXPECT_EQ(WindowTextW(labels_[3]), L"Search");
  // A key the table spells with trailing blanks, one read in other case, and a
  // line-break entry.
  EXPECT_EQ(LangText(IDS_LISTVIEW_RIGHTCLICK_Uninstall), U8(u8"Удалить"));
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_Noremains), U8(u8"Ничего не осталось"));
  EXPECT_EQ(LangText(IDS_MESSAGEBOX_WARNING_ScanRemains), U8(u8"Первая\r\nвторая"));
}

TEST_F(LanguageEncodingTest, AnAnsiFileStillDecodesThroughTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "the test prefix runs in a Western European code page";
  useFiles("Latin1.ini", "Default.ini");
  WriteText(config.paths().LanguageFilePath,
            "[Language]\r\nIDS_SIDEBAR_BUTTON_Apply=\xDC"
            "bernehmen\r\nIDS_STATUSBAR_LABEL_Programs=Gr\xF6\xDF"
            "e \xE9t\xE9 \x80:\r\n");
  EXPECT_TRUE(LoadLanguageTable(config));
  applyTexts();
  EXPECT_EQ(WindowTextW(labels_[2]), L"Übernehmen");
  EXPECT_EQ(WindowTextW(labels_[0]), L"Größe été €:");
  EXPECT_EQ(LangText(IDS_SIDEBAR_BUTTON_Apply), U8(u8"Übernehmen"));
}

TEST_F(LanguageEncodingTest, TheEnglishTemplateIsTheSameAnsiFileByteForByte) {
  testing_support::ScriptedMessageBoxes boxes;
  ASSERT_FALSE(sys::FileExists(langs() + "English.ini"));
  EXPECT_TRUE(LoadLanguageTable(config));
  std::string bytes = ReadText(langs() + "English.ini");
  // The template as the program has always written it: ANSI, no byte-order mark,
  // CR LF lines, keys as the table writes them.
  EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE"));
  ui_test::ExpectSameBytes(bytes, ui_test::TestData("English.ini"));
}

TEST_F(LanguageEncodingTest, TheLanguagesMenuShowsNamesInTheirOwnScripts) {
  std::string russian = ReadText(testing_support::ProgramBinDir() + "Langs\\Russian.ini");
  WriteText(langs() + "Russian.ini", russian);
  const std::string greekFile = U8(u8"Ελληνικά.ini");  // no LanguageName: the file name says it
  WriteText(langs() + greekFile, Utf8File(U8(u8"[Language]\r\nIDS_MAINFORM_MENU_File=Αρχείο\r\n")));
  WriteText(langs() + "English.ini", "[Language]\r\nIDS_MAINFORM_MENU_File=File\r\n");
  WriteText(config.paths().ConfigFile, "[config]\r\nLanguageFile=English.ini\r\n");
  // The current file compared without regard to case, in Greek as in Latin.
  useFiles(U8(u8"ελληνικά.INI"), "Default.ini");

  sys::UniqueMenu submenu(CreatePopupMenu());
  TLanguagesMenu menu(config, kFirstId, 10);
  menu.BuildLanguagesMenu(submenu.get());
  ASSERT_EQ(GetMenuItemCount(submenu.get()), 3);
  std::vector<std::wstring> captions;
  for (UINT i = 0; i < 3; ++i) captions.push_back(MenuTextW(submenu.get(), i));
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"English", L"Ελληνικά", L"Русский"}));

  const TLanguagesMenu::Item* ru = nullptr;
  const TLanguagesMenu::Item* el = nullptr;
  for (const auto& item : menu.items()) {
    if (item.fileName == "Russian.ini") ru = &item;
    if (item.fileName == greekFile) el = &item;
  }
  ASSERT_NE(ru, nullptr);
  ASSERT_NE(el, nullptr);
  EXPECT_TRUE(GetMenuState(submenu.get(), el->commandId, MF_BYCOMMAND) & MF_CHECKED);

  ASSERT_TRUE(menu.handleCommand(ru->commandId));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), U8(u8"Файл"));
  EXPECT_EQ(sys::IniFile(config.paths().ConfigFile).readString("config", "LanguageFile", "?"),
            "Russian.ini");
  // A file whose name the ANSI code page cannot spell is stored exactly.
  ASSERT_TRUE(menu.handleCommand(el->commandId));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), U8(u8"Αρχείο"));
  EXPECT_EQ(sys::IniFile(config.paths().ConfigFile).readString("config", "LanguageFile", "?"),
            greekFile);
  EXPECT_EQ(config.paths().LanguageFilePath, langs() + greekFile);
}

TEST_F(LanguageEncodingTest, TheShippedRussianFileIsCompleteUtf16WithCrLfLines) {
  std::string path = testing_support::ProgramBinDir() + "Langs\\Russian.ini";
  std::string bytes = ReadText(path);
  ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
  ASSERT_EQ(bytes.size() % 2, 0u);
  // Every LF is the second half of a CR LF.
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\n' && bytes[i + 1] == 0) {
      ASSERT_TRUE(i >= 4 && bytes[i - 2] == '\r' && bytes[i - 1] == 0) << "lone LF at " << i;
    }
  }
  EXPECT_EQ(ReadLanguageName(path), U8(u8"Русский"));

  TLanguageTable table;
  for (size_t i = 0; i < kLanguageEntryCount; ++i)
    table.setText(static_cast<LangId>(i), "\x01missing");
  ASSERT_TRUE(ReadLanguageFromFile(table, path));
  auto placeholders = [](const std::string& t) {
    std::string out;
    for (size_t at = t.find('%'); at != std::string::npos; at = t.find('%', at + 1))
      out += t.substr(at, 2);
    return out;
  };
  // The English template, line by line in table order, is what the translation follows.
  const auto english = ui_test::TemplateLines("English.ini");
  ASSERT_EQ(english.size(), kLanguageEntryCount);
  for (size_t i = 0; i < kLanguageEntryCount; ++i) {
    const auto id = static_cast<LangId>(i);
    const auto& [key, text] = english[i];
    EXPECT_NE(table.text(id), "\x01missing") << key;
    EXPECT_NE(table.text(id), text) << key << " left in English";
    EXPECT_EQ(placeholders(table.text(id)), placeholders(text)) << key;
    // Where the English text breaks its line, the translation does too.
    if (text.find("#13") != std::string::npos) {
      EXPECT_NE(table.text(id).find("\r\n"), std::string::npos) << key;
    }
  }
  EXPECT_EQ(table.text(IDS_SIDEBAR_BUTTON_Apply), U8(u8"Применить"));
  EXPECT_EQ(table.text(IDS_LISTVIEW_RIGHTCLICK_Uninstall), U8(u8"Удалить"));
}

TEST_F(LanguageEncodingTest, SkinFilesInUtf16AndUtf8LoadExactNames) {
  const std::string picture = U8(u8"Фон 日本 😀.png");
  for (const std::string& bytes :
       {Utf16File(L"[MainForm]\r\nSK_MAINFORM_PicBackGround=Фон 日本 😀.png\r\n"),
        Utf8File("[MainForm]\r\nSK_MAINFORM_PicBackGround=" + picture + "\r\n")}) {
    WriteText(skins() + "Unicode.ini", bytes);
    TSkinTable table;
    ASSERT_TRUE(ReadSkinFromFile(table, skins() + "Unicode.ini"));
    EXPECT_EQ(table.value(SK_MAINFORM_PicBackGround), picture);
    EXPECT_EQ(table.value(SK_MAINFORM_Pos), "0, 0, 763, 538");  // missing: the default
  }
}

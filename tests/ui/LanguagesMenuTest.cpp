#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/IniFile.h"
#include "ui/multiLangs.h"

using namespace ui;
using ui_test::WriteText;

namespace {

constexpr UINT kFirstId = 500;

std::string MenuText(HMENU menu, UINT item, bool byPosition) {
  char text[256] = {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  GetMenuItemInfoA(menu, item, byPosition, &info);
  return text;
}

bool Checked(HMENU menu, UINT id) {
  return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

class LanguagesMenuTest : public ui_test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ui_test::ProgramFolderTest::SetUp();
    // Config.ini as start-up leaves it.
    WriteText(config.paths().ConfigFile,
              "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
              "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
    WriteText(langs() + "English.ini", "[Language]\r\nIDS_MAINFORM_MENU_File=File\r\n");
    WriteText(langs() + "Deutsch.ini",
              "[Language]\r\nIDS_MAINFORM_MENU_File=Datei\r\nIDS_MAINFORM_MENU_View=Ansicht\r\n");
    WriteText(langs() + "Chinese.Simplified.ini",
              "[Language]\r\nIDS_MAINFORM_MENU_File=Wenjian\r\n");
    submenu_.reset(CreatePopupMenu());
  }

  std::vector<std::string> captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(submenu_.get()); ++i)
      out.push_back(MenuText(submenu_.get(), i, true));
    return out;
  }

  const TLanguagesMenu::Item* item(const std::string& file) const {
    for (const auto& i : menu_.items())
      if (i.fileName == file) return &i;
    return nullptr;
  }

  std::string configLanguage() const {
    return sys::IniFile(config.paths().ConfigFile).readString("config", "LanguageFile", "?");
  }

  sys::UniqueMenu submenu_;
  TLanguagesMenu menu_{config, kFirstId, 50};
};

}  // namespace

TEST(LanguageDisplayName, IsTheFileNameUpToItsFirstDot) {
  EXPECT_EQ(LanguageDisplayName("English.ini"), "English");
  EXPECT_EQ(LanguageDisplayName("Chinese.Simplified.ini"), "Chinese");
  EXPECT_EQ(LanguageDisplayName("Fran & Co.ini"), "Fran & Co");
  EXPECT_EQ(LanguageDisplayName(".hidden.ini"), ".hidden");  // never an empty caption
}

TEST_F(LanguagesMenuTest, ListsEveryLanguageFileAndChecksTheCurrentOne) {
  WriteText(langs() + "notes.txt", "x");
  WriteText(langs() + "Old.ini.bak", "x");
  ASSERT_TRUE(sys::ForceDirectories(langs() + "Folder.ini"));
  useFiles("english.INI", "Default.ini");  // the check mark ignores case

  menu_.BuildLanguagesMenu(submenu_.get());

  std::vector<std::string> names = captions();
  std::sort(names.begin(), names.end());  // the listing's order is the file system's
  EXPECT_EQ(names, (std::vector<std::string>{"Chinese", "Deutsch", "English"}));
  ASSERT_EQ(menu_.items().size(), 3u);
  for (const auto& i : menu_.items())
    EXPECT_EQ(Checked(submenu_.get(), i.commandId), i.fileName == "English.ini") << i.fileName;
}

TEST_F(LanguagesMenuTest, ACaptionShowsItsAmpersandsAsTheyAre) {
  WriteText(langs() + "Fran&cais.ini", "[Language]\r\n");
  menu_.BuildLanguagesMenu(submenu_.get());
  ASSERT_NE(item("Fran&cais.ini"), nullptr);
  EXPECT_EQ(item("Fran&cais.ini")->caption, "Fran&cais");
  EXPECT_EQ(MenuText(submenu_.get(), item("Fran&cais.ini")->commandId, false), "Fran&&cais");
}

TEST_F(LanguagesMenuTest, AnEmptyFolderGivesAnEmptyMenu) {
  for (const char* f : {"English.ini", "Deutsch.ini", "Chinese.Simplified.ini"})
    DeleteFileA((langs() + f).c_str());
  menu_.BuildLanguagesMenu(submenu_.get());
  EXPECT_EQ(GetMenuItemCount(submenu_.get()), 0);
  EXPECT_TRUE(menu_.items().empty());
}

TEST_F(LanguagesMenuTest, ChoosingALanguageLoadsItStoresItAndMovesTheCheckMark) {
  ASSERT_TRUE(LoadLanguageTable(config));
  menu_.BuildLanguagesMenu(submenu_.get());
  int relabelled = 0;
  menu_.onLanguageSwitched = [&] { ++relabelled; };

  ASSERT_NE(item("Deutsch.ini"), nullptr);
  EXPECT_TRUE(menu_.handleCommand(item("Deutsch.ini")->commandId));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "Datei");
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_View), "Ansicht");
  EXPECT_EQ(config.paths().LanguageFilePath, langs() + "Deutsch.ini");
  EXPECT_EQ(configLanguage(), "Deutsch.ini");
  EXPECT_TRUE(Checked(submenu_.get(), item("Deutsch.ini")->commandId));
  EXPECT_FALSE(Checked(submenu_.get(), item("English.ini")->commandId));
  EXPECT_EQ(relabelled, 1);

  // Back to English: keys English.ini lacks keep the German texts.
  EXPECT_TRUE(menu_.handleCommand(item("English.ini")->commandId));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "File");
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_View), "Ansicht");
  EXPECT_EQ(configLanguage(), "English.ini");
  EXPECT_EQ(relabelled, 2);

  // Choosing the checked language again reloads and rewrites it.
  sys::IniFile(config.paths().ConfigFile).writeString("config", "LanguageFile", "Other.ini");
  LanguageTable().setText(IDS_MAINFORM_MENU_File, "changed");
  EXPECT_TRUE(menu_.handleCommand(item("English.ini")->commandId));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "File");
  EXPECT_EQ(configLanguage(), "English.ini");
  EXPECT_EQ(relabelled, 3);

  EXPECT_FALSE(menu_.handleCommand(kFirstId + 40));  // not an item
  EXPECT_FALSE(menu_.handleCommand(1));
}

TEST_F(LanguagesMenuTest, AnItemSwitchesToTheVeryFileItWasMadeFrom) {
  WriteText(langs() + "Chinese.ini", "[Language]\r\nIDS_MAINFORM_MENU_File=Wrong file\r\n");
  menu_.BuildLanguagesMenu(submenu_.get());
  const TLanguagesMenu::Item* chinese = item("Chinese.Simplified.ini");
  ASSERT_NE(chinese, nullptr);
  EXPECT_EQ(chinese->caption, "Chinese");
  menu_.SwitchLanguage(*chinese);
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "Wenjian");
  EXPECT_EQ(configLanguage(), "Chinese.Simplified.ini");
  EXPECT_TRUE(Checked(submenu_.get(), chinese->commandId));
  EXPECT_FALSE(Checked(submenu_.get(), item("Chinese.ini")->commandId));
}

TEST_F(LanguagesMenuTest, AFileThatVanishedBeforeTheClickChangesNothing) {
  ASSERT_TRUE(LoadLanguageTable(config));
  menu_.BuildLanguagesMenu(submenu_.get());
  int relabelled = 0;
  menu_.onLanguageSwitched = [&] { ++relabelled; };
  const TLanguagesMenu::Item deutsch = *item("Deutsch.ini");
  ASSERT_TRUE(DeleteFileA((langs() + "Deutsch.ini").c_str()));

  menu_.SwitchLanguage(deutsch);
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "File");
  EXPECT_EQ(config.paths().LanguageFilePath, langs() + "English.ini");
  EXPECT_EQ(configLanguage(), "English.ini");
  EXPECT_TRUE(Checked(submenu_.get(), item("English.ini")->commandId));
  EXPECT_FALSE(Checked(submenu_.get(), deutsch.commandId));
  EXPECT_FALSE(sys::FileExists(langs() + "Deutsch.ini"));  // not recreated
  EXPECT_EQ(relabelled, 0);
}

TEST_F(LanguagesMenuTest, AChoiceThatCannotBeStoredStillAppliesForThisRun) {
  // Config.ini replaced by a folder: the choice cannot be written.
  ASSERT_TRUE(DeleteFileA(config.paths().ConfigFile.c_str()));
  ASSERT_TRUE(sys::ForceDirectories(config.paths().ConfigFile));
  menu_.BuildLanguagesMenu(submenu_.get());
  int relabelled = 0;
  menu_.onLanguageSwitched = [&] { ++relabelled; };
  menu_.SwitchLanguage(*item("Deutsch.ini"));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "Datei");
  EXPECT_TRUE(Checked(submenu_.get(), item("Deutsch.ini")->commandId));
  EXPECT_EQ(relabelled, 1);
}

TEST_F(LanguagesMenuTest, ASwitchThatFailsInTheRelabellingIsSwallowed) {
  menu_.BuildLanguagesMenu(submenu_.get());
  menu_.onLanguageSwitched = [] { throw std::runtime_error("window gone"); };
  EXPECT_NO_THROW(menu_.SwitchLanguage(*item("Deutsch.ini")));
  EXPECT_EQ(LangText(IDS_MAINFORM_MENU_File), "Datei");
}

TEST_F(LanguagesMenuTest, ItemsBeyondTheReservedIdsAreLeftOut) {
  TLanguagesMenu small(config, kFirstId, 2);
  small.BuildLanguagesMenu(submenu_.get());
  EXPECT_EQ(small.items().size(), 2u);
  EXPECT_EQ(GetMenuItemCount(submenu_.get()), 2);
  for (const auto& i : small.items()) EXPECT_LT(i.commandId, kFirstId + 2);
}

TEST_F(LanguagesMenuTest, MainWindowTextsGoToEachControl) {
  WriteText(langs() + "English.ini",
            "[Language]\r\nIDS_MAINFORM_MENU_File=Datei\r\nIDS_SIDEBAR_BUTTON_UnSelectAll=Aus\r\n"
            "IDS_SIDEBAR_BUTTON_SelectAll=Ein\r\nIDS_LISTVIEW_RIGHTCLICK_Uninstall=Weg\r\n");
  ASSERT_TRUE(LoadLanguageTable(config));

  // What each control shows at the end; the order of the calls is the window's affair.
  std::map<std::string, std::string> shown;
  auto control = [&](const char* name) {
    return [&shown, name](const std::string& text) { shown[name] = text; };
  };
  TMainWindowTextTargets t;
  t.btnFile = control("btnFile");
  t.mItemExit = control("mItemExit");
  t.mItemRegedit = control("mItemRegedit");
  t.mItemComment = control("mItemComment");
  t.mItemUninstall = control("mItemUninstall");
  t.programListColumns[2] = control("col2");
  t.lblPrograms = control("lblPrograms");
  t.btnUninstall = control("btnUninstall");
  t.btnSelectAll = control("btnSelectAll");
  t.lblDes = control("lblDes");
  ApplyMainWindowTexts(t);
  EXPECT_EQ(shown, (std::map<std::string, std::string>{
                       {"btnFile", "Datei"},
                       {"mItemExit", "Exit"},
                       {"mItemRegedit", "Registry Editor"},
                       {"mItemComment", "Comment Entry"},
                       {"col2", "Directory"},
                       {"mItemUninstall", "Weg"},
                       {"lblPrograms", "Programs:"},
                       {"btnUninstall", "Uninstall"},
                       {"btnSelectAll", "Aus"},  // always "Disable All" here
                       {"lblDes", "Description:"},
                   }));
}

TEST_F(LanguagesMenuTest, TextSettersReachRealControls) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND label =
      CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 30, 300, 200, parent,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 80;
    col.pszText = const_cast<char*>("?");
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
  sys::UniqueMenu bar(CreateMenu());
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, 77, "?");
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "?");

  TMainWindowTextTargets t;
  t.btnFile = MenuItemTextSetter(bar.get(), 0, true);
  t.mItemExit = MenuItemTextSetter(file, 77);
  t.programListColumns[1] = ListColumnTextSetter(list, 1);
  t.lblPrograms = WindowTextSetter(label);
  t.lblRegName = WindowTextSetter(nullptr);  // a control the window lacks
  ApplyMainWindowTexts(t);

  EXPECT_EQ(MenuText(bar.get(), 0, true), "File");
  EXPECT_EQ(MenuText(file, 77, false), "Exit");
  char text[64] = {};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_STREQ(text, "Publisher");
  GetWindowTextA(label, text, sizeof text);
  EXPECT_STREQ(text, "Programs:");
  DestroyWindow(parent);
}

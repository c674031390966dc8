// The program page of the main window over the real inventory component and a
// registry that the test fills.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "inventory/ProgramRowData.h"
#include "main/frmMain.h"
#include "proglist/ProgramListFixture.h"
#include "support/ListViewText.h"
#include "support/MessagePump.h"
#include "sys/IniFile.h"

using namespace proglist_test;

namespace {

class ProgramPage : public MainWindowTest {
 protected:
  void open() {
    ASSERT_TRUE(form.Create());
    form.show(SW_SHOWNOACTIVATE);
  }
  forms::ProgramListPage& page() { return form.programPage(); }
  tk::ListView& list() { return form.programPage().lsvProgramList; }
  std::vector<std::string> column(int c) {
    std::vector<std::string> texts;
    for (int i = 0; i < list().count(); ++i) texts.push_back(list().itemText(i, c));
    return texts;
  }
  int rowOf(const std::string& caption) {
    for (int i = 0; i < list().count(); ++i)
      if (list().itemText(i, 0) == caption) return i;
    return -1;
  }
  std::string configValue(const char* key) {
    char buffer[64] = {};
    GetPrivateProfileStringA("config", key, "", buffer, sizeof buffer,
                             config.paths().ConfigFile.c_str());
    return buffer;
  }
};

}  // namespace

TEST_F(ProgramPage, FillsProgramsCountsAndTheHideOptions) {
  FillUninstallKeys(StandardPrograms());
  InstallOnlyTestSavers();
  open();
  EXPECT_EQ(list().count(), 120);
  EXPECT_EQ(page().ProgramCountText, "123 (Windows Updates: 7, Screen Saver: 3)");
  EXPECT_EQ(page().lblProgramCounts.text(), "123 (Windows Updates: 7, Screen Saver: 3)");
  EXPECT_EQ(page().lblProgramCounts.bounds().left, page().lblPrograms.bounds().right + 5);
  EXPECT_EQ(list().columnCount(), 3);
  EXPECT_EQ(list().columnCaption(2), "Directory");
  EXPECT_EQ(list().columnWidth(2), 360);
  int first = rowOf("Program 000");
  ASSERT_GE(first, 0);
  EXPECT_EQ(list().itemText(first, 1), "0");
  EXPECT_EQ(list().itemText(first, 2), "C:\\Apps\\Program 000\\");
  // Nothing is selected yet: the entry commands wait.
  EXPECT_FALSE(IsWindowEnabled(page().btnUninstall.hwnd()));
  EXPECT_FALSE(IsWindowEnabled(page().btnShowDetails.hwnd()));
  EXPECT_FALSE(page().lblRegName.visible());

  // Showing the screen savers: the check box's click, written to Config.ini at once.
  page().ckbHideScr.send(BM_CLICK);
  EXPECT_FALSE(config.hideScreenSaver());
  EXPECT_EQ(configValue("HideScreenSaver"), "0");
  ASSERT_EQ(list().count(), 123);
  int savers = 0;
  for (const std::string& caption : column(0))
    if (caption.rfind("[Screen Saver]", 0) == 0) ++savers;
  EXPECT_EQ(savers, 3);

  // Hiding the patches through the command (as the menu runs it).
  form.actions().ActionHideSysPatch.execute();
  EXPECT_TRUE(config.hideSysPatch());
  EXPECT_TRUE(page().ckbHidePatch.checked());
  EXPECT_EQ(configValue("HideSysPatch"), "1");
  EXPECT_EQ(list().count(), 116);
  EXPECT_EQ(page().ProgramCountText, "123 (Windows Updates: 7, Screen Saver: 3)");
  page().ckbHideScr.send(BM_CLICK);
  EXPECT_EQ(list().count(), 113);
  EXPECT_TRUE(config.hideScreenSaver());
  EXPECT_EQ(configValue("HideScreenSaver"), "1");
  for (const std::string& caption : column(0))
    EXPECT_EQ(caption.find("Update for"), std::string::npos);
}

TEST_F(ProgramPage, AnEmptyDisplayNameListsTheKeyName) {
  std::vector<TestProgram> programs = StandardPrograms();
  programs[3].displayName.clear();
  FillUninstallKeys(programs);
  open();
  EXPECT_GE(rowOf(programs[3].keyName), 0);
}

TEST_F(ProgramPage, ColumnClicksShareOneDirection) {
  FillUninstallKeys(StandardPrograms());
  open();
  auto numbers = [&](int c) {
    std::vector<int> out;
    for (const std::string& t : column(c)) out.push_back(std::atoi(t.c_str()));
    return out;
  };
  page().lsvProgramListColumnClick(1);
  std::vector<int> publishers = numbers(1);
  EXPECT_TRUE(std::is_sorted(publishers.begin(), publishers.end()));  // "9" before "10"
  EXPECT_EQ(publishers.front(), 0);
  page().lsvProgramListColumnClick(1);
  publishers = numbers(1);
  EXPECT_TRUE(std::is_sorted(publishers.rbegin(), publishers.rend()));
  EXPECT_EQ(publishers.front(), 12);
  page().lsvProgramListColumnClick(1);
  publishers = numbers(1);
  EXPECT_TRUE(std::is_sorted(publishers.begin(), publishers.end()));
  // The next click, on another column, sorts descending.
  page().lsvProgramListColumnClick(2);
  std::vector<std::string> folders = column(2);
  EXPECT_TRUE(std::is_sorted(folders.rbegin(), folders.rend()));
  EXPECT_EQ(folders.front(), "C:\\Apps\\Program 119\\");
  EXPECT_EQ(page().SortColumn, 2);
}

TEST_F(ProgramPage, SearchFindsNextAndStartsOverAfterAClick) {
  std::vector<TestProgram> programs = StandardPrograms();
  programs[10].displayName = "Zebra Paint";
  programs[40].displayName = "Big zebra";
  FillUninstallKeys(programs);
  open();
  auto& actions = form.actions();
  page().txtSearchInfo.setText("ZEBRA");
  actions.ActionSearch.execute();
  int firstHit = list().selectedIndex();
  ASSERT_GE(firstHit, 0);
  EXPECT_NE(list().itemText(firstHit, 0).find("ebra"), std::string::npos);
  actions.ActionSearch.execute();
  int secondHit = list().selectedIndex();
  EXPECT_GT(secondHit, firstHit);
  EXPECT_NE(list().itemText(secondHit, 0).find("ebra"), std::string::npos);
  // A third press finds nothing and changes nothing.
  unsigned start = page().SearchStart;
  actions.ActionSearch.execute();
  EXPECT_EQ(list().selectedIndex(), secondHit);
  EXPECT_EQ(page().SearchStart, start);
  // A click in the list starts the search over.
  page().lsvProgramListMouseDown(NM_CLICK, 0);
  actions.ActionSearch.execute();
  EXPECT_EQ(list().selectedIndex(), firstHit);
  // Enter in the search box is Find Next.
  PostMessageA(page().txtSearchInfo.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(testing_support::PumpMessagesUntil(
      [&] { return list().selectedIndex() == secondHit; }, 30000));
  // Changing the text starts over too; an empty text does nothing.
  page().txtSearchInfo.setText("");
  EXPECT_EQ(page().SearchStart, 0u);
  actions.ActionSearch.execute();
  EXPECT_EQ(list().selectedIndex(), secondHit);
}

TEST_F(ProgramPage, SearchInAnEmptyListFindsNothing) {
  FillUninstallKeys({});
  open();
  EXPECT_EQ(list().count(), 0);
  // The totals count the hidden screen savers too.
  const std::string savers = std::to_string(form.ProgramList.GetScreenSaverCount());
  EXPECT_EQ(page().ProgramCountText,
            savers + " (Windows Updates: 0, Screen Saver: " + savers + ")");
  page().txtSearchInfo.setText("a");
  EXPECT_EQ(page().Search(), -1);
}

TEST_F(ProgramPage, SelectionSwitchesBetweenUninstallAndDelete) {
  std::vector<TestProgram> programs = StandardPrograms();
  programs[7].helpLink = "https://help.example/7";
  programs[9].displayName = "[Beta] Tool";  // a program, whatever its name looks like
  FillUninstallKeys(programs);
  InstallOnlyTestSavers();
  startWith(false, false);
  open();
  auto& actions = form.actions();
  int uninstalls = 0, deletes = 0;
  actions.ActionUninstall.setOnExecute([&] { ++uninstalls; });
  actions.ActionDeleteScr.setOnExecute([&] { ++deletes; });
  int saver = list().count() - 1;
  ASSERT_EQ(list().itemText(saver, 0).rfind("[Screen Saver]", 0), 0u);
  list().selectOnly(saver);
  EXPECT_EQ(page().btnUninstall.text(), "Delete");
  EXPECT_TRUE(IsWindowEnabled(page().btnUninstall.hwnd()));
  EXPECT_FALSE(IsWindowEnabled(page().btnShowDetails.hwnd()));
  EXPECT_FALSE(actions.ActionComment.enabled());
  EXPECT_TRUE(actions.ActionDeleteScr.isBoundTo(page().btnUninstall.hwnd()));
  EXPECT_TRUE(actions.ActionDeleteScr.isBoundToMenuItem(actions.ActionDeleteScr.id()));
  EXPECT_EQ(tk::MenuItemText(page().pmPLRightClick.handle(), actions.ActionDeleteScr.id()),
            "Delete");
  // A double click removes the row's own kind of entry.
  page().lsvProgramListMouseDown(NM_DBLCLK, saver);
  EXPECT_EQ(deletes, 1);
  EXPECT_EQ(uninstalls, 0);

  int program = rowOf("Program 007");
  ASSERT_GE(program, 0);
  list().selectOnly(program);
  EXPECT_EQ(page().btnUninstall.text(), "Uninstall");
  EXPECT_TRUE(IsWindowEnabled(page().btnShowDetails.hwnd()));
  EXPECT_TRUE(actions.ActionComment.enabled());
  EXPECT_TRUE(actions.ActionUninstall.isBoundTo(page().btnUninstall.hwnd()));
  EXPECT_TRUE(page().lblRegistryName.visible());
  EXPECT_EQ(page().lblRegistryName.text(), "ProgEntry007");
  EXPECT_EQ(page().lblRegName.bounds().left, page().lblProgramCounts.bounds().right + 10);
  EXPECT_EQ(page().lblProgramURL.caption(), "https://help.example/7");
  EXPECT_EQ(page().lblProgramURL.target(), "https://help.example/7");
  EXPECT_TRUE(IsWindowVisible(page().lblProgramURL.hwnd()));
  page().lsvProgramListMouseDown(NM_DBLCLK, program);
  EXPECT_EQ(uninstalls, 1);
  // A program without links empties the link label; its target stays.
  list().selectOnly(rowOf("Program 008"));
  EXPECT_EQ(page().lblProgramURL.caption(), "");
  EXPECT_EQ(page().lblRegistryName.text(), "ProgEntry008");
  EXPECT_EQ(page().lblRegistryName.hint(), "ProgEntry008");
  SendMessageA(page().btnUninstall.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(uninstalls, 2);
  // Back on a screen saver row, the context menu's first item deletes again.
  list().selectOnly(saver);
  SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(actions.ActionDeleteScr.id(), 0), 0);
  EXPECT_EQ(deletes, 2);
  EXPECT_EQ(uninstalls, 2);

  // A program whose name begins with a bracket is a program row, also after a sort
  // has moved the rows (and their data) around.
  page().lsvProgramListColumnClick(0);
  const int beta = rowOf("[Beta] Tool");
  ASSERT_GE(beta, 0);
  list().selectOnly(beta);
  EXPECT_EQ(page().btnUninstall.text(), "Uninstall");
  EXPECT_TRUE(actions.ActionUninstall.isBoundTo(page().btnUninstall.hwnd()));
  EXPECT_TRUE(IsWindowEnabled(page().btnShowDetails.hwnd()));
  EXPECT_EQ(page().lblRegistryName.text(), programs[9].keyName);
  EXPECT_EQ(page().lsvProgramListInfoTip(beta).rfind("Used Frequency: ", 0), 0u);
  page().lsvProgramListMouseDown(NM_DBLCLK, beta);
  EXPECT_EQ(uninstalls, 3);
  EXPECT_EQ(deletes, 2);
  for (int row = 0; row < list().count(); ++row) {
    if (list().itemText(row, 0).rfind("[Screen Saver]", 0) != 0) continue;
    list().selectOnly(row);
    EXPECT_EQ(page().btnUninstall.text(), "Delete") << list().itemText(row, 0);
  }
}

TEST_F(ProgramPage, InfoTipsOfProgramsAndScreenSavers) {
  FillUninstallKeys(StandardPrograms());
  std::vector<std::string> savers = InstallOnlyTestSavers();
  startWith(false, false);
  open();
  int program = rowOf("Program 001");
  ASSERT_GE(program, 0);
  std::string tip = page().lsvProgramListInfoTip(program);
  EXPECT_EQ(tip.rfind("Used Frequency: ", 0), 0u) << tip;
  const std::string tail = "Uninstall String: C:\\Apps\\ProgEntry001\\unins.exe";
  ASSERT_GE(tip.size(), tail.size());
  EXPECT_EQ(tip.substr(tip.size() - tail.size()), tail) << tip;

  int saver = list().count() - 1;
  std::string saverTip = page().lsvProgramListInfoTip(saver);
  ULONG index = inventory::RowIndex(list().itemData(saver));
  std::string name = form.ProgramList.GetScreenSaverFileName(index);
  std::string path = form.ProgramList.GetScreenSaverPath(index);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  std::string expected =
      "Size:  " + forms::Megabytes(data.nFileSizeLow, forms::UserDecimalSeparator()) +
      " M\r\nName:  " + name +
      "\r\nLast Used On: " + form.ProgramList.GetScreenSaverLastUsed(index) + "\r\n";
  EXPECT_EQ(saverTip, expected);
  // A program row whose index the component no longer knows shows no tip.
  list().setItemData(program, 5000);
  EXPECT_EQ(page().lsvProgramListInfoTip(program), "");
}

TEST_F(ProgramPage, ViewStylesDirectoryLinkAndF5) {
  FillUninstallKeys(StandardPrograms());
  open();
  auto& actions = form.actions();
  EXPECT_TRUE(actions.ActionViewReport.checked());
  actions.ActionViewIcon.execute();
  EXPECT_EQ(list().mode(), tk::ListViewMode::Icon);
  EXPECT_TRUE(actions.ActionViewIcon.checked());
  EXPECT_FALSE(actions.ActionViewReport.checked());
  actions.ActionViewList.execute();
  EXPECT_EQ(list().mode(), tk::ListViewMode::List);
  actions.ActionViewReport.execute();
  EXPECT_EQ(list().mode(), tk::ListViewMode::Report);
  EXPECT_EQ(list().linkColumn(), 2);
  // The side panel's hot spot gives the list the skin's full place, and takes it back.
  auto bounds = [&] {
    RECT r = list().control().bounds();
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right - r.left) + ", " + std::to_string(r.bottom - r.top);
  };
  EXPECT_EQ(bounds(), "169, 0, 582, 394");
  page().sidePanel.collapse();
  EXPECT_EQ(bounds(), "9, 0, 742, 394");
  EXPECT_FALSE(page().SizePanelShown);
  page().sidePanel.restore();
  EXPECT_EQ(bounds(), "169, 0, 582, 394");
  EXPECT_TRUE(page().SizePanelShown);

  std::vector<std::string> opened;
  page().openFolder = [&](const std::string& folder) { opened.push_back(folder); };
  int row = rowOf("Program 004");
  list().selectOnly(row);
  list().onLinkClick(row);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "C:\\Apps\\Program 004\\");

  // F5 refills from the registry.
  std::vector<TestProgram> more = StandardPrograms();
  TestProgram extra;
  extra.keyName = "ProgEntryExtra";
  extra.displayName = "Extra Program";
  more.push_back(extra);
  FillUninstallKeys(more);
  PostMessageA(list().hwnd(), WM_KEYDOWN, VK_F5, 0);
  EXPECT_TRUE(testing_support::PumpMessagesUntil([&] { return list().count() == 121; }, 30000));
  EXPECT_EQ(list().selectedIndex(), -1);
}

TEST_F(ProgramPage, TheControlShowsThePagesRowsAndSortsKeepTheSelection) {
  FillUninstallKeys(StandardPrograms());
  open();
  HWND hwnd = list().hwnd();
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDATA);
  ASSERT_EQ(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0), 120);
  auto controlText = [&](int item, int c) {
    return testing_support::ListViewItemText(hwnd, item, c);
  };
  const std::vector<std::string> filled = column(0);
  const int row = rowOf("Program 004");
  ASSERT_GE(row, 0);
  EXPECT_EQ(controlText(row, 0), "Program 004");
  EXPECT_EQ(controlText(row, 1), "4");
  EXPECT_EQ(controlText(row, 2), "C:\\Apps\\Program 004\\");

  list().selectOnly(row);
  EXPECT_EQ(page().lblRegistryName.text(), "ProgEntry004");
  page().lsvProgramListColumnClick(2);
  page().lsvProgramListColumnClick(2);  // descending: Program 119 first
  const int selected = list().selectedIndex();
  EXPECT_EQ(selected, 115);
  EXPECT_EQ(controlText(selected, 0), "Program 004") << "the selection went with its row";
  EXPECT_EQ(list().focusedIndex(), selected);
  EXPECT_EQ(form.ProgramList.GetProgram(static_cast<ULONG>(list().itemData(selected)))
                .GetRegistryKeyName(),
            "ProgEntry004");
  EXPECT_EQ(page().lblRegistryName.text(), "ProgEntry004");

  // A refill brings the component's order back, with nothing selected.
  form.actions().ActionRefresh.execute();
  EXPECT_EQ(column(0), filled);
  EXPECT_EQ(list().selectedIndex(), -1);
  EXPECT_EQ(controlText(0, 0), filled[0]);
}

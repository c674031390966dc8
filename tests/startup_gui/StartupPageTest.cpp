// The startup page over the prefix's real Run keys and start-up folders: what it
// lists, and what Apply, Disable All / Enable All and Delete Entry change there.
#include <gtest/gtest.h>

#include "settings/Product.h"
#include "settings/Settings.h"
#include "startup/StartupRow.h"
#include "startup/StartupSources.h"
#include "startup/StartupTestSupport.h"
#include "startup_gui/StartupGuiHost.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/Files.h"
#include "ui/LanguageTable.h"
#include "ui/multiLangs.h"

using startup_gui::Click;
using startup_gui::ItemOf;
using startup_gui::RowTexts;
using startup_test::CaptureSources;
using startup_test::Location;
using startup_test::ParkingStateKey;
using startup_test::RawValues;
using startup_test::SetText;
using startup_test::SourceState;
using startup_test::StateKey;
using startup_test::Sz;
using startup_test::Values;

namespace {

const std::string kRun = startup::kRunKeyPaths[0];
const std::string kRunOnceSetup = startup::kRunKeyPaths[4];
const std::string kRunOnceEx = startup::kRunKeyPaths[5];

class StartupPage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.open()); }

  forms::StartupListPage& page() { return host.page; }
  tk::ListView& list() { return host.page.lsvStartupList; }
  int item(const std::string& caption, const std::string& location) {
    int found = ItemOf(list(), caption, location);
    EXPECT_GE(found, 0) << caption << " at " << location;
    return found;
  }

  startup_test::SourcesGuard guard;
  std::string user = startup_test::UserStartupFolder();
  std::string common = startup_test::CommonStartupFolder();
  startup_gui::PageHost host;
};

}  // namespace

TEST_F(StartupPage, ListsEverySourceInReadingOrderWithParkedEntriesUnticked) {
  SetText(HKEY_CURRENT_USER, kRun, "PxList-a", "\"C:\\A\\a.exe\" /min");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxList-b", "C:\\B\\b.exe");
  SetText(HKEY_CURRENT_USER, kRunOnceSetup + "\\Run_Disable", "PxList-c", "c.exe");
  SetText(HKEY_LOCAL_MACHINE, kRun, "PxList-a", "machine a.exe");
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxList-e", "%windir%\\e.exe", REG_EXPAND_SZ);
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxList-f.lnk", "link"));
  ASSERT_TRUE(sys::WriteFileBytes(common + "PxList-g.txt", "text"));

  EXPECT_EQ(list().count(), 0);  // nothing is read before the first refresh
  page().RefreshStartupList();

  EXPECT_EQ(list().columnCount(), 3);
  EXPECT_EQ(list().columnCaption(0), "Startup Item");
  EXPECT_EQ(list().columnCaption(1), "Command");
  EXPECT_EQ(list().columnCaption(2), "Location");
  EXPECT_EQ(list().columnWidth(0), 130);
  EXPECT_EQ(list().columnWidth(1), 240);
  EXPECT_EQ(list().columnWidth(2), 360);

  const std::vector<std::string> expected = {
      "PxList-a|ticked|\"C:\\A\\a.exe\" /min|" + Location(HKEY_CURRENT_USER, kRun),
      "PxList-b|unticked|C:\\B\\b.exe|" + Location(HKEY_CURRENT_USER, kRun),
      "PxList-c|unticked|c.exe|" + Location(HKEY_CURRENT_USER, kRunOnceSetup),
      "PxList-a|ticked|machine a.exe|" + Location(HKEY_LOCAL_MACHINE, kRun),
      "PxList-e|ticked|%windir%\\e.exe|" + Location(HKEY_LOCAL_MACHINE, kRunOnceEx),
      "PxList-f.lnk|ticked|" + user + "PxList-f.lnk|" + user,
      "PxList-g.txt|ticked|" + common + "PxList-g.txt|" + common,
  };
  EXPECT_EQ(RowTexts(list(), "PxList-"), expected);

  // The whole list is the sources' reading, row for row.
  std::vector<startup::StartupRow> all = startup::ReadStartupRows();
  ASSERT_EQ(list().count(), static_cast<int>(all.size()));
  EXPECT_EQ(page().currentRows(), all);

  // Nothing selected yet: Delete Entry waits, the information box is hidden.
  EXPECT_FALSE(IsWindowEnabled(page().btnDelete.hwnd()));
  EXPECT_FALSE(page().itemInfoShown());
  EXPECT_EQ(page().btnSelectAll.text(), "Disable All");
  EXPECT_TRUE(page().AllEnabled);
}

TEST_F(StartupPage, UntickAndApplyParksTheValueAndTickAndApplyBringsItBack) {
  SetText(HKEY_CURRENT_USER, kRun, "PxPark", "\"C:\\Px Park\\park.exe\" -tray");
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxPark-machine", "machine.exe");
  const SourceState before = CaptureSources();
  page().RefreshStartupList();
  const std::string location = Location(HKEY_CURRENT_USER, kRun);

  list().setChecked(item("PxPark", location), false);
  Click(page().btnApply.hwnd());

  SourceState parked = before;
  Values(parked, StateKey(HKEY_CURRENT_USER, kRun)).erase("PxPark");
  Values(parked, ParkingStateKey(HKEY_CURRENT_USER, kRun))["PxPark"] =
      Sz("\"C:\\Px Park\\park.exe\" -tray");
  EXPECT_EQ(CaptureSources(), parked);
  // The list is not read again: the row keeps its place and its tick.
  EXPECT_FALSE(list().checked(item("PxPark", location)));

  // Read anew, the parked entry is an unticked row of the Run key it returns to.
  page().RefreshStartupList();
  const int row = item("PxPark", location);
  ASSERT_GE(row, 0);
  EXPECT_FALSE(list().checked(row));
  list().setChecked(row, true);
  Click(page().btnApply.hwnd());

  SourceState restored = before;
  Values(restored, ParkingStateKey(HKEY_CURRENT_USER, kRun));  // stays, empty
  EXPECT_EQ(CaptureSources(), restored);
}

TEST_F(StartupPage, DisableAllThenApplyParksEveryValueAndEnableAllTicksEveryRow) {
  SetText(HKEY_CURRENT_USER, kRun, "PxAll-user", "user.exe");
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxAll-machine", "machine.exe");
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxAll-file.txt", "file"));
  const SourceState before = CaptureSources();
  // Hidden and dot-named entries are no rows: only they stay in the folders.
  SourceState expected = before;
  for (auto& [folder, names] : expected.folders) {
    std::erase_if(names, [&](const std::string& name) {
      DWORD attrs = GetFileAttributesA((folder + name).c_str());
      return !(attrs & FILE_ATTRIBUTE_HIDDEN) && name[0] != '.';
    });
  }
  page().RefreshStartupList();
  ASSERT_GT(list().count(), 2);

  Click(page().btnSelectAll.hwnd());
  EXPECT_FALSE(page().AllEnabled);
  EXPECT_EQ(page().btnSelectAll.text(), "Enable All");
  for (int i = 0; i < list().count(); ++i) EXPECT_FALSE(list().checked(i)) << i;
  Click(page().btnApply.hwnd());

  // Every text value moved into its parking key; every listed file went to the bin.
  startup_test::ParkTextValues(expected);
  EXPECT_EQ(CaptureSources(), expected);
  EXPECT_TRUE(startup_test::Exists(startup_test::TrashFilesFolder() + "PxAll-file.txt"));

  Click(page().btnSelectAll.hwnd());
  EXPECT_TRUE(page().AllEnabled);
  EXPECT_EQ(page().btnSelectAll.text(), "Disable All");
  for (int i = 0; i < list().count(); ++i) EXPECT_TRUE(list().checked(i)) << i;
}

TEST_F(StartupPage, ShowingThePageTakesTheFlagFromTheLastRow) {
  SetText(HKEY_CURRENT_USER, kRun, "PxFlag-value", "value.exe");
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxFlag.txt", "file"));
  page().RefreshStartupList();
  page().lsvStartupListSelectItem(-1);
  EXPECT_TRUE(IsWindowEnabled(page().btnDelete.hwnd()));
  page().AllEnabled = false;
  page().show(false);
  EXPECT_FALSE(page().visible());
  page().ActivatePage();
  EXPECT_TRUE(page().visible());
  EXPECT_FALSE(IsWindowEnabled(page().btnDelete.hwnd()));
  // The last row, a start-up folder file, is ticked.
  EXPECT_TRUE(page().AllEnabled);
  EXPECT_EQ(page().btnSelectAll.text(), "Disable All");

  // Every file goes to the bin and every value is parked: the rows read next are
  // all unticked.
  Click(page().btnSelectAll.hwnd());
  Click(page().btnApply.hwnd());
  page().AllEnabled = true;
  page().ActivatePage();
  ASSERT_GT(list().count(), 0);
  EXPECT_FALSE(list().checked(list().count() - 1));
  EXPECT_FALSE(page().AllEnabled);
  EXPECT_EQ(page().btnSelectAll.text(), "Enable All");

  // The language table relabels the button by what it does next.
  ui::TMainWindowTextTargets texts;
  page().addTextTargets(texts);
  ui::ApplyMainWindowTexts(texts);
  EXPECT_EQ(page().btnSelectAll.text(), "Enable All");
  EXPECT_EQ(page().btnApply.text(), "Apply");
  EXPECT_EQ(tk::MenuItemText(page().pmSLRightClick.handle(), host.actions.ActionAddItem.id()),
            "Add Entry");
}

TEST_F(StartupPage, DeleteEntryAsksOnceThenRemovesTheSelectedEntriesForGood) {
  SetText(HKEY_CURRENT_USER, kRun, "PxDel", "enabled.exe");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxDel", "parked.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxDel-kept", "kept.exe");
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxDel-file.txt", "file"));
  page().RefreshStartupList();
  const SourceState before = CaptureSources();
  const std::string location = Location(HKEY_CURRENT_USER, kRun);
  const int count = list().count();

  // The parked row and the file are selected; the enabled value of the same name is
  // another entry and stays.
  int parkedRow = -1;
  for (int i = 0; i < list().count(); ++i) {
    if (list().itemText(i, 0) == "PxDel" && !list().checked(i)) parkedRow = i;
  }
  ASSERT_GE(parkedRow, 0);
  list().clearSelection();
  list().select(parkedRow);
  list().select(item("PxDel-file.txt", user));
  ASSERT_EQ(list().selectedCount(), 2);
  EXPECT_TRUE(IsWindowEnabled(page().btnDelete.hwnd()));

  {
    testing_support::ScriptedMessageBoxes boxes({IDNO});
    Click(page().btnDelete.hwnd());
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.request(0).text, "Do you really want to delete the startup entry selected?");
    EXPECT_EQ(boxes.request(0).caption, settings::kAppTitle);
    EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  }
  EXPECT_EQ(CaptureSources(), before);
  EXPECT_EQ(list().count(), count);

  {
    testing_support::ScriptedMessageBoxes boxes({IDYES});
    Click(page().btnDelete.hwnd());
    EXPECT_EQ(boxes.count(), 1u);
  }
  SourceState expected = before;
  Values(expected, ParkingStateKey(HKEY_CURRENT_USER, kRun)).erase("PxDel");
  expected.folders[user].erase("PxDel-file.txt");
  EXPECT_EQ(CaptureSources(), expected);
  // Deleted for good, not recycled.
  EXPECT_FALSE(startup_test::Exists(startup_test::TrashFilesFolder() + "PxDel-file.txt"));
  EXPECT_EQ(list().count(), count - 2);
  EXPECT_EQ(ItemOf(list(), "PxDel-file.txt", user), -1);
  const int twin = ItemOf(list(), "PxDel", location);  // the enabled row is still listed
  ASSERT_GE(twin, 0);
  EXPECT_TRUE(list().checked(twin));
  EXPECT_EQ(list().itemText(twin, 1), "enabled.exe");
  EXPECT_GE(ItemOf(list(), "PxDel-kept", location), 0);
}

TEST_F(StartupPage, UntickedStartupFolderFileGoesToTheRecycleBinOnApply) {
  const std::string trash = startup_test::TrashFilesFolder();
  ASSERT_FALSE(trash.empty()) << "XDG_DATA_HOME is not set";
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxBin.lnk", "shortcut bytes"));
  ASSERT_TRUE(sys::WriteFileBytes(common + "PxBin-kept.txt", "kept"));
  page().RefreshStartupList();

  list().setChecked(item("PxBin.lnk", user), false);
  Click(page().btnApply.hwnd());

  EXPECT_FALSE(startup_test::Exists(user + "PxBin.lnk"));
  EXPECT_TRUE(startup_test::Exists(common + "PxBin-kept.txt"));
  std::string recycled;
  ASSERT_TRUE(sys::ReadFileBytes(trash + "PxBin.lnk", recycled));
  EXPECT_EQ(recycled, "shortcut bytes");
  // The row stays until the next refresh.
  EXPECT_GE(ItemOf(list(), "PxBin.lnk", user), 0);
  page().RefreshStartupList();
  EXPECT_EQ(ItemOf(list(), "PxBin.lnk", user), -1);
}

TEST_F(StartupPage, TheItemInfoBoxShowsTheSelectedProgramsVersionTexts) {
  const std::string english = startup_test::FixturePath("VersionEnUs");
  const std::string bare = startup_test::FixturePath("NoVersion");
  SetText(HKEY_CURRENT_USER, kRun, "PxInfo-english", "\"" + english + "\" /background");
  SetText(HKEY_CURRENT_USER, kRun, "PxInfo-bare", bare);
  SetText(HKEY_CURRENT_USER, kRun, "PxInfo-args", english + " -min");
  page().RefreshStartupList();
  const std::string location = Location(HKEY_CURRENT_USER, kRun);

  list().selectOnly(item("PxInfo-english", location));
  EXPECT_TRUE(page().itemInfoShown());
  EXPECT_TRUE(IsWindowVisible(page().lblPublisherValue.hwnd()));
  EXPECT_TRUE(IsWindowEnabled(page().btnDelete.hwnd()));
  EXPECT_EQ(page().lblPublisherValue.text(), "Harbour Lights Software");
  EXPECT_EQ(page().lblVersionValue.text(), "1.2.3.4");
  EXPECT_EQ(page().lblDescription.text(), "Harbour tray helper");
  EXPECT_EQ(page().lblPublisher.text(), "Publisher: ");

  // No version resource: the box goes; another program brings it back.
  list().selectOnly(item("PxInfo-bare", location));
  EXPECT_FALSE(page().itemInfoShown());
  EXPECT_FALSE(IsWindowVisible(page().lblDescription.hwnd()));
  // Arguments that are no switch stay part of the path: nothing is found.
  list().selectOnly(item("PxInfo-args", location));
  EXPECT_FALSE(page().itemInfoShown());
  list().selectOnly(item("PxInfo-english", location));
  EXPECT_TRUE(page().itemInfoShown());
  EXPECT_EQ(page().lblVersionValue.text(), "1.2.3.4");
}

TEST_F(StartupPage, TheItemInfoBoxSaysWhereADisabledEntryIsHeld) {
  const std::string english = startup_test::FixturePath("VersionEnUs");
  SetText(HKEY_CURRENT_USER, kRun, "PxWhere-off", "\"" + english + "\" /tray");
  startup_test::SetWideRaw(HKEY_CURRENT_USER, startup_test::kApproved + "\\Run", "PxWhere-off",
                           REG_BINARY, startup_test::Switch(3).data);
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxWhere-parked", "C:\\Px\\none.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxWhere-on", "\"" + english + "\"");
  page().RefreshStartupList();
  const std::string location = Location(HKEY_CURRENT_USER, kRun);
  const RECT plain = page().grbItemInfo.bounds();

  // Switched off in Windows' own settings: unticked, with its version texts and where.
  const int off = item("PxWhere-off", location);
  EXPECT_FALSE(list().checked(off));
  list().selectOnly(off);
  EXPECT_TRUE(page().itemInfoShown());
  EXPECT_TRUE(page().disabledSourceShown());
  EXPECT_EQ(page().lblDisabledIn.text(), "Disabled in: HKCU\\...\\Explorer\\StartupApproved\\Run");
  EXPECT_EQ(page().lblVersionValue.text(), "1.2.3.4");
  const RECT grown = page().grbItemInfo.bounds();
  EXPECT_GT(grown.bottom - grown.top, plain.bottom - plain.top);
  EXPECT_LE(page().lblDisabledIn.bounds().bottom, grown.bottom - grown.top);

  // Parked, and no version texts: the box stays for where it is held.
  list().selectOnly(item("PxWhere-parked", location));
  EXPECT_TRUE(page().itemInfoShown());
  EXPECT_EQ(page().lblDisabledIn.text(),
            "Disabled in: HKCU\\...\\CurrentVersion\\Run\\Run_Disable");
  EXPECT_EQ(page().lblVersionValue.text(), "");

  // Enabled: the line goes and the box takes the skin's size again.
  list().selectOnly(item("PxWhere-on", location));
  EXPECT_FALSE(page().disabledSourceShown());
  const RECT back = page().grbItemInfo.bounds();
  EXPECT_EQ(back.bottom - back.top, plain.bottom - plain.top);
}

TEST_F(StartupPage, ApplyTellsWhichEntriesItLeftAndShowsTheirTicksAsTheyAre) {
  SetText(HKEY_CURRENT_USER, kRun, "PxTwin", "new.exe");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxTwin", "old.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxTwin-free", "free.exe");
  page().RefreshStartupList();
  const SourceState before = CaptureSources();
  const std::string location = Location(HKEY_CURRENT_USER, kRun);
  std::vector<int> twins;
  for (int i = 0; i < list().count(); ++i) {
    if (list().itemText(i, 0) == "PxTwin") twins.push_back(i);
  }
  ASSERT_EQ(twins.size(), 2u);
  for (int twin : twins) list().setChecked(twin, !list().checked(twin));
  list().setChecked(item("PxTwin-free", location), false);

  testing_support::ScriptedMessageBoxes boxes({IDOK});
  Click(page().btnApply.hwnd());
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.request(0).caption, settings::kAppTitle);
  EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_EQ(boxes.request(0).text,
            "These start-up entries were left as they are:\r\n"
            "\r\nPxTwin (" +
                location +
                "): its parking key already holds a disabled entry of that name with another "
                "command.\r\nPxTwin (" +
                location +
                "): its Run key already holds an enabled entry of that name with another command.");
  SourceState expected = before;
  Values(expected, StateKey(HKEY_CURRENT_USER, kRun)).erase("PxTwin-free");
  Values(expected, ParkingStateKey(HKEY_CURRENT_USER, kRun))["PxTwin-free"] = Sz("free.exe");
  EXPECT_EQ(CaptureSources(), expected);
  // Each twin shows where the system still holds it.
  for (int twin : twins) EXPECT_EQ(list().checked(twin), list().itemText(twin, 1) == "new.exe");
  EXPECT_FALSE(list().checked(item("PxTwin-free", location)));
}

TEST_F(StartupPage, TheContextMenuOffersItsCommandsAndDeleteFollowsTheSelection) {
  SetText(HKEY_CURRENT_USER, kRun, "PxMenu", "menu.exe");
  page().RefreshStartupList();
  HMENU menu = page().pmSLRightClick.handle();
  auto grey = [&](UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };

  list().clearSelection();
  PostMessageA(host.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  page().lsvStartupListMouseDown(NM_RCLICK);
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(GetMenuItemID(menu, 0), host.actions.ActionAddItem.id());
  EXPECT_EQ(GetMenuItemID(menu, 1), host.actions.ActionDelete.id());
  EXPECT_EQ(GetMenuItemID(menu, 2), host.actions.ActionRefresh.id());
  EXPECT_EQ(tk::MenuItemText(menu, host.actions.ActionDelete.id()), "Delete Entry");
  EXPECT_EQ(tk::MenuItemText(menu, host.actions.ActionRefresh.id()), "Refresh");
  EXPECT_TRUE(grey(host.actions.ActionDelete.id()));
  EXPECT_FALSE(grey(host.actions.ActionAddItem.id()));

  // With a row selected Delete Entry can be chosen; Down, Down, Down and Enter run
  // the third item, Refresh.
  list().selectOnly(item("PxMenu", Location(HKEY_CURRENT_USER, kRun)));
  for (int i = 0; i < 3; ++i) PostMessageA(host.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(host.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  page().lsvStartupListMouseDown(NM_RCLICK);
  EXPECT_FALSE(grey(host.actions.ActionDelete.id()));
  EXPECT_EQ(host.refreshes, 1);

  // Other buttons open nothing.
  page().lsvStartupListMouseDown(NM_CLICK);
  EXPECT_EQ(host.refreshes, 1);
}

TEST_F(StartupPage, TheHotSpotGivesTheListTheSkinsFullPlaceAndBack) {
  auto listBounds = [&] { return list().control().bounds(); };
  page().sidePanel.toggle();  // collapses
  EXPECT_FALSE(page().SizePanelShown);
  RECT full = listBounds();
  EXPECT_EQ(full.left, 9);
  EXPECT_EQ(full.right - full.left, 742);
  page().sidePanel.toggle();  // restores
  EXPECT_TRUE(page().SizePanelShown);
  RECT normal = listBounds();
  EXPECT_EQ(normal.left, 169);
  EXPECT_EQ(normal.right - normal.left, 582);
  EXPECT_EQ(normal.bottom - normal.top, 394);

  // The skin places the page's controls through the targets it hands over.
  page().btnApply.SetBounds(0, 0, 10, 10);
  MoveWindow(page().lblDescription.hwnd(), 0, 0, 10, 10, FALSE);
  ui::TMainSkinTargets skin;
  page().addSkinTargets(skin);
  const settings::TSettings noFolders;  // the places only: no pictures to find
  ui::ApplySkin(noFolders, skin);
  RECT apply{};
  GetWindowRect(page().btnApply.hwnd(), &apply);
  MapWindowPoints(nullptr, page().sidePanel.content().hwnd(), reinterpret_cast<POINT*>(&apply), 2);
  EXPECT_EQ(apply.left, 15);
  EXPECT_EQ(apply.top, 112);
  EXPECT_EQ(apply.right - apply.left, 130);
  RECT description = page().lblDescription.bounds();
  EXPECT_EQ(description.left, 5);
  EXPECT_EQ(description.top, 141);
}

// Scanning again for programs removed earlier: the uninstall keeps the program's scan
// inputs, a restarted program lists it under Tools and its scan finds what the first
// one found; the list holds only programs whose entries are gone, Forget deletes only
// the record, and a record that cannot be written never stops an uninstall.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "main/UninstallCommands.h"
#include "main/frmMain.h"
#include "main/frmRemovedPrograms.h"
#include "support/MessagePump.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "toolkit/Action.h"
#include "ui/LanguageTable.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/SavedScans.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using testing_support::PumpMessagesUntil;

constexpr UINT kQuestion = MB_YESNO | MB_ICONWARNING;

void Click(const tk::Control& button, int id) {
  SendMessageA(GetParent(button.hwnd()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button.hwnd()));
}

void PostClick(const tk::Control& button, int id) {
  PostMessageA(GetParent(button.hwnd()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button.hwnd()));
}

// The quit message a main window posts when it goes, which would end the next loop.
void DropQuitMessage() {
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

std::vector<std::string> Captions(const tk::ListView& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.count(); ++i) out.push_back(list.itemText(i, 0));
  return out;
}

SYSTEMTIME Utc(WORD year, WORD month, WORD day) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = 12;
  return t;
}

class RemovedPrograms : public MainWindowTest {
 protected:
  const std::string& folder() const { return config.paths().ScanBackupDir; }
  // The folder's files and itself, each path spelled once.
  std::set<std::string> Files() const {
    return SnapshotDisk(folder().substr(0, folder().size() - 1));
  }
  uninstall::UninstallTarget Record(const std::string& keyName, const SYSTEMTIME& saved) {
    uninstall::UninstallTarget t;
    t.keyName = keyName;
    t.displayName = keyName + " App";
    t.entryRoot = HKEY_CURRENT_USER;
    EXPECT_TRUE(uninstall::SaveScanInputs(folder(), t, saved));
    return t;
  }
};

TEST_F(RemovedPrograms, ARestartedProgramScansARemovedOneAgainAndFindsTheSameLeftovers) {
  testing_support::SampleDesc desc;
  desc.name = "PxRestartSample";
  testing_support::InstalledSample sample(desc);
  RecordingAnswerer boxes([](const tk::MessageBoxRequest& request) {
    return request.flags == kQuestion ? IDYES : IDOK;
  });

  // The first run: the uninstall, and its scan closed without deleting anything.
  std::set<std::string> firstKeys, firstFiles;
  uninstall::UninstallTarget firstTarget;
  {
    auto form = std::make_unique<forms::TMainForm>(config);
    ASSERT_TRUE(form->Create());
    form->show(SW_SHOWNOACTIVATE);
    tk::ListView& list = form->programPage().lsvProgramList;
    ASSERT_GE(RowOf(list, desc.name), 0);
    list.selectOnly(RowOf(list, desc.name));
    forms::TScanForm* scan = nullptr;
    form->uninstallCommands().onScanFormCreated = [&](forms::TScanForm& f) { scan = &f; };
    TimerDriver driver([&] {
      if (!scan || !scan->hwnd() || !scan->scanned()) return false;
      firstTarget = scan->target();
      firstKeys = NodeTextSet(scan->tvScanRegInfo);
      firstFiles = NodeTextSet(scan->tvScanFiles);
      PostClick(scan->btnCancel, IDCANCEL);
      return true;
    });
    ASSERT_TRUE(form->actions().ActionUninstall.execute());
    // Saved as the uninstaller starts, before anything of the program is gone.
    const std::vector<uninstall::SavedScan> saved = uninstall::LoadSavedScans(folder());
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].target.keyName, desc.name);
    EXPECT_FALSE(saved[0].target.executables.empty());
    ASSERT_TRUE(PumpMessagesUntil([&] { return driver.done(); }, 90000));
    ASSERT_TRUE(PumpMessagesUntil([&] { return RowOf(list, desc.name) < 0; }, 10000));
    form.reset();
    DropQuitMessage();
  }
  ASSERT_FALSE(firstKeys.empty());
  ASSERT_FALSE(firstFiles.empty());

  // The second run: a new main window over the same settings.
  forms::TMainForm form(config);
  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  const forms::MainActions& a = form.actions();
  EXPECT_EQ(tk::MenuItemText(form.pmTools.handle(), a.ActionScanRemoved.id()),
            ui::LangText(ui::IDS_MAINFORM_MENU_TOOLS_ScanRemoved));
  forms::TRemovedProgramsForm* removed = nullptr;
  forms::TScanForm* scan = nullptr;
  HWND removedWindow = nullptr, scanWindow = nullptr;
  form.uninstallCommands().onRemovedFormCreated = [&](forms::TRemovedProgramsForm& f) {
    removed = &f;
    removedWindow = f.hwnd();
  };
  form.uninstallCommands().onScanFormCreated = [&](forms::TScanForm& f) {
    scan = &f;
    scanWindow = f.hwnd();
  };
  std::vector<std::string> rows;
  std::string removedText;
  std::set<std::string> secondKeys, secondFiles;
  uninstall::UninstallTarget secondTarget;
  HWND scanOwner = nullptr;
  int stage = 0;
  TimerDriver driver([&] {
    if (stage == 0) {
      if (!removed || !removed->visible()) return false;
      rows = Captions(removed->lsvRemovedPrograms);
      removedText = removed->lsvRemovedPrograms.itemText(0, 1);
      removed->lsvRemovedPrograms.selectOnly(RowOf(removed->lsvRemovedPrograms, desc.name));
      PostClick(removed->btnScan, forms::kIdRemovedScan);
      stage = 1;
      return false;
    }
    if (stage == 1) {
      if (!scan || !scan->hwnd() || !scan->scanned()) return false;
      secondTarget = scan->target();
      secondKeys = NodeTextSet(scan->tvScanRegInfo);
      secondFiles = NodeTextSet(scan->tvScanFiles);
      scanOwner = GetWindow(scan->hwnd(), GW_OWNER);
      PostClick(scan->btnCancel, IDCANCEL);
      stage = 2;
      return false;
    }
    if (IsWindow(scanWindow) && IsWindowVisible(scanWindow)) return false;
    PostClick(removed->btnClose, IDCANCEL);
    return true;
  });
  // Through the command table, as the menu item sends it.
  PostMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(a.ActionScanRemoved.id(), 0), 0);
  ASSERT_TRUE(PumpMessagesUntil([&] { return driver.done() && !IsWindow(removedWindow); }, 90000))
      << "stage " << stage;

  EXPECT_EQ(rows, (std::vector<std::string>{desc.name}));
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_NE(removedText.find(std::to_string(now.wYear % 100)), std::string::npos) << removedText;
  EXPECT_EQ(scanOwner, removedWindow) << "the scan window is owned by the list";
  EXPECT_EQ(secondTarget.keyName, firstTarget.keyName);
  EXPECT_EQ(secondTarget.installDir, firstTarget.installDir);
  EXPECT_EQ(secondTarget.displayName, firstTarget.displayName);
  EXPECT_EQ(secondTarget.publisher, firstTarget.publisher);
  EXPECT_EQ(secondTarget.displayIcon, firstTarget.displayIcon);
  EXPECT_EQ(secondTarget.uninstallString, firstTarget.uninstallString);
  EXPECT_EQ(secondTarget.executables, firstTarget.executables);
  EXPECT_EQ(secondTarget.entryRoot, firstTarget.entryRoot);
  EXPECT_EQ(secondTarget.entryView, firstTarget.entryView);
  EXPECT_TRUE(secondTarget.uninstalled);
  EXPECT_EQ(secondKeys, firstKeys);
  EXPECT_EQ(secondFiles, firstFiles);
  // Scanning keeps the record; the list shows it next time as well.
  EXPECT_EQ(uninstall::LoadSavedScans(folder()).size(), 1u);
}

TEST_F(RemovedPrograms, OnlyProgramsWhoseEntriesAreGoneAreListedAndForgetDeletesOnlyTheRecord) {
  const std::string unique = testing_support::UniqueName("Px");
  const std::string kept = unique + "Installed", back = unique + "Back";
  const std::string keptEntry = std::string(uninstall::kUninstallKeyPath) + "\\" + kept;
  const std::string backEntry = std::string(uninstall::kUninstallKeyPath) + "\\" + back;
  CreateKey(HKEY_CURRENT_USER, keptEntry, {"DisplayName"});
  Record(unique + "Old", Utc(2023, 1, 2));
  Record(kept, Utc(2024, 8, 1));
  Record(back, Utc(2024, 3, 4));
  Record(unique + "New", Utc(2024, 6, 7));
  const std::set<std::string> filesBefore = Files();

  forms::TMainForm form(config);
  ASSERT_TRUE(form.Create());
  forms::TRemovedProgramsForm* removed = nullptr;
  std::vector<uninstall::UninstallTarget> scanned;
  form.uninstallCommands().onRemovedFormCreated = [&](forms::TRemovedProgramsForm& f) {
    removed = &f;
    f.onScan = [&](const uninstall::UninstallTarget& target, HWND) { scanned.push_back(target); };
    // A language chosen meanwhile: the window shows its texts.
    ui::LanguageTable().setText(ui::IDS_REMOVEDFORM_Title, "Entfernte Programme");
    ui::LanguageTable().setText(ui::IDS_REMOVEDFORM_BUTTON_Forget, "Vergessen");
    ui::LanguageTable().setText(ui::IDS_REMOVEDFORM_COLUMN_Removed, "Entfernt");
  };
  std::vector<std::string> rows, rowsAfter;
  std::string title, forgetText, column;
  bool buttonsLiveWithoutChoice = true;
  std::set<std::string> filesAfterForget;
  TimerDriver driver([&] {
    if (!removed || !removed->visible()) return false;
    tk::ListView& list = removed->lsvRemovedPrograms;
    rows = Captions(list);
    title = removed->text();
    forgetText = removed->btnForget.text();
    column = list.columnCaption(1);
    list.selectOnly(RowOf(list, unique + "Old App"));
    Click(removed->btnScan, forms::kIdRemovedScan);
    // Installed again while the list is open: its scan offers nothing ticked.
    CreateKey(HKEY_CURRENT_USER, backEntry, {"DisplayName"});
    list.selectOnly(RowOf(list, back + " App"));
    Click(removed->btnScan, forms::kIdRemovedScan);
    list.selectOnly(RowOf(list, unique + "New App"));
    Click(removed->btnForget, forms::kIdRemovedForget);
    rowsAfter = Captions(list);
    filesAfterForget = Files();
    list.clearSelection();
    testing_support::PumpMessagesFor(30);
    buttonsLiveWithoutChoice = removed->btnScan.enabled() || removed->btnForget.enabled();
    PostClick(removed->btnClose, IDCANCEL);
    return true;
  });
  form.actions().ActionScanRemoved.execute();
  RegDeleteKeyA(HKEY_CURRENT_USER, keptEntry.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, backEntry.c_str());
  ui::LanguageTable().resetToDefaults();
  ASSERT_TRUE(driver.done());

  EXPECT_EQ(rows,
            (std::vector<std::string>{unique + "New App", back + " App", unique + "Old App"}));
  EXPECT_EQ(title, "Entfernte Programme");
  EXPECT_EQ(forgetText, "Vergessen");
  EXPECT_EQ(column, "Entfernt");
  ASSERT_EQ(scanned.size(), 2u);
  EXPECT_EQ(scanned[0].keyName, unique + "Old");
  EXPECT_TRUE(scanned[0].uninstalled);
  EXPECT_EQ(scanned[1].keyName, back);
  EXPECT_FALSE(scanned[1].uninstalled);
  EXPECT_EQ(rowsAfter, (std::vector<std::string>{back + " App", unique + "Old App"}));
  uninstall::UninstallTarget forgotten;
  forgotten.keyName = unique + "New";
  forgotten.entryRoot = HKEY_CURRENT_USER;
  EXPECT_EQ(Minus(filesBefore, filesAfterForget),
            (std::set<std::string>{folder() + uninstall::SavedScanFileName(forgotten)}));
  EXPECT_TRUE(Minus(filesAfterForget, filesBefore).empty());
  EXPECT_FALSE(buttonsLiveWithoutChoice) << "Scan and Forget wait for a chosen row";
}

TEST_F(RemovedPrograms, WithNoRemovedProgramOnRecordAMessageShowsAndNoWindow) {
  forms::TMainForm form(config);
  ASSERT_TRUE(form.Create());
  bool opened = false;
  form.uninstallCommands().onRemovedFormCreated = [&](forms::TRemovedProgramsForm&) {
    opened = true;
  };
  const std::string expected =
      forms::MessageText(ui::LangText(ui::IDS_MESSAGEBOX_WARNING_NoRemovedPrograms));
  {
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
    form.actions().ActionScanRemoved.execute();
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, expected);
    EXPECT_EQ(boxes.requests[0].caption, "Prunaxis");
  }
  // Only a program that is still installed is on record: the same, and its record stays.
  const std::string kept = testing_support::UniqueName("PxStillHere");
  const std::string entry = std::string(uninstall::kUninstallKeyPath) + "\\" + kept;
  CreateKey(HKEY_CURRENT_USER, entry, {"DisplayName"});
  Record(kept, Utc(2024, 1, 1));
  const std::set<std::string> before = Files();
  {
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDOK; });
    form.actions().ActionScanRemoved.execute();
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text, expected);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, entry.c_str());
  EXPECT_FALSE(opened);
  EXPECT_EQ(Files(), before);
}

TEST_F(RemovedPrograms, TheUninstallStartsThoughItsRecordCannotBeWritten) {
  testing_support::SampleDesc desc;
  desc.name = "PxRecordSample";
  desc.perUser = true;
  testing_support::InstalledSample sample(desc);
  forms::TMainForm form(config);
  ASSERT_TRUE(form.Create());
  std::vector<uninstall::UninstallTarget> started;
  form.uninstallCommands().startRunner = [&](std::string, uninstall::UninstallTarget target, HWND) {
    started.push_back(std::move(target));
    return true;
  };
  tk::ListView& list = form.programPage().lsvProgramList;
  ASSERT_GE(RowOf(list, desc.name), 0);
  list.selectOnly(RowOf(list, desc.name));

  // A file stands where the records' folder should be.
  const std::string blocked = dir.file("blocked");
  WriteTextFile(blocked);
  settings::TPaths paths = config.paths();
  paths.ScanBackupDir = blocked + "\\scans\\";
  settings::TListOptions options;
  options.HideScreenSaver = config.hideScreenSaver();
  options.HideSysPatch = config.hideSysPatch();
  config = settings::TSettings(paths, options);
  ASSERT_TRUE(form.actions().ActionUninstall.execute());
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].keyName, desc.name);
  EXPECT_EQ(SnapshotDisk(blocked), (std::set<std::string>{blocked}));
}

}  // namespace

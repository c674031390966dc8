// The main window's removal commands and its answer to a runner's report, with the
// real component: screen savers go into the backup folder under a free name, a program
// row (whatever its name) starts its uninstaller, the prompts decide whether the scan
// opens and the list is read again, and reports that come together are handled one
// after the other.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "fixtures/SampleLayout.h"
#include "inventory/ProgramRowData.h"
#include "main/ProgramListLogic.h"
#include "main/UninstallCommands.h"
#include "main/frmMain.h"
#include "support/MessagePump.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "ui/LanguageTable.h"
#include "uninstall/frmScanRemains.h"
#include "uninstall_gui/GuiTestSupport.h"

namespace {

using namespace uninstall_gui;
using testing_support::PumpMessagesUntil;

constexpr UINT kQuestion = MB_YESNO | MB_ICONWARNING;

std::string SystemFolder() {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  return system;
}

class RemovalCommands : public MainWindowTest {
 protected:
  tk::ListView& list() { return form.programPage().lsvProgramList; }
  // The row of the screen saver whose file is `fileName`, or -1.
  int SaverRow(const std::string& fileName) {
    for (int i = 0; i < list().count(); ++i) {
      const LPARAM data = list().itemData(i);
      if (inventory::RowKind(data) == inventory::ProgramRowKind::ScreenSaver &&
          form.ProgramList.GetScreenSaverFileName(inventory::RowIndex(data)) == fileName)
        return i;
    }
    return -1;
  }
  std::string Question(ui::LangId id) { return forms::MessageText(ui::LangText(id)); }

  forms::TMainForm form{config};
};

TEST_F(RemovalCommands, AScreenSaverGoesIntoTheBackupFolderUnderAFreeName) {
  startWith(false, false);
  const std::string fileName = "PxRoadSaver.scr";
  const std::string installed = SystemFolder() + "\\" + fileName;
  const std::string protectedCopy = SystemFolder() + "\\dllcache\\" + fileName;
  const std::string source = testing_support::FixturesDir() + sample::kSaverFile;
  ASSERT_TRUE(CopyFileA(source.c_str(), installed.c_str(), FALSE));
  CreateDirectoryA((SystemFolder() + "\\dllcache").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(source.c_str(), protectedCopy.c_str(), FALSE));
  // An older backup holds the name already.
  ASSERT_TRUE(sys::ForceDirectories(config.paths().ScrBackupDir));
  ASSERT_TRUE(sys::WriteFileBytes(config.paths().ScrBackupDir + fileName, "older"));

  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  const int row = SaverRow(fileName);
  ASSERT_GE(row, 0);
  list().selectOnly(row);
  testing_support::PumpMessagesFor(50);
  EXPECT_TRUE(form.actions().ActionDeleteScr.isBoundTo(form.programPage().btnUninstall.hwnd()));

  {
    // No changes nothing.
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDNO; });
    form.actions().ActionDeleteScr.execute();
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text,
              forms::MessageText(ui::LangText(ui::IDS_MESSAGEBOX_WARNING_DeleteScr)));
    EXPECT_EQ(boxes.requests[0].flags, kQuestion);
    EXPECT_EQ(boxes.requests[0].caption, "Prunaxis");
  }
  EXPECT_TRUE(PathExists(installed));
  EXPECT_TRUE(PathExists(protectedCopy));
  EXPECT_EQ(FilesIn(sys::ExcludeTrailingBackslash(config.paths().ScrBackupDir)),
            (std::vector<std::string>{fileName}));

  {
    // The uninstall command (a double click) on a screen saver row removes the saver.
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDYES; });
    ASSERT_TRUE(form.actions().ActionUninstall.execute());
    ASSERT_EQ(boxes.requests.size(), 1u);
  }
  EXPECT_FALSE(PathExists(installed));
  EXPECT_FALSE(PathExists(protectedCopy));
  EXPECT_EQ(FilesIn(sys::ExcludeTrailingBackslash(config.paths().ScrBackupDir)),
            (std::vector<std::string>{"PxRoadSaver (2).scr", fileName}));
  EXPECT_EQ(FileText(config.paths().ScrBackupDir + fileName), "older");
  EXPECT_EQ(FileText(config.paths().ScrBackupDir + "PxRoadSaver (2).scr"), FileText(source));
  EXPECT_LT(SaverRow(fileName), 0) << "the list was read again";
}

TEST_F(RemovalCommands, TheReportsPromptDecidesOnTheScanAndTheRefresh) {
  ASSERT_TRUE(form.Create());
  form.show(SW_SHOWNOACTIVATE);
  bool scanOpened = false;
  form.uninstallCommands().onScanFormCreated = [&](forms::TScanForm&) { scanOpened = true; };
  // A program installed after the list was filled shows only once it is read again.
  testing_support::SampleDesc desc;
  desc.name = "PxPromptSample";
  testing_support::InstalledSample sample(desc);
  ASSERT_LT(RowOf(list(), desc.name), 0);

  uninstall::UninstallFinished failed{false, {"PxPromptNoSuchKey", dir.file("Missing")}};
  {
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDNO; });
    SendMessageA(form.hwnd(), uninstall::WM_UNINSTALL_FINISHED, 0,
                 reinterpret_cast<LPARAM>(&failed));
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].text,
              forms::MessageText(ui::LangText(ui::IDS_MESSAGEBOX_WARNING_UninstallFailed)));
    EXPECT_EQ(boxes.requests[0].flags, kQuestion);
  }
  EXPECT_FALSE(scanOpened);
  EXPECT_LT(RowOf(list(), desc.name), 0) << "No leaves the list as it was";

  // Yes opens the scan for the reported program; it finds nothing and closes, and
  // the list is read again.
  uninstall::UninstallFinished started{true, failed.target};
  {
    RecordingAnswerer boxes([](const tk::MessageBoxRequest& request) {
      return request.flags == kQuestion ? IDYES : IDOK;
    });
    SendMessageA(form.hwnd(), uninstall::WM_UNINSTALL_FINISHED, 1,
                 reinterpret_cast<LPARAM>(&started));
    ASSERT_EQ(boxes.requests.size(), 2u);
    EXPECT_EQ(boxes.requests[0].text,
              forms::MessageText(ui::LangText(ui::IDS_MESSAGEBOX_WARNING_ScanRemains)));
    EXPECT_EQ(boxes.requests[1].text, "No files or registry keys left!");
  }
  EXPECT_TRUE(scanOpened);
  EXPECT_GE(RowOf(list(), desc.name), 0);
}

TEST_F(RemovalCommands, TheRunnerIsReleasedBeforeThePromptShows) {
  ASSERT_TRUE(form.Create());
  bool asked = false;
  bool senderStillWaiting = true;
  std::atomic<bool> sent{false};
  RecordingAnswerer boxes([&](const tk::MessageBoxRequest&) {
    asked = true;
    // A released runner goes on at once; a blocked one waits for this answer. The count
    // only ends the wait for a blocked one, so it is long enough for a busy machine.
    for (int i = 0; i < 3000 && !sent; ++i) Sleep(10);
    senderStillWaiting = !sent;
    return IDNO;
  });
  const HWND window = form.hwnd();
  const uninstall::UninstallTarget target{"PxReleaseNoSuchKey", dir.file("Missing")};
  std::thread runner([window, target, &sent] {
    uninstall::UninstallFinished finished{false, target};
    SendMessageA(window, uninstall::WM_UNINSTALL_FINISHED, 0, reinterpret_cast<LPARAM>(&finished));
    sent = true;
  });
  PumpMessagesUntil([&] { return asked && sent; }, 60000);
  runner.join();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(senderStillWaiting) << "the prompt ran inside the runner's SendMessage";
}

TEST_F(RemovalCommands, ABracketedProgramNameStartsItsUninstallerWithItsEntrysPlace) {
  // A program, not a screen saver, though its name begins with a bracket.
  testing_support::SampleDesc beta;
  beta.name = "[Beta] PxTool";
  beta.perUser = true;
  testing_support::InstalledSample betaSample(beta);
  startWith(false, false);  // real screen saver rows are listed as well
  ASSERT_TRUE(form.Create());
  std::vector<std::pair<std::string, uninstall::UninstallTarget>> started;
  form.uninstallCommands().startRunner = [&](std::string command, uninstall::UninstallTarget target,
                                             HWND) {
    started.emplace_back(std::move(command), std::move(target));
    return true;
  };

  const int row = RowOf(list(), beta.name);
  ASSERT_GE(row, 0);
  list().selectOnly(row);
  {
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDYES; });
    ASSERT_TRUE(form.actions().ActionUninstall.execute());
    EXPECT_TRUE(boxes.requests.empty()) << "asked " << boxes.requests[0].text;
  }
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].first, sample::UninstallString(betaSample.dir(), "/S"));
  const uninstall::UninstallTarget& target = started[0].second;
  EXPECT_EQ(target.keyName, beta.name);
  EXPECT_EQ(target.displayName, beta.name);
  EXPECT_EQ(target.entryRoot, HKEY_CURRENT_USER);
  EXPECT_EQ(target.entryView, sys::RegView::Default);
  EXPECT_TRUE(FilesIn(sys::ExcludeTrailingBackslash(config.paths().ScrBackupDir)).empty())
      << "no screen saver was removed";
}

TEST(UninstallEntryPlace, FollowsTheComponentsSource) {
  using forms::EntryPlaceOfSource;
  using sys::RegView;
  auto is = [](forms::UninstallEntryPlace place, HKEY root, RegView view) {
    return place.root == root && place.view == view;
  };
  EXPECT_TRUE(is(EntryPlaceOfSource(0, true), HKEY_LOCAL_MACHINE, RegView::Wow64));
  EXPECT_TRUE(is(EntryPlaceOfSource(0, false), HKEY_LOCAL_MACHINE, RegView::Default));
  EXPECT_TRUE(is(EntryPlaceOfSource(1, true), HKEY_LOCAL_MACHINE, RegView::Wow32));
  EXPECT_TRUE(is(EntryPlaceOfSource(2, true), HKEY_CURRENT_USER, RegView::Default));
  EXPECT_TRUE(is(EntryPlaceOfSource(2, false), HKEY_CURRENT_USER, RegView::Default));
  EXPECT_TRUE(is(EntryPlaceOfSource(7, true), HKEY_LOCAL_MACHINE, RegView::Default));
}

TEST_F(RemovalCommands, AReportThatComesDuringAScanWaitsUntilThatScanHasClosed) {
  ASSERT_TRUE(form.Create());
  const HWND window = form.hwnd();
  std::vector<std::string> seen;  // the boxes and the scan windows, in order
  HWND firstScan = nullptr;
  bool scanWindowsNested = false;
  form.uninstallCommands().onScanFormCreated = [&](forms::TScanForm& scan) {
    seen.push_back("scan " + scan.target().keyName +
                   (scan.target().uninstalled ? "" : " (still listed)"));
    if (firstScan && IsWindow(firstScan)) scanWindowsNested = true;
    if (!firstScan) firstScan = scan.hwnd();
  };
  uninstall::UninstallFinished first{true, {"PxQueueFirstNoSuchKey", dir.file("Missing")}};
  uninstall::UninstallFinished second{true, {"PxQueueSecondNoSuchKey", dir.file("Missing")}};
  second.target.uninstalled = false;  // its entry was still there
  std::thread secondRunner;
  std::atomic<bool> secondReleased{false};
  {
    RecordingAnswerer boxes([&](const tk::MessageBoxRequest& request) {
      seen.push_back(request.text);
      if (request.flags == kQuestion) return IDYES;
      // The first scan's box is up (its modal loop runs): the second runner reports
      // now, and is released at once.
      if (!secondRunner.joinable()) {
        secondRunner = std::thread([&, window] {
          SendMessageA(window, uninstall::WM_UNINSTALL_FINISHED, 1,
                       reinterpret_cast<LPARAM>(&second));
          secondReleased = true;
        });
        EXPECT_TRUE(PumpMessagesUntil([&] { return secondReleased.load(); }, 30000));
        seen.push_back("second report in");
      }
      return IDOK;
    });
    SendMessageA(window, uninstall::WM_UNINSTALL_FINISHED, 1, reinterpret_cast<LPARAM>(&first));
  }
  if (secondRunner.joinable()) secondRunner.join();
  const std::string nothingLeft = "No files or registry keys left!";
  EXPECT_EQ(seen, (std::vector<std::string>{
                      Question(ui::IDS_MESSAGEBOX_WARNING_ScanRemains),
                      "scan PxQueueFirstNoSuchKey",
                      nothingLeft,
                      "second report in",
                      Question(ui::IDS_MESSAGEBOX_WARNING_UninstallNotDone),
                      "scan PxQueueSecondNoSuchKey (still listed)",
                      nothingLeft,
                  }));
  EXPECT_FALSE(scanWindowsNested);
}

}  // namespace

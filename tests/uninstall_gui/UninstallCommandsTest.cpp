// The main window's removal commands and its answer to a runner's report, with the
// real component: screen savers go into the backup folder under a free name, and the
// prompts decide whether the scan opens and the list is read again.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/globals.h"
#include "fixtures/SampleLayout.h"
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
    for (int i = 0; i < list().count(); ++i)
      if (forms::IsScreenSaverRow(list().itemText(i, 0)) &&
          form.ProgramList.GetScreenSaverFileName(static_cast<ULONG>(list().itemData(i))) ==
              fileName)
        return i;
    return -1;
  }

  forms::TMainForm form;
};

TEST_F(RemovalCommands, AScreenSaverGoesIntoTheBackupFolderUnderAFreeName) {
  app::HideScreenSaver = false;
  const std::string fileName = "PxRoadSaver.scr";
  const std::string installed = SystemFolder() + "\\" + fileName;
  const std::string protectedCopy = SystemFolder() + "\\dllcache\\" + fileName;
  const std::string source = testing_support::FixturesDir() + sample::kSaverFile;
  ASSERT_TRUE(CopyFileA(source.c_str(), installed.c_str(), FALSE));
  CreateDirectoryA((SystemFolder() + "\\dllcache").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(source.c_str(), protectedCopy.c_str(), FALSE));
  // An older backup holds the name already.
  ASSERT_TRUE(sys::ForceDirectories(app::AppPaths.ScrBackupDir));
  ASSERT_TRUE(sys::WriteFileBytes(app::AppPaths.ScrBackupDir + fileName, "older"));

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
  EXPECT_EQ(FilesIn(sys::ExcludeTrailingBackslash(app::AppPaths.ScrBackupDir)),
            (std::vector<std::string>{fileName}));

  {
    // The uninstall command (a double click) on a screen saver row removes the saver.
    RecordingAnswerer boxes([](const tk::MessageBoxRequest&) { return IDYES; });
    ASSERT_TRUE(form.actions().ActionUninstall.execute());
    ASSERT_EQ(boxes.requests.size(), 1u);
  }
  EXPECT_FALSE(PathExists(installed));
  EXPECT_FALSE(PathExists(protectedCopy));
  EXPECT_EQ(FilesIn(sys::ExcludeTrailingBackslash(app::AppPaths.ScrBackupDir)),
            (std::vector<std::string>{"PxRoadSaver (2).scr", fileName}));
  EXPECT_EQ(FileText(app::AppPaths.ScrBackupDir + fileName), "older");
  EXPECT_EQ(FileText(app::AppPaths.ScrBackupDir + "PxRoadSaver (2).scr"), FileText(source));
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

}  // namespace

// The uninstall runner against the real sample uninstaller: it launches the command,
// follows the whole hand-over chain, looks whether the uninstall entry went and
// reports to a message-only window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fixtures/SampleLayout.h"
#include "support/ChildProcess.h"
#include "support/DiskAndRegistry.h"
#include "support/MessagePump.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "uninstall/WaitingThread.h"

namespace {

using testing_support::InstalledSample;
using testing_support::PathExists;
using testing_support::ProcessNamedRunning;
using testing_support::PumpMessagesUntil;
using testing_support::SampleDesc;

BOOL CALLBACK CloseIfShellBox(HWND hwnd, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (pid == GetCurrentProcessId() && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd))
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  return TRUE;
}

// Closes the message boxes that the shell shows from the runner's thread.
void CloseShellErrorBoxes() {
  EnumWindows(CloseIfShellBox, 0);
}

// What the receiving window saw when the report arrived.
struct Report {
  int count = 0;
  WPARAM wParam = 99;
  std::string keyName;
  std::string installDir;
  bool uninstalled = true;
  DWORD launchedExitCode = 99;
  DWORD exitCode = 99;
  bool lParamMatchesWParam = false;
  std::string watchedFile;  // checked for while the handler runs
  bool watchedFileExisted = false;
  bool handoverCopyRunning = false;
  bool chainStepRunning = false;
};

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == uninstall::WM_UNINSTALL_FINISHED) {
    auto* report = reinterpret_cast<Report*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const uninstall::UninstallFinished* finished = uninstall::FinishedFromLParam(lParam);
    ++report->count;
    report->wParam = wParam;
    if (finished) {
      report->keyName = finished->target.keyName;
      report->installDir = finished->target.installDir;
      report->uninstalled = finished->target.uninstalled;
      report->launchedExitCode = finished->launchedExitCode;
      report->exitCode = finished->exitCode;
      report->lParamMatchesWParam = finished->started == (wParam == 1);
    }
    if (!report->watchedFile.empty()) report->watchedFileExisted = PathExists(report->watchedFile);
    report->handoverCopyRunning = ProcessNamedRunning(sample::kHandoverCopyName);
    report->chainStepRunning = ProcessNamedRunning(sample::kChainCopyName);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Receiver {
 public:
  Receiver() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "UninstallReportReceiver";
    RegisterClassA(&wc);  // a second registration fails harmlessly
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&report));
  }
  ~Receiver() { DestroyWindow(hwnd_); }
  Receiver(const Receiver&) = delete;
  Receiver& operator=(const Receiver&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool WaitForReport(DWORD timeoutMs) {
    return PumpMessagesUntil([&] { return report.count > 0; }, timeoutMs);
  }

  Report report;

 private:
  HWND hwnd_ = nullptr;
};

SampleDesc Desc(const char* name, const char* uninstallArgs = nullptr) {
  SampleDesc desc;
  desc.name = name;
  if (uninstallArgs) desc.uninstallArgs = uninstallArgs;
  return desc;
}

std::string UninstallCommand(const InstalledSample& sample) {
  std::string args = sample.desc().uninstallArgs.value_or(sample::kDefaultUninstallArgs);
  return sample::UninstallString(sample.dir(), args);
}

// The sample's entry where the 32-bit installer writes it, as the inventory reports it.
uninstall::UninstallTarget TargetOf(const InstalledSample& sample) {
  uninstall::UninstallTarget target;
  target.keyName = sample.desc().name;
  target.installDir = sample.dir();
  target.entryRoot = HKEY_LOCAL_MACHINE;
  target.entryView = sys::RegView::Wow32;
  return target;
}

TEST(WaitingThread, ReportsOnlyAfterTheHandoverCopyHasEnded) {
  InstalledSample sample(Desc("RunnerHandover"));
  Receiver receiver;
  receiver.report.watchedFile = sample.dir() + "\\" + sample::kAppExe;
  ASSERT_TRUE(PathExists(receiver.report.watchedFile));

  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample), TargetOf(sample),
                                               receiver.hwnd()));
  // The uninstaller exits at once; its copy waits a second before removing anything.
  ASSERT_TRUE(receiver.WaitForReport(30000));
  EXPECT_EQ(receiver.report.count, 1);
  EXPECT_EQ(receiver.report.wParam, 1u);
  EXPECT_TRUE(receiver.report.lParamMatchesWParam);
  EXPECT_EQ(receiver.report.keyName, "RunnerHandover");
  EXPECT_EQ(receiver.report.installDir, sample.dir());
  EXPECT_FALSE(receiver.report.watchedFileExisted) << "reported before the copy removed files";
  EXPECT_FALSE(receiver.report.handoverCopyRunning);
  EXPECT_TRUE(PathExists(sample::HandoverCopyPath("RunnerHandover")));
  EXPECT_TRUE(receiver.report.uninstalled) << "the entry went";
  EXPECT_EQ(receiver.report.launchedExitCode, 0u);
  EXPECT_EQ(receiver.report.exitCode, 0u);
}

TEST(WaitingThread, ReportsOnlyAfterTheWholeHandoverChainHasEnded) {
  // The last step of the chain waits for this event, which only the test sets.
  const std::string goName = "PxRunnerChainGo-" + std::to_string(GetCurrentProcessId());
  sys::UniqueHandle go(CreateEventA(nullptr, TRUE, FALSE, goName.c_str()));
  ASSERT_TRUE(go);
  InstalledSample sample(Desc("RunnerChain", ("/S /chain=" + goName).c_str()));
  Receiver receiver;
  receiver.report.watchedFile = sample.dir() + "\\" + sample::kAppExe;
  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample), TargetOf(sample),
                                               receiver.hwnd()));

  // The launched uninstaller started its copy and ended, the copy started the last step
  // and ended too: only the last step is left, waiting.
  ASSERT_TRUE(PumpMessagesUntil(
      [&] {
        return receiver.report.count > 0 || (ProcessNamedRunning(sample::kChainCopyName) &&
                                             !ProcessNamedRunning(sample::kHandoverCopyName) &&
                                             !ProcessNamedRunning(sample::kUninstallerExe));
      },
      30000));
  EXPECT_EQ(receiver.report.count, 0) << "reported while the last step had not run";
  ASSERT_TRUE(SetEvent(go.get()));

  ASSERT_TRUE(receiver.WaitForReport(30000));
  EXPECT_EQ(receiver.report.count, 1);
  EXPECT_EQ(receiver.report.wParam, 1u);
  EXPECT_FALSE(receiver.report.chainStepRunning) << "reported before the last step ended";
  EXPECT_FALSE(receiver.report.watchedFileExisted) << "reported before the last step removed files";
  EXPECT_TRUE(receiver.report.uninstalled);
  EXPECT_TRUE(PathExists(sample::ChainCopyPath("RunnerChain")));
}

TEST(WaitingThread, AFailingUninstallerStillReportsStarted) {
  InstalledSample sample(Desc("RunnerFail", "/S /fail"));
  Receiver receiver;
  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample), TargetOf(sample),
                                               receiver.hwnd()));
  ASSERT_TRUE(receiver.WaitForReport(30000));
  EXPECT_EQ(receiver.report.wParam, 1u);
  EXPECT_EQ(receiver.report.keyName, "RunnerFail");
  EXPECT_FALSE(receiver.report.handoverCopyRunning);
  // It removed nothing, and the report says so: the entry is still there.
  EXPECT_TRUE(PathExists(sample.dir() + "\\" + sample::kAppExe));
  EXPECT_TRUE(testing_support::KeyExists(HKEY_LOCAL_MACHINE, sample::EntryKeyPath("RunnerFail")));
  EXPECT_FALSE(receiver.report.uninstalled);
  // The launched one handed over fine; the copy, which ended last, failed.
  EXPECT_EQ(receiver.report.launchedExitCode, 0u);
  EXPECT_EQ(receiver.report.exitCode, 1u);
}

TEST(WaitingThread, TheEntryIsLookedForInItsOwnPlace) {
  // The entry lies in HKLM's native 64-bit view only: a key of that name in another
  // view or hive would say nothing about it.
  uninstall::UninstallTarget target;
  target.keyName = "PxRunnerPlaceProbe";
  const sys::RegKey native(HKEY_LOCAL_MACHINE, uninstall::UninstallEntryPath(target.keyName),
                           sys::RegView::Wow64);
  ASSERT_EQ(native.writeString("DisplayName", "Probe"), ERROR_SUCCESS);
  target.entryRoot = HKEY_LOCAL_MACHINE;
  target.entryView = sys::RegView::Wow64;
  EXPECT_TRUE(uninstall::UninstallEntryRemains(target));
  target.entryView = sys::RegView::Wow32;
  EXPECT_FALSE(uninstall::UninstallEntryRemains(target));
  target.entryRoot = HKEY_CURRENT_USER;
  target.entryView = sys::RegView::Default;
  EXPECT_FALSE(uninstall::UninstallEntryRemains(target));
  target.entryRoot = HKEY_LOCAL_MACHINE;
  target.entryView = sys::RegView::Wow64;
  ASSERT_EQ(native.deleteTree(), ERROR_SUCCESS);
  EXPECT_FALSE(uninstall::UninstallEntryRemains(target));
  // No name, nothing to tell by: the entry counts as still there.
  target.keyName.clear();
  EXPECT_TRUE(uninstall::UninstallEntryRemains(target));
}

TEST(WaitingThread, ACommandThatCannotStartReportsNotStarted) {
  testing_support::TempDir temp;
  Receiver receiver;
  std::string missing = "\"" + temp.file("missing\\NoSuchUninstaller.exe") + "\" /S";
  ASSERT_TRUE(uninstall::TWaitingThread::Start(missing, {"Gone", "C:\\Gone"}, receiver.hwnd()));
  // The shell tells the user that it cannot open the file, as it would for any command
  // typed in; the report follows once that box is closed.
  bool reported = PumpMessagesUntil(
      [&] {
        CloseShellErrorBoxes();
        return receiver.report.count > 0;
      },
      30000);
  ASSERT_TRUE(reported);
  EXPECT_EQ(receiver.report.wParam, 0u);
  EXPECT_TRUE(receiver.report.lParamMatchesWParam);
  EXPECT_EQ(receiver.report.keyName, "Gone");
  EXPECT_EQ(receiver.report.installDir, "C:\\Gone");
  EXPECT_EQ(receiver.report.exitCode, 0u) << "nothing ran";
}

TEST(WaitingThread, AnUninstallerWithoutHandoverIsWaitedForItself) {
  InstalledSample sample(Desc("RunnerDirect", "/S /nohandover /wait=1500"));
  Receiver receiver;
  receiver.report.watchedFile = sample.dir() + "\\" + sample::kAppExe;
  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample), TargetOf(sample),
                                               receiver.hwnd()));
  ASSERT_TRUE(receiver.WaitForReport(30000));
  EXPECT_EQ(receiver.report.wParam, 1u);
  EXPECT_FALSE(receiver.report.watchedFileExisted);
  EXPECT_TRUE(receiver.report.uninstalled);
}

}  // namespace

// The uninstall runner against the real sample uninstaller: it launches the command,
// follows the hand-over copy and reports to a message-only window.
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
  bool lParamMatchesWParam = false;
  std::string watchedFile;  // checked for while the handler runs
  bool watchedFileExisted = false;
  bool handoverCopyRunning = false;
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
      report->lParamMatchesWParam = finished->started == (wParam == 1);
    }
    if (!report->watchedFile.empty()) report->watchedFileExisted = PathExists(report->watchedFile);
    report->handoverCopyRunning = ProcessNamedRunning(sample::kHandoverCopyName);
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

TEST(WaitingThread, ReportsOnlyAfterTheHandoverCopyHasEnded) {
  InstalledSample sample(Desc("RunnerHandover"));
  Receiver receiver;
  receiver.report.watchedFile = sample.dir() + "\\" + sample::kAppExe;
  ASSERT_TRUE(PathExists(receiver.report.watchedFile));

  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample),
                                               {"RunnerHandover", sample.dir()}, receiver.hwnd()));
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
}

TEST(WaitingThread, AFailingUninstallerStillReportsStarted) {
  InstalledSample sample(Desc("RunnerFail", "/S /fail"));
  Receiver receiver;
  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample),
                                               {"RunnerFail", sample.dir()}, receiver.hwnd()));
  ASSERT_TRUE(receiver.WaitForReport(30000));
  EXPECT_EQ(receiver.report.wParam, 1u);
  EXPECT_EQ(receiver.report.keyName, "RunnerFail");
  EXPECT_FALSE(receiver.report.handoverCopyRunning);
  // It removed nothing.
  EXPECT_TRUE(PathExists(sample.dir() + "\\" + sample::kAppExe));
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
}

TEST(WaitingThread, AnUninstallerWithoutHandoverIsWaitedForItself) {
  InstalledSample sample(Desc("RunnerDirect", "/S /nohandover /wait=1500"));
  Receiver receiver;
  receiver.report.watchedFile = sample.dir() + "\\" + sample::kAppExe;
  ASSERT_TRUE(uninstall::TWaitingThread::Start(UninstallCommand(sample),
                                               {"RunnerDirect", sample.dir()}, receiver.hwnd()));
  ASSERT_TRUE(receiver.WaitForReport(30000));
  EXPECT_EQ(receiver.report.wParam, 1u);
  EXPECT_FALSE(receiver.report.watchedFileExisted);
}

TEST(ProcessHelpers, FindTheParentAndTheFirstChild) {
  DWORD self = GetCurrentProcessId();
  EXPECT_TRUE(uninstall::ProcessExists(self));
  EXPECT_FALSE(uninstall::ProcessExists(0xFFFFFFF0u));
  EXPECT_EQ(uninstall::GetParentProcessId(0xFFFFFFF0u), -1);

  // A child of this process: found by its parent id, and opened so that it can be waited on.
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  char command[] = "cmd.exe /c ping -n 3 127.0.0.1 >nul";
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &startup, &info));
  EXPECT_EQ(uninstall::GetParentProcessId(info.dwProcessId), static_cast<long>(self));
  EXPECT_TRUE(uninstall::ProcessExists(info.dwProcessId));
  // Wine may have given this process a console host as well, so the first child found
  // need not be ours; it must be a child of this process and waitable.
  sys::UniqueHandle child = uninstall::OpenChildProcess(self);
  ASSERT_TRUE(child);
  EXPECT_EQ(uninstall::GetParentProcessId(GetProcessId(child.get())), static_cast<long>(self));
  EXPECT_EQ(WaitForSingleObject(child.get(), 0),
            static_cast<DWORD>(WAIT_TIMEOUT));  // still running
  WaitForSingleObject(info.hProcess, 30000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

}  // namespace

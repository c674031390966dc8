#include "uninstall/WaitingThread.h"

#include <shellapi.h>

#include <memory>

#include "sys/Process.h"
#include "sys/Registry.h"
#include "uninstall/ProcessChain.h"

namespace uninstall {

std::string UninstallEntryPath(const std::string& keyName) {
  return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + keyName;
}

bool UninstallEntryRemains(const UninstallTarget& target) {
  // Without a name the path would be the Uninstall key itself; nothing tells then.
  if (target.keyName.empty()) return true;
  sys::UniqueKey key;
  const LONG rc =
      sys::RegKey(target.entryRoot, UninstallEntryPath(target.keyName), target.entryView)
          .open(KEY_QUERY_VALUE, key);
  // Only a key that is not there is gone; one that cannot be read may still be there.
  return rc != ERROR_FILE_NOT_FOUND && rc != ERROR_PATH_NOT_FOUND;
}

TWaitingThread::TWaitingThread(std::string commandLine, UninstallTarget target, HWND notifyWindow)
    : commandLine_(std::move(commandLine)),
      target_(std::move(target)),
      notifyWindow_(notifyWindow) {}

bool TWaitingThread::Start(std::string commandLine, UninstallTarget target, HWND notifyWindow) {
  auto runner =
      std::make_unique<TWaitingThread>(std::move(commandLine), std::move(target), notifyWindow);
  sys::UniqueHandle thread(CreateThread(nullptr, 0, &ThreadMain, runner.get(), 0, nullptr));
  if (!thread) return false;
  runner.release();  // the thread owns it now
  return true;
}

DWORD WINAPI TWaitingThread::ThreadMain(void* self) {
  std::unique_ptr<TWaitingThread> runner(static_cast<TWaitingThread*>(self));
  try {
    runner->RunAndWait();
  } catch (...) {
    // A runner that fails ends without a report; nothing waits for it.
  }
  return 0;
}

void TWaitingThread::Report(UninstallFinished& finished) {
  // Exit codes say little (a hand-over ends with 0 at once, a cancel may too); the
  // entry tells whether the program is still installed.
  finished.target.uninstalled = !UninstallEntryRemains(finished.target);
  SendMessageW(notifyWindow_, WM_UNINSTALL_FINISHED, finished.started ? 1 : 0,
               reinterpret_cast<LPARAM>(&finished));
}

void TWaitingThread::RunAndWait() {
  UninstallFinished finished;
  finished.target = target_;
  sys::UniqueHandle process;
  sys::StartedProcess started;
  if (sys::StartProcess(commandLine_, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, SW_SHOW,
                        started)) {
    process = std::move(started.process);
  } else {
    sys::ShellStart request;
    request.file = commandLine_;
    request.show = SW_SHOWNORMAL;
    request.extraMask = SEE_MASK_FLAG_DDEWAIT;
    if (!sys::ShellStartProcess(request, process)) {
      Report(finished);
      return;
    }
  }
  finished.started = true;
  // The shell may start a command without giving a process (a document handed to a
  // running program, for instance): it was started, and there is nothing to wait for.
  if (process) {
    const ChainEnd end = WaitForProcessChain(std::move(process));
    if (!end.ended) return;  // a wait that fails ends the runner without a report
    finished.launchedExitCode = end.launchedExitCode;
    finished.exitCode = end.lastExitCode;
  }
  Report(finished);
}

}  // namespace uninstall

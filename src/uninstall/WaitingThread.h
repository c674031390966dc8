// Runs a program's uninstall command on a worker thread, waits until it and every
// process of its hand-over chain have ended (see ProcessChain.h), checks whether the
// program's uninstall entry went, and then reports to a window by WM_UNINSTALL_FINISHED.
#pragma once

#include <windows.h>

#include <string>

#include "uninstall/UninstallTarget.h"

namespace uninstall {

// Sent (never posted) by the runner when its work is done.
//   wParam 1: the command was started and its wait ended, or there was nothing to wait for.
//   wParam 0: the command could be started neither as a process nor through the shell.
//   lParam:   a `const UninstallFinished*` owned by the runner. It stays valid only while
//             the handler runs (the runner is blocked in SendMessage until it returns);
//             a handler that needs the data later copies it.
inline constexpr UINT WM_UNINSTALL_FINISHED = WM_USER + 100;

struct UninstallFinished {
  bool started = false;  // equals wParam
  // The program, with `uninstalled` false when its uninstall entry was still there
  // once the uninstaller and everything it handed over to had ended.
  UninstallTarget target;
  // Informative only, 0 when there was no process to wait for: the exit codes of the
  // launched process and of the process of its hand-over chain that ended last.
  DWORD launchedExitCode = 0;
  DWORD exitCode = 0;
};

inline const UninstallFinished* FinishedFromLParam(LPARAM lParam) {
  return reinterpret_cast<const UninstallFinished*>(lParam);
}

// The registry path of a program's uninstall entry below its root.
std::string UninstallEntryPath(const std::string& keyName);
// True unless the target's uninstall entry is known to be gone: also when its key
// cannot be read, or there is no key name to look for.
bool UninstallEntryRemains(const UninstallTarget& target);

// One uninstall run. Start() launches it on its own thread, which frees the object when
// it ends; nobody else holds it. RunAndWait() is the thread's whole work and may also be
// called directly on a thread that can block.
class TWaitingThread {
 public:
  // Starts the worker; false when no thread could be created (nothing is reported then).
  static bool Start(std::string commandLine, UninstallTarget target, HWND notifyWindow);

  TWaitingThread(std::string commandLine, UninstallTarget target, HWND notifyWindow);
  TWaitingThread(const TWaitingThread&) = delete;
  TWaitingThread& operator=(const TWaitingThread&) = delete;

  void RunAndWait();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Report(UninstallFinished& finished);

  const std::string commandLine_;
  const UninstallTarget target_;
  const HWND notifyWindow_;
};

}  // namespace uninstall

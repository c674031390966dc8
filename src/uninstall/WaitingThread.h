// Runs a program's uninstall command on a worker thread, waits until it (or the copy
// it hands over to) has ended, and then reports to a window by WM_UNINSTALL_FINISHED.
#pragma once

#include <windows.h>

#include <string>

#include "sys/Handles.h"

namespace uninstall {

// Sent (never posted) by the runner when its work is done.
//   wParam 1: the command was started and its wait ended, or there was nothing to wait for.
//   wParam 0: the command could be started neither as a process nor through the shell.
//   lParam:   a `const UninstallFinished*` owned by the runner. It stays valid only while
//             the handler runs (the runner is blocked in SendMessage until it returns);
//             a handler that needs the data later copies it.
inline constexpr UINT WM_UNINSTALL_FINISHED = WM_USER + 100;

// The program being uninstalled, captured when the uninstall started, so that the
// leftover scan looks for that program whatever is selected when the report arrives.
struct UninstallTarget {
  std::string keyName;     // the uninstall entry's key name
  std::string installDir;  // its install folder; may be empty
};

struct UninstallFinished {
  bool started = false;  // equals wParam
  UninstallTarget target;
};

inline const UninstallFinished* FinishedFromLParam(LPARAM lParam) {
  return reinterpret_cast<const UninstallFinished*>(lParam);
}

// True when a fresh process snapshot lists `pid`.
bool ProcessExists(DWORD pid);
// The process that `pid` inherited from, or -1 when that cannot be found.
long GetParentProcessId(DWORD pid);
// The first process of a fresh snapshot whose parent is `pid`, opened for waiting; none
// when there is no such process or it cannot be opened.
sys::UniqueHandle OpenChildProcess(DWORD pid);

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
  void Report(bool started);

  const std::string commandLine_;
  const UninstallTarget target_;
  const HWND notifyWindow_;
};

}  // namespace uninstall

// Runs the leftover search for one program on a worker thread and reports to a
// window by posted messages, never by touching it: WM_SCAN_PROGRESS a few times a
// second while it searches (the path last examined is read with TakeProgress), and
// WM_SCAN_FINISHED once when it has ended (the findings are taken with
// TakeFindings). The window owns the object; destroying it cancels the search
// and waits for the thread, so that the thread never outlives what it writes to.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sys/Handles.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverSearch.h"
#include "uninstall/UninstallTarget.h"

namespace uninstall {

// Both posted to the notify window; wParam and lParam carry nothing.
inline constexpr UINT WM_SCAN_PROGRESS = WM_USER + 110;
inline constexpr UINT WM_SCAN_FINISHED = WM_USER + 111;

// The search the thread runs: FindLeftovers, or a stand-in with the same contract.
using LeftoverSearchFn = std::function<ScanFindings(
    const UninstallTarget& target, const std::vector<InstalledEntry>& others,
    const ScanProgress& progress, const std::atomic<bool>* cancel)>;

class TScanThread {
 public:
  // At most one progress message per interval, and none while one is waiting.
  static constexpr DWORD kProgressIntervalMs = 100;

  TScanThread(UninstallTarget target, HWND notifyWindow, LeftoverSearchFn search = {});
  ~TScanThread();
  TScanThread(const TScanThread&) = delete;
  TScanThread& operator=(const TScanThread&) = delete;

  // Starts the worker once; false when no thread could be created.
  bool Start();
  // Asks the search to end at its next path; what it found until then is kept.
  void Cancel();
  bool cancelRequested() const { return cancel_.load(); }
  // Blocks until the worker has ended (at once when it never started).
  void Wait();
  bool running() const;

  // The path of the last progress message, which may be posted again from now on.
  std::string TakeProgress();
  // How many paths the search has examined so far.
  size_t examined() const { return examined_.load(); }
  // The findings once the worker has ended, handed over once; nothing before.
  std::optional<ScanFindings> TakeFindings();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void Progress(const std::string& path);

  const UninstallTarget target_;
  const HWND notifyWindow_;
  const LeftoverSearchFn search_;
  sys::UniqueHandle thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> progressWaiting_{false};
  std::atomic<size_t> examined_{0};
  DWORD lastProgress_ = 0;  // the worker's own
  bool progressPosted_ = false;
  mutable std::mutex lock_;  // guards the two below
  std::string progressPath_;
  std::optional<ScanFindings> findings_;
};

}  // namespace uninstall

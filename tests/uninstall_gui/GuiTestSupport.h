// Helpers of the scan window and uninstall road tests: clicks on tick boxes, the
// registry and a folder as sets of lines to compare before and after, and a message
// box answerer that lets a test look around while a box is up.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "toolkit/MessageBox.h"
#include "toolkit/TickTreeView.h"

namespace uninstall_gui {

// Posts a press and release of `button` on the node's tick box (scrolled into view
// first) and handles the messages that follow.
void ClickTickBox(tk::TickTreeView& tree, HTREEITEM node, UINT button = VK_LBUTTON);
// The node whose text is `text`, or nullptr.
HTREEITEM FindNode(const tk::TickTreeView& tree, const std::string& text);
std::set<std::string> NodeTextSet(const tk::TickTreeView& tree);

// Every key and value (with type and data) below both SOFTWARE roots, one line each.
std::set<std::string> SnapshotRegistry();
// The folder and everything in it, one full path each.
std::set<std::string> SnapshotDisk(const std::string& folder);
std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b);

bool PathExists(const std::string& path);
void WriteTextFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
void CreateKey(HKEY root, const std::string& path, const std::vector<std::string>& values = {});
bool KeyExists(HKEY root, const std::string& path);
// The files in `folder` (names only).
std::vector<std::string> FilesIn(const std::string& folder);
bool ProcessNamedRunning(const char* exeName);

// Answers every message box through `answer` and records it; restores the previous
// answerer when it goes.
class RecordingAnswerer {
 public:
  explicit RecordingAnswerer(std::function<int(const tk::MessageBoxRequest&)> answer);
  ~RecordingAnswerer();
  RecordingAnswerer(const RecordingAnswerer&) = delete;
  RecordingAnswerer& operator=(const RecordingAnswerer&) = delete;

  std::vector<tk::MessageBoxRequest> requests;

 private:
  tk::MessageBoxAnswerer previous_;
};

// Runs `step` on every tick of a thread timer (also inside modal loops) until it
// returns true; stops when the object goes.
class TimerDriver {
 public:
  TimerDriver(std::function<bool()> step, UINT intervalMs = 40);
  ~TimerDriver();
  TimerDriver(const TimerDriver&) = delete;
  TimerDriver& operator=(const TimerDriver&) = delete;
  bool done() const { return done_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  std::function<bool()> step_;
  UINT_PTR id_ = 0;
  bool done_ = false;
  bool busy_ = false;
};

}  // namespace uninstall_gui

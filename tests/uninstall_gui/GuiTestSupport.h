// Helpers of the scan window and uninstall road tests: clicks on tick boxes, the
// registry and a folder as sets of lines to compare before and after (from the test
// support), a main window's set-up, and a message box answerer that lets a test look
// around while a box is up.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "toolkit/ListView.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TickTreeView.h"
#include "settings/Settings.h"

namespace uninstall_gui {

// Posts a press and release of `button` on the node's tick box (scrolled into view
// first) and handles the messages that follow.
void ClickTickBox(tk::TickTreeView& tree, HTREEITEM node, UINT button = VK_LBUTTON);
// The node whose text is `text`, or nullptr.
HTREEITEM FindNode(const tk::TickTreeView& tree, const std::string& text);
std::set<std::string> NodeTextSet(const tk::TickTreeView& tree);

using testing_support::CreateKey;
using testing_support::FolderLink;
using testing_support::KeyExists;
using testing_support::MakeDirectoryLink;
using testing_support::Minus;
using testing_support::PathExists;
using testing_support::ProcessNamedRunning;
using testing_support::RemoveDirectoryLink;
using testing_support::SnapshotDisk;
using testing_support::SnapshotRegistry;
using testing_support::WriteTextFile;

// The files in `folder` (names only).
std::vector<std::string> FilesIn(const std::string& folder);

// The list's row whose caption is `caption`, or -1.
int RowOf(const tk::ListView& list, const std::string& caption);
// The whole of a file ("" when it cannot be read).
std::string FileText(const std::string& path);

// Settings with only the registry backup folder, for the scan window.
settings::TSettings BackupSettings(const std::string& regBackupDir);

// A main window's surroundings: the built component registered, COM on this thread,
// Config.ini and the backup folders in a folder of the test's own, system patches
// shown and screen savers hidden.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // The options as a start-up would have read them (nothing is written).
  void startWith(bool hideSysPatch, bool hideScreenSaver);

  sys::ComApartment com;
  testing_support::TempDir dir;
  // What start-up hands the main window.
  settings::TSettings config;
};

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

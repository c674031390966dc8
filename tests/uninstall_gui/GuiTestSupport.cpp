#include "uninstall_gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "support/BuiltComponent.h"
#include "support/MessagePump.h"
#include "sys/Files.h"

namespace uninstall_gui {

namespace {

std::map<UINT_PTR, TimerDriver*>& Drivers() {
  static std::map<UINT_PTR, TimerDriver*> drivers;
  return drivers;
}

}  // namespace

int RowOf(const tk::ListView& list, const std::string& caption) {
  for (int i = 0; i < list.count(); ++i)
    if (list.itemText(i, 0) == caption) return i;
  return -1;
}

std::string FileText(const std::string& path) {
  std::string text;
  sys::ReadFileBytes(path, text);
  return text;
}

settings::TSettings BackupSettings(const std::string& regBackupDir) {
  settings::TPaths paths;
  paths.RegBackupDir = regBackupDir;
  return settings::TSettings(paths);
}

void MainWindowTest::SetUp() {
  testing_support::RegisterBuiltComponent();
  settings::TPaths paths;
  paths.ConfigFile = dir.file("Config.ini");
  paths.RegBackupDir = dir.file("Back up\\reg\\");
  paths.ScrBackupDir = dir.file("Back up\\scr\\");
  paths.ScanBackupDir = dir.file("Back up\\scans\\");
  config = settings::TSettings(paths);
  startWith(false, true);
}

void MainWindowTest::startWith(bool hideSysPatch, bool hideScreenSaver) {
  settings::TListOptions options;
  options.HideSysPatch = hideSysPatch;
  options.HideScreenSaver = hideScreenSaver;
  config = settings::TSettings(config.paths(), options);
}

void ClickTickBox(tk::TickTreeView& tree, HTREEITEM node, UINT button) {
  // Scrolled up or down to the node, and fully to the left, where the boxes are.
  SendMessageA(tree.hwnd(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node));
  SendMessageA(tree.hwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
  const RECT text = tree.nodeRect(node, true);
  const int y = (text.top + text.bottom) / 2;
  POINT at{-1, y};
  for (int x = text.left; x >= 0; --x) {
    if (tree.hitTest({x, y}).onStateIcon()) {
      at.x = x - 3;
      break;
    }
  }
  if (at.x < 0) {
    ADD_FAILURE() << "no tick box left of the node's text at " << text.left << "," << text.top
                  << "-" << text.right << "," << text.bottom;
    return;
  }
  const LPARAM where = MAKELPARAM(at.x, at.y);
  UINT down = WM_LBUTTONDOWN, up = WM_LBUTTONUP;
  WPARAM flags = MK_LBUTTON;
  if (button == VK_RBUTTON) down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, flags = MK_RBUTTON;
  if (button == VK_MBUTTON) down = WM_MBUTTONDOWN, up = WM_MBUTTONUP, flags = MK_MBUTTON;
  // Posted, never sent: a sent press makes the tree view wait for its own drag loop.
  PostMessageA(tree.hwnd(), down, flags, where);
  PostMessageA(tree.hwnd(), up, 0, where);
  testing_support::PumpMessagesFor(60);
}

HTREEITEM FindNode(const tk::TickTreeView& tree, const std::string& text) {
  for (HTREEITEM node : tree.descendants(nullptr))
    if (tree.text(node) == text) return node;
  return nullptr;
}

std::set<std::string> NodeTextSet(const tk::TickTreeView& tree) {
  std::set<std::string> out;
  for (HTREEITEM node : tree.descendants(nullptr)) out.insert(tree.text(node));
  return out;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

RecordingAnswerer::RecordingAnswerer(std::function<int(const tk::MessageBoxRequest&)> answer) {
  previous_ = tk::SetMessageBoxAnswerer([this, answer](const tk::MessageBoxRequest& request) {
    requests.push_back(request);
    return answer(request);
  });
}

RecordingAnswerer::~RecordingAnswerer() {
  tk::SetMessageBoxAnswerer(std::move(previous_));
}

TimerDriver::TimerDriver(std::function<bool()> step, UINT intervalMs) : step_(std::move(step)) {
  id_ = SetTimer(nullptr, 0, intervalMs, &TimerDriver::Tick);
  Drivers()[id_] = this;
}

TimerDriver::~TimerDriver() {
  KillTimer(nullptr, id_);
  Drivers().erase(id_);
}

void CALLBACK TimerDriver::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = Drivers().find(id);
  if (found == Drivers().end()) return;
  TimerDriver* self = found->second;
  // A step may pump messages itself; a tick meanwhile waits for the next one.
  if (self->done_ || self->busy_) return;
  self->busy_ = true;
  self->done_ = self->step_();
  self->busy_ = false;
  if (self->done_) KillTimer(nullptr, id);
}

}  // namespace uninstall_gui

#include "uninstall_gui/GuiTestSupport.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "support/MessagePump.h"

namespace uninstall_gui {
namespace {

void SnapshotKey(HKEY root, const std::string& label, const std::string& path,
                 std::set<std::string>& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out.insert(label + "\\" + path);
  std::string name(16384, '\0');
  std::string data(65536, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(name.size()), dataLen = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key, i, name.data(), &nameLen, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataLen) != ERROR_SUCCESS)
      break;
    out.insert(label + "\\" + path + "\\" + name.substr(0, nameLen) + "=" + std::to_string(type) +
               ":" + data.substr(0, dataLen));
  }
  std::vector<std::string> subs;
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = 256;
    if (RegEnumKeyExA(key, i, name.data(), &nameLen, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    subs.push_back(name.substr(0, nameLen));
  }
  RegCloseKey(key);
  for (const std::string& sub : subs) SnapshotKey(root, label, path + "\\" + sub, out);
}

void SnapshotFolder(const std::string& folder, std::set<std::string>& out) {
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    out.insert(folder + "\\" + name);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      SnapshotFolder(folder + "\\" + name, out);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

std::map<UINT_PTR, TimerDriver*>& Drivers() {
  static std::map<UINT_PTR, TimerDriver*> drivers;
  return drivers;
}

}  // namespace

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

std::set<std::string> SnapshotRegistry() {
  std::set<std::string> out;
  SnapshotKey(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "SOFTWARE", out);
  SnapshotKey(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "SOFTWARE", out);
  return out;
}

std::set<std::string> SnapshotDisk(const std::string& folder) {
  std::set<std::string> out;
  if (PathExists(folder)) out.insert(folder);
  SnapshotFolder(folder, out);
  return out;
}

std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(out, out.end()));
  return out;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteTextFile(const std::string& path, DWORD attributes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, "text\r\n", 6, &written, nullptr);
  CloseHandle(file);
  SetFileAttributesA(path.c_str(), attributes);
}

void CreateKey(HKEY root, const std::string& path, const std::vector<std::string>& values) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  for (const std::string& name : values)
    RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("v"), 2);
  RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
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

bool ProcessNamedRunning(const char* exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL ok = Process32First(snapshot, &entry); ok && !found;
       ok = Process32Next(snapshot, &entry))
    found = lstrcmpiA(entry.szExeFile, exeName) == 0;
  CloseHandle(snapshot);
  return found;
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

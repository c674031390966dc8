#include "details/DetailsFixture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/BuiltComponent.h"
#include "support/Sandbox.h"
#include "support/WindowProbe.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/Text.h"

namespace details_test {
namespace {

// Keys and values go in and out wide, so that entries named in any script come
// and go exactly.
std::wstring EntryPath(const std::string& keyName) {
  return sys::Widen(std::string(kUninstallKey) + "\\" + keyName);
}

}  // namespace

TestEntry NamedEntry(const std::string& stem, const std::string& displayName, bool patch) {
  TestEntry entry;
  entry.keyName = testing_support::UniqueName(stem.c_str());
  if (!displayName.empty()) entry.strings["DisplayName"] = displayName;
  entry.strings["UninstallString"] = "C:\\Apps\\" + entry.keyName + "\\unins.exe";
  if (patch) entry.strings["ParentKeyName"] = "OperatingSystem";
  return entry;
}

void WriteEntry(const TestEntry& entry) {
  DeleteEntry(entry);
  HKEY raw = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, EntryPath(entry.keyName).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS | entry.view, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  sys::UniqueKey key(raw);
  for (const auto& [name, data] : entry.strings) {
    const std::wstring wide = sys::Widen(data);
    RegSetValueExW(key.get(), sys::Widen(name).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  }
  for (const auto& [name, data] : entry.dwords) {
    RegSetValueExW(key.get(), sys::Widen(name).c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&data), sizeof data);
  }
}

void DeleteEntry(const TestEntry& entry) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, sys::Widen(kUninstallKey).c_str(), 0,
                    KEY_ALL_ACCESS | entry.view, &raw) != ERROR_SUCCESS) {
    return;
  }
  sys::UniqueKey key(raw);
  const std::wstring name = sys::Widen(entry.keyName);
  RegDeleteTreeW(key.get(), name.c_str());
  RegDeleteKeyExW(key.get(), name.c_str(), entry.view, 0);
}

bool EntryExists(const TestEntry& entry) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EntryPath(entry.keyName).c_str(), 0, KEY_READ | entry.view,
                    &raw) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(raw);
  return true;
}

std::optional<std::string> EntryString(const TestEntry& entry, const std::string& value) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EntryPath(entry.keyName).c_str(), 0, KEY_READ | entry.view,
                    &raw) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  sys::UniqueKey key(raw);
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), sys::Widen(value).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  return sys::Narrow(buffer);
}

InstalledEntries::InstalledEntries(std::vector<TestEntry> entries) : entries_(std::move(entries)) {
  for (const TestEntry& entry : entries_) WriteEntry(entry);
}

InstalledEntries::~InstalledEntries() {
  for (const TestEntry& entry : entries_) DeleteEntry(entry);
}

void RegisterComponent() {
  testing_support::RegisterBuiltComponent();
}

ULONG IndexOf(inventory::TProgramList& programs, const std::string& keyName) {
  LONG index = programs.FindProgram(keyName);
  EXPECT_GE(index, 0) << keyName << " is not listed";
  return index < 0 ? ULONG_MAX : static_cast<ULONG>(index);
}

// One script at a time: the timer procedure has no context of its own.
namespace {

struct ScriptState {
  std::string className;
  std::function<void(HWND)> action;
  DWORD deadline = 0;
  UINT_PTR timer = 0;
  bool ran = false;
};
ScriptState* g_script = nullptr;

struct WindowSearch {
  const std::string* name;
  HWND found;
};

BOOL CALLBACK MatchThreadWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  char name[128] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (*search->name == name && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindThreadWindow(const std::string& className) {
  WindowSearch search{&className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  ScriptState* state = g_script;
  if (!state || state->ran) return;
  if (HWND window = FindThreadWindow(state->className)) {
    state->ran = true;
    KillTimer(nullptr, state->timer);
    state->action(window);
    return;
  }
  if (GetTickCount() > state->deadline) {
    KillTimer(nullptr, state->timer);
    ADD_FAILURE() << "no " << state->className << " window showed";
  }
}

}  // namespace

WindowScript::WindowScript(std::string className, std::function<void(HWND)> action,
                           DWORD timeoutMs) {
  auto* state = new ScriptState;
  state->className = std::move(className);
  state->action = std::move(action);
  state->deadline = GetTickCount() + timeoutMs;
  state->timer = SetTimer(nullptr, 0, 30, ScriptTick);
  g_script = state;
}

WindowScript::~WindowScript() {
  if (!g_script) return;
  KillTimer(nullptr, g_script->timer);
  if (HWND left = FindThreadWindow(g_script->className)) PostMessageA(left, WM_CLOSE, 0, 0);
  delete g_script;
  g_script = nullptr;
}

bool WindowScript::ran() const {
  return g_script && g_script->ran;
}

ScriptedFileDialogs::ScriptedFileDialogs() {
  previous_ = tk::SetFileDialogAnswerer([this](const tk::FileDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty()) {
      ADD_FAILURE() << "a file dialog nobody scripted";
      return std::optional<std::string>();
    }
    std::optional<std::string> answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
  });
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
  tk::SetFileDialogAnswerer(std::move(previous_));
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " file dialog answers left";
}

namespace {

std::vector<DWORD> EditorProcesses(HANDLE editor) {
  std::vector<DWORD> ids = testing_support::DescendantProcesses(GetProcessId(editor));
  if (WaitForSingleObject(editor, 0) == WAIT_TIMEOUT) ids.push_back(GetProcessId(editor));
  return ids;
}

}  // namespace

bool WaitForEditor(HANDLE editor, DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs;
  while (!EditorProcesses(editor).empty()) {
    if (GetTickCount() > deadline) return false;
    Sleep(50);
  }
  return true;
}

bool EditorShowsWindow(HANDLE editor, DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs;
  for (;;) {
    for (DWORD id : EditorProcesses(editor)) {
      if (!testing_support::TopLevelWindows(id).empty()) return true;
    }
    if (GetTickCount() > deadline) return false;
    Sleep(50);
  }
}

void EndEditor(HANDLE editor) {
  for (DWORD id : EditorProcesses(editor)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

std::string ReadUtf16File(const std::string& path) {
  std::string bytes;
  if (!sys::ReadFileBytes(path, bytes)) return std::string();
  size_t start = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE' ? 2 : 0;
  std::wstring wide((bytes.size() - start) / 2, L'\0');
  if (!wide.empty()) memcpy(wide.data(), bytes.data() + start, wide.size() * 2);
  return sys::Narrow(wide);
}

}  // namespace details_test

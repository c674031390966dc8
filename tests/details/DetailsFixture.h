// Uninstall entries of the tests' own in the prefix's machine-wide uninstall key
// (native view), removed again when the object goes; the component registered
// and a client loaded over them; and modal windows of this thread driven from a
// timer, so that no test waits on one.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "inventory/RostrelLib_TLB.h"
#include "toolkit/FileDialog.h"

namespace details_test {

inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kMachineUninstallPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

struct TestEntry {
  std::string keyName;
  // The registry view of the machine-wide key it goes into: KEY_WOW64_64KEY (the
  // system's own view) or KEY_WOW64_32KEY (where 32-bit installers write).
  REGSAM view = KEY_WOW64_64KEY;
  std::map<std::string, std::string> strings;  // REG_SZ values
  std::map<std::string, DWORD> dwords;         // REG_DWORD values
};

// An entry named after the test (unique per run) with a display name and an
// uninstall string; `patch` marks it as a system patch.
TestEntry NamedEntry(const std::string& stem, const std::string& displayName, bool patch = false);

class InstalledEntries {
 public:
  explicit InstalledEntries(std::vector<TestEntry> entries);
  ~InstalledEntries();
  InstalledEntries(const InstalledEntries&) = delete;
  InstalledEntries& operator=(const InstalledEntries&) = delete;

  const std::vector<TestEntry>& entries() const { return entries_; }

 private:
  std::vector<TestEntry> entries_;
};

// Writes one entry (replacing one of that name) / deletes it, in its view.
void WriteEntry(const TestEntry& entry);
void DeleteEntry(const TestEntry& entry);
bool EntryExists(const TestEntry& entry);
std::optional<std::string> EntryString(const TestEntry& entry, const std::string& value);

// Registers the build's component once; a client with the programs loaded.
void RegisterComponent();
// The component index of `keyName` in a loaded client (fails the test when absent).
ULONG IndexOf(inventory::TProgramList& programs, const std::string& keyName);

// Runs `action` on the first visible top-level window of this thread with this
// class, as soon as one shows (checked every 30 ms from a thread timer, which any
// message loop of the thread dispatches). Gives up after `timeoutMs`, posting
// WM_CLOSE to any such window then.
class WindowScript {
 public:
  WindowScript(std::string className, std::function<void(HWND)> action, DWORD timeoutMs = 10000);
  ~WindowScript();
  WindowScript(const WindowScript&) = delete;
  WindowScript& operator=(const WindowScript&) = delete;
  bool ran() const;
};

// Answers the open and save dialogs with the queued answers (nullopt: Cancel) and
// records the requests. Restores the real dialogs when it goes.
class ScriptedFileDialogs {
 public:
  ScriptedFileDialogs();
  ~ScriptedFileDialogs();
  ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
  ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

  void answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  const std::vector<tk::FileDialogRequest>& requests() const { return requests_; }

 private:
  std::vector<std::optional<std::string>> answers_;
  std::vector<tk::FileDialogRequest> requests_;
  tk::FileDialogAnswerer previous_;
};

// Waits until the registry editor started as `editor` has ended, together with
// any editor it handed over to (a process it started). False on time-out.
bool WaitForEditor(HANDLE editor, DWORD timeoutMs);
// Whether the editor (or one it handed over to) shows a window within the time.
bool EditorShowsWindow(HANDLE editor, DWORD timeoutMs);
// Ends the editor and every process it started.
void EndEditor(HANDLE editor);

// A UTF-16LE file (with or without its byte-order mark) as UTF-8 text.
std::string ReadUtf16File(const std::string& path);

}  // namespace details_test

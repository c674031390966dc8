// The registry backup without a window: one registry file per entry of the
// machine-wide uninstall key, each written by the system registry editor's export
// switch. A few editors run at a time; each one is waited for and its file checked,
// since the editor's exit code says nothing about whether the export was written.
#pragma once

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sys/Handles.h"

namespace backup {

// Below HKEY_LOCAL_MACHINE, in the registry view that the program itself sees.
inline constexpr char kUninstallKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The same key as the registry editor names it on its command line and in its
// files. Under 64-bit Windows this 32-bit program sees the WOW6432Node branch, and
// the system's editor may be the 64-bit one, which reads the plain path from the
// other branch: the branch is named explicitly there, so that every editor exports
// the very key whose subkeys were listed.
std::string UninstallKeyEditorName();

// backupDir (ending with a backslash) + name + ".reg".
std::string BackupFilePath(const std::string& backupDir, const std::string& name);
// The registry editor's parameters that export entry `name` into its backup file:
//   /e "<backupDir><name>.reg" "<UninstallKeyEditorName()>\<name>"
std::string RegeditExportParameters(const std::string& backupDir, const std::string& name);

// The names of the uninstall key's direct subkeys, in the registry's order; nothing
// when the key does not open for full access (it is never created).
std::optional<std::vector<std::string>> ReadUninstallEntryNames();

// True when registry file contents `bytes` (UTF-16LE with its byte order mark, as
// the editor writes them, or ANSI) hold the section of key `fullKeyName`
// ("HKEY_LOCAL_MACHINE\..."); key names compare ignoring case.
bool RegFileHoldsKey(const std::string& bytes, const std::string& fullKeyName);

// done * 100 / total (integer division); 100 for an empty run.
int BackupPosition(std::size_t done, std::size_t total);

// Starts the registry editor with `parameters`, owned by `owner`; returns the
// editor's process handle, or an empty one when it did not start.
using EditorStarter = std::function<sys::UniqueHandle(HWND owner, const std::string& parameters)>;
// ShellExecuteEx of the Windows folder's regedit.exe (RegeditPath) with the verb
// "open", shown normally.
sys::UniqueHandle StartRegistryEditor(HWND owner, const std::string& parameters);

// One backup run over a fixed list of entry names. Drive it with poll() until it
// reports that every export has finished; nothing blocks in between, so a window
// can keep handling its messages.
class BackupRun {
 public:
  static constexpr std::size_t kDefaultMaxRunning = 4;

  BackupRun(std::string backupDir, std::vector<std::string> names, HWND owner,
            std::size_t maxRunning = kDefaultMaxRunning,
            EditorStarter startEditor = StartRegistryEditor);
  BackupRun(const BackupRun&) = delete;
  BackupRun& operator=(const BackupRun&) = delete;

  // Collects the exports that have finished (checking each file) and starts new
  // ones up to the limit. A name that a file name cannot hold (a path separator,
  // colon, wildcard, quote or control character) starts no editor and counts as
  // not saved. True once every export has finished.
  bool poll();
  // Waits at most `timeoutMs` for one of the running editors to end (returns at
  // once when none runs).
  void waitForAny(DWORD timeoutMs) const;
  bool finished() const { return done_ == names_.size(); }

  std::size_t total() const { return names_.size(); }
  std::size_t done() const { return done_; }
  std::size_t running() const { return running_.size(); }
  int position() const { return BackupPosition(done_, names_.size()); }
  // The entries whose file was not written, in the order they finished.
  const std::vector<std::string>& failedNames() const { return failed_; }

 private:
  struct Export {
    std::string name;
    std::string file;
    std::optional<FILETIME> before;  // the file's last write before this run's export
    sys::UniqueHandle process;
  };

  void start(const std::string& name);
  void finish(Export& job);

  std::string backupDir_;
  std::vector<std::string> names_;
  HWND owner_;
  std::size_t maxRunning_;
  EditorStarter startEditor_;
  std::size_t next_ = 0;
  std::size_t done_ = 0;
  std::deque<Export> running_;
  std::vector<std::string> failed_;
};

}  // namespace backup

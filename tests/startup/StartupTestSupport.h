// What the startup tests share: a raw picture of every start-up source of the
// prefix (read with the bare API, not with the code under test), a guard that puts
// the sources back as they were, and the paths of folders and sample files.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "startup/StartupRow.h"

namespace startup_test {

struct RawValue {
  DWORD type = REG_NONE;
  std::string data;  // as RegEnumValueW returns it: strings UTF-16LE, as stored
  bool operator==(const RawValue&) const = default;
};
using RawValues = std::map<std::string, RawValue>;

// Every Run-family key of both roots (HKLM in both views) and its parking key, and
// Windows' start-up switch keys, by "HKCU\<path>" (nullopt: the key does not exist),
// and the names in both start-up folders, by folder path. A path under HKLM names the
// native view's key; the 32-bit view's keys are named as the native view names them,
// "SOFTWARE\WOW6432Node\..." (see Wow32), but read through the 32-bit view.
struct SourceState {
  std::map<std::string, std::optional<RawValues>> keys;
  std::map<std::string, std::set<std::string>> folders;
  bool operator==(const SourceState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RawValue& value);
std::ostream& operator<<(std::ostream& out, const SourceState& state);

SourceState CaptureSources();
// "SOFTWARE\Microsoft\..." -> "SOFTWARE\WOW6432Node\Microsoft\...".
std::string Wow32(const std::string& path);
// True on 64-bit Windows (two views of HKLM\SOFTWARE).
bool TwoViews();
// Windows' start-up switch keys: kApproved + "\Run", "\Run32", "\StartupFolder".
inline const std::string kApproved =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
// A switch value as Windows' tools write it: the 4-byte flag, then a FILETIME.
RawValue Switch(DWORD flag, ULONGLONG time = 0x01D9A1B2C3D4E5F6ull);
// The key of `state` for `root`\`path` (e.g. HKEY_CURRENT_USER, kRunKeyPaths[0]).
std::string StateKey(HKEY root, const std::string& path);
std::string ParkingStateKey(HKEY root, const std::string& path);
// A row's location text for a Run-family key: "HKCU\<path>" or "HKLM\<path>".
std::string Location(HKEY root, const std::string& path);
// The values of `key` in `state`, made an existing, empty key when it was missing.
RawValues& Values(SourceState& state, const std::string& key);
// Moves every text value (REG_SZ, REG_EXPAND_SZ) of every Run-family key in `state`
// into that key's parking key, as disabling every row does; other values stay.
void ParkTextValues(SourceState& state);
// Text values as the wide API stores them: UTF-16LE with a terminating NUL.
RawValue Sz(const std::string& text);
RawValue ExpandSz(const std::string& text);
// `text` as UTF-16LE bytes with its terminating NUL.
std::string WideBytes(const std::string& text);

// Captures the sources and the trash when made; when it goes, puts every Run key,
// parking key and start-up folder back as captured (files that went to the trash
// are brought back) and empties from the trash what arrived meanwhile.
class SourcesGuard {
 public:
  SourcesGuard();
  ~SourcesGuard();
  SourcesGuard(const SourcesGuard&) = delete;
  SourcesGuard& operator=(const SourcesGuard&) = delete;
  const SourceState& before() const { return before_; }

 private:
  SourceState before_;
  std::set<std::string> trashBefore_;
};

// Start-up folders as the shell names them, ending with "\".
std::string UserStartupFolder();
std::string CommonStartupFolder();
// The Recycle Bin's files under Wine: $XDG_DATA_HOME/Trash/files, as a Z: path ending
// with "\"; "" when XDG_DATA_HOME is not set.
std::string TrashFilesFolder();
// build/startup-fixtures/<name>.exe, found from the test program's own path.
std::string FixturePath(const std::string& name);

// Raw registry writes for setting up a test (the key is created when missing). HKLM
// paths choose their view as SourceState names them.
void SetRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 const void* data, DWORD size);
// The same through the wide API: `name` in any script, `bytes` stored as given.
void SetWideRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
                const std::string& bytes);
// A text value through the wide API (UTF-16LE with its NUL).
void SetText(HKEY root, const std::string& path, const std::string& name, const std::string& text,
             DWORD type = REG_SZ);
// True when a file or folder is at `path`.
bool Exists(const std::string& path);

// A shortcut's fields as the shell reads them back when it starts it; empty fields
// (and a failed expectation) when it cannot be read. COM must be on.
struct ShortcutFields {
  std::string path;
  // The target as the link's item list names it (what the shell starts).
  std::string itemPath;
  std::string workingFolder;
  std::string arguments;
};
ShortcutFields ReadShortcut(const std::string& linkPath);

// The rows whose names begin with `prefix`, in their order.
std::vector<startup::StartupRow> RowsNamed(const std::vector<startup::StartupRow>& rows,
                                           const std::string& prefix);
// The row with that name and location; fails the test when there is none.
startup::StartupRow& RowOf(std::vector<startup::StartupRow>& rows, const std::string& name,
                           const std::string& location);

// Denies the given rights to everyone on an existing key for as long as it lives
// (Wine checks registry access masks, even for an administrator).
class ScopedDeny {
 public:
  ScopedDeny(HKEY root, const std::string& path, DWORD deniedRights);
  ~ScopedDeny();
  ScopedDeny(const ScopedDeny&) = delete;
  ScopedDeny& operator=(const ScopedDeny&) = delete;

 private:
  HKEY root_;
  std::string path_;
  std::vector<BYTE> original_;  // the key's security descriptor with its DACL
};

// Under Wine, saving a shortcut starts the desktop-menu builder and may wait up to
// ten seconds for it; shortcut tests switch it off in the prefix while they run.
class ScopedNoMenuBuilder {
 public:
  ScopedNoMenuBuilder();
  ~ScopedNoMenuBuilder();
  ScopedNoMenuBuilder(const ScopedNoMenuBuilder&) = delete;
  ScopedNoMenuBuilder& operator=(const ScopedNoMenuBuilder&) = delete;

 private:
  std::optional<std::string> previous_;
};

}  // namespace startup_test

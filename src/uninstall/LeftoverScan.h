// The leftover scan without its window: registry keys that bear an uninstalled
// program's key name, and the files and folders still in its install folder.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "sys/Registry.h"
#include "uninstall/Evidence.h"

namespace uninstall {

// Told each path the scan examines, so that a window can show progress and repaint.
using ScanProgress = std::function<void(const std::string& path)>;
// Set by another thread to end a walk at its next path; nullptr never stops it.
using ScanCancel = const std::atomic<bool>*;

// One key found by name. `text` is what the tree shows: "HKEY_...\path\name", with
// the 32-bit view's keys named as the system names them (SOFTWARE\WOW6432Node\...).
// `root`, `view` and `path` name the key exactly. Its values' texts (key text + "\" +
// value name; the unnamed value ends in "\") come with each value's exact name (a
// value name may hold "\").
struct FoundKey {
  std::string text;
  std::vector<std::string> values;
  std::vector<std::string> valueNames;
  HKEY root = nullptr;
  sys::RegView view = sys::RegView::Default;
  std::string path;      // below the root, no trailing backslash
  std::string identity;  // one name for the key whatever view reaches it
  // The other installed program the key (or something below it) belongs to: such a
  // key is never offered ticked.
  std::string owner;
  // Why the scan thinks the key is the program's, and how sure it is.
  Evidence evidence;
  // The finding is only the listed values of a key that is not the program's (a
  // value of a Run key, say): the key itself is never removed, only those values.
  bool valuesOnly = false;
};

// The finding for `key` as it stands: its text, exact name, identity and values.
FoundKey FoundKeyOf(const sys::RegKey& key);
// The finding for some values of a key that is not the program's (valuesOnly).
FoundKey FoundValuesOf(const sys::RegKey& key, const std::vector<std::string>& valueNames);

// Searches `start` and everything below it, except the excluded branches, for keys
// named exactly `searchName` (same letter case), appending them in the order the
// registry enumerates. Keys are opened for reading only, in `start`'s view. Once
// `cancel` is set it stops before the next key.
void ScanRegistryKey(const sys::RegKey& start, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress = {},
                     ScanCancel cancel = nullptr);
void ScanRegistryKey(HKEY root, const std::string& path, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress = {},
                     ScanCancel cancel = nullptr);

// The four registry passes in their order, HKLM's in each view of 64-bit Windows. A
// key that two views share is listed once.
std::vector<FoundKey> ScanRegistry(const std::string& searchName, const ScanProgress& progress = {},
                                   ScanCancel cancel = nullptr);

// A file or folder of the file tree; `path` is the full path.
struct FileEntry {
  std::string path;
  bool folder = false;
  bool link = false;  // a junction or symbolic link: listed, never entered
  // The other installed program that claims this folder (its install folder, or the
  // folder of its icon or uninstaller): it and everything below it stay unticked.
  std::string owner;
  Evidence evidence;
  std::vector<FileEntry> children;
};

// Lists `folder`'s entries below `node`, depth first, hidden and system ones included;
// names beginning with "." are skipped, links are not entered, protected folders are
// never listed. `progress` hears every entry; once `cancel` is set it stops before
// the next one.
void ScanFolder(const std::string& folder, FileEntry& node, const ScanProgress& progress = {},
                ScanCancel cancel = nullptr);

// The file tree of an install folder: empty (no root) when the folder is missing, lies
// under a "\Windows\" folder, or is a protected folder.
std::vector<FileEntry> ScanInstallFolder(const std::string& installDir,
                                         const ScanProgress& progress = {},
                                         ScanCancel cancel = nullptr);

}  // namespace uninstall

// The leftover scan without its window: registry keys that bear an uninstalled
// program's key name, and the files and folders still in its install folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace uninstall {

// Told each path the scan examines, so that a window can show progress and repaint.
using ScanProgress = std::function<void(const std::string& path)>;

// One key found by name: its text "HKEY_...\path\name" and the texts of its values
// (key text + "\" + value name; the unnamed value ends in "\"), with each value's
// exact name beside its text (a value name may hold "\").
struct FoundKey {
  std::string text;
  std::vector<std::string> values;
  std::vector<std::string> valueNames;
};

// Searches `root`\`path` and everything below it, except the excluded branches, for keys
// named exactly `searchName` (same letter case), appending them in the order the
// registry enumerates. Keys are opened for reading only.
void ScanRegistryKey(HKEY root, const std::string& path, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress = {});

// The four registry passes in their order.
std::vector<FoundKey> ScanRegistry(const std::string& searchName,
                                   const ScanProgress& progress = {});

// A file or folder of the file tree; `path` is the full path.
struct FileEntry {
  std::string path;
  bool folder = false;
  bool link = false;  // a junction or symbolic link: listed, never entered
  std::vector<FileEntry> children;
};

// Lists `folder`'s entries below `node`, depth first, hidden and system ones included;
// names beginning with "." are skipped, links are not entered, protected folders are
// never listed.
void ScanFolder(const std::string& folder, FileEntry& node, const ScanProgress& progress = {});

// The file tree of an install folder: empty (no root) when the folder is missing, lies
// under a "\Windows\" folder, or is a protected folder.
std::vector<FileEntry> ScanInstallFolder(const std::string& installDir,
                                         const ScanProgress& progress = {});

}  // namespace uninstall

// Writes registry keys and values into a registry file (REGEDIT4 text) that the system's
// registry editor imports back, so that removed leftovers can be restored.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uninstall {

// What to export: a whole key (with every value and subkey below it) or one value.
struct RegExportItem {
  HKEY root = nullptr;
  std::string rootName;  // "HKEY_CURRENT_USER" and friends, as written in the file
  std::string keyPath;   // below the root, no leading or trailing backslash
  bool wholeKey = true;
  std::string valueName;  // when !wholeKey; "" is the unnamed value
};

// The file's text for `items`; items that no longer exist are left out.
std::string RegExportText(const std::vector<RegExportItem>& items);

// One value line's right-hand side, escaped as the registry editor writes it:
// "text", dword:0000002a, hex:01,02 or hex(N):..., wrapped with "\" continuations.
std::string RegValueData(DWORD type, const std::string& data, size_t nameLength);

// Writes `items` into a new file in `folder` named after `programName` and the current
// time (a free name is chosen when that name is taken). Returns the file's path, or ""
// when the folder or the file cannot be written.
std::string WriteRegBackup(const std::string& folder, const std::string& programName,
                           const std::vector<RegExportItem>& items);

}  // namespace uninstall

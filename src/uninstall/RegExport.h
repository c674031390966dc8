// Writes registry keys and values into a registry file in the format of the system's
// registry editor (version 5: UTF-16LE with a byte order mark), which that editor
// imports back byte for byte, so that removed leftovers can be restored.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "sys/Registry.h"

namespace uninstall {

inline constexpr char kRegFileHeader[] = "Windows Registry Editor Version 5.00";

// What to export: a whole key (with every value and subkey below it) or one value.
struct RegExportItem {
  HKEY root = nullptr;
  std::string rootName;  // "HKEY_CURRENT_USER" and friends, as written in the file
  std::string keyPath;   // below the root, no leading or trailing backslash
  bool wholeKey = true;
  std::string valueName;                      // when !wholeKey; "" is the unnamed value
  sys::RegView view = sys::RegView::Default;  // the view the key is read in
  // The key's path as written in the file, which the registry editor imports it to
  // (SOFTWARE\WOW6432Node\... for the 32-bit view); keyPath when empty.
  std::string shownPath;
};

// The file's text (UTF-8, CRLF lines) for `items`. An item that no longer exists is
// left out; anything that exists and cannot be read (a key that does not open, a
// value that does not read, a name that no registry file can hold) gives nothing,
// since a backup with holes must not stand for one that restores everything.
std::optional<std::string> RegExportText(const std::vector<RegExportItem>& items);

// One value line's right-hand side, as the registry editor writes it: "text",
// dword:0000002a, hex:01,02 or hex(N):..., wrapped with "\" continuations. `data` is
// the value's bytes as stored (strings as UTF-16LE); `nameLength` is how many
// characters the quoted name (or "@") takes before the "=".
std::string RegValueData(DWORD type, const std::string& data, size_t nameLength);

// The line for one value: "name"=data or @=data, without its line break.
std::string RegValueLine(const sys::RegValue& value);

// Writes `items` into a new file in `folder` named after `programName` and the current
// time (a free name is chosen when that name is taken). Returns the file's path, or ""
// when any of it cannot be read or the folder or the file cannot be written.
std::string WriteRegBackup(const std::string& folder, const std::string& programName,
                           const std::vector<RegExportItem>& items);

// `programName` as a file name part: the characters Windows forbids in file names and
// control characters become "_"; letters of every script stay.
std::string SafeFileNamePart(const std::string& programName);

}  // namespace uninstall

// What a path names on disk, whatever its spelling: "\\?\C:\x", "C:\x", another drive
// letter mapped onto the same folder, or a link to it all open the same object, and
// the object's volume serial and file index say so.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace sys {

// The volume's serial number and the object's id on it (128 bits where the file
// system has such ids, else the 64-bit file index).
struct FileIdentity {
  ULONGLONG volume = 0;
  ULONGLONG idHigh = 0;
  ULONGLONG idLow = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct ResolvedPath {
  FileIdentity identity;
  // The path of the opened object as the system names it after following links, in
  // the plain "C:\..." or "\\server\share\..." form; "" when the system gives none.
  std::string finalPath;
};

// Opens the file or folder at `path` (following links) for its attributes only,
// sharing everything, and asks for its identity and final path. Nothing when it
// cannot be opened; never shows a "no disk" box.
std::optional<ResolvedPath> ResolvePath(std::string_view path);

// "\\?\C:\x" -> "C:\x", "\\?\UNC\server\share\x" -> "\\server\share\x"; other paths
// unchanged.
std::string WithoutLongPathPrefix(std::string_view path);

}  // namespace sys

// The disk size of an installed program's folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace rostrel {

// An InstallLocation as a folder path: quotes and blanks trimmed, environment
// variables expanded, without a trailing backslash. nullopt for an empty text and
// for drive or share roots, which are never one program's folder.
std::optional<std::wstring> ProgramFolder(std::wstring_view installLocation);

// The bytes of all files below `folder`, sub-folders included. Links to other
// folders (junctions, symbolic links) are not followed. 0 for a missing folder.
ULONGLONG FolderSize(const std::wstring& folder);

// When the folder itself was last written (a file or folder at its top level
// added, removed or renamed), as FILETIME ticks; nullopt for a missing folder.
std::optional<ULONGLONG> FolderWriteTime(const std::wstring& folder);

}  // namespace rostrel

// Files and folders by exact name, over the wide file API. Every function takes and
// returns UTF-8 paths; none takes a pattern, so what is named is what is touched.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace sys {

struct FolderEntry {
  std::string name;  // exact, without the folder
  DWORD attributes = 0;
  ULONGLONG size = 0;
  FILETIME lastWrite{};
  bool isFolder() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }
  // A symbolic link, junction or other reparse point: listed, never entered.
  bool isLink() const { return attributes & FILE_ATTRIBUTE_REPARSE_POINT; }
};

// Everything in `folder` but "." and "..". `error` receives GetLastError() when the
// folder cannot be listed (ERROR_SUCCESS for an empty one).
std::vector<FolderEntry> ListFolder(std::string_view folder, DWORD* error = nullptr);
// Entries of `folder` whose name matches `pattern` ("*.ini"): the one place a pattern
// is used, and only for listing.
std::vector<FolderEntry> ListFolderMatching(std::string_view folder, std::string_view pattern);

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD FileAttributes(std::string_view path);
bool SetFileAttributesOf(std::string_view path, DWORD attributes);
// True when something (file, folder or link) has this exact name.
bool PathExists(std::string_view path);

bool DeleteFileExact(std::string_view path);
// Removes an empty folder. Given a link, some systems act on what it points at: use
// DeleteLinkItself for links.
bool RemoveFolderExact(std::string_view path);
// Deletes the junction or symbolic link at `path` itself, never what it points at. A
// system that resolves the link even when asked for the link itself (Wine 8 does so
// for the Unix symbolic links it shows as reparse points) gets no deletion: false.
bool DeleteLinkItself(std::string_view path);
bool CreateFolder(std::string_view path);
bool MoveFileExact(std::string_view from, std::string_view to);
bool CopyFileExact(std::string_view from, std::string_view to, bool failIfExists);
// Moves one file or folder to the Recycle Bin through the shell.
bool MoveToRecycleBin(std::string_view path);

// What became of a file or folder handed to RecycleOrKeep.
enum class RecycleResult {
  Recycled,  // it is in the Recycle Bin
  Missing,   // nothing was there
  // It is where it was: the shell refused, or it would have deleted for good what its bin
  // cannot take and that was put back, or there was no way to check (see below).
  Kept,
};
// Moves one file or folder to the Recycle Bin, never deleting it for good. The shell
// silently deletes what its bin cannot take (too large, a drive without a bin), so every
// file is first held by a second hard link in a folder of the temporary folder; after the
// move, a file whose other name went with nothing left beside the holding link was
// deleted, and everything missing is put back from the holding links. A file that cannot
// be held (another volume, a link, no rights) is not handed to the shell at all.
RecycleResult RecycleOrKeep(std::string_view path);

std::string FullPathName(std::string_view path);  // "" on failure
std::string LongPathName(std::string_view path);  // `path` itself when it has no long form
std::string WindowsDirectory();                   // "C:\windows" (no trailing backslash)
std::string SystemDirectory();
std::string EnvironmentVariable(std::string_view name);  // "" when unset
std::string TempDirectory();                             // with a trailing backslash

// Whether two file names are the same name to the file system: compared without
// regard to case, character by character as NTFS folds it (not by locale).
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace sys

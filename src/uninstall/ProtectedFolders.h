// Folders that the leftover scan never lists and removal never deletes, whatever an
// uninstall entry claims as its install folder.
//
// A folder is matched by what it is on disk, not by how it is spelled: "\\?\C:\x",
// "\\localhost\C$\x", another drive letter mapped onto the same folder and a link to
// it all name the folder "C:\x". Paths that exist are compared by the identity and the
// final path of the opened folder; paths that do not are compared by spelling, after
// the links of their existing parents are followed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sys/FileIdentity.h"

namespace uninstall {

enum class FolderGuard {
  // The folder and every folder above it; a program's own folder below it may go
  // (AppData\Roaming\Vendor\App, Temp\Setup).
  Itself,
  // Also everything below it: all of it is the user's (Documents, Pictures, other
  // users' profiles) or the system's (the Windows folder).
  Contents,
};

struct GuardedFolder {
  std::string path;  // any spelling; the set normalises it
  FolderGuard guard = FolderGuard::Itself;
};

// Guarded folders with their identities and final paths, taken once when the set is
// made, so that a check costs one open of the checked path.
class ProtectedFolderSet {
 public:
  explicit ProtectedFolderSet(const std::vector<GuardedFolder>& folders);

  // True when `path` is a guarded folder or a folder above one, lies below a folder
  // whose contents are guarded, is a drive or share root (also through a link), or
  // cannot be checked (empty, relative).
  bool covers(const std::string& path) const;
  // The guarded folders, normalised (see NormalisedFolder).
  const std::vector<std::string>& paths() const { return paths_; }

  // The names a path goes by: its normalised spelling, and its final path once links
  // are followed (for a missing path: its deepest existing parent's final path and
  // the rest), both in NormalisedFolder's form.
  struct Names {
    std::string spelling;
    std::string resolved;
    std::optional<sys::FileIdentity> identity;  // when the path itself opens
  };

 private:
  struct Entry {
    Names names;
    FolderGuard guard;
  };
  std::vector<Entry> entries_;
  std::vector<std::string> paths_;
};

// The folders this system guards, read now. Itself: every folder the shell knows
// (the known-folder manager, and the CSIDL folders beside it), the Program Files and
// Common Files roots of both views, ProgramData, the profiles folder, the user's
// profile, AppData, LocalLow and Temp. Contents: the Windows folder, the user's
// Desktop, Documents, Downloads, Pictures, Music, Videos, Saved Games, Favorites,
// Links, Contacts, Searches and OneDrive, the public profile, every other user's
// profile (ProfileList), and WindowsApps and Windows Kits in both Program Files.
std::vector<GuardedFolder> SystemGuardedFolders();

// The process's set, made from SystemGuardedFolders() on first use.
const ProtectedFolderSet& ProtectedFolders();

// ProtectedFolders().covers(path).
bool IsProtectedFolder(const std::string& path);

// The folders that IsProtectedFolder guards, normalised.
const std::vector<std::string>& ProtectedFolderList();

// Full path, upper case, without a final backslash, in the plain form: "\\?\" and
// "\\?\UNC\" dropped, and an administrative share of this machine ("\\localhost\C$",
// "\\127.0.0.1\c$", "\\<computer name>\C$") turned into its drive. "" when `path` is
// not absolute.
std::string NormalisedFolder(const std::string& path);

// True when `a` and `b` are the same folder: the same object on disk when both open,
// else the same path once the links of their existing parents are followed.
bool SameFolder(const std::string& a, const std::string& b);

}  // namespace uninstall

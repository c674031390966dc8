// The uninstall entries of the other programs still installed, read straight from
// the registry (both machine views and the user's), so that the leftover scan can
// tell what belongs to someone else before it offers anything.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sys/Registry.h"
#include "uninstall/UninstallTarget.h"

namespace uninstall {

inline constexpr char kUninstallKeyPath[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct InstalledEntry {
  HKEY root = HKEY_LOCAL_MACHINE;
  sys::RegView view = sys::RegView::Default;
  std::string keyName;
  std::string displayName;  // the key name when the entry has none
  std::string publisher;
  // The entry's key as one name, whatever view opened it (see KeyIdentity).
  std::string keyIdentity;
  // Folders the program claims (normalised, upper case): its install folder and the
  // folders of its DisplayIcon and UninstallString files.
  std::vector<std::string> folders;
  // Every string the entry's values hold, upper case, to look for paths in.
  std::vector<std::string> texts;
};

// The entries under every uninstall key except the target's own (same root, view
// and key name). Entries that cannot be read are left out.
std::vector<InstalledEntry> ReadOtherEntries(const UninstallTarget& target);

// One name for a registry key, equal for two spellings or views that reach the same
// key: the system's object name for machine keys, else root name + path, upper case.
// "" when the key does not exist.
std::string KeyIdentity(HKEY root, const std::string& path, sys::RegView view);

// The folder of the program file a command or icon reference names ("C:\A\b.exe",0
// and "C:\A\unins000.exe" /quiet both give "C:\A"); "" when none is named.
std::string CommandFolder(const std::string& command);

}  // namespace uninstall

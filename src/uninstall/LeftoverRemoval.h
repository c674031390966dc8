// Removal of the leftovers that the user ticked, without the window: each item is
// deleted and then checked, and only what is really gone is reported removed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace uninstall {

// A node text split at its first and last "\": "HKEY_CURRENT_USER\SOFTWARE\App\Path"
// gives root "HKEY_CURRENT_USER", parent path "SOFTWARE\App\" and last name "Path".
// A text ending in "\" (a key's unnamed value) has an empty last name.
struct NodePath {
  std::string rootName;
  std::string parentPath;  // ends in "\" unless empty
  std::string lastName;
};
NodePath SplitNodePath(const std::string& text);

// The root key for "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"
// (exact letter case), or nullptr for any other text.
HKEY RootKeyFromName(const std::string& name);

// Deletes a folder with everything in it, entry by exact name (never a pattern, never
// the recycle bin): links inside are removed without being entered, read-only files
// lose the attribute first, protected folders are refused at every level. True when
// the folder is gone afterwards.
bool DeleteFolderTree(const std::string& path);

enum class LeftoverKind {
  RegistryKey,    // text: root\path\name; removed with all its subkeys
  RegistryValue,  // text: key text + "\" + value name
  Folder,         // text: full path; removed with its contents
  File,           // text: full path
  Link,           // a junction or symbolic link: only the link is removed
};

struct LeftoverItem {
  LeftoverKind kind;
  std::string text;
  // A value's exact name. A value name may hold "\", so the text's last "\" cannot
  // tell where the key ends; when set, the key is the text before "\" + valueName.
  std::optional<std::string> valueName;
};

// The registry object an item names: root, key below it and (for a value) the value.
struct RegistryTarget {
  HKEY root = nullptr;
  std::string rootName;
  std::string keyPath;    // no leading or trailing backslash
  std::string valueName;  // "" is the unnamed value
};
// Nothing for a file item or a text whose root names no key.
std::optional<RegistryTarget> RegistryTargetOf(const LeftoverItem& item);

struct RemovalOutcome {
  std::vector<bool> gone;  // per item, in the order given: true when it no longer exists
  std::string backupFile;  // the registry file written before any registry deletion
  size_t failed() const;
};

// Removes `items` (the ticked ones). Registry keys and values are first exported into a
// new registry file in `regBackupDir` named after `programName` and the time; when that
// file cannot be written, no registry item is deleted. Then keys, values, links, files
// and folders (deepest first) are deleted. Protected folders are never deleted.
RemovalOutcome RemoveLeftovers(const std::vector<LeftoverItem>& items,
                               const std::string& programName, const std::string& regBackupDir);

// Whether the thing an item names still exists.
bool LeftoverExists(const LeftoverItem& item);

}  // namespace uninstall

// Removal of the leftovers that the user ticked, without the window: each item is
// deleted and then checked, and only what is really gone is reported removed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "sys/Registry.h"
#include "uninstall/RegExport.h"

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

enum class LeftoverKind {
  RegistryKey,    // text: root\path\name; removed with all its subkeys
  RegistryValue,  // text: key text + "\" + value name
  Folder,         // text: full path; removed once its listed contents are gone
  File,           // text: full path
  Link,           // a junction or symbolic link: only the link is removed
};

// The registry object an item names: root, view, key below it and (for a value) the
// value.
struct RegistryTarget {
  HKEY root = nullptr;
  std::string rootName;
  std::string keyPath;    // no leading or trailing backslash
  std::string valueName;  // "" is the unnamed value
  sys::RegView view = sys::RegView::Default;
  // The key's path as the system names it, for files a registry editor imports
  // (SOFTWARE\WOW6432Node\... for the 32-bit view); keyPath when empty.
  std::string shownPath;
};

struct LeftoverItem {
  LeftoverKind kind;
  std::string text;
  // A value's exact name. A value name may hold "\", so the text's last "\" cannot
  // tell where the key ends; when set, the key is the text before "\" + valueName.
  std::optional<std::string> valueName;
  // The exact key or value for registry items found by the scan; without it the
  // text is read as root\path\name in the default view.
  std::optional<RegistryTarget> registry;
};

// Nothing for a file item or a text whose root names no key.
std::optional<RegistryTarget> RegistryTargetOf(const LeftoverItem& item);
// What the registry backup saves for a registry item, in its view; nothing for others.
std::optional<RegExportItem> ExportItemOf(const LeftoverItem& item);

struct RemovalOutcome {
  std::vector<bool> gone;  // per item, in the order given: true when it no longer exists
  // Per item: a ticked folder that stays because something in it was not listed or
  // not ticked (never a failure: nothing unseen is deleted).
  std::vector<bool> kept;
  // Per item: a ticked folder that stays only because ticked items in it could not go.
  std::vector<bool> heldBack;
  std::string backupFile;  // the registry file written before any registry deletion
  // Items that are still there and were not kept on purpose.
  size_t failed() const;
  size_t keptFolders() const;
};

// Removes `items` (the ticked ones). Registry keys and values are first exported into a
// new registry file in `regBackupDir` named after `programName` and the time; when that
// file cannot be written, no registry item is deleted. Then keys, values, links, files
// and folders (deepest first) are deleted, each on its own: a folder item removes only
// the folder itself once it is empty, so that what was never listed is never deleted.
// Protected folders are never deleted; an item that has turned into a link since it
// was listed is left alone.
RemovalOutcome RemoveLeftovers(const std::vector<LeftoverItem>& items,
                               const std::string& programName, const std::string& regBackupDir);

// Whether the thing an item names still exists.
bool LeftoverExists(const LeftoverItem& item);

}  // namespace uninstall

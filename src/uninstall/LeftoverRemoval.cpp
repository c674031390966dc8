#include "uninstall/LeftoverRemoval.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Handles.h"
#include "sys/Registry.h"
#include "uninstall/ProtectedFolders.h"
#include "uninstall/RegExport.h"

namespace uninstall {
namespace {

std::string WithoutBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool PathExists(const std::string& path) {
  if (sys::FileAttributes(path) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  // Anything but "not there" (a denied parent, a broken share, a name the call cannot
  // take) counts as still there: nothing is reported removed that was not seen to go.
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
         error != ERROR_BAD_NETPATH;
}

bool IsRegistry(LeftoverKind kind) {
  return kind == LeftoverKind::RegistryKey || kind == LeftoverKind::RegistryValue;
}

void DeleteRegistryItem(const LeftoverItem& item) {
  std::optional<RegistryTarget> target = RegistryTargetOf(item);
  if (!target) return;
  const sys::RegKey key(target->root, target->keyPath, target->view);
  if (item.kind == LeftoverKind::RegistryKey) {
    if (!target->keyPath.empty()) key.deleteTree();  // never a whole root
  } else {
    key.deleteValue(target->valueName);
  }
}

bool IsLinkOrFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
}

void DeleteFileItem(const std::string& path) {
  // A file that became a link or a folder after it was listed is not what the user saw.
  if (IsLinkOrFolder(sys::FileAttributes(path))) return;
  if (sys::DeleteFileExact(path)) return;
  // A read-only leftover is still a leftover that the user chose to remove.
  const DWORD attributes = sys::FileAttributes(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    sys::SetFileAttributesOf(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!sys::DeleteFileExact(path)) sys::SetFileAttributesOf(path, attributes);
  }
}

void DeleteLink(const std::string& path) {
  // Only the link goes, whether it points at a folder or a file. Removing it by name
  // would, where the system resolves links (Wine), remove an empty target folder or a
  // target file instead and leave the link.
  sys::DeleteLinkItself(WithoutBackslash(path));
}

void RemoveEmptyFolder(const std::string& folder) {
  if (sys::RemoveFolderExact(folder)) return;
  const DWORD attributes = sys::FileAttributes(folder);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    sys::SetFileAttributesOf(folder, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!sys::RemoveFolderExact(folder)) sys::SetFileAttributesOf(folder, attributes);
  }
}

// A listed folder goes only once its listed contents have gone: whatever is still in
// it was never shown or was unticked, and stays with it.
void DeleteListedFolder(const std::string& path) {
  const std::string folder = WithoutBackslash(path);
  if (folder.empty() || IsProtectedFolder(folder)) return;
  const DWORD attributes = sys::FileAttributes(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return;
  RemoveEmptyFolder(folder);
}

// Whether `path` still holds something that the user was not asked to remove: an
// entry that was never listed, or was left unticked.
bool HoldsUnticked(const std::string& path, const std::set<std::string>& ticked) {
  const std::string folder = WithoutBackslash(path);
  const DWORD attributes = sys::FileAttributes(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  for (const sys::FolderEntry& entry : sys::ListFolder(folder))
    if (!ticked.count(sys::UpperCase(folder + "\\" + entry.name))) return true;
  return false;
}

int Order(LeftoverKind kind) {
  switch (kind) {
    case LeftoverKind::RegistryKey:
      return 0;
    case LeftoverKind::RegistryValue:
      return 1;
    case LeftoverKind::Link:
      return 2;
    case LeftoverKind::File:
      return 3;
    case LeftoverKind::Folder:
      return 4;
  }
  return 5;
}

}  // namespace

NodePath SplitNodePath(const std::string& text) {
  NodePath out;
  size_t first = text.find('\\');
  if (first == std::string::npos) {
    out.rootName = text;
    return out;
  }
  out.rootName = text.substr(0, first);
  std::string rest = text.substr(first + 1);
  size_t last = rest.rfind('\\');
  if (last == std::string::npos) {
    out.lastName = rest;
  } else {
    out.parentPath = rest.substr(0, last + 1);
    out.lastName = rest.substr(last + 1);
  }
  return out;
}

HKEY RootKeyFromName(const std::string& name) {
  if (name == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
  if (name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  if (name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  return nullptr;
}

std::optional<RegistryTarget> RegistryTargetOf(const LeftoverItem& item) {
  if (!IsRegistry(item.kind)) return std::nullopt;
  if (item.registry) {
    if (!item.registry->root || item.registry->keyPath.empty()) return std::nullopt;
    return item.registry;
  }
  RegistryTarget target;
  std::string keyText = item.text;
  if (item.kind == LeftoverKind::RegistryValue) {
    if (item.valueName) {
      const std::string tail = "\\" + *item.valueName;
      if (keyText.size() < tail.size() ||
          keyText.compare(keyText.size() - tail.size(), tail.size(), tail) != 0)
        return std::nullopt;  // the text does not name that value
      keyText.resize(keyText.size() - tail.size());
      target.valueName = *item.valueName;
    } else {
      NodePath node = SplitNodePath(item.text);
      keyText = node.rootName + "\\" + node.parentPath;
      target.valueName = node.lastName;
    }
  }
  const size_t first = keyText.find('\\');
  target.rootName = keyText.substr(0, first);
  target.root = RootKeyFromName(target.rootName);
  if (!target.root) return std::nullopt;
  target.keyPath = first == std::string::npos ? std::string() : keyText.substr(first + 1);
  while (!target.keyPath.empty() && target.keyPath.back() == '\\') target.keyPath.pop_back();
  return target;
}

std::optional<RegExportItem> ExportItemOf(const LeftoverItem& item) {
  std::optional<RegistryTarget> target = RegistryTargetOf(item);
  if (!target) return std::nullopt;
  return RegExportItem{
      target->root,      target->rootName, target->keyPath,  item.kind == LeftoverKind::RegistryKey,
      target->valueName, target->view,     target->shownPath};
}

bool LeftoverExists(const LeftoverItem& item) {
  if (!IsRegistry(item.kind)) return PathExists(WithoutBackslash(item.text));
  std::optional<RegistryTarget> target = RegistryTargetOf(item);
  if (!target) return false;  // names nothing
  sys::UniqueKey key;
  LONG rc = sys::RegKey(target->root, target->keyPath, target->view).open(KEY_READ, key);
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (item.kind == LeftoverKind::RegistryKey || rc != ERROR_SUCCESS) return true;
  if (sys::ReadValue(key.get(), target->valueName, &rc)) return true;
  return rc != ERROR_FILE_NOT_FOUND;
}

size_t RemovalOutcome::failed() const {
  size_t count = 0;
  for (size_t i = 0; i < gone.size(); ++i)
    if (!gone[i] && !(i < kept.size() && kept[i]) && !(i < heldBack.size() && heldBack[i])) ++count;
  return count;
}

size_t RemovalOutcome::keptFolders() const {
  return static_cast<size_t>(std::count(kept.begin(), kept.end(), true));
}

RemovalOutcome RemoveLeftovers(const std::vector<LeftoverItem>& items,
                               const std::string& programName, const std::string& regBackupDir) {
  RemovalOutcome outcome;
  outcome.gone.assign(items.size(), false);
  outcome.kept.assign(items.size(), false);
  outcome.heldBack.assign(items.size(), false);
  std::set<std::string> tickedPaths;
  for (const LeftoverItem& item : items)
    if (!IsRegistry(item.kind)) tickedPaths.insert(sys::UpperCase(WithoutBackslash(item.text)));

  bool registryAllowed = true;
  std::vector<RegExportItem> exports;
  for (const LeftoverItem& item : items)
    if (std::optional<RegExportItem> exported = ExportItemOf(item)) exports.push_back(*exported);
  if (!exports.empty()) {
    outcome.backupFile = WriteRegBackup(regBackupDir, programName, exports);
    registryAllowed = !outcome.backupFile.empty();
  }

  // Children before parents: by kind, then folders deepest (longest path) first.
  std::vector<size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    int ka = Order(items[a].kind), kb = Order(items[b].kind);
    if (ka != kb) return ka < kb;
    if (items[a].kind == LeftoverKind::Folder) return items[a].text.size() > items[b].text.size();
    return false;
  });

  for (size_t index : order) {
    const LeftoverItem& item = items[index];
    switch (item.kind) {
      case LeftoverKind::RegistryKey:
      case LeftoverKind::RegistryValue:
        if (registryAllowed) DeleteRegistryItem(item);
        break;
      case LeftoverKind::Link:
        DeleteLink(item.text);
        break;
      case LeftoverKind::File:
        DeleteFileItem(item.text);
        break;
      case LeftoverKind::Folder:
        DeleteListedFolder(item.text);
        break;
    }
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const LeftoverItem& item = items[i];
    // An item whose root names nothing was never there to remove, yet nothing was
    // removed either: it is not reported as gone.
    if (IsRegistry(item.kind) && !RegistryTargetOf(item)) continue;
    if (IsRegistry(item.kind) && !registryAllowed) continue;
    outcome.gone[i] = !LeftoverExists(item);
    if (!outcome.gone[i] && item.kind == LeftoverKind::Folder && !IsProtectedFolder(item.text)) {
      // A folder that stays only because ticked items in it could not go is not a
      // failure of its own: those items are counted.
      if (HoldsUnticked(item.text, tickedPaths))
        outcome.kept[i] = true;
      else
        outcome.heldBack[i] = true;
    }
  }
  return outcome;
}

}  // namespace uninstall

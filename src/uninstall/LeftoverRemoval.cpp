#include "uninstall/LeftoverRemoval.h"

#include <shellapi.h>

#include <algorithm>
#include <numeric>

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
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  DWORD error = GetLastError();
  // Anything but "not there" (a denied parent, a broken share) counts as still there.
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
         error != ERROR_INVALID_NAME && error != ERROR_BAD_NETPATH;
}

bool IsRegistry(LeftoverKind kind) {
  return kind == LeftoverKind::RegistryKey || kind == LeftoverKind::RegistryValue;
}

void DeleteRegistryItem(const LeftoverItem& item) {
  NodePath node = SplitNodePath(item.text);
  HKEY root = RootKeyFromName(node.rootName);
  if (!root) return;
  sys::UniqueKey parent;
  if (RegOpenKeyExA(root, node.parentPath.c_str(), 0, KEY_ALL_ACCESS, parent.put()) !=
      ERROR_SUCCESS)
    return;
  if (item.kind == LeftoverKind::RegistryKey) {
    if (!node.lastName.empty()) sys::DeleteKeyTree(parent.get(), node.lastName, 0);
  } else {
    RegDeleteValueA(parent.get(), node.lastName.empty() ? nullptr : node.lastName.c_str());
  }
}

void DeleteFileItem(const std::string& path) {
  if (DeleteFileA(path.c_str())) return;
  // A read-only leftover is still a leftover that the user chose to remove.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!DeleteFileA(path.c_str())) SetFileAttributesA(path.c_str(), attributes);
  }
}

void DeleteLink(const std::string& path) {
  const std::string bare = WithoutBackslash(path);
  DWORD attributes = GetFileAttributesA(bare.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  // A link to a folder is an empty directory entry of its own: removing it leaves the
  // target and its contents alone.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    RemoveDirectoryA(bare.c_str());
  else
    DeleteFileA(bare.c_str());
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

bool DeleteFolderTree(const std::string& path) {
  const std::string folder = WithoutBackslash(path);
  if (folder.empty() || IsProtectedFolder(folder)) return false;
  std::string from = folder;
  from.push_back('\0');  // a list of one item, ended by a second NUL
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.pTo = "";
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
  return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

bool LeftoverExists(const LeftoverItem& item) {
  if (!IsRegistry(item.kind)) return PathExists(WithoutBackslash(item.text));
  NodePath node = SplitNodePath(item.text);
  HKEY root = RootKeyFromName(node.rootName);
  if (!root) return false;  // names nothing
  if (item.kind == LeftoverKind::RegistryKey) {
    sys::UniqueKey key;
    LONG rc =
        RegOpenKeyExA(root, (node.parentPath + node.lastName).c_str(), 0, KEY_READ, key.put());
    return rc != ERROR_FILE_NOT_FOUND;
  }
  sys::UniqueKey key;
  LONG rc = RegOpenKeyExA(root, node.parentPath.c_str(), 0, KEY_READ, key.put());
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) return true;
  rc = RegQueryValueExA(key.get(), node.lastName.empty() ? nullptr : node.lastName.c_str(), nullptr,
                        nullptr, nullptr, nullptr);
  return rc != ERROR_FILE_NOT_FOUND;
}

size_t RemovalOutcome::failed() const {
  return static_cast<size_t>(std::count(gone.begin(), gone.end(), false));
}

RemovalOutcome RemoveLeftovers(const std::vector<LeftoverItem>& items,
                               const std::string& programName, const std::string& regBackupDir) {
  RemovalOutcome outcome;
  outcome.gone.assign(items.size(), false);

  bool registryAllowed = true;
  std::vector<RegExportItem> exports;
  for (const LeftoverItem& item : items) {
    if (!IsRegistry(item.kind)) continue;
    NodePath node = SplitNodePath(item.text);
    HKEY root = RootKeyFromName(node.rootName);
    if (!root) continue;
    std::string parent = WithoutBackslash(node.parentPath);
    if (item.kind == LeftoverKind::RegistryKey)
      exports.push_back(
          {root, node.rootName, parent + (parent.empty() ? "" : "\\") + node.lastName, true, ""});
    else
      exports.push_back({root, node.rootName, parent, false, node.lastName});
  }
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
        DeleteFolderTree(item.text);
        break;
    }
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const LeftoverItem& item = items[i];
    // An item whose root names nothing was never there to remove, yet nothing was
    // removed either: it is not reported as gone.
    if (IsRegistry(item.kind) && !RootKeyFromName(SplitNodePath(item.text).rootName)) continue;
    if (IsRegistry(item.kind) && !registryAllowed) continue;
    outcome.gone[i] = !LeftoverExists(item);
  }
  return outcome;
}

}  // namespace uninstall

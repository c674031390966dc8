#include "uninstall/LeftoverScan.h"

#include <algorithm>

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Handles.h"
#include "sys/Registry.h"
#include "uninstall/ProtectedFolders.h"

namespace uninstall {
namespace {

// Branches that hold nothing of one program, or far too much of the system's.
constexpr const char* kExcludedPaths[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components",
    "SOFTWARE\\Classes",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide",
    "SOFTWARE\\Microsoft",
};

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace

void ScanRegistryKey(HKEY root, const std::string& path, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress) {
  for (const char* excluded : kExcludedPaths)
    if (path == excluded) return;
  const std::string prefix = WithBackslash(path);
  sys::UniqueKey key;
  if (sys::RegKey(root, path).open(KEY_READ, key) != ERROR_SUCCESS) return;
  const std::string rootName = sys::RootKeyName(root);
  for (const std::string& sub : sys::SubKeyNames(key.get())) {
    const std::string text = rootName + "\\" + prefix + sub;
    if (progress) progress(text);
    if (sub == searchName) {
      FoundKey match{text, {}, {}};
      sys::UniqueKey matched;
      if (sys::RegKey(root, prefix + sub).open(KEY_READ, matched) == ERROR_SUCCESS) {
        for (std::string& value : sys::ValueNames(matched.get())) {
          match.values.push_back(text + "\\" + value);
          match.valueNames.push_back(std::move(value));
        }
      }
      found.push_back(std::move(match));
    }
    ScanRegistryKey(root, prefix + sub, searchName, found, progress);
  }
}

std::vector<FoundKey> ScanRegistry(const std::string& searchName, const ScanProgress& progress) {
  std::vector<FoundKey> found;
  ScanRegistryKey(HKEY_CLASSES_ROOT, "Installer\\Products", searchName, found, progress);
  ScanRegistryKey(HKEY_CURRENT_USER, "SOFTWARE", searchName, found, progress);
  ScanRegistryKey(HKEY_LOCAL_MACHINE, "SOFTWARE", searchName, found, progress);
  ScanRegistryKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows", searchName, found, progress);
  return found;
}

void ScanFolder(const std::string& folder, FileEntry& node, const ScanProgress& progress) {
  const std::string prefix = WithBackslash(folder);
  for (const sys::FolderEntry& found : sys::ListFolder(folder)) {
    if (found.name.front() == '.') continue;
    FileEntry entry;
    entry.path = prefix + found.name;
    entry.folder = found.isFolder();
    entry.link = found.isLink();
    if (entry.folder) {
      if (IsProtectedFolder(entry.path)) continue;
      if (!entry.link) ScanFolder(entry.path, entry, progress);
    } else if (progress) {
      progress(entry.path);
    }
    node.children.push_back(std::move(entry));
  }
}

std::vector<FileEntry> ScanInstallFolder(const std::string& installDir,
                                         const ScanProgress& progress) {
  std::vector<FileEntry> tree;
  if (sys::UpperCase(installDir).find("\\WINDOWS\\") != std::string::npos) return tree;
  const DWORD attributes = sys::FileAttributes(installDir);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return tree;
  if (IsProtectedFolder(installDir)) return tree;
  FileEntry root;
  root.path = installDir;
  root.folder = true;
  root.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (!root.link) ScanFolder(installDir, root, progress);
  tree.push_back(std::move(root));
  return tree;
}

}  // namespace uninstall

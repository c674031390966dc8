#include "uninstall/LeftoverScan.h"

#include <algorithm>

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

std::vector<std::string> SubKeyNames(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD len = sizeof(name);
    LONG rc = RegEnumKeyExA(key, index, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;  // longer than a key name can be; skip it
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  return names;
}

std::vector<std::string> ValueNames(HKEY key) {
  std::vector<std::string> names;
  std::string name(16384, '\0');
  for (DWORD index = 0;; ++index) {
    DWORD len = static_cast<DWORD>(name.size());
    LONG rc = RegEnumValueA(key, index, name.data(), &len, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), len);
  }
  return names;
}

}  // namespace

void ScanRegistryKey(HKEY root, const std::string& path, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress) {
  for (const char* excluded : kExcludedPaths)
    if (path == excluded) return;
  const std::string prefix = WithBackslash(path);
  sys::UniqueKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  const std::string rootName = sys::RootKeyName(root);
  for (const std::string& sub : SubKeyNames(key.get())) {
    const std::string text = rootName + "\\" + prefix + sub;
    if (progress) progress(text);
    if (sub == searchName) {
      FoundKey match{text, {}};
      sys::UniqueKey matched;
      if (RegOpenKeyExA(root, (prefix + sub).c_str(), 0, KEY_READ, matched.put()) == ERROR_SUCCESS)
        for (const std::string& value : ValueNames(matched.get()))
          match.values.push_back(text + "\\" + value);
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
  WIN32_FIND_DATAA data{};
  sys::UniqueFind find(FindFirstFileA((prefix + "*.*").c_str(), &data));
  if (!find) return;
  do {
    if (data.cFileName[0] == '.') continue;
    FileEntry entry;
    entry.path = prefix + data.cFileName;
    entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (entry.folder) {
      if (IsProtectedFolder(entry.path)) continue;
      if (!entry.link) ScanFolder(entry.path, entry, progress);
    } else if (progress) {
      progress(entry.path);
    }
    node.children.push_back(std::move(entry));
  } while (FindNextFileA(find.get(), &data));
}

std::vector<FileEntry> ScanInstallFolder(const std::string& installDir,
                                         const ScanProgress& progress) {
  std::vector<FileEntry> tree;
  std::string upper = installDir;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  if (upper.find("\\WINDOWS\\") != std::string::npos) return tree;
  DWORD attributes = GetFileAttributesA(installDir.c_str());
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

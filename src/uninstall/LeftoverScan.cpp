#include "uninstall/LeftoverScan.h"

#include <algorithm>
#include <set>

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Handles.h"
#include "sys/Registry.h"
#include "uninstall/InstalledEntries.h"
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

// The key's text as the system names it: the 32-bit view's software keys lie under
// SOFTWARE\WOW6432Node, which is where a 64-bit registry editor shows and restores them.
std::string KeyText(const sys::RegKey& key, const std::string& rootName,
                    const std::string& identity) {
  constexpr std::string_view kSoftware = "SOFTWARE\\";
  const std::string& path = key.path();
  if (key.view() == sys::RegView::Wow32 && key.root() == HKEY_LOCAL_MACHINE &&
      path.size() > kSoftware.size() &&
      sys::UpperCase(path.substr(0, kSoftware.size())) == kSoftware &&
      identity.rfind("HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432NODE\\", 0) == 0)
    return rootName + "\\" + path.substr(0, kSoftware.size()) + "WOW6432Node\\" +
           path.substr(kSoftware.size());
  return rootName + "\\" + path;
}

bool Cancelled(ScanCancel cancel) {
  return cancel && cancel->load();
}

FoundKey FoundKeyAt(const sys::RegKey& key, const std::string& rootName) {
  FoundKey match;
  match.root = key.root();
  match.view = key.view();
  match.path = key.path();
  match.identity = KeyIdentity(key.root(), key.path(), key.view());
  match.text = KeyText(key, rootName, match.identity);
  sys::UniqueKey opened;
  if (key.open(KEY_READ, opened) == ERROR_SUCCESS) {
    for (std::string& value : sys::ValueNames(opened.get())) {
      match.values.push_back(match.text + "\\" + value);
      match.valueNames.push_back(std::move(value));
    }
  }
  return match;
}

}  // namespace

FoundKey FoundKeyOf(const sys::RegKey& key) {
  return FoundKeyAt(key, sys::RootKeyName(key.root()));
}

FoundKey FoundValuesOf(const sys::RegKey& key, const std::vector<std::string>& valueNames) {
  FoundKey match = FoundKeyOf(key);
  match.values.clear();
  match.valueNames.clear();
  for (const std::string& name : valueNames) {
    match.values.push_back(match.text + "\\" + name);
    match.valueNames.push_back(name);
  }
  match.valuesOnly = true;
  return match;
}

void ScanRegistryKey(const sys::RegKey& start, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress,
                     ScanCancel cancel) {
  const std::string& path = start.path();
  for (const char* excluded : kExcludedPaths)
    if (path == excluded) return;
  sys::UniqueKey key;
  if (start.open(KEY_READ, key) != ERROR_SUCCESS) return;
  const std::string rootName = sys::RootKeyName(start.root());
  const std::string prefix = WithBackslash(path);
  // The native view's software key holds the 32-bit view as a subkey: that view has a
  // walk of its own.
  const bool skipWowNode = start.view() == sys::RegView::Wow64 &&
                           start.root() == HKEY_LOCAL_MACHINE && sys::UpperCase(path) == "SOFTWARE";
  const std::vector<std::string> subKeys = sys::SubKeyNames(key.get());
  key.reset();  // one handle open at a time, however deep the walk goes
  for (const std::string& sub : subKeys) {
    if (Cancelled(cancel)) return;
    if (skipWowNode && sys::UpperCase(sub) == "WOW6432NODE") continue;
    const sys::RegKey child = start.child(sub);
    if (progress) progress(rootName + "\\" + prefix + sub);
    if (sub == searchName) found.push_back(FoundKeyAt(child, rootName));
    ScanRegistryKey(child, searchName, found, progress, cancel);
  }
}

void ScanRegistryKey(HKEY root, const std::string& path, const std::string& searchName,
                     std::vector<FoundKey>& found, const ScanProgress& progress,
                     ScanCancel cancel) {
  ScanRegistryKey(sys::RegKey(root, path), searchName, found, progress, cancel);
}

std::vector<FoundKey> ScanRegistry(const std::string& searchName, const ScanProgress& progress,
                                   ScanCancel cancel) {
  std::vector<FoundKey> all;
  ScanRegistryKey(sys::RegKey(HKEY_CLASSES_ROOT, "Installer\\Products"), searchName, all, progress,
                  cancel);
  ScanRegistryKey(sys::RegKey(HKEY_CURRENT_USER, "SOFTWARE"), searchName, all, progress, cancel);
  for (const char* start : {"SOFTWARE", "SOFTWARE\\Microsoft\\Windows"})
    for (sys::RegView view : sys::MachineSoftwareViews())
      ScanRegistryKey(sys::RegKey(HKEY_LOCAL_MACHINE, start, view), searchName, all, progress,
                      cancel);
  // Keys that both views share, or that two passes reach, are listed once.
  std::vector<FoundKey> found;
  std::set<std::string> seen;
  for (FoundKey& key : all)
    if (key.identity.empty() || seen.insert(key.identity).second) found.push_back(std::move(key));
  return found;
}

void ScanFolder(const std::string& folder, FileEntry& node, const ScanProgress& progress,
                ScanCancel cancel) {
  const std::string prefix = WithBackslash(folder);
  for (const sys::FolderEntry& found : sys::ListFolder(folder)) {
    if (Cancelled(cancel)) return;
    if (found.name.front() == '.') continue;
    FileEntry entry;
    entry.path = prefix + found.name;
    entry.folder = found.isFolder();
    entry.link = found.isLink();
    if (progress) progress(entry.path);
    if (entry.folder) {
      if (IsProtectedFolder(entry.path)) continue;
      if (!entry.link) ScanFolder(entry.path, entry, progress, cancel);
    }
    node.children.push_back(std::move(entry));
  }
}

std::vector<FileEntry> ScanInstallFolder(const std::string& installDir,
                                         const ScanProgress& progress, ScanCancel cancel) {
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
  if (!root.link) ScanFolder(installDir, root, progress, cancel);
  tree.push_back(std::move(root));
  return tree;
}

}  // namespace uninstall

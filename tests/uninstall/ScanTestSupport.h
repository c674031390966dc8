// Helpers shared by the scan and removal tests: registry keys written for one test
// and removed afterwards, and flattened views of what the scan found.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "sys/Registry.h"
#include "uninstall/LeftoverScan.h"

namespace uninstall_tests {

// Creates keys (with optional string values) and deletes the listed top keys at the end.
class ScratchKeys {
 public:
  ScratchKeys() = default;
  ~ScratchKeys() {
    for (const auto& [root, path] : owned_) sys::DeleteKeyTree(root, path, 0);
  }
  ScratchKeys(const ScratchKeys&) = delete;
  ScratchKeys& operator=(const ScratchKeys&) = delete;

  // Creates `path` and remembers `ownedTop` (a prefix of it) for deletion.
  void Create(HKEY root, const std::string& ownedTop, const std::string& path,
              const std::vector<std::string>& valueNames = {}) {
    owned_.push_back({root, ownedTop});
    HKEY key = nullptr;
    RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (const std::string& name : valueNames)
      RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>("v"), 2);
    RegCloseKey(key);
  }

 private:
  std::vector<std::pair<HKEY, std::string>> owned_;
};

// Every key text and value text found, as one sorted set.
inline std::set<std::string> Flatten(const std::vector<uninstall::FoundKey>& found) {
  std::set<std::string> out;
  for (const auto& key : found) {
    out.insert(key.text);
    for (const auto& value : key.values) out.insert(value);
  }
  return out;
}

inline void FlattenInto(const uninstall::FileEntry& entry, std::set<std::string>& out) {
  out.insert(entry.path);
  for (const auto& child : entry.children) FlattenInto(child, out);
}

inline std::set<std::string> Flatten(const std::vector<uninstall::FileEntry>& tree) {
  std::set<std::string> out;
  for (const auto& entry : tree) FlattenInto(entry, out);
  return out;
}

inline bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteTextFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, "text\r\n", 6, &written, nullptr);
  CloseHandle(file);
  SetFileAttributesA(path.c_str(), attributes);
}

}  // namespace uninstall_tests

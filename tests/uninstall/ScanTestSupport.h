// Helpers shared by the scan and removal tests: registry keys written for one test
// and removed afterwards, flattened views of what the scan found, and the prefix's
// registry and disk helpers of the test support.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "support/DiskAndRegistry.h"
#include "sys/Registry.h"
#include "uninstall/LeftoverScan.h"

namespace uninstall_tests {

using testing_support::FolderLink;
using testing_support::MakeDirectoryLink;
using testing_support::Minus;
using testing_support::PathExists;
using testing_support::RemoveDirectoryLink;
using testing_support::SnapshotDisk;
using testing_support::SnapshotRegistry;
using testing_support::WriteTextFile;

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
    testing_support::CreateKey(root, path, valueNames);
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

}  // namespace uninstall_tests

#include "support/Sandbox.h"

#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/Registry.h"
#include "support/TestPaths.h"

namespace testing_support {

std::string UniqueName(const char* prefix) {
  static std::atomic<unsigned> counter{0};
  char name[96];
  std::snprintf(name, sizeof name, "%s-%lu-%lu-%u", prefix, GetCurrentProcessId(), GetTickCount(),
                counter++);
  return name;
}

RegSandbox::RegSandbox(HKEY root, REGSAM view)
    : root_(root), view_(view), path_("Software\\PrunaxisTests\\" + UniqueName("reg")) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create sandbox key " + path_);
  RegCloseKey(key);
}

RegSandbox::~RegSandbox() {
  sys::DeleteKeyTree(root_, path_, view_);
}

TempDir::TempDir() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  path_ = sys::IncludeTrailingBackslash(temp) + UniqueName("prunaxis") + "\\";
  if (!sys::ForceDirectories(path_)) throw std::runtime_error("cannot create " + path_);
}

TempDir::~TempDir() {
  RemoveTree(path_);
}

// Paths are UTF-8 and every name is taken exactly as listed, so that test folders with
// names in any script are cleaned up too.
void RemoveTree(const std::string& path) {
  std::string dir = sys::IncludeTrailingBackslash(path);
  for (const sys::FolderEntry& entry : sys::ListFolder(dir)) {
    std::string full = dir + entry.name;
    sys::SetFileAttributesOf(full, FILE_ATTRIBUTE_NORMAL);
    if (entry.isFolder() && !entry.isLink())
      RemoveTree(full);
    else if (entry.isFolder())
      sys::RemoveFolderExact(full);
    else
      sys::DeleteFileExact(full);
  }
  sys::RemoveFolderExact(sys::ExcludeTrailingBackslash(dir));
}

std::string ProgramBinDir() {
  return kTestBinDir;
}
std::string FixturesDir() {
  return kTestFixturesDir;
}

}  // namespace testing_support

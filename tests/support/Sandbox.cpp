#include "support/Sandbox.h"

#include <atomic>
#include <cstdio>
#include <stdexcept>

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

void RemoveTree(const std::string& path) {
  std::string dir = sys::IncludeTrailingBackslash(path);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = dir + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(full);
      else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(full.c_str());
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(sys::ExcludeTrailingBackslash(dir).c_str());
}

std::string ProgramBinDir() {
  return kTestBinDir;
}
std::string FixturesDir() {
  return kTestFixturesDir;
}

}  // namespace testing_support

// Scratch areas for tests: a registry key and a folder that exist for one test
// and are removed with everything below them afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// A fresh key HKCU\Software\PrunaxisTests\<unique> (or under `root`).
class RegSandbox {
 public:
  explicit RegSandbox(HKEY root = HKEY_CURRENT_USER, REGSAM view = 0);
  ~RegSandbox();
  RegSandbox(const RegSandbox&) = delete;
  RegSandbox& operator=(const RegSandbox&) = delete;

  HKEY root() const { return root_; }
  // Path below the root, without a leading backslash.
  const std::string& path() const { return path_; }
  std::string sub(const std::string& rel) const { return path_ + "\\" + rel; }

 private:
  HKEY root_;
  REGSAM view_;
  std::string path_;
};

// A fresh folder under %TEMP%; `path()` ends with a backslash.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& rel) const { return path_ + rel; }

 private:
  std::string path_;
};

// Removes a folder and everything in it, clearing read-only attributes on the way.
void RemoveTree(const std::string& path);

// A unique, readable name part for sandboxes.
std::string UniqueName(const char* prefix);

// Where the built program folder and the fixture programs are, in Windows spelling.
std::string ProgramBinDir();
std::string FixturesDir();

}  // namespace testing_support

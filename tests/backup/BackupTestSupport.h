// Uninstall entries that the backup tests add to the prefix's machine-wide
// uninstall key (in the program's registry view) and remove again.
#pragma once

#include <windows.h>

#include <string>

namespace backup_testing {

// An entry with one value of each common type and a subkey; removed when it goes.
class TestUninstallEntry {
 public:
  explicit TestUninstallEntry(const char* prefix);
  ~TestUninstallEntry();
  TestUninstallEntry(const TestUninstallEntry&) = delete;
  TestUninstallEntry& operator=(const TestUninstallEntry&) = delete;

  const std::string& name() const { return name_; }
  // The entry's key below HKEY_LOCAL_MACHINE.
  std::string keyPath() const;
  // Every value and subkey of the entry as text, for comparing before and after.
  std::string Snapshot() const;
  void Remove() const;

 private:
  std::string name_;
};

// Runs the registry editor with `parameters` and waits for it (at most 30 s).
bool RunRegeditAndWait(const std::string& parameters);

// Names of the files in `folder` (ending with a backslash) matching `pattern`.
size_t CountFiles(const std::string& folder, const char* pattern);

}  // namespace backup_testing

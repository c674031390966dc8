#include "backup/BackupTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

#include "backup/BackupRun.h"
#include "support/Sandbox.h"
#include "sys/Handles.h"
#include "sys/Registry.h"

namespace backup_testing {
namespace {

std::string Describe(HKEY key, const std::string& indent) {
  std::string text;
  char name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
      break;
    text += indent + name + " type " + std::to_string(type) + " =";
    for (DWORD b = 0; b < dataSize; ++b) text += " " + std::to_string(data[b]);
    text += "\n";
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    sys::UniqueKey sub;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, sub.put()) != ERROR_SUCCESS) continue;
    text += indent + "[" + name + "]\n" + Describe(sub.get(), indent + "  ");
  }
  return text;
}

}  // namespace

TestUninstallEntry::TestUninstallEntry(const char* prefix)
    : name_(testing_support::UniqueName(prefix)) {
  sys::Registry reg(HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(reg.openKey("\\" + keyPath(), true)) << reg.lastError();
  reg.writeString("DisplayName", name_ + " \"quoted\" \\ back");
  reg.writeExpandString("UninstallString", "%ProgramFiles%\\" + name_ + "\\uninst.exe");
  reg.writeDword("NoModify", 1);
  const BYTE binary[] = {0, 1, 2, 0xFE, 0xFF};
  RegSetValueExA(reg.currentKey(), "Blob", 0, REG_BINARY, binary, sizeof binary);
  const char multi[] = "one\0two\0";
  RegSetValueExA(reg.currentKey(), "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi),
                 sizeof multi);
  EXPECT_TRUE(reg.openKey("Sub", true));
  reg.writeString("", "default of sub");
}

TestUninstallEntry::~TestUninstallEntry() {
  Remove();
}

std::string TestUninstallEntry::keyPath() const {
  return std::string(backup::kUninstallKeyPath) + "\\" + name_;
}

std::string TestUninstallEntry::Snapshot() const {
  sys::UniqueKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath().c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
    return "<missing>";
  return Describe(key.get(), "");
}

void TestUninstallEntry::Remove() const {
  sys::DeleteKeyTree(HKEY_LOCAL_MACHINE, keyPath(), 0);
}

bool RunRegeditAndWait(const std::string& parameters) {
  sys::UniqueHandle process = backup::StartRegistryEditor(nullptr, parameters);
  return process && WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
}

size_t CountFiles(const std::string& folder, const char* pattern) {
  WIN32_FIND_DATAA data;
  sys::UniqueFind find(FindFirstFileA((folder + pattern).c_str(), &data));
  if (!find) return 0;
  size_t count = 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileA(find.get(), &data));
  return count;
}

}  // namespace backup_testing

// The backup with entry names in several scripts: the editor is handed the exact
// name, the file is saved under it, and the file check reads the editor's UTF-16.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "backup/BackupRun.h"
#include "support/Sandbox.h"
#include "sys/Text.h"

namespace {

using backup::BackupRun;

std::string U8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string Utf16File(const std::string& utf8) {
  const std::wstring wide = sys::Widen(utf8);
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

// An uninstall entry below the machine-wide key, removed whatever the test did.
class WideEntry {
 public:
  explicit WideEntry(const std::string& name)
      : name_(name), path_(std::string(backup::kUninstallKeyPath) + "\\" + name) {
    HKEY key = nullptr;
    created_ = RegCreateKeyExW(HKEY_LOCAL_MACHINE, sys::Widen(path_).c_str(), 0, nullptr, 0,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (!created_) return;
    const std::wstring display = sys::Widen(name);
    RegSetValueExW(key, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                   static_cast<DWORD>((display.size() + 1) * 2));
    RegCloseKey(key);
  }
  ~WideEntry() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, sys::Widen(path_).c_str()); }
  WideEntry(const WideEntry&) = delete;
  WideEntry& operator=(const WideEntry&) = delete;
  bool created() const { return created_; }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::string path_;
  bool created_ = false;
};

TEST(BackupPlain, KeyNamesInEveryScriptCompareIgnoringCase) {
  const std::string key = U8(u8"HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\Uninstall\\Программа Ελλάδα 日本");
  const std::string file =
      Utf16File(U8(u8"Windows Registry Editor Version 5.00\r\n\r\n"
                   u8"[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\Uninstall\\ПРОГРАММА ΕΛΛΆΔΑ 日本]\r\n"));
  EXPECT_TRUE(backup::RegFileHoldsKey(file, key));
  EXPECT_FALSE(backup::RegFileHoldsKey(file, U8(u8"HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\Uninstall\\"
                                                u8"Программа Ελλάδα 日本語")));
  // A character outside the Basic Multilingual Plane survives the decoding.
  const std::string emoji = sys::Narrow(L"HKEY_CURRENT_USER\\A\U0001F600");
  EXPECT_TRUE(backup::RegFileHoldsKey(Utf16File("[" + emoji + "]\r\n"), emoji));
}

TEST(BackupRegedit, AnEntryNamedInSeveralScriptsIsSavedUnderItsOwnName) {
  WideEntry entry(testing_support::UniqueName("PxWide") +
                  sys::Narrow(L" 日本語 Ελληνικά Русский \U0001F600"));
  ASSERT_TRUE(entry.created());
  testing_support::TempDir dir;
  BackupRun run(dir.path(), {entry.name()}, nullptr);
  const DWORD start = GetTickCount();
  while (!run.poll() && GetTickCount() - start < 60000) run.waitForAny(50);
  ASSERT_TRUE(run.finished());
  EXPECT_TRUE(run.failedNames().empty());
  // The file bears the entry's exact name, and holds its section.
  const std::string file = backup::BackupFilePath(dir.path(), entry.name());
  EXPECT_NE(GetFileAttributesW(sys::Widen(file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
}

}  // namespace

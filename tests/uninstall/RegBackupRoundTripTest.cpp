// The registry file written before leftover keys are deleted: the system editor's
// format, every value exact, and imported by the prefix's own registry editor it
// gives back every key and value byte for byte. Without a complete backup nothing
// is deleted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/Sandbox.h"
#include "sys/Process.h"
#include "sys/Text.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/RegExport.h"
#include "uninstall/WideTestSupport.h"

namespace {

using namespace uninstall;
using namespace wide_tests;

std::string Bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out += static_cast<char>(b);
  return out;
}

std::string AllBytes() {
  std::string out;
  for (int i = 0; i < 256; ++i) out += static_cast<char>(i);
  return out;
}

// A leftover tree with a value of every type and names in several scripts.
class BackupTree : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string& top = guard.path();
    auto set = [&](const std::string& key, const std::string& name, DWORD type,
                   const std::string& data) {
      ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, key, name, type, data)) << name;
    };
    set(top, "", REG_SZ, Utf16(U8(u8"默认")));
    set(top, U8(u8"日本語"), REG_SZ, Utf16(sys::Narrow(L"Ελληνικά \U0001F600")));
    set(top, U8(u8"Ελληνικά"), REG_EXPAND_SZ, Utf16(U8(u8"%TEMP%\\Русский")));
    set(top, U8(u8"Русский"), REG_MULTI_SZ, Utf16(U8(u8"a"), 1) + Utf16(U8(u8"日本"), 2));
    set(top, sys::Narrow(L"\U0001F600"), REG_BINARY, AllBytes());
    set(top, "dword", REG_DWORD, Bytes({0x2a, 0, 0, 0x80}));
    set(top, "qword", REG_QWORD, Bytes({1, 2, 3, 4, 5, 6, 7, 0xff}));
    set(top, "none", REG_NONE, Bytes({1, 2, 3}));
    set(top, "resources", REG_RESOURCE_LIST, Bytes({9, 8, 7}));
    set(top, "custom", 0x4000, Bytes({0xAB}));
    set(top, "empty binary", REG_BINARY, "");
    set(top, "short dword", REG_DWORD, Bytes({1, 2}));
    set(top, "no terminator", REG_SZ, Utf16("abc", 0));
    set(top, "embedded", REG_SZ, Utf16("a", 1) + Utf16("b", 1));
    set(top, "odd", REG_SZ, Bytes({'a', 0, 'b'}));
    set(top, "empty string", REG_SZ, Utf16("", 1));
    set(top, "back\\slash", REG_SZ, Utf16("C:\\dir\\"));
    set(top, "eq=ual", REG_SZ, Utf16("a=b"));
    set(top, "q\"uote", REG_SZ, Utf16("\"quoted\" \\"));
    set(top + U8(u8"\\子键\\Ελληνικά"), U8(u8"Русский"), REG_SZ, Utf16("deep"));
    set(top + sys::Narrow(L"\\\U0001F600 key"), "", REG_DWORD, Bytes({1, 0, 0, 0}));
    HKEY empty = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, sys::Widen(top + U8(u8"\\Пусто")).c_str(), 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &empty, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(empty);
    original = ReadTree(HKEY_CURRENT_USER, top);
    ASSERT_EQ(original.size(), 5u);
    ASSERT_EQ(original.at("").size(), 19u);
  }

  std::string KeyText() const { return "HKEY_CURRENT_USER\\" + guard.path(); }

  KeyGuard guard{"Software\\PrunaxisBackupTest_" + testing_support::UniqueName("t")};
  testing_support::TempDir temp;
  KeyTree original;
};

// The registry editor imports `file` silently; true when it ran to its end.
bool Import(const std::string& file) {
  sys::StartedProcess editor;
  if (!sys::StartProcess("regedit /s \"" + file + "\"", 0, SW_HIDE, editor)) return false;
  return WaitForSingleObject(editor.process.get(), 60000) == WAIT_OBJECT_0;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Every key and value of `original` is in `restored` with its type and bytes.
void ExpectRestored(const KeyTree& original, const KeyTree& restored) {
  EXPECT_EQ(restored.size(), original.size());
  for (const auto& [key, values] : original) {
    ASSERT_EQ(restored.count(key), 1u) << "key " << key;
    for (const auto& [name, value] : values) {
      ASSERT_EQ(restored.at(key).count(name), 1u) << key << " value " << name;
      EXPECT_EQ(restored.at(key).at(name).first, value.first) << name;
      // Wine's editor ends hex(1) data that has no terminator with one of its own
      // (the system's editor stores the bytes as they are): the file's own lines for
      // these two are checked exactly instead.
      if (UnderWine() && (name == "no terminator" || name == "odd")) continue;
      EXPECT_EQ(restored.at(key).at(name).second, value.second) << name;
    }
    EXPECT_EQ(restored.at(key).size(), values.size()) << key;
  }
}

TEST_F(BackupTree, TheBackupIsTheEditorsFormatAndRestoresEveryValueExactly) {
  const std::string folder = temp.file(U8(u8"Back up\\reg\\"));
  const std::string file =
      WriteRegBackup(folder, U8(u8"Prog:日本*"),
                     {{HKEY_CURRENT_USER, "HKEY_CURRENT_USER", guard.path(), true, ""}});
  ASSERT_FALSE(file.empty());
  // Only the characters a file name cannot hold were replaced.
  EXPECT_EQ(file.rfind(folder + U8(u8"Prog_日本__"), 0), 0u) << file;

  const std::string bytes = ReadBytes(file);
  const std::string header = Utf16("Windows Registry Editor Version 5.00\r\n", 0);
  ASSERT_GE(bytes.size(), 2 + header.size());
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.substr(2, header.size()), header);
  const std::string text = sys::Narrow(
      std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2));
  EXPECT_NE(text.find("\r\n[" + KeyText() + "]\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n@=\"" + U8(u8"默认") + "\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"back\\\\slash\"=\"C:\\\\dir\\\\\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"q\\\"uote\"=\"\\\"quoted\\\" \\\\\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"dword\"=dword:8000002a\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"no terminator\"=hex(1):61,00,62,00,63,00\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"odd\"=hex(1):61,00,62\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"qword\"=hex(b):01,02,03,04,05,06,07,ff\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"none\"=hex(0):01,02,03\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"custom\"=hex(4000):ab\r\n"), std::string::npos);
  // Every line break is CRLF, and long lists go on over "\" continuations.
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    ASSERT_EQ(text[at - 1], '\r') << at;
  EXPECT_NE(text.find(",\\\r\n  "), std::string::npos);

  // Deleted and imported again through the prefix's editor: all of it comes back.
  ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, sys::Widen(guard.path()).c_str()), ERROR_SUCCESS);
  ASSERT_TRUE(ReadTree(HKEY_CURRENT_USER, guard.path()).empty());
  ASSERT_TRUE(Import(file));
  ExpectRestored(original, ReadTree(HKEY_CURRENT_USER, guard.path()));
}

TEST_F(BackupTree, TheRemovalDeletesTheTreeOnlyAfterItsBackupAndTheBackupRestoresIt) {
  const std::vector<LeftoverItem> items = {{LeftoverKind::RegistryKey, KeyText(), {}}};
  RemovalOutcome outcome = RemoveLeftovers(items, U8(u8"Программа"), temp.file("reg\\"));
  ASSERT_FALSE(outcome.backupFile.empty());
  EXPECT_EQ(outcome.gone, (std::vector<bool>{true}));
  EXPECT_TRUE(ReadTree(HKEY_CURRENT_USER, guard.path()).empty());
  ASSERT_TRUE(Import(outcome.backupFile));
  ExpectRestored(original, ReadTree(HKEY_CURRENT_USER, guard.path()));
}

TEST_F(BackupTree, NothingIsDeletedWhenTheBackupCannotBeWritten) {
  // A file standing where the backup folder should be.
  ASSERT_TRUE(MakeFile(temp.file("blocked")));
  const std::vector<LeftoverItem> items = {
      {LeftoverKind::RegistryKey, KeyText() + U8(u8"\\子键"), {}},
      {LeftoverKind::RegistryValue, KeyText() + U8(u8"\\日本語"), U8(u8"日本語")},
      {LeftoverKind::RegistryValue, KeyText() + "\\back\\slash", std::string("back\\slash")},
  };
  RemovalOutcome outcome = RemoveLeftovers(items, "Blocked", temp.file("blocked\\reg\\"));
  EXPECT_TRUE(outcome.backupFile.empty());
  EXPECT_EQ(outcome.gone, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(ReadTree(HKEY_CURRENT_USER, guard.path()), original);
}

TEST_F(BackupTree, NothingIsDeletedWhenAValueCannotBeSaved) {
  // No registry file line can hold a name with a line break.
  ASSERT_TRUE(
      SetValue(HKEY_CURRENT_USER, guard.path() + U8(u8"\\子键"), "two\nlines", REG_SZ, Utf16("x")));
  const KeyTree before = ReadTree(HKEY_CURRENT_USER, guard.path());
  const std::string folder = temp.file("reg\\");
  RemovalOutcome outcome =
      RemoveLeftovers({{LeftoverKind::RegistryKey, KeyText(), {}}}, "Unsaved", folder);
  EXPECT_TRUE(outcome.backupFile.empty());
  EXPECT_EQ(outcome.gone, (std::vector<bool>{false}));
  EXPECT_EQ(ReadTree(HKEY_CURRENT_USER, guard.path()), before);
  // No half-written backup is left behind either.
  EXPECT_EQ(SnapshotFolder(folder.substr(0, folder.size() - 1)).size(), 1u);
}

TEST(RegBackupNames, OnlyForbiddenAndControlCharactersAreReplaced) {
  EXPECT_EQ(SafeFileNamePart(U8(u8"日本\\/:*?\"<>|\tΕλ😀")), U8(u8"日本__________Ελ😀"));
  EXPECT_EQ(SafeFileNamePart(""), "Registry");
}

}  // namespace

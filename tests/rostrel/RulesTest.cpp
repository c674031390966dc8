// The component's plain rules, checked on data without the registry.
#include <gtest/gtest.h>

#include <cstring>

#include "rostrel/core/Dates.h"
#include "rostrel/core/FolderSize.h"
#include "rostrel/core/Icons.h"
#include "rostrel/core/ProgramRules.h"
#include "rostrel/core/RegValues.h"
#include "rostrel/core/Usage.h"

using namespace rostrel;

namespace {

RegValue Value(const wchar_t* name, DWORD type, const void* data, size_t size) {
  RegValue value;
  value.name = name;
  value.type = type;
  value.data.assign(static_cast<const char*>(data), size);
  return value;
}

RegValue Str(const wchar_t* name, const wchar_t* text) {
  return Value(name, REG_SZ, text, (wcslen(text) + 1) * sizeof(wchar_t));
}

RegValue Dword(const wchar_t* name, DWORD number) {
  return Value(name, REG_DWORD, &number, sizeof number);
}

}  // namespace

TEST(InventoryRules, KnowledgeBaseKeyNamesAreKbAndDigitsOnly) {
  EXPECT_TRUE(IsKbKeyName(L"KB123456"));
  EXPECT_TRUE(IsKbKeyName(L"kb1"));
  EXPECT_FALSE(IsKbKeyName(L"KB"));
  EXPECT_FALSE(IsKbKeyName(L"KB12a"));
  EXPECT_FALSE(IsKbKeyName(L"KB 12"));
  EXPECT_FALSE(IsKbKeyName(L"{GUID}.KB12"));
  EXPECT_FALSE(IsKbKeyName(L"XKB12"));
}

TEST(InventoryRules, ListingNeedsANameOrUninstallerAndNoSystemComponentMark) {
  EXPECT_TRUE(IsListedEntry({Str(L"displayname", L"x")}));  // value names ignore case
  EXPECT_TRUE(IsListedEntry({Str(L"UninstallString", L"x")}));
  EXPECT_FALSE(IsListedEntry({Str(L"DisplayName", L"")}));
  EXPECT_FALSE(IsListedEntry({Str(L"Publisher", L"x")}));
  EXPECT_FALSE(IsListedEntry({Str(L"DisplayName", L"x"), Dword(L"SystemComponent", 1)}));
  EXPECT_TRUE(IsListedEntry({Str(L"DisplayName", L"x"), Dword(L"SystemComponent", 2)}));
}

TEST(InventoryRules, PatchesByParentReleaseTypeOrKeyName) {
  EXPECT_TRUE(IsSystemPatch(L"x", {Str(L"ParentKeyName", L"")}));
  EXPECT_TRUE(IsSystemPatch(L"x", {Str(L"ReleaseType", L"SECURITY UPDATE")}));
  EXPECT_TRUE(IsSystemPatch(L"x", {Str(L"ReleaseType", L"Service Pack")}));
  EXPECT_FALSE(IsSystemPatch(L"x", {Str(L"ReleaseType", L"Updates")}));
  EXPECT_FALSE(IsSystemPatch(L"x", {Dword(L"ReleaseType", 1)}));
  EXPECT_TRUE(IsSystemPatch(L"KB42", {}));
}

TEST(InventoryRules, ValueDataAsText) {
  EXPECT_EQ(ValueDataText(Str(L"s", L"text")), L"text");
  EXPECT_EQ(ValueDataText(Dword(L"d", 7)), L"7");
  BYTE big[] = {0x12, 0x34, 0x56, 0x78};
  EXPECT_EQ(ValueDataText(Value(L"b", REG_DWORD_BIG_ENDIAN, big, 4)), L"305419896");
  EXPECT_EQ(ValueDataText(Value(L"q", REG_QWORD, "\xff\xff\xff\xff\xff\xff\xff\xff", 8)),
            L"18446744073709551615");
  EXPECT_EQ(ValueDataText(Value(L"q", REG_QWORD, "\x01", 1)), L"01");
  EXPECT_EQ(ValueDataText(Value(L"m", REG_MULTI_SZ, L"a\0\0b\0", 10)), L"a");
  EXPECT_EQ(ValueDataText(Value(L"m", REG_MULTI_SZ, L"a\0bc", 8)), L"a bc");  // unterminated
  EXPECT_EQ(ValueDataText(Value(L"x", 0x1234, "\xAB", 1)), L"ab");
  EXPECT_EQ(ValueDataText(Value(L"n", REG_NONE, "", 0)), L"");
}

TEST(InventoryRules, InstallDates) {
  auto date = ParseInstallDate(L" 20240229 ");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->wYear, 2024);
  EXPECT_EQ(date->wMonth, 2);
  EXPECT_EQ(date->wDay, 29);
  EXPECT_TRUE(ParseInstallDate(L"2019/07/04"));
  EXPECT_FALSE(ParseInstallDate(L"20230229"));  // no leap year
  EXPECT_FALSE(ParseInstallDate(L"20231301"));
  EXPECT_FALSE(ParseInstallDate(L"2019-07/04"));
  EXPECT_FALSE(ParseInstallDate(L"201907041"));
  EXPECT_FALSE(ParseInstallDate(L"07/04/2019"));
  EXPECT_FALSE(ParseInstallDate(L""));
  EXPECT_EQ(ShortDateOfFileTime(FILETIME{}), L"");
}

TEST(InventoryRules, IconLocations) {
  auto plain = ParseIconLocation(L"C:\\App\\app.exe");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->path, L"C:\\App\\app.exe");
  EXPECT_EQ(plain->index, 0);
  auto quoted = ParseIconLocation(L"\"C:\\My App\\app.exe\" , -101");
  ASSERT_TRUE(quoted);
  EXPECT_EQ(quoted->path, L"C:\\My App\\app.exe");
  EXPECT_EQ(quoted->index, -101);
  auto comma = ParseIconLocation(L"C:\\a,b\\app.ico");  // a comma that is part of the path
  ASSERT_TRUE(comma);
  EXPECT_EQ(comma->path, L"C:\\a,b\\app.ico");
  SetEnvironmentVariableW(L"ROSTREL_RULES_DIR", L"D:\\Tools");
  auto expanded = ParseIconLocation(L"%ROSTREL_RULES_DIR%\\t.exe,2");
  ASSERT_TRUE(expanded);
  EXPECT_EQ(expanded->path, L"D:\\Tools\\t.exe");
  EXPECT_EQ(expanded->index, 2);
  EXPECT_FALSE(ParseIconLocation(L"  "));
  EXPECT_FALSE(ParseIconLocation(L"\"\",1"));
}

TEST(InventoryRules, CommandFilesAreFoundLikeTheSystemStartsThem) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(CommandFile(std::wstring(L"\"") + self + L"\" /uninstall"), self);
  EXPECT_EQ(CommandFile(std::wstring(self) + L" /uninstall /quiet"), self);
  // A bare name goes along the search path, with ".exe" added.
  std::wstring found = CommandFile(L"regedit /s x.reg");
  EXPECT_EQ(Folded(found.substr(found.size() - 11)), L"regedit.exe") << found;
  EXPECT_EQ(CommandFile(L"C:\\no\\such\\file.exe /x"), L"");
  EXPECT_EQ(CommandFile(L""), L"");
  EXPECT_EQ(CommandFile(L"\"unterminated"), L"");
}

TEST(InventoryRules, ProgramFoldersAreNeverRoots) {
  EXPECT_EQ(ProgramFolder(L"\"C:\\Apps\\X\\\" "), L"C:\\Apps\\X");
  EXPECT_FALSE(ProgramFolder(L"C:\\"));
  EXPECT_FALSE(ProgramFolder(L"C:"));
  EXPECT_FALSE(ProgramFolder(L"\\\\server\\share\\"));
  EXPECT_EQ(ProgramFolder(L"\\\\server\\share\\app"), L"\\\\server\\share\\app");
  EXPECT_FALSE(ProgramFolder(L""));
}

TEST(InventoryRules, UserAssistRecords) {
  EXPECT_EQ(Rot13(L"P:\\Nccf\\ncc.rkr"), L"C:\\Apps\\app.exe");
  std::string data(72, '\0');
  ULONG runs = 9;
  std::memcpy(&data[4], &runs, 4);
  FILETIME when{0x12345678, 0x01D00000};
  std::memcpy(&data[60], &when, 8);
  auto record = DecodeUserAssist(L"P:\\Nccf\\ncc.rkr", data);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->path, L"c:\\apps\\app.exe");
  EXPECT_EQ(record->runs, 9u);
  EXPECT_EQ(record->lastRun.dwHighDateTime, 0x01D00000u);
  EXPECT_FALSE(DecodeUserAssist(L"HRZR_PGYFRFFVBA", data));                  // no path
  EXPECT_FALSE(DecodeUserAssist(L"P:\\Nccf\\ncc.rkr", std::string(16, 0)));  // old format
  // Known folders resolve to their paths.
  auto system = DecodeUserAssist(Rot13(L"{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}\\calc.exe"), data);
  ASSERT_TRUE(system);
  wchar_t folder[MAX_PATH];
  GetSystemDirectoryW(folder, MAX_PATH);
  EXPECT_EQ(system->path, Folded(std::wstring(folder) + L"\\calc.exe"));

  std::vector<UsageRecord> records = {{L"c:\\apps\\x\\a.exe", 2, {1, 0}},
                                      {L"c:\\apps\\x\\sub\\b.exe", ULONG_MAX, {5, 0}},
                                      {L"c:\\apps\\xy\\c.exe", 7, {9, 0}}};
  Usage usage = UsageInFolder(records, L"C:\\Apps\\X");
  EXPECT_EQ(usage.runs, ULONG_MAX);  // saturates
  EXPECT_EQ(usage.lastRun.dwLowDateTime, 5u);
  EXPECT_EQ(UsageInFolder(records, L"").runs, 0u);
}

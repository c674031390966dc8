// Uninstall entries as real machines hold them: wrong types, unterminated strings,
// huge values. Each gets a clear answer and none brings the component down.
#include <gtest/gtest.h>

#include "ComponentSupport.h"

using namespace rostrel_test;

namespace {

class OddDataTest : public ::testing::Test {
 protected:
  sys::ComApartment apartment;
  UninstallEntries entries;
  sys::ComPtr<IProgramList> list = NewProgramList();

  void raw(const std::string& key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    entries.setRaw(Where::Machine, key, name, type, data, size);
  }
  sys::ComPtr<IProgramItem> find(const std::string& key) {
    ULONG index = 0;
    if (list->FindProgram(InText(key), &index) != S_OK) return {};
    return Program(list.get(), index);
  }
  // Reads every property and value; all must succeed.
  void readEverything(IProgramItem* item) {
    Text text;
    LONG number = 0;
    ULONG count = 0;
    FLOAT size = 0;
    EXPECT_EQ(item->GetDisplayName(text.put()), S_OK);
    EXPECT_EQ(item->GetUninstallString(text.put()), S_OK);
    EXPECT_EQ(item->GetPublisher(text.put()), S_OK);
    EXPECT_EQ(item->GetInstallLocation(text.put()), S_OK);
    EXPECT_EQ(item->GetIconIndex(&number), S_OK);
    EXPECT_EQ(item->GetUsedFrequency(&count), S_OK);
    EXPECT_EQ(item->GetLastUsed(text.put()), S_OK);
    EXPECT_EQ(item->GetSize(&size), S_OK);
    EXPECT_EQ(item->GetInstallDate(text.put()), S_OK);
    EXPECT_EQ(item->GetVersion(text.put()), S_OK);
    ASSERT_EQ(item->GetRegistryValueCount(&count), S_OK);
    for (ULONG i = 0; i < count; ++i) {
      EXPECT_EQ(item->GetRegistryValueName(i, text.put()), S_OK);
      EXPECT_EQ(item->GetRegistryValueData(i, text.put()), S_OK);
    }
  }
};

}  // namespace

TEST_F(OddDataTest, WrongTypesReadAsMissing) {
  std::string key = entries.name("types");
  entries.create(Where::Machine, key);
  DWORD number = 42;
  raw(key, L"DisplayName", REG_DWORD, &number, sizeof number);
  raw(key, L"UninstallString", REG_SZ, L"types.exe", sizeof L"types.exe");
  raw(key, L"Publisher", REG_BINARY, "\x01\x02", 2);
  raw(key, L"SystemComponent", REG_SZ, L"1", sizeof L"1");  // only the number 1 hides
  raw(key, L"EstimatedSize", REG_SZ, L"100", sizeof L"100");
  raw(key, L"InstallLocation", REG_MULTI_SZ, L"C:\\a\0C:\\b\0", sizeof L"C:\\a\0C:\\b\0");
  raw(key, L"ReleaseType", REG_DWORD, &number, sizeof number);
  ASSERT_EQ(list->LoadPrograms(), S_OK);

  auto item = find(key);
  ASSERT_TRUE(item);
  EXPECT_EQ(DisplayName(item.get()), "");
  Text text;
  ASSERT_EQ(item->GetPublisher(text.put()), S_OK);
  EXPECT_EQ(text.wide(), L"");
  ASSERT_EQ(item->GetInstallLocation(text.put()), S_OK);
  EXPECT_EQ(text.wide(), L"");
  FLOAT size = -1;
  ASSERT_EQ(item->GetSize(&size), S_OK);
  EXPECT_EQ(size, 0.0f);
  LONG patch = -1;
  ASSERT_EQ(item->GetSystemPatch(&patch), S_OK);
  EXPECT_EQ(patch, 0);
  readEverything(item.get());
}

TEST_F(OddDataTest, UnterminatedAndOddSizedStringsEndWithTheirData) {
  std::string key = entries.name("unterminated");
  entries.create(Where::Machine, key);
  raw(key, L"DisplayName", REG_SZ, L"Unterminated", 12 * sizeof(wchar_t));  // no NUL stored
  raw(key, L"Publisher", REG_SZ, L"Odd", 3 * sizeof(wchar_t) + 1);          // half a character
  raw(key, L"HelpLink", REG_SZ, L"before\0after", sizeof L"before\0after");
  raw(key, L"URLInfoAbout", REG_SZ, "", 0);
  DWORD threeBytes = 0x00030201;
  raw(key, L"Short", REG_DWORD, &threeBytes, 3);
  ASSERT_EQ(list->LoadPrograms(), S_OK);

  auto item = find(key);
  ASSERT_TRUE(item);
  EXPECT_EQ(DisplayName(item.get()), "Unterminated");
  Text text;
  ASSERT_EQ(item->GetPublisher(text.put()), S_OK);
  EXPECT_EQ(text.wide(), L"Odd");
  ASSERT_EQ(item->GetHelpLink(text.put()), S_OK);
  EXPECT_EQ(text.wide(), L"before");
  ASSERT_EQ(item->GetAboutLink(text.put()), S_OK);
  EXPECT_EQ(text.wide(), L"");
  ULONG count = 0;
  ASSERT_EQ(item->GetRegistryValueCount(&count), S_OK);
  bool sawShort = false;
  for (ULONG i = 0; i < count; ++i) {
    Text name, data;
    ASSERT_EQ(item->GetRegistryValueName(i, name.put()), S_OK);
    ASSERT_EQ(item->GetRegistryValueData(i, data.put()), S_OK);
    if (name.wide() == L"Short") {
      sawShort = true;
      EXPECT_EQ(data.wide(), L"01 02 03");  // too short for a number: shown as bytes
    }
  }
  EXPECT_TRUE(sawShort);
}

TEST_F(OddDataTest, HugeValuesAndLongNamesAreReadWhole) {
  std::string key = entries.name("huge") + std::string(200, 'x');  // 255 characters at most
  key.resize(std::min<size_t>(key.size(), 255));
  entries.create(Where::Machine, key);
  std::wstring name(300000, L'n');
  raw(key, L"DisplayName", REG_SZ, name.c_str(), static_cast<DWORD>((name.size() + 1) * 2));
  raw(key, L"UninstallString", REG_SZ, L"huge.exe", sizeof L"huge.exe");
  std::string blob(200000, '\x5a');
  raw(key, L"Blob", REG_BINARY, blob.data(), static_cast<DWORD>(blob.size()));
  std::wstring valueName(16383, L'v');
  raw(key, valueName.c_str(), REG_SZ, L"long name", sizeof L"long name");
  DWORD maximum = 0xFFFFFFFF;
  raw(key, L"EstimatedSize", REG_DWORD, &maximum, sizeof maximum);
  raw(key, L"InstallDate", REG_SZ, L"99999999", sizeof L"99999999");
  raw(key, L"DisplayIcon", REG_SZ, L",,,,-99999999999999999", sizeof L",,,,-99999999999999999");
  ASSERT_EQ(list->LoadPrograms(), S_OK);

  auto item = find(key);
  ASSERT_TRUE(item);
  Text text;
  ASSERT_EQ(item->GetDisplayName(text.put()), S_OK);
  EXPECT_EQ(text.wide(), name);
  FLOAT size = 0;
  ASSERT_EQ(item->GetSize(&size), S_OK);
  EXPECT_FLOAT_EQ(size, 4294967295.0f * 1024);
  ASSERT_EQ(item->GetInstallDate(text.put()), S_OK);
  EXPECT_EQ(text.wide(), L"99999999");
  LONG icon = -1;
  ASSERT_EQ(item->GetIconIndex(&icon), S_OK);
  EXPECT_EQ(icon, GenericIconIndex());
  ULONG count = 0;
  ASSERT_EQ(item->GetRegistryValueCount(&count), S_OK);
  bool sawBlob = false, sawLongName = false;
  for (ULONG i = 0; i < count; ++i) {
    Text valueNameText, data;
    ASSERT_EQ(item->GetRegistryValueName(i, valueNameText.put()), S_OK);
    ASSERT_EQ(item->GetRegistryValueData(i, data.put()), S_OK);
    if (valueNameText.wide() == L"Blob") {
      sawBlob = true;
      EXPECT_EQ(data.wide().size(), blob.size() * 3 - 1);
      EXPECT_EQ(data.wide().substr(0, 6), L"5a 5a ");
    }
    if (valueNameText.wide() == valueName) {
      sawLongName = true;
      EXPECT_EQ(data.wide(), L"long name");
    }
  }
  EXPECT_TRUE(sawBlob);
  EXPECT_TRUE(sawLongName);
}

TEST_F(OddDataTest, OddLocationsAndCommandsGiveNoSizeAndTheGenericIcon) {
  const char* kLocations[] = {"C:\\", "\"C:\\\"",       "\\\\server\\share",
                              "   ",  "%NOSUCHVAR%\\x", "C:\\does\\not\\exist"};
  int n = 0;
  for (const char* location : kLocations) {
    std::string key = entries.name("where" + std::to_string(n++));
    entries.create(Where::Machine, key);
    entries.setString(Where::Machine, key, "DisplayName", key);
    entries.setString(Where::Machine, key, "InstallLocation", location);
    entries.setString(Where::Machine, key, "UninstallString", location);
    entries.setString(Where::Machine, key, "DisplayIcon", std::string(location) + ",");
  }
  ASSERT_EQ(list->LoadPrograms(), S_OK);
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(kLocations[i]);
    auto item = find(entries.name("where" + std::to_string(i)));
    ASSERT_TRUE(item);
    FLOAT size = -1;
    ASSERT_EQ(item->GetSize(&size), S_OK);
    EXPECT_EQ(size, 0.0f);  // a drive or share root is never measured
    readEverything(item.get());
  }
}

// Every property of one program reads back what its uninstall entry and the disk hold.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "ComponentSupport.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Registry.h"

using namespace rostrel_test;
using testing_support::TempDir;

namespace {

class ProgramItemTest : public ::testing::Test {
 protected:
  sys::ComApartment apartment;
  UninstallEntries entries;
  sys::ComPtr<IProgramList> list = NewProgramList();

  // The item for our entry `key` from the last load.
  sys::ComPtr<IProgramItem> find(const std::string& key) {
    ULONG index = 0;
    EXPECT_EQ(list->FindProgram(InText(key), &index), S_OK) << key;
    return Program(list.get(), index);
  }
  // Loads and returns the item for our entry `key`.
  sys::ComPtr<IProgramItem> loaded(const std::string& key) {
    EXPECT_EQ(list->LoadPrograms(), S_OK);
    return find(key);
  }
};

using Getter = HRESULT (STDMETHODCALLTYPE IProgramItem::*)(BSTR*);
std::string Get(IProgramItem* item, Getter getter) {
  Text text;
  EXPECT_EQ((item->*getter)(text.put()), S_OK);
  return text.narrow();
}

float SizeOf(IProgramItem* item) {
  FLOAT size = -1;
  EXPECT_EQ(item->GetSize(&size), S_OK);
  return size;
}

LONG IconOf(IProgramItem* item) {
  LONG icon = -1;
  EXPECT_EQ(item->GetIconIndex(&icon), S_OK);
  return icon;
}

// A program file with icons of its own (a copy of the test screen saver).
std::string CopyProgram(const TempDir& dir, const std::string& name) {
  std::string target = dir.file(name);
  CopyFileA((TestBinDir() + "RostrelTestSaverA.scr").c_str(), target.c_str(), FALSE);
  return target;
}

}  // namespace

TEST_F(ProgramItemTest, TextPropertiesAreTheEntrysValuesAsStored) {
  std::string key = entries.name("texts");
  entries.addProgram(Where::Machine, key, "Text Program 7");
  entries.setString(Where::Machine, key, "UninstallString", "\"C:\\Apps\\Text\\unins000.exe\" /S");
  entries.setString(Where::Machine, key, "Publisher", "Texts & Co.");
  entries.setString(Where::Machine, key, "InstallLocation", "C:\\Apps\\Text\\");
  entries.setString(Where::Machine, key, "DisplayVersion", "7.0.1 beta");
  entries.setString(Where::Machine, key, "HelpLink", "https://help.example/text");
  entries.setString(Where::Machine, key, "URLInfoAbout", "https://about.example/text");
  entries.setString(Where::Machine, key, "URLUpdateInfo", "https://update.example/text");
  auto item = loaded(key);
  ASSERT_TRUE(item);

  EXPECT_EQ(Get(item.get(), &IProgramItem::GetDisplayName), "Text Program 7");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetUninstallString),
            "\"C:\\Apps\\Text\\unins000.exe\" /S");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetRegistryKeyName), key);
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetPublisher), "Texts & Co.");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetInstallLocation), "C:\\Apps\\Text\\");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetVersion), "7.0.1 beta");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetHelpLink), "https://help.example/text");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetAboutLink), "https://about.example/text");
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetUpdateLink), "https://update.example/text");
  LONG patch = -1;
  ASSERT_EQ(item->GetSystemPatch(&patch), S_OK);
  EXPECT_EQ(patch, 0);
}

TEST_F(ProgramItemTest, MissingTextsComeBackEmptyAndVersionFallsBackToItsNumbers) {
  std::string key = entries.name("bare");
  entries.create(Where::User, key);
  entries.setString(Where::User, key, "UninstallString", "bare.exe");
  entries.setDword(Where::User, key, "VersionMajor", 3);
  entries.setDword(Where::User, key, "VersionMinor", 14);
  auto item = loaded(key);
  ASSERT_TRUE(item);
  for (Getter getter :
       {&IProgramItem::GetDisplayName, &IProgramItem::GetPublisher,
        &IProgramItem::GetInstallLocation, &IProgramItem::GetHelpLink, &IProgramItem::GetAboutLink,
        &IProgramItem::GetUpdateLink, &IProgramItem::GetLastUsed}) {
    EXPECT_EQ(Get(item.get(), getter), "");
  }
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetVersion), "3.14");
  EXPECT_EQ(SizeOf(item.get()), 0.0f);
  ULONG runs = 99;
  ASSERT_EQ(item->GetUsedFrequency(&runs), S_OK);
  EXPECT_EQ(runs, 0u);
}

TEST_F(ProgramItemTest, InstallDateIsShownInTheShortDateFormatElseTheKeysWriteTime) {
  entries.addProgram(Where::Machine, entries.name("dated"), "Dated");
  entries.setString(Where::Machine, entries.name("dated"), "InstallDate", "20240131");
  entries.addProgram(Where::Machine, entries.name("dashed"), "Dashed");
  entries.setString(Where::Machine, entries.name("dashed"), "InstallDate", "2019-07-04");
  entries.addProgram(Where::Machine, entries.name("odd"), "Odd date");
  entries.setString(Where::Machine, entries.name("odd"), "InstallDate", "20230230");
  entries.addProgram(Where::Machine, entries.name("undated"), "Undated");

  EXPECT_EQ(Get(loaded(entries.name("dated")).get(), &IProgramItem::GetInstallDate),
            ShortDateText(2024, 1, 31));
  EXPECT_EQ(Get(loaded(entries.name("dashed")).get(), &IProgramItem::GetInstallDate),
            ShortDateText(2019, 7, 4));
  // Not a date: the vendor's text as it is.
  EXPECT_EQ(Get(loaded(entries.name("odd")).get(), &IProgramItem::GetInstallDate), "20230230");

  FILETIME written{};
  sys::UniqueKey key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                           entries.name("undated"))
                              .c_str(),
                          0, KEY_READ | KEY_WOW64_64KEY, key.put()),
            ERROR_SUCCESS);
  RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, &written);
  EXPECT_EQ(Get(loaded(entries.name("undated")).get(), &IProgramItem::GetInstallDate),
            LocalShortDate(written));
}

TEST_F(ProgramItemTest, SizeIsTheEstimateElseTheFolderRememberedUntilTheNextLoad) {
  TempDir folder;
  sys::WriteFileBytes(folder.file("a.bin"), std::string(1000, 'a'));
  sys::WriteFileBytes(folder.file("b.bin"), std::string(2345, 'b'));
  sys::ForceDirectories(folder.file("sub"));
  sys::WriteFileBytes(folder.file("sub\\c.bin"), std::string(10, 'c'));

  entries.addProgram(Where::Machine, entries.name("estimated"), "Estimated");
  entries.setDword(Where::Machine, entries.name("estimated"), "EstimatedSize", 2048);
  entries.setString(Where::Machine, entries.name("estimated"), "InstallLocation", folder.path());
  entries.addProgram(Where::Machine32, entries.name("measured"), "Measured");
  entries.setString(Where::Machine32, entries.name("measured"), "InstallLocation",
                    "\"" + folder.path() + "\"");
  entries.addProgram(Where::Machine32, entries.name("gone"), "Gone");
  entries.setString(Where::Machine32, entries.name("gone"), "InstallLocation",
                    folder.file("missing"));

  ASSERT_EQ(list->LoadPrograms(), S_OK);
  EXPECT_EQ(SizeOf(find(entries.name("estimated")).get()), 2048.0f * 1024);
  EXPECT_EQ(SizeOf(find(entries.name("measured")).get()), 3355.0f);
  EXPECT_EQ(SizeOf(find(entries.name("gone")).get()), 0.0f);

  // Worked out once per load: a new file counts only after the next one.
  sys::WriteFileBytes(folder.file("late.bin"), std::string(645, 'l'));
  EXPECT_EQ(SizeOf(find(entries.name("measured")).get()), 3355.0f);
  EXPECT_EQ(SizeOf(loaded(entries.name("measured")).get()), 4000.0f);
}

TEST_F(ProgramItemTest, IconComesFromDisplayIconElseTheUninstallerElseTheGenericOne) {
  TempDir dir;
  std::string app = CopyProgram(dir, "App.exe");
  std::string uninstaller = CopyProgram(dir, "Uninstall Me.exe");
  int generic = GenericIconIndex();

  entries.addProgram(Where::Machine, entries.name("display"), "Display icon");
  entries.setString(Where::Machine, entries.name("display"), "DisplayIcon", "\"" + app + "\",0");
  entries.addProgram(Where::Machine, entries.name("second"), "Second icon");
  entries.setString(Where::Machine, entries.name("second"), "DisplayIcon", app + ",1");
  entries.addProgram(Where::Machine, entries.name("uninstaller"), "Uninstaller icon");
  entries.setString(Where::Machine, entries.name("uninstaller"), "UninstallString",
                    uninstaller + " /S /norestart");
  entries.addProgram(Where::Machine, entries.name("brokenicon"), "Broken icon");
  entries.setString(Where::Machine, entries.name("brokenicon"), "DisplayIcon",
                    dir.file("missing.ico"));
  entries.setString(Where::Machine, entries.name("brokenicon"), "UninstallString",
                    "\"" + uninstaller + "\"");
  entries.addProgram(Where::Machine, entries.name("none"), "No icon");
  entries.setString(Where::Machine, entries.name("none"), "UninstallString",
                    dir.file("missing.exe"));

  // The copies carry a red first icon and a blue second one.
  ASSERT_EQ(list->LoadPrograms(), S_OK);
  LONG display = IconOf(find(entries.name("display")).get());
  EXPECT_TRUE(IsRed(IconColor(display))) << std::hex << IconColor(display);
  LONG second = IconOf(find(entries.name("second")).get());
  EXPECT_TRUE(IsBlue(IconColor(second))) << std::hex << IconColor(second);
  LONG fromUninstaller = IconOf(find(entries.name("uninstaller")).get());
  EXPECT_TRUE(IsRed(IconColor(fromUninstaller))) << std::hex << IconColor(fromUninstaller);
  EXPECT_NE(fromUninstaller, display);  // another file
  EXPECT_EQ(IconOf(find(entries.name("brokenicon")).get()), fromUninstaller);
  EXPECT_EQ(IconOf(find(entries.name("none")).get()), generic);
}

TEST_F(ProgramItemTest, UsageComesFromTheShellsRecordOfStartedProgramsInTheInstallFolder) {
  TempDir dir;
  std::string folder = dir.file("UsedApp");
  std::string programFilesApp = entries.name("pf");
  entries.addProgram(Where::Machine, entries.name("used"), "Used");
  entries.setString(Where::Machine, entries.name("used"), "InstallLocation", folder + "\\");
  entries.addProgram(Where::Machine, entries.name("pf"), "In Program Files");
  char programFiles[MAX_PATH] = {};
  GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);  // the 32-bit one here
  entries.setString(Where::Machine, entries.name("pf"), "InstallLocation",
                    std::string(programFiles) + "\\" + programFilesApp);

  // Records as the shell writes them: ROT13 names, 72 bytes with runs and last run.
  auto record = [](ULONG runs, int year, WORD month, WORD day) {
    std::string data(72, '\0');
    std::memcpy(&data[4], &runs, 4);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = month;
    time.wDay = day;
    time.wHour = 12;
    FILETIME when;
    SystemTimeToFileTime(&time, &when);
    std::memcpy(&data[60], &when, 8);
    return data;
  };
  auto rot13 = [](std::string text) {
    for (auto& c : text) {
      if (c >= 'a' && c <= 'z')
        c = static_cast<char>('a' + (c - 'a' + 13) % 26);
      else if (c >= 'A' && c <= 'Z')
        c = static_cast<char>('A' + (c - 'A' + 13) % 26);
    }
    return text;
  };
  std::string assistKey =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{" + entries.tag() + "}";
  struct Cleanup {
    std::string key;
    ~Cleanup() { sys::DeleteKeyTree(HKEY_CURRENT_USER, key, 0); }
  } cleanup{assistKey};
  sys::Registry reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.openKey("\\" + assistKey + "\\Count", true));
  auto put = [&](const std::string& path, const std::string& data) {
    RegSetValueExA(reg.currentKey(), rot13(path).c_str(), 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  };
  put(folder + "\\app.exe", record(5, 2023, 5, 17));
  put(folder + "\\tools\\helper.exe", record(7, 2024, 2, 29));
  put(folder + "Other\\app.exe", record(100, 2024, 3, 1));  // a neighbour, not inside
  put("{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}\\" + programFilesApp + "\\run.exe",
      record(3, 2022, 1, 2));
  put("UEME_CTLSESSION", std::string(1612, '\0'));

  auto used = loaded(entries.name("used"));
  ULONG runs = 0;
  ASSERT_EQ(used->GetUsedFrequency(&runs), S_OK);
  EXPECT_EQ(runs, 12u);
  EXPECT_EQ(Get(used.get(), &IProgramItem::GetLastUsed), ShortDateText(2024, 2, 29));

  auto pf = loaded(entries.name("pf"));
  ASSERT_EQ(pf->GetUsedFrequency(&runs), S_OK);
  EXPECT_EQ(runs, 3u);
  EXPECT_EQ(Get(pf.get(), &IProgramItem::GetLastUsed), ShortDateText(2022, 1, 2));
}

TEST_F(ProgramItemTest, RegistryValuesAreListedWithTheirDataAsText) {
  std::string key = entries.name("values");
  entries.create(Where::Machine32, key);
  auto raw = [&](const wchar_t* name, DWORD type, const void* data, DWORD size) {
    entries.setRaw(Where::Machine32, key, name, type, data, size);
  };
  raw(L"DisplayName", REG_SZ, L"Values", sizeof L"Values");
  raw(L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\x", sizeof L"%SystemRoot%\\x");
  DWORD dword = 4000000000u;
  raw(L"Number", REG_DWORD, &dword, sizeof dword);
  unsigned long long qword = 12345678901234ull;
  raw(L"Big", REG_QWORD, &qword, sizeof qword);
  BYTE bytes[] = {0x0a, 0xff, 0x00, 0x10};
  raw(L"Blob", REG_BINARY, bytes, sizeof bytes);
  raw(L"Multi", REG_MULTI_SZ, L"one\0two\0three\0", sizeof L"one\0two\0three\0");
  BYTE bigEndian[] = {0, 0, 1, 2};
  raw(L"Backwards", REG_DWORD_BIG_ENDIAN, bigEndian, sizeof bigEndian);
  raw(L"Nothing", REG_NONE, nullptr, 0);
  raw(L"", REG_SZ, L"default", sizeof L"default");

  auto item = loaded(key);
  ASSERT_TRUE(item);
  ULONG count = 0;
  ASSERT_EQ(item->GetRegistryValueCount(&count), S_OK);
  std::map<std::string, std::string> values;
  for (ULONG i = 0; i < count; ++i) {
    Text name, data;
    ASSERT_EQ(item->GetRegistryValueName(i, name.put()), S_OK);
    ASSERT_EQ(item->GetRegistryValueData(i, data.put()), S_OK);
    values[name.narrow()] = data.narrow();
  }
  EXPECT_EQ(values, (std::map<std::string, std::string>{
                        {"", "default"},
                        {"Backwards", "258"},
                        {"Big", "12345678901234"},
                        {"Blob", "0a ff 00 10"},
                        {"DisplayName", "Values"},
                        {"Expand", "%SystemRoot%\\x"},
                        {"Multi", "one two three"},
                        {"Nothing", ""},
                        {"Number", "4000000000"},
                    }));
  EXPECT_EQ(count, 9u);

  Text text;
  EXPECT_EQ(item->GetRegistryValueName(count, text.put()), E_INVALIDARG);
  EXPECT_EQ(text.get(), nullptr);
  EXPECT_EQ(item->GetRegistryValueData(ULONG_MAX, text.put()), E_INVALIDARG);
  EXPECT_EQ(item->GetRegistryValueCount(nullptr), E_POINTER);
}

TEST_F(ProgramItemTest, SetRegistryKeyNameRepointsTheItemAndRereadsTheEntry) {
  entries.addProgram(Where::Machine, entries.name("one"), "One");
  entries.addProgram(Where::User, entries.name("other"), "Other");
  entries.create(Where::Machine32, entries.name("hidden"));  // not listed, still an entry
  entries.setString(Where::Machine32, entries.name("hidden"), "Publisher", "Hidden Inc.");
  auto item = loaded(entries.name("one"));
  ASSERT_TRUE(item);

  // Handing back its own name re-reads the entry.
  entries.setString(Where::Machine, entries.name("one"), "DisplayName", "One, renamed");
  ASSERT_EQ(item->SetRegistryKeyName(InText(KeyName(item.get()))), S_OK);
  EXPECT_EQ(DisplayName(item.get()), "One, renamed");

  ASSERT_EQ(item->SetRegistryKeyName(InText(entries.name("other"))), S_OK);
  EXPECT_EQ(KeyName(item.get()), entries.name("other"));
  EXPECT_EQ(DisplayName(item.get()), "Other");

  ASSERT_EQ(item->SetRegistryKeyName(InText(entries.name("hidden"))), S_OK);
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetPublisher), "Hidden Inc.");

  // Names that are no entry leave the item as it was.
  EXPECT_EQ(item->SetRegistryKeyName(InText(entries.name("absent"))),
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(item->SetRegistryKeyName(InText(entries.name("hidden") + "\\..")), E_INVALIDARG);
  EXPECT_EQ(item->SetRegistryKeyName(InText(std::string())), E_INVALIDARG);
  EXPECT_EQ(item->SetRegistryKeyName(nullptr), E_INVALIDARG);
  EXPECT_EQ(KeyName(item.get()), entries.name("hidden"));
}

TEST_F(ProgramItemTest, CommentsAreKeptPerUserAndLeaveTheVendorsEntryAlone) {
  std::string key = entries.name("commented");
  entries.addProgram(Where::Machine, key, "Commented");
  auto item = loaded(key);
  ASSERT_TRUE(item);
  struct Cleanup {
    std::string value;
    ~Cleanup() {
      sys::Registry reg(HKEY_CURRENT_USER);
      if (reg.openKey("\\Software\\Prunaxis\\Comments", false)) reg.deleteValue(value);
    }
  } cleanup{key};

  ASSERT_EQ(item->SetComment(InText(std::wstring(L"Keep this one \x00e9t\x00e9"))), S_OK);
  sys::Registry comments(HKEY_CURRENT_USER, KEY_READ);
  ASSERT_TRUE(comments.openKeyReadOnly("\\Software\\Prunaxis\\Comments"));
  EXPECT_EQ(comments.readString(key).value_or("<none>"), Narrow(L"Keep this one \x00e9t\x00e9"));
  ULONG index = 0;
  ASSERT_EQ(list->FindProgram(InText(key), &index), S_OK);
  Text stored;
  ASSERT_EQ(list->GetProgramComment(index, stored.put()), S_OK);
  EXPECT_EQ(stored.wide(), L"Keep this one \x00e9t\x00e9");

  // The uninstall entry still has exactly its two values.
  sys::Registry vendor(HKEY_LOCAL_MACHINE, KEY_READ | KEY_WOW64_64KEY);
  ASSERT_TRUE(
      vendor.openKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key));
  EXPECT_EQ(vendor.valueNames().size(), 2u);

  // An empty comment removes it.
  ASSERT_EQ(item->SetComment(InText(std::string())), S_OK);
  EXPECT_FALSE(comments.valueExists(key));
  ASSERT_EQ(list->GetProgramComment(index, stored.put()), S_OK);
  EXPECT_EQ(stored.wide(), L"");
}

TEST_F(ProgramItemTest, NullOutPointersAreRefused) {
  entries.addProgram(Where::Machine, entries.name("nulls"), "Nulls");
  auto item = loaded(entries.name("nulls"));
  ASSERT_TRUE(item);
  for (Getter getter :
       {&IProgramItem::GetDisplayName, &IProgramItem::GetUninstallString,
        &IProgramItem::GetRegistryKeyName, &IProgramItem::GetPublisher,
        &IProgramItem::GetInstallLocation, &IProgramItem::GetLastUsed,
        &IProgramItem::GetInstallDate, &IProgramItem::GetVersion, &IProgramItem::GetHelpLink,
        &IProgramItem::GetAboutLink, &IProgramItem::GetUpdateLink}) {
    EXPECT_EQ((item.get()->*getter)(nullptr), E_POINTER);
  }
  EXPECT_EQ(item->GetSystemPatch(nullptr), E_POINTER);
  EXPECT_EQ(item->GetIconIndex(nullptr), E_POINTER);
  EXPECT_EQ(item->GetUsedFrequency(nullptr), E_POINTER);
  EXPECT_EQ(item->GetSize(nullptr), E_POINTER);
}

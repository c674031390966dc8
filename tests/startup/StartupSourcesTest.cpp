#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>

#include "StartupTestSupport.h"
#include "startup/StartupSources.h"
#include "sys/Files.h"

using startup::StartupRow;
using startup_test::CommonStartupFolder;
using startup_test::RowsNamed;
using startup_test::SetRawValue;
using startup_test::SetText;
using startup_test::SourcesGuard;
using startup_test::UserStartupFolder;

namespace {

const std::string kRun = startup::kRunKeyPaths[0];

std::string Parking(const std::string& path) {
  return path + "\\" + startup::kParkingKeyName;
}

std::string Location(HKEY root, const std::string& path) {
  return (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + path;
}

}  // namespace

TEST(StartupSources, EverySourceIsReadInOrderWithParkedEntriesUnticked) {
  SourcesGuard guard;
  std::vector<StartupRow> expected;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    int index = 0;
    for (const char* path : startup::kRunKeyPaths) {
      std::string tag = (root == HKEY_CURRENT_USER ? "u" : "m") + std::to_string(index++);
      // Created in name order, so that Windows (creation order) and Wine (sorted) agree.
      for (const char* suffix : {"-a", "-b"}) {
        std::string name = "PxRead-" + tag + suffix;
        SetText(root, path, name, "C:\\Apps\\" + name + ".exe /start");
        expected.push_back({name, true, "C:\\Apps\\" + name + ".exe /start", Location(root, path)});
      }
      if (index == 5 || (root == HKEY_LOCAL_MACHINE && index == 1)) {
        std::string name = "PxRead-" + tag + "-parked";
        SetText(root, Parking(path), name, "\"C:\\Parked\\" + name + ".exe\"");
        expected.push_back({name, false, "\"C:\\Parked\\" + name + ".exe\"", Location(root, path)});
      }
    }
  }
  // The same name under both roots gives two rows, the user's first: the per-key
  // rows above already interleave that way; one more shared name makes it explicit.
  SetText(HKEY_CURRENT_USER, kRun, "PxRead-u0-both", "user.exe");
  SetText(HKEY_LOCAL_MACHINE, kRun, "PxRead-m0-both", "machine.exe");
  expected.insert(expected.begin() + 2,
                  {"PxRead-u0-both", true, "user.exe", Location(HKEY_CURRENT_USER, kRun)});
  auto machineRun = std::find_if(expected.begin(), expected.end(),
                                 [](const StartupRow& r) { return r.name == "PxRead-m0-b"; });
  expected.insert(machineRun + 1,
                  {"PxRead-m0-both", true, "machine.exe", Location(HKEY_LOCAL_MACHINE, kRun)});

  std::string user = UserStartupFolder();
  std::string common = CommonStartupFolder();
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxRead-App.lnk", "not really a link"));
  ASSERT_TRUE(sys::ForceDirectories(user + "PxRead-Folder"));
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxRead-hidden.ini", "[x]"));
  SetFileAttributesA((user + "PxRead-hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(sys::WriteFileBytes(user + ".PxRead-dotted", "x"));
  ASSERT_TRUE(sys::WriteFileBytes(common + "PxRead-Common.txt", "x"));

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  std::vector<StartupRow> ours = RowsNamed(rows, "PxRead-");
  ASSERT_EQ(ours.size(), expected.size() + 3);
  std::vector<StartupRow> registryRows(ours.begin(), ours.begin() + expected.size());
  EXPECT_EQ(registryRows, expected);

  // Within a folder the file system decides the order; the folders come in order.
  std::vector<StartupRow> userRows(ours.end() - 3, ours.end() - 1);
  std::sort(userRows.begin(), userRows.end(),
            [](const StartupRow& a, const StartupRow& b) { return a.name < b.name; });
  EXPECT_EQ(userRows, (std::vector<StartupRow>{
                          {"PxRead-App.lnk", true, user + "PxRead-App.lnk", user},
                          {"PxRead-Folder", true, user + "PxRead-Folder", user},
                      }));
  EXPECT_EQ(ours.back(),
            (StartupRow{"PxRead-Common.txt", true, common + "PxRead-Common.txt", common}));
  EXPECT_TRUE(RowsNamed(rows, ".PxRead").empty());
}

TEST(StartupSources, ValuesThatAreNotTextAreSkippedAndTheRestStillRead) {
  SourcesGuard guard;
  const std::string onceEx = startup::kRunKeyPaths[5];
  DWORD number = 7;
  SetRawValue(HKEY_LOCAL_MACHINE, kRun, "PxSkip-a-dword", REG_DWORD, &number, sizeof number);
  SetText(HKEY_LOCAL_MACHINE, kRun, "PxSkip-b", "b.exe");
  SetText(HKEY_LOCAL_MACHINE, kRun, "PxSkip-c-expand", "%SystemRoot%\\c.exe", REG_EXPAND_SZ);
  SetRawValue(HKEY_LOCAL_MACHINE, kRun, "PxSkip-d-empty", REG_SZ, "", 0);
  SetRawValue(HKEY_LOCAL_MACHINE, kRun, "PxSkip-e-raw", REG_SZ, "raw", 3);  // no NUL stored
  SetRawValue(HKEY_LOCAL_MACHINE, kRun, "PxSkip-f-binary", REG_BINARY, "\x01\x02", 2);
  SetRawValue(HKEY_LOCAL_MACHINE, Parking(kRun), "PxSkip-g-parked-dword", REG_DWORD, &number,
              sizeof number);
  SetRawValue(HKEY_LOCAL_MACHINE, onceEx, "PxSkip-h-multi", REG_MULTI_SZ, "a\0b\0", 5);
  SetText(HKEY_LOCAL_MACHINE, onceEx, "PxSkip-i", "i.exe");
  SetText(HKEY_CURRENT_USER, onceEx, "PxSkip-0-user", "user.exe");
  ASSERT_TRUE(sys::WriteFileBytes(UserStartupFolder() + "PxSkip-z.txt", "x"));

  std::string run = Location(HKEY_LOCAL_MACHINE, kRun);
  std::vector<StartupRow> expected{
      {"PxSkip-0-user", true, "user.exe", Location(HKEY_CURRENT_USER, onceEx)},
      {"PxSkip-b", true, "b.exe", run},
      {"PxSkip-c-expand", true, "%SystemRoot%\\c.exe", run},
      {"PxSkip-d-empty", true, "", run},
      {"PxSkip-e-raw", true, "raw", run},
      {"PxSkip-i", true, "i.exe", Location(HKEY_LOCAL_MACHINE, onceEx)},
      {"PxSkip-z.txt", true, UserStartupFolder() + "PxSkip-z.txt", UserStartupFolder()},
  };
  EXPECT_EQ(RowsNamed(startup::ReadStartupRows(), "PxSkip-"), expected);
}

TEST(StartupSources, KeysAreOpenedForReadingOnly) {
  SourcesGuard guard;
  const std::string services = startup::kRunKeyPaths[2];
  const std::string servicesOnce = startup::kRunKeyPaths[1];
  SetText(HKEY_LOCAL_MACHINE, services, "PxAccess-locked", "locked.exe");
  SetText(HKEY_LOCAL_MACHINE, Parking(services), "PxAccess-locked-parked", "parked.exe");
  SetText(HKEY_CURRENT_USER, servicesOnce, "PxAccess-unreadable", "hidden.exe");
  SetText(HKEY_CURRENT_USER, Parking(servicesOnce), "PxAccess-unreadable-parked", "hidden.exe");

  // A key that a user may read but not change (HKLM for a user without administrator
  // rights) is still listed; a key that cannot be read hides its parking key too.
  startup_test::ScopedDeny noWrite(HKEY_LOCAL_MACHINE, services,
                                   KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  startup_test::ScopedDeny noRead(HKEY_CURRENT_USER, servicesOnce, KEY_QUERY_VALUE);
  HKEY probe = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, services.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                          &probe),
            ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Parking(servicesOnce).c_str(), 0, KEY_READ, &probe),
            ERROR_SUCCESS);
  RegCloseKey(probe);

  std::string machine = Location(HKEY_LOCAL_MACHINE, services);
  EXPECT_EQ(RowsNamed(startup::ReadStartupRows(), "PxAccess-"),
            (std::vector<StartupRow>{{"PxAccess-locked", true, "locked.exe", machine},
                                     {"PxAccess-locked-parked", false, "parked.exe", machine}}));
}

TEST(StartupSources, BothMachineViewsAreListedEachOnceUnderTheirOwnNames) {
  if (!startup_test::TwoViews()) GTEST_SKIP() << "not a 64-bit system: HKLM has one view";
  SourcesGuard guard;
  const std::string wow = startup_test::Wow32(kRun);
  // The 32-bit view is written through KEY_WOW64_32KEY, the native one through
  // KEY_WOW64_64KEY: the same name in both is two entries.
  SetText(HKEY_LOCAL_MACHINE, kRun, "PxView-both", "sixty-four.exe");
  SetText(HKEY_LOCAL_MACHINE, wow, "PxView-both", "thirty-two.exe");
  SetText(HKEY_LOCAL_MACHINE, Parking(wow), "PxView-parked", "parked32.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxView-user", "user.exe");
  const std::string native = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::string thirtyTwo =
      "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
  EXPECT_EQ(RowsNamed(startup::ReadStartupRows(), "PxView-"),
            (std::vector<StartupRow>{{"PxView-user", true, "user.exe", "HKCU\\" + kRun},
                                     {"PxView-both", true, "sixty-four.exe", native},
                                     {"PxView-both", true, "thirty-two.exe", thirtyTwo},
                                     {"PxView-parked", false, "parked32.exe", thirtyTwo}}));
}

TEST(StartupSources, SpecialFoldersComeWithoutAFinalBackslash) {
  EXPECT_EQ(startup::GetSpecialFolderPath(CSIDL_STARTUP),
            sys::ExcludeTrailingBackslash(UserStartupFolder()));
  EXPECT_EQ(startup::GetSpecialFolderPath(CSIDL_COMMON_STARTUP),
            sys::ExcludeTrailingBackslash(CommonStartupFolder()));
  EXPECT_FALSE(UserStartupFolder().empty());
  EXPECT_NE(startup::GetSpecialFolderPath(CSIDL_STARTUP).back(), '\\');
  // A virtual folder has no file system path; an unknown id names nothing.
  EXPECT_EQ(startup::GetSpecialFolderPath(CSIDL_DRIVES), "");
  EXPECT_EQ(startup::GetSpecialFolderPath(0x7E), "");
}

// The saved scan inputs on a real disk: every field comes back as it was for names
// in any script and values of any shape, one program keeps one record, whatever
// else lies in the folder is passed over untouched, and a folder that cannot be
// written only means that nothing is saved.
#include "uninstall/SavedScans.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/WideTestSupport.h"

namespace {

using testing_support::SnapshotDisk;
using wide_tests::U8;

SYSTEMTIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  return t;
}

bool SameMoment(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

uninstall::UninstallTarget Target(const std::string& keyName) {
  uninstall::UninstallTarget t;
  t.keyName = keyName;
  t.displayName = keyName + " display";
  t.installDir = "C:\\Program Files\\" + U8(u8"Démo ツール");
  return t;
}

void ExpectSameTarget(const uninstall::UninstallTarget& got,
                      const uninstall::UninstallTarget& want) {
  EXPECT_EQ(got.keyName, want.keyName);
  EXPECT_EQ(got.installDir, want.installDir);
  EXPECT_EQ(got.displayName, want.displayName);
  EXPECT_EQ(got.publisher, want.publisher);
  EXPECT_EQ(got.displayIcon, want.displayIcon);
  EXPECT_EQ(got.uninstallString, want.uninstallString);
  EXPECT_EQ(got.productCode, want.productCode);
  EXPECT_EQ(got.executables, want.executables);
  EXPECT_EQ(got.entryRoot, want.entryRoot);
  EXPECT_EQ(got.entryView, want.entryView);
  EXPECT_EQ(got.uninstalled, want.uninstalled);
}

// The names in a folder given with its final backslash.
std::vector<std::string> Names(const std::string& folder) {
  const std::string bare = folder.substr(0, folder.size() - 1);
  std::vector<std::string> names;
  for (const std::string& path : SnapshotDisk(bare))
    if (path != bare) names.push_back(path.substr(folder.size()));
  return names;
}

const uninstall::SavedScan* Find(const std::vector<uninstall::SavedScan>& scans,
                                 const std::string& keyName) {
  for (const uninstall::SavedScan& scan : scans)
    if (scan.target.keyName == keyName) return &scan;
  return nullptr;
}

class SavedScans : public ::testing::Test {
 protected:
  std::string folder() const { return dir.file("Back up\\scans\\"); }
  testing_support::TempDir dir;
};

TEST_F(SavedScans, EveryFieldComesBackForOddNamesAndValues) {
  const std::vector<std::string> keyNames = {
      "{6F9619FF-8B86-D011-B42D-00C04FC964FF}",
      U8(u8"Программа 演示 برنامج ελληνικά"),
      "What: *is* \"this\" <really> | ok?",
      std::string(255, 'L'),
      std::string(120, 'k') + U8(u8"字") + std::string(120, 'K'),
      "trailing dots and spaces. . ",
      "100% sure %41",
      "CON",
      "\xED\xA0\x80 lone surrogate",
  };
  std::vector<uninstall::UninstallTarget> saved;
  for (size_t i = 0; i < keyNames.size(); ++i) {
    uninstall::UninstallTarget t = Target(keyNames[i]);
    t.publisher = "  spaced publisher\t";
    t.displayName = U8(u8"\u3000Line one\r\nline two\n\"quoted\"\u00A0");
    t.displayIcon = "'C:\\Odd\\app.exe',0";
    t.uninstallString = "\"C:\\Odd\\unins.exe\" /x=\\n [Scan] ;not a comment\x01\x7f";
    t.productCode = i % 2 ? "{11111111-2222-3333-4444-555555555555}" : "";
    t.executables = {"app.exe", U8(u8"ツール.exe"), "x y.exe"};
    t.entryRoot = i % 3 == 2 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    t.entryView = i % 3 == 0   ? sys::RegView::Wow32
                  : i % 3 == 1 ? sys::RegView::Wow64
                               : sys::RegView::Default;
    t.uninstalled = i % 2 == 0;
    ASSERT_TRUE(
        uninstall::SaveScanInputs(folder(), t, Utc(2024, 3, 1, 10, 20, static_cast<WORD>(i))))
        << keyNames[i];
    saved.push_back(t);
  }

  const std::vector<uninstall::SavedScan> loaded = uninstall::LoadSavedScans(folder());
  ASSERT_EQ(loaded.size(), keyNames.size());
  // Newest first.
  for (size_t i = 0; i < loaded.size(); ++i) {
    const size_t from = keyNames.size() - 1 - i;
    ExpectSameTarget(loaded[i].target, saved[from]);
    EXPECT_TRUE(SameMoment(loaded[i].savedUtc, Utc(2024, 3, 1, 10, 20, static_cast<WORD>(from))));
    ASSERT_EQ(loaded[i].files.size(), 1u);
  }
  // One file each, plain ASCII names of a safe length, nothing else left behind.
  const std::vector<std::string> names = Names(folder());
  EXPECT_EQ(names.size(), keyNames.size());
  for (const std::string& name : names) {
    EXPECT_LE(folder().size() + name.size(), size_t{MAX_PATH - 1}) << name;
    EXPECT_TRUE(name.ends_with(".ini")) << name;
    for (unsigned char c : name)
      EXPECT_TRUE(c >= 0x20 && c < 0x7F && !std::strchr("\\/:*?\"<>|", c));
  }
}

TEST_F(SavedScans, OneProgramKeepsOneRecordTheNewest) {
  uninstall::UninstallTarget first = Target("PxTwice");
  first.publisher = "First";
  first.executables = {"a.exe", "b.exe", "c.exe"};
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), first, Utc(2024, 1, 1, 8, 0, 0)));
  // The same entry, spelled in another case, uninstalled again later.
  uninstall::UninstallTarget second = Target("PXTWICE");
  second.publisher = "Second";
  second.executables = {"d.exe"};
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), second, Utc(2024, 2, 1, 8, 0, 0)));
  // The same key name in the other view and in HKCU are other programs.
  uninstall::UninstallTarget other = Target("PxTwice");
  other.entryView = sys::RegView::Wow32;
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), other, Utc(2023, 1, 1, 8, 0, 0)));
  other.entryView = sys::RegView::Default;
  other.entryRoot = HKEY_CURRENT_USER;
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), other, Utc(2022, 1, 1, 8, 0, 0)));

  const std::vector<uninstall::SavedScan> loaded = uninstall::LoadSavedScans(folder());
  ASSERT_EQ(loaded.size(), 3u);
  ExpectSameTarget(loaded[0].target, second);  // no executable of the first is left
  EXPECT_EQ(loaded[1].target.entryView, sys::RegView::Wow32);
  EXPECT_EQ(loaded[2].target.entryRoot, HKEY_CURRENT_USER);
  EXPECT_EQ(Names(folder()).size(), 3u);

  // A copy put in by hand is the same program: the newest speaks, Delete takes both.
  const std::string copy = folder() + "copy of record.ini";
  ASSERT_TRUE(CopyFileA(loaded[0].files[0].c_str(), copy.c_str(), TRUE));
  const std::vector<uninstall::SavedScan> again = uninstall::LoadSavedScans(folder());
  ASSERT_EQ(again.size(), 3u);
  EXPECT_EQ(again[0].files.size(), 2u);
  EXPECT_TRUE(uninstall::DeleteSavedScan(again[0]));
  const std::vector<uninstall::SavedScan> rest = uninstall::LoadSavedScans(folder());
  ASSERT_EQ(rest.size(), 2u);
  EXPECT_EQ(rest[0].target.entryView, sys::RegView::Wow32);
  EXPECT_EQ(Names(folder()).size(), 2u);
}

TEST_F(SavedScans, WhatIsNoRecordIsPassedOverAndLeftAsItIs) {
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), Target("PxGood"), Utc(2024, 5, 5, 5, 5, 5)));
  const std::string f = folder();
  ASSERT_TRUE(
      wide_tests::MakeFile(f + "garbage.ini", std::string("\xFF\xFE\x00\xD8\x01\x02\x00", 7)));
  ASSERT_TRUE(wide_tests::MakeFile(f + "foreign.ini", "[config]\r\nKeyName=PxForeign\r\n"));
  ASSERT_TRUE(
      wide_tests::MakeFile(f + "newer.ini",
                           "[Scan]\r\nFormat=2\r\nSaved=2024-01-01T00:00:00Z\r\n"
                           "Root=HKEY_CURRENT_USER\r\nView=Default\r\nKeyName=PxNewer\r\n"));
  ASSERT_TRUE(wide_tests::MakeFile(f + "badtime.ini",
                                   "[Scan]\r\nFormat=1\r\nSaved=2024-13-45T99:00:00Z\r\n"
                                   "Root=HKEY_CURRENT_USER\r\nView=Default\r\nKeyName=PxBad\r\n"));
  ASSERT_TRUE(wide_tests::MakeFile(f + "otherkey.ini",
                                   "[Scan]\r\nFormat=1\r\nSaved=2024-01-01T00:00:00Z\r\n"
                                   "Root=HKEY_CURRENT_USER\r\nView=Default\r\nKeyName=A\\B\r\n"));
  ASSERT_TRUE(wide_tests::MakeFile(f + "huge.ini",
                                   "[Scan]\r\nFormat=1\r\nSaved=2024-01-01T00:00:00Z\r\n"
                                   "Root=HKEY_CURRENT_USER\r\nView=Default\r\nKeyName=PxHuge\r\n" +
                                       std::string(300 * 1024, ';')));
  ASSERT_TRUE(wide_tests::MakeFile(f + "count.ini",
                                   "[Scan]\r\nFormat=1\r\nSaved=2024-01-01T00:00:00Z\r\n"
                                   "Root=HKEY_CURRENT_USER\r\nView=Default\r\nKeyName=PxCount\r\n"
                                   "Executables=2000000000\r\nExecutable1=one.exe\r\n"));
  ASSERT_TRUE(wide_tests::MakeFile(f + "half.tmp", "[Scan]\r\nFormat=1\r\n"));
  ASSERT_TRUE(wide_tests::MakeFolder(f + "folder.ini"));
  const std::set<std::string> before = SnapshotDisk(f);

  const std::vector<uninstall::SavedScan> loaded = uninstall::LoadSavedScans(f);
  std::set<std::string> keys;
  for (const uninstall::SavedScan& scan : loaded) keys.insert(scan.target.keyName);
  EXPECT_EQ(keys, (std::set<std::string>{"PxGood", "PxCount"}));
  ASSERT_NE(Find(loaded, "PxCount"), nullptr);
  EXPECT_EQ(Find(loaded, "PxCount")->target.executables, (std::vector<std::string>{"one.exe"}));
  EXPECT_EQ(SnapshotDisk(f), before);
}

TEST_F(SavedScans, AFolderThatCannotHoldRecordsOnlyMeansNothingIsSaved) {
  // Nothing there yet: nothing to load, and loading makes no folder.
  EXPECT_TRUE(uninstall::LoadSavedScans(folder()).empty());
  EXPECT_FALSE(testing_support::PathExists(dir.file("Back up")));
  EXPECT_TRUE(uninstall::LoadSavedScans("").empty());
  EXPECT_FALSE(uninstall::SaveScanInputs("", Target("PxNoFolder")));

  // A file stands where the folder should be.
  ASSERT_TRUE(wide_tests::MakeFile(dir.file("Back up"), "a file"));
  EXPECT_FALSE(uninstall::SaveScanInputs(folder(), Target("PxBlocked")));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Back up"}));

  // A folder stands where the record should be: the earlier state stays.
  const std::string other = dir.file("other\\");
  const uninstall::UninstallTarget t = Target("PxFolderInTheWay");
  ASSERT_TRUE(wide_tests::MakeFolder(other));
  ASSERT_TRUE(wide_tests::MakeFolder(other + uninstall::SavedScanFileName(t)));
  EXPECT_FALSE(uninstall::SaveScanInputs(other, t));
  EXPECT_EQ(Names(other), (std::vector<std::string>{uninstall::SavedScanFileName(t)}));

  // Nothing without a key name or of another root.
  uninstall::UninstallTarget bad = Target("");
  EXPECT_FALSE(uninstall::SaveScanInputs(dir.file("third\\"), bad));
  bad = Target("PxUsers");
  bad.entryRoot = HKEY_USERS;
  EXPECT_FALSE(uninstall::SaveScanInputs(dir.file("third\\"), bad));
  EXPECT_FALSE(testing_support::PathExists(dir.file("third")));
}

TEST_F(SavedScans, DeepFoldersKeepNamesWithinThePathLimit) {
  std::string deep = dir.path();
  while (deep.size() < MAX_PATH - 70) deep += "deeper\\";
  const std::vector<std::string> keyNames = {std::string(200, 'a'), std::string(200, 'a') + "b",
                                             U8(u8"長い名前の長い名前の長い名前")};
  for (const std::string& name : keyNames)
    ASSERT_TRUE(uninstall::SaveScanInputs(deep, Target(name))) << name;
  const std::vector<uninstall::SavedScan> loaded = uninstall::LoadSavedScans(deep);
  ASSERT_EQ(loaded.size(), keyNames.size());
  for (const std::string& name : keyNames) {
    const uninstall::SavedScan* scan = Find(loaded, name);
    ASSERT_NE(scan, nullptr) << name;
    EXPECT_LE(scan->files[0].size(), size_t{MAX_PATH - 1});
  }
  // No room left for a name: refused, not cut short.
  std::string deeper = deep;
  while (deeper.size() < MAX_PATH - 20) deeper += "x";
  EXPECT_FALSE(uninstall::SaveScanInputs(deeper + "\\", Target("PxTooDeep")));
  EXPECT_FALSE(testing_support::PathExists(deeper));
}

TEST_F(SavedScans, RemovedProgramsAreThoseWhoseEntriesAreGone) {
  const std::string stays = testing_support::UniqueName("PxStillInstalled");
  const std::string gone = testing_support::UniqueName("PxRemoved");
  const std::string entry = std::string(uninstall::kUninstallKeyPath) + "\\" + stays;
  testing_support::CreateKey(HKEY_CURRENT_USER, entry, {"DisplayName"});
  uninstall::UninstallTarget installed = Target(stays);
  installed.entryRoot = HKEY_CURRENT_USER;
  uninstall::UninstallTarget removed = Target(gone);
  removed.entryRoot = HKEY_CURRENT_USER;
  removed.uninstalled = false;  // as saved: the uninstall had only started
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), installed));
  ASSERT_TRUE(uninstall::SaveScanInputs(folder(), removed));

  const std::vector<uninstall::SavedScan> all = uninstall::LoadSavedScans(folder());
  const std::vector<uninstall::SavedScan> list = uninstall::RemovedPrograms(all);
  RegDeleteKeyA(HKEY_CURRENT_USER, entry.c_str());
  ASSERT_EQ(all.size(), 2u);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].target.keyName, gone);
  EXPECT_TRUE(list[0].target.uninstalled);
  EXPECT_EQ(Names(folder()).size(), 2u) << "the installed program's record is kept";
}

}  // namespace

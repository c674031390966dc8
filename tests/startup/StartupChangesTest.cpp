#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/StartupChanges.h"
#include "startup/StartupSources.h"
#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "sys/FileOps.h"
#include "sys/Files.h"

using startup::StartupRow;
using startup_test::CaptureSources;
using startup_test::ExpandSz;
using startup_test::kApproved;
using startup_test::Location;
using startup_test::ParkingStateKey;
using startup_test::RawValues;
using startup_test::RowOf;
using startup_test::SetRawValue;
using startup_test::SetText;
using startup_test::SourcesGuard;
using startup_test::SourceState;
using startup_test::StateKey;
using startup_test::Sz;
using startup_test::Values;
using testing_support::KeyExists;

namespace {

const std::string kRun = startup::kRunKeyPaths[0];
const std::string kRunOnce = startup::kRunKeyPaths[3];
const std::string kRunOnceEx = startup::kRunKeyPaths[5];

}  // namespace

TEST(StartupApply, UntickedValuesAreParkedAndTickedOnesComeBackWithTheirType) {
  SourcesGuard guard;
  SetText(HKEY_CURRENT_USER, kRun, "PxApply-a", "C:\\A\\a.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxApply-b", "%ProgramFiles%\\B\\b.exe", REG_EXPAND_SZ);
  SetText(HKEY_CURRENT_USER, kRun, "PxApply-keep", "keep.exe");
  SetText(HKEY_LOCAL_MACHINE, kRunOnce, "PxApply-c", "\"C:\\C\\c.exe\" /q");
  SourceState before = CaptureSources();

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  std::string user = Location(HKEY_CURRENT_USER, kRun);
  std::string machine = Location(HKEY_LOCAL_MACHINE, kRunOnce);
  RowOf(rows, "PxApply-a", user).enabled = false;
  RowOf(rows, "PxApply-b", user).enabled = false;
  RowOf(rows, "PxApply-c", machine).enabled = false;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));

  SourceState parked = before;
  Values(parked, StateKey(HKEY_CURRENT_USER, kRun)).erase("PxApply-a");
  Values(parked, StateKey(HKEY_CURRENT_USER, kRun)).erase("PxApply-b");
  Values(parked, ParkingStateKey(HKEY_CURRENT_USER, kRun))["PxApply-a"] = Sz("C:\\A\\a.exe");
  Values(parked, ParkingStateKey(HKEY_CURRENT_USER, kRun))["PxApply-b"] =
      ExpandSz("%ProgramFiles%\\B\\b.exe");
  Values(parked, StateKey(HKEY_LOCAL_MACHINE, kRunOnce)).erase("PxApply-c");
  Values(parked, ParkingStateKey(HKEY_LOCAL_MACHINE, kRunOnce))["PxApply-c"] =
      Sz("\"C:\\C\\c.exe\" /q");
  EXPECT_EQ(CaptureSources(), parked);

  // Read back, the parked entries are unticked rows of the keys they return to.
  rows = startup::ReadStartupRows();
  for (const auto& [name, location] : {std::pair{"PxApply-a", user}, std::pair{"PxApply-b", user},
                                       std::pair{"PxApply-c", machine}}) {
    StartupRow& row = RowOf(rows, name, location);
    EXPECT_FALSE(row.enabled) << name;
    row.enabled = true;
  }
  ASSERT_TRUE(startup::ApplyStartupRows(rows));

  // Everything is back as it was; the parking keys stay, empty.
  SourceState restored = before;
  Values(restored, ParkingStateKey(HKEY_CURRENT_USER, kRun));
  Values(restored, ParkingStateKey(HKEY_LOCAL_MACHINE, kRunOnce));
  EXPECT_EQ(CaptureSources(), restored);
}

TEST(StartupApply, ApplyingWithoutChangesChangesNothing) {
  SourcesGuard guard;
  SetText(HKEY_CURRENT_USER, kRun, "PxSame-sz", "sz.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxSame-expand", "%windir%\\x.exe", REG_EXPAND_SZ);
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxSame-parked", "%TEMP%\\p.exe",
          REG_EXPAND_SZ);
  // One name enabled and parked with other commands: two entries, both kept.
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxSame-twice", "one.exe");
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx + "\\Run_Disable", "PxSame-twice", "two.exe");
  DWORD number = 1;
  SetRawValue(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxSame-dword", REG_DWORD, &number, sizeof number);
  ASSERT_TRUE(sys::WriteFileBytes(startup_test::UserStartupFolder() + "PxSame.txt", "x"));
  SourceState before = CaptureSources();

  ASSERT_TRUE(startup::ApplyStartupRows(startup::ReadStartupRows()));
  EXPECT_EQ(CaptureSources(), before);
  ASSERT_TRUE(startup::ApplyStartupRows(startup::ReadStartupRows()));
  EXPECT_EQ(CaptureSources(), before);
}

TEST(StartupApply, DisableAllThenApplyParksEveryValueAndRecyclesEveryFile) {
  SourcesGuard guard;
  SetText(HKEY_CURRENT_USER, kRun, "PxAll-user", "user.exe");
  SetText(HKEY_CURRENT_USER, kRunOnce, "PxAll-once", "%APPDATA%\\once.exe", REG_EXPAND_SZ);
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxAll-machine", "machine.exe");
  SetText(HKEY_LOCAL_MACHINE, kRun + "\\Run_Disable", "PxAll-parked", "parked.exe");
  DWORD number = 1;
  SetRawValue(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxAll-dword", REG_DWORD, &number, sizeof number);
  std::string user = startup_test::UserStartupFolder();
  std::string common = startup_test::CommonStartupFolder();
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxAll-user.lnk", "link"));
  ASSERT_TRUE(sys::WriteFileBytes(common + "PxAll-common.txt", "text"));
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxAll-hidden.ini", "[x]"));
  SetFileAttributesA((user + "PxAll-hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SourceState before = CaptureSources();
  // Hidden and dot-named entries are no rows: they stay where they are.
  SourceState expected = before;
  for (auto& [folder, names] : expected.folders) {
    std::erase_if(names, [&](const std::string& name) {
      DWORD attrs = GetFileAttributesA((folder + name).c_str());
      return !(attrs & FILE_ATTRIBUTE_HIDDEN) && name[0] != '.';
    });
  }

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  EXPECT_FALSE(startup::ToggleAllRows(rows, true));
  ASSERT_TRUE(startup::ApplyStartupRows(rows));

  // Every text value of every Run key moved into its parking key, nothing else moved;
  // every listed file left its folder, the hidden one stayed.
  startup_test::ParkTextValues(expected);
  EXPECT_EQ(CaptureSources(), expected);
  std::string trash = startup_test::TrashFilesFolder();
  EXPECT_TRUE(startup_test::Exists(trash + "PxAll-user.lnk"));
  EXPECT_TRUE(startup_test::Exists(trash + "PxAll-common.txt"));
}

TEST(StartupApply, AnUntickedStartupFolderFileGoesToTheRecycleBin) {
  SourcesGuard guard;
  std::string trash = startup_test::TrashFilesFolder();
  ASSERT_FALSE(trash.empty()) << "XDG_DATA_HOME is not set";
  std::string user = startup_test::UserStartupFolder();
  std::string common = startup_test::CommonStartupFolder();
  std::string name = testing_support::UniqueName("PxBin") + ".lnk";
  ASSERT_TRUE(sys::WriteFileBytes(user + name, "shortcut bytes"));
  ASSERT_TRUE(sys::WriteFileBytes(common + "PxBin-kept.txt", "kept"));
  ASSERT_TRUE(sys::ForceDirectories(user + "PxBin-folder"));
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxBin-folder\\inner.txt", "inner"));

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  RowOf(rows, name, user).enabled = false;
  RowOf(rows, "PxBin-folder", user).enabled = false;
  // A row whose file is already gone is passed over.
  rows.push_back({"PxBin-gone.txt", false, user + "PxBin-gone.txt", user});
  ASSERT_TRUE(startup::ApplyStartupRows(rows));

  EXPECT_FALSE(startup_test::Exists(user + name));
  EXPECT_TRUE(startup_test::Exists(common + "PxBin-kept.txt"));
  std::string recycled;
  ASSERT_TRUE(sys::ReadFileBytes(trash + name, recycled)) << trash + name;
  EXPECT_EQ(recycled, "shortcut bytes");
  std::string info;
  ASSERT_TRUE(sys::ReadFileBytes(trash + "..\\info\\" + name + ".trashinfo", info));
  EXPECT_NE(info.find("StartUp/" + name), std::string::npos) << info;
  // A folder goes whole; nothing is left of the links that held it on the way.
  EXPECT_FALSE(startup_test::Exists(user + "PxBin-folder"));
  ASSERT_TRUE(sys::ReadFileBytes(trash + "PxBin-folder\\inner.txt", recycled));
  EXPECT_EQ(recycled, "inner");
  EXPECT_TRUE(sys::ListFolderMatching(sys::TempDirectory(), "Prunaxis recycle*").empty());
}

namespace {

// The Recycle Bin's files folder replaced by a plain file, so that the bin takes
// nothing (the shell then deletes for good); the folder comes back afterwards.
class BinThatTakesNothing {
 public:
  BinThatTakesNothing() {
    // The bin's own folder exists only once something went to the bin: make it, so
    // that this test does not depend on one that ran before it.
    EXPECT_TRUE(sys::ForceDirectories(files_.substr(0, files_.rfind('\\'))));
    if (startup_test::Exists(files_)) EXPECT_TRUE(sys::MoveFileExact(files_, aside_));
    EXPECT_TRUE(sys::WriteFileBytes(files_, "not a folder"));
  }
  ~BinThatTakesNothing() {
    sys::DeleteFileExact(files_);
    if (startup_test::Exists(aside_)) sys::MoveFileExact(aside_, files_);
  }

 private:
  const std::string files_ = sys::ExcludeTrailingBackslash(startup_test::TrashFilesFolder());
  const std::string aside_ = files_ + ".aside";
};

}  // namespace

TEST(StartupApply, WhatTheRecycleBinCannotTakeStaysWhereItIsAndIsReported) {
  SourcesGuard guard;
  ASSERT_FALSE(startup_test::TrashFilesFolder().empty()) << "XDG_DATA_HOME is not set";
  std::string user = startup_test::UserStartupFolder();
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxKeep.lnk", "shortcut bytes"));
  ASSERT_TRUE(sys::ForceDirectories(user + "PxKeep-folder"));
  ASSERT_TRUE(sys::WriteFileBytes(user + "PxKeep-folder\\inner.txt", "inner"));
  const SourceState before = CaptureSources();
  BinThatTakesNothing bin;
  // The shell alone deletes such a file for good.
  const std::string probe = startup_test::TrashFilesFolder() + "..\\PxKeep-probe.txt";
  ASSERT_TRUE(sys::WriteFileBytes(probe, "probe"));
  sys::MoveToRecycleBin(probe);
  ASSERT_FALSE(startup_test::Exists(probe));

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  RowOf(rows, "PxKeep.lnk", user).enabled = false;
  RowOf(rows, "PxKeep-folder", user).enabled = false;
  std::vector<startup::KeptRow> kept;
  ASSERT_TRUE(startup::ApplyStartupRows(rows, &kept));

  EXPECT_EQ(CaptureSources(), before);
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(user + "PxKeep.lnk", bytes));
  EXPECT_EQ(bytes, "shortcut bytes");
  ASSERT_TRUE(sys::ReadFileBytes(user + "PxKeep-folder\\inner.txt", bytes));
  EXPECT_EQ(bytes, "inner");
  ASSERT_EQ(kept.size(), 2u);
  for (const startup::KeptRow& row : kept) {
    EXPECT_EQ(row.why, startup::ApplyOutcome::KeptNotRecycled) << row.row.name;
    EXPECT_EQ(rows[row.index].command, row.row.command);
  }
  EXPECT_NE(
      startup::KeptRowsMessage(kept).find(
          "PxKeep.lnk (" + user + "): the Recycle Bin cannot take it, so it was not deleted."),
      std::string::npos);
  EXPECT_TRUE(sys::ListFolderMatching(sys::TempDirectory(), "Prunaxis recycle*").empty());
}

TEST(StartupApply, ParkingAndRestoringNeverOverwriteAnotherEntryOfTheName) {
  SourcesGuard guard;
  SetText(HKEY_CURRENT_USER, kRun, "PxTwin", "new.exe");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxTwin", "old.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxTwin-free", "free.exe");
  const SourceState before = CaptureSources();

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  for (StartupRow& row : rows) {
    if (row.name == "PxTwin") row.enabled = !row.enabled;
  }
  RowOf(rows, "PxTwin-free", Location(HKEY_CURRENT_USER, kRun)).enabled = false;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    std::vector<startup::KeptRow> kept;
    ASSERT_TRUE(startup::ApplyStartupRows(rows, &kept));
    // Both entries of the name stay as they were; the rest is applied.
    SourceState expected = before;
    Values(expected, StateKey(HKEY_CURRENT_USER, kRun)).erase("PxTwin-free");
    Values(expected, ParkingStateKey(HKEY_CURRENT_USER, kRun))["PxTwin-free"] = Sz("free.exe");
    EXPECT_EQ(CaptureSources(), expected);
    ASSERT_EQ(kept.size(), 2u);
    const std::string where = " (HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run): ";
    EXPECT_EQ(startup::KeptRowsMessage(kept),
              "These start-up entries were left as they are:\r\n"
              "\r\nPxTwin" +
                  where +
                  "its parking key already holds a disabled entry of that name with another "
                  "command."
                  "\r\nPxTwin" +
                  where +
                  "its Run key already holds an enabled entry of that name with another command.");
  }
}

TEST(StartupApply, ApplyActsInTheRowsOwnView) {
  if (!startup_test::TwoViews()) GTEST_SKIP() << "not a 64-bit system: HKLM has one view";
  SourcesGuard guard;
  const std::string wow = startup_test::Wow32(kRun);
  SetText(HKEY_LOCAL_MACHINE, kRun, "PxOwn", "native.exe");
  SetText(HKEY_LOCAL_MACHINE, wow, "PxOwn", "wow.exe");
  SetText(HKEY_LOCAL_MACHINE, wow, "PxOwn-gone", "gone.exe");
  const SourceState before = CaptureSources();

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  StartupRow& row = RowOf(rows, "PxOwn", Location(HKEY_LOCAL_MACHINE, wow));
  row.enabled = false;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  EXPECT_TRUE(
      startup::DeleteStartupEntry(RowOf(rows, "PxOwn-gone", Location(HKEY_LOCAL_MACHINE, wow))));
  SourceState expected = before;
  Values(expected, StateKey(HKEY_LOCAL_MACHINE, wow)).erase("PxOwn");
  Values(expected, StateKey(HKEY_LOCAL_MACHINE, wow)).erase("PxOwn-gone");
  Values(expected, ParkingStateKey(HKEY_LOCAL_MACHINE, wow))["PxOwn"] = Sz("wow.exe");
  EXPECT_EQ(CaptureSources(), expected);

  row.enabled = true;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  Values(expected, ParkingStateKey(HKEY_LOCAL_MACHINE, wow)).erase("PxOwn");
  Values(expected, StateKey(HKEY_LOCAL_MACHINE, wow))["PxOwn"] = Sz("wow.exe");
  EXPECT_EQ(CaptureSources(), expected);
}

TEST(StartupApply, RowsWithoutAWritableRunKeyAreLeftAlone) {
  SourcesGuard guard;
  const std::string services = startup::kRunKeyPaths[2];
  SetText(HKEY_LOCAL_MACHINE, services, "PxAlone-locked", "locked.exe");
  testing_support::TempDir dir;
  std::string odd = dir.path() + "CurrentVersion\\";
  ASSERT_TRUE(sys::ForceDirectories(odd));
  ASSERT_TRUE(sys::WriteFileBytes(odd + "PxAlone.txt", "x"));
  SourceState before = CaptureSources();

  startup_test::ScopedDeny noWrite(HKEY_LOCAL_MACHINE, services,
                                   KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  std::string missing = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\PxNoSuchRun";
  std::vector<StartupRow> rows{
      {"PxAlone-locked", false, "locked.exe", Location(HKEY_LOCAL_MACHINE, services)},
      {"PxAlone-missing", false, "x.exe", Location(HKEY_CURRENT_USER, missing)},
      {"PxAlone-root", false, "x.exe", "HKCR\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
      // A start-up folder whose path names CurrentVersion reads as a registry row.
      {"PxAlone.txt", false, odd + "PxAlone.txt", odd},
  };
  EXPECT_TRUE(startup::ApplyStartupRows(rows));
  for (const StartupRow& row : rows) EXPECT_TRUE(startup::DeleteStartupEntry(row)) << row.name;

  EXPECT_EQ(CaptureSources(), before);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, missing));
  EXPECT_TRUE(startup_test::Exists(odd + "PxAlone.txt"));
}

TEST(StartupApply, AFailureStopsApplyAndNeverLosesTheEntry) {
  SourcesGuard guard;
  SetText(HKEY_LOCAL_MACHINE, kRunOnce, "PxStop-1", "one.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxStop-2", "two.exe");
  SetText(HKEY_LOCAL_MACHINE, kRunOnce, "PxStop-3", "three.exe");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxStop-other", "other.exe");
  SourceState before = CaptureSources();

  // The user's parking key takes no values: PxStop-2 cannot be parked.
  startup_test::ScopedDeny noParking(HKEY_CURRENT_USER, kRun + "\\Run_Disable", KEY_SET_VALUE);
  std::string machine = Location(HKEY_LOCAL_MACHINE, kRunOnce);
  std::vector<StartupRow> rows{
      {"PxStop-1", false, "one.exe", machine},
      {"PxStop-2", false, "two.exe", Location(HKEY_CURRENT_USER, kRun)},
      {"PxStop-3", false, "three.exe", machine},
  };
  EXPECT_FALSE(startup::ApplyStartupRows(rows));

  SourceState expected = before;
  Values(expected, StateKey(HKEY_LOCAL_MACHINE, kRunOnce)).erase("PxStop-1");
  Values(expected, ParkingStateKey(HKEY_LOCAL_MACHINE, kRunOnce))["PxStop-1"] = Sz("one.exe");
  EXPECT_EQ(CaptureSources(), expected);
}

TEST(StartupDelete, DeleteEntryRemovesExactlyTheRowsOwnValueOrFileForGood) {
  SourcesGuard guard;
  SetText(HKEY_CURRENT_USER, kRun, "PxDel-x", "enabled.exe");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxDel-x", "parked.exe");
  SetText(HKEY_CURRENT_USER, kRun + "\\Run_Disable", "PxDel-y", "stays.exe");
  SetText(HKEY_CURRENT_USER, kRun, "PxDel-w", "switched off.exe");
  startup_test::SetWideRaw(HKEY_CURRENT_USER, kApproved + "\\Run", "PxDel-w", REG_BINARY,
                           startup_test::Switch(3).data);
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxDel-z", "z.exe", REG_EXPAND_SZ);
  SetText(HKEY_LOCAL_MACHINE, kRunOnceEx, "PxDel-keep", "keep.exe");
  std::string user = startup_test::UserStartupFolder();
  std::string name = testing_support::UniqueName("PxDel") + ".txt";
  ASSERT_TRUE(sys::WriteFileBytes(user + name, "x"));
  SourceState before = CaptureSources();

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  std::string userRun = Location(HKEY_CURRENT_USER, kRun);
  StartupRow parked = RowOf(rows, "PxDel-x", userRun);
  StartupRow enabled = parked;
  for (const StartupRow& row : rows) {
    if (row.name == "PxDel-x") (row.enabled ? enabled : parked) = row;
  }
  ASSERT_FALSE(parked.enabled);
  ASSERT_TRUE(enabled.enabled);
  // The parked row's value goes; its enabled twin stays.
  EXPECT_TRUE(startup::DeleteStartupEntry(parked));
  // A row whose value now holds another command names no value of its own.
  enabled.command = "replaced.exe";
  EXPECT_TRUE(startup::DeleteStartupEntry(enabled));
  // A row switched off by Windows goes with its switch.
  EXPECT_TRUE(startup::DeleteStartupEntry(RowOf(rows, "PxDel-w", userRun)));
  EXPECT_TRUE(startup::DeleteStartupEntry(
      RowOf(rows, "PxDel-z", Location(HKEY_LOCAL_MACHINE, kRunOnceEx))));
  EXPECT_TRUE(startup::DeleteStartupEntry(RowOf(rows, name, user)));
  // Deleting again finds nothing to delete and is no failure.
  EXPECT_TRUE(startup::DeleteStartupEntry(parked));

  SourceState expected = before;
  Values(expected, ParkingStateKey(HKEY_CURRENT_USER, kRun)).erase("PxDel-x");
  Values(expected, StateKey(HKEY_CURRENT_USER, kRun)).erase("PxDel-w");
  Values(expected, StateKey(HKEY_CURRENT_USER, kApproved + "\\Run")).erase("PxDel-w");
  Values(expected, StateKey(HKEY_LOCAL_MACHINE, kRunOnceEx)).erase("PxDel-z");
  expected.folders[user].erase(name);
  EXPECT_EQ(CaptureSources(), expected);
  EXPECT_FALSE(startup_test::Exists(startup_test::TrashFilesFolder() + name));
}

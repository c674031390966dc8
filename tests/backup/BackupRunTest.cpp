// The backup's parts without a window, and whole runs through the prefix's real
// registry editor.
#include "backup/BackupRun.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "backup/BackupTestSupport.h"
#include "backup/RegEntryCommands.h"
#include "support/Sandbox.h"
#include "sys/Files.h"

namespace {

using backup::BackupRun;
using backup_testing::TestUninstallEntry;

std::string Utf16File(const std::string& text) {
  std::string bytes = "\xFF\xFE";
  for (char c : text) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

// Polls the run as the progress window's timer would, checking the limit of
// editors running at once; false when it did not finish within a minute.
bool RunToEnd(BackupRun& run, std::size_t maxRunning, std::vector<int>* positions = nullptr) {
  const DWORD start = GetTickCount();
  while (!run.poll()) {
    EXPECT_LE(run.running(), maxRunning);
    if (positions) positions->push_back(run.position());
    if (GetTickCount() - start > 60000) return false;
    run.waitForAny(50);
  }
  if (positions) positions->push_back(run.position());
  return true;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(BackupPlain, ParametersNameTheFileAndTheKeyOfTheProgramsView) {
  EXPECT_EQ(backup::BackupFilePath("C:\\P\\Back up\\reg\\", "App 1"),
            "C:\\P\\Back up\\reg\\App 1.reg");
  EXPECT_EQ(backup::RegeditExportParameters("C:\\B\\", "{GUID}"),
            "/e \"C:\\B\\{GUID}.reg\" \"" + backup::UninstallKeyEditorName() + "\\{GUID}\"");
  // This 32-bit program on the 64-bit prefix lists the WOW6432Node branch, so that
  // branch is what every editor must export.
  EXPECT_EQ(backup::UninstallKeyEditorName(),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\"
            "Uninstall");
}

TEST(BackupPlain, PositionFollowsFinishedExports) {
  EXPECT_EQ(backup::BackupPosition(0, 3), 0);
  EXPECT_EQ(backup::BackupPosition(1, 3), 33);
  EXPECT_EQ(backup::BackupPosition(2, 3), 66);
  EXPECT_EQ(backup::BackupPosition(3, 3), 100);
  EXPECT_EQ(backup::BackupPosition(1, 1), 100);
  EXPECT_EQ(backup::BackupPosition(0, 0), 100);
}

TEST(BackupPlain, RegFileMustHoldTheEntrysOwnSection) {
  const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\X\\Uninstall\\App";
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\x\\uninstall\\"
      "APP]\r\n\"A\"=\"1\"\r\n\r\n[" +
      key + "\\Sub]\r\n";
  EXPECT_TRUE(backup::RegFileHoldsKey(Utf16File(text), key));
  EXPECT_TRUE(backup::RegFileHoldsKey(text, key));  // REGEDIT4 files are ANSI
  EXPECT_FALSE(backup::RegFileHoldsKey(Utf16File(text), key + "2"));
  EXPECT_FALSE(backup::RegFileHoldsKey(Utf16File("[" + key + "\\Sub]\r\n"), key));
  EXPECT_FALSE(backup::RegFileHoldsKey(Utf16File("Windows Registry Editor Version 5.00\r\n"), key));
  EXPECT_FALSE(backup::RegFileHoldsKey("", key));
  EXPECT_FALSE(backup::RegFileHoldsKey("\xFF\xFE[", key));
}

TEST(BackupPlain, AnEditorThatDoesNotStartIsCountedAtOnce) {
  testing_support::TempDir dir;
  int starts = 0;
  BackupRun run(dir.path(), {"A", "B", "C"}, nullptr, 2, [&](HWND, const std::string&) {
    ++starts;
    return sys::UniqueHandle();
  });
  EXPECT_TRUE(run.poll());
  EXPECT_EQ(starts, 3);
  EXPECT_EQ(run.done(), 3u);
  EXPECT_EQ(run.failedNames(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(run.position(), 100);
}

TEST(BackupPlain, NamesThatNoFileNameCanHoldAreCountedWithoutAnEditor) {
  testing_support::TempDir dir;
  const std::vector<std::string> names = {"../Outside", "Good", "a:b", "q\"x", "c*d", "t\tab"};
  std::vector<std::string> started;
  BackupRun run(dir.path(), names, nullptr, 2, [&](HWND, const std::string& parameters) {
    started.push_back(parameters);
    return sys::UniqueHandle();
  });
  EXPECT_TRUE(run.poll());
  // "../Outside" would land beside the backup folder, "a:b" in a stream of file "a",
  // and a quote would cut the editor's command line short.
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], backup::RegeditExportParameters(dir.path(), "Good"));
  EXPECT_EQ(run.failedNames(), names);
  EXPECT_EQ(run.position(), 100);
}

TEST(BackupRegedit, WritesOneReadableFilePerEntryThatRestoresIt) {
  TestUninstallEntry first("BackupA");
  TestUninstallEntry second("BackupB");
  const std::string before = first.Snapshot();
  ASSERT_NE(before, "<missing>");
  testing_support::TempDir dir;
  const std::string folder = dir.file("Back up\\reg\\");
  ASSERT_TRUE(sys::ForceDirectories(folder));

  auto names = backup::ReadUninstallEntryNames();
  ASSERT_TRUE(names);
  ASSERT_TRUE(Contains(*names, first.name()));
  ASSERT_TRUE(Contains(*names, second.name()));
  int starts = 0;
  BackupRun run(folder, *names, nullptr, 3, [&](HWND owner, const std::string& parameters) {
    ++starts;
    return backup::StartRegistryEditor(owner, parameters);
  });
  std::vector<int> positions;
  ASSERT_TRUE(RunToEnd(run, 3, &positions));
  EXPECT_EQ(starts, static_cast<int>(names->size()));
  EXPECT_TRUE(run.failedNames().empty()) << run.failedNames().front();
  EXPECT_EQ(backup_testing::CountFiles(folder, "*.reg"), names->size());
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(positions.back(), 100);

  // The editor's own format: UTF-16 with the entry's section.
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(backup::BackupFilePath(folder, first.name()), bytes));
  EXPECT_TRUE(
      backup::RegFileHoldsKey(bytes, backup::UninstallKeyEditorName() + "\\" + first.name()));

  // Imported back into an emptied key, the file restores the entry exactly.
  first.Remove();
  ASSERT_EQ(first.Snapshot(), "<missing>");
  ASSERT_TRUE(backup_testing::RunRegeditAndWait(
      "/s \"" + backup::BackupFilePath(folder, first.name()) + "\""));
  EXPECT_EQ(first.Snapshot(), before);
}

TEST(BackupRegedit, AFileThatCannotBeWrittenIsCounted) {
  TestUninstallEntry blocked("BackupBlocked");
  TestUninstallEntry fine("BackupFine");
  testing_support::TempDir dir;
  // A folder where the file should go: the editor cannot write it.
  ASSERT_TRUE(sys::ForceDirectories(backup::BackupFilePath(dir.path(), blocked.name())));
  BackupRun run(dir.path(), {blocked.name(), fine.name()}, nullptr);
  ASSERT_TRUE(RunToEnd(run, BackupRun::kDefaultMaxRunning));
  EXPECT_EQ(run.failedNames(), (std::vector<std::string>{blocked.name()}));
  EXPECT_TRUE(sys::FileExists(backup::BackupFilePath(dir.path(), fine.name())));
}

TEST(BackupRegedit, AnOlderBackupOfTheSameNameIsNoSuccess) {
  TestUninstallEntry entry("BackupStale");
  testing_support::TempDir dir;
  const std::string file = backup::BackupFilePath(dir.path(), entry.name());
  // A good file from an earlier run...
  BackupRun earlier(dir.path(), {entry.name()}, nullptr);
  ASSERT_TRUE(RunToEnd(earlier, BackupRun::kDefaultMaxRunning));
  ASSERT_TRUE(earlier.failedNames().empty());
  std::string old;
  ASSERT_TRUE(sys::ReadFileBytes(file, old));
  // ...and an editor run this time that writes something else.
  BackupRun run(dir.path(), {entry.name()}, nullptr, 1, [&](HWND owner, const std::string&) {
    return backup::StartRegistryEditor(owner, "/e \"" + dir.file("other.reg") + "\" \"" +
                                                  backup::UninstallKeyEditorName() + "\\" +
                                                  entry.name() + "\"");
  });
  ASSERT_TRUE(RunToEnd(run, 1));
  EXPECT_TRUE(sys::FileExists(dir.file("other.reg")));
  EXPECT_EQ(run.failedNames(), (std::vector<std::string>{entry.name()}));
  std::string now;
  ASSERT_TRUE(sys::ReadFileBytes(file, now));
  EXPECT_EQ(now, old);  // the earlier backup stays as it was
}

TEST(BackupRegedit, TheEditorIsTheSystemsOwnWhateverTheCurrentFolder) {
  TestUninstallEntry entry("BackupPlanted");
  testing_support::TempDir dir;
  // Another regedit.exe in the current folder (a folder the user saved into may hold
  // one): the backup must not start it.
  const std::string planted = dir.file("regedit.exe");
  ASSERT_TRUE(CopyFileA(backup::RegeditPath().c_str(), planted.c_str(), FALSE));
  char previous[MAX_PATH] = {};
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  sys::UniqueHandle process = backup::StartRegistryEditor(
      nullptr, backup::RegeditExportParameters(dir.path(), entry.name()));
  SetCurrentDirectoryA(previous);
  ASSERT_TRUE(process);
  char image[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const bool named = QueryFullProcessImageNameA(process.get(), 0, image, &size) != FALSE;
  EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
  ASSERT_TRUE(named);
  // The system's own editor (which Wine may run from its 32-bit system folder).
  EXPECT_NE(lstrcmpiA(image, planted.c_str()), 0) << image;
}

TEST(BackupRegedit, RunningTwiceWritesTheSameFilesAgain) {
  TestUninstallEntry entry("BackupTwice");
  testing_support::TempDir dir;
  for (int round = 0; round < 2; ++round) {
    BackupRun run(dir.path(), {entry.name()}, nullptr);
    ASSERT_TRUE(RunToEnd(run, BackupRun::kDefaultMaxRunning));
    EXPECT_TRUE(run.failedNames().empty()) << "round " << round;
  }
  EXPECT_EQ(backup_testing::CountFiles(dir.path(), "*.reg"), 1u);
}

}  // namespace

#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/StartupAdd.h"
#include "startup/StartupSources.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "sys/Registry.h"

using startup::AddSection;
using startup::AddStatus;
using startup::StartupRow;
using startup_test::CaptureSources;
using startup_test::ReadShortcut;
using startup_test::ShortcutFields;
using startup_test::SourcesGuard;
using startup_test::SourceState;
using startup_test::StateKey;

namespace {

const std::string kRun = startup::kRunKeyPaths[0];

}  // namespace

TEST(StartupAdd, NamesComeFromTheTargetsFileName) {
  EXPECT_EQ(startup::RunValueNameFor("D:\\Tools\\Sync Tool.exe"), "Sync Tool");
  EXPECT_EQ(startup::RunValueNameFor("C:\\Apps\\tool.exe"), "tool");
  EXPECT_EQ(startup::RunValueNameFor("C:\\Apps\\archive.tar.gz"), "archive.tar");
  EXPECT_EQ(startup::RunValueNameFor("C:\\Apps.d\\noext"), "noext");
  EXPECT_EQ(startup::RunValueNameFor("C:\\Apps\\.profile"), ".profile");
  EXPECT_EQ(startup::ShortcutFileNameFor("D:\\Tools\\sync.exe"), "sync.lnk");
  EXPECT_EQ(startup::ShortcutFileNameFor("D:\\Tools.x\\sync"), "sync.lnk");
  EXPECT_EQ(startup::ShortcutFileNameFor("D:\\Tools\\Sync Tool.exe"), "Sync Tool.lnk");
}

TEST(StartupAdd, RunValuesHoldTheTargetUnquotedAndAreOverwritten) {
  SourcesGuard guard;
  SourceState before = CaptureSources();
  const std::string target = "C:\\Px Apps\\PxAdd Tool.exe";
  for (int round = 0; round < 2; ++round) {
    auto outcome = startup::AddStartupEntry(AddSection::RunCurrentUser, target);
    EXPECT_EQ(outcome.status, AddStatus::Added);
    outcome = startup::AddStartupEntry(AddSection::RunLocalMachine, target);
    EXPECT_EQ(outcome.status, AddStatus::Added);
  }
  SourceState expected = before;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    startup_test::Values(expected, StateKey(root, kRun))["PxAdd Tool"] = startup_test::Sz(target);
  }
  EXPECT_EQ(CaptureSources(), expected);

  std::vector<StartupRow> rows = startup_test::RowsNamed(startup::ReadStartupRows(), "PxAdd");
  EXPECT_EQ(rows, (std::vector<StartupRow>{{"PxAdd Tool", true, target, "HKCU\\" + kRun},
                                           {"PxAdd Tool", true, target, "HKLM\\" + kRun}}));
}

TEST(StartupAdd, ARunKeyThatDoesNotOpenForWritingGetsNothing) {
  SourcesGuard guard;
  {
    startup_test::ScopedDeny locked(HKEY_LOCAL_MACHINE, kRun, KEY_SET_VALUE);
    SourceState before = CaptureSources();
    auto outcome = startup::AddStartupEntry(AddSection::RunLocalMachine, "C:\\PxLocked.exe");
    EXPECT_EQ(outcome.status, AddStatus::SourceUnavailable);
    EXPECT_EQ(CaptureSources(), before);
  }
  // A missing key is not created.
  // (The guard brings the key back with its values and parking key.)
  ASSERT_EQ(sys::DeleteKeyTree(HKEY_CURRENT_USER, kRun, 0), ERROR_SUCCESS);
  SourceState before = CaptureSources();
  auto outcome = startup::AddStartupEntry(AddSection::RunCurrentUser, "C:\\PxMissing.exe");
  EXPECT_EQ(outcome.status, AddStatus::SourceUnavailable);
  EXPECT_EQ(CaptureSources(), before);
}

TEST(StartupAdd, ShortcutsStartTheTargetInItsFolder) {
  sys::ComApartment com;
  ASSERT_TRUE(com.ok());
  startup_test::ScopedNoMenuBuilder quick;
  SourcesGuard guard;
  testing_support::TempDir dir;
  std::string spaced = dir.path() + "Px Tools\\";
  ASSERT_TRUE(sys::ForceDirectories(spaced));
  std::string exe;
  ASSERT_TRUE(sys::ReadFileBytes(startup_test::FixturePath("VersionEnUs"), exe));
  const std::string target = spaced + "PxSync Tool.exe";
  const std::string bare = spaced + "PxBare";
  ASSERT_TRUE(sys::WriteFileBytes(target, exe));
  ASSERT_TRUE(sys::WriteFileBytes(bare, exe));
  SourceState before = CaptureSources();

  std::string user = startup_test::UserStartupFolder();
  std::string common = startup_test::CommonStartupFolder();
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(startup::AddStartupEntry(AddSection::StartupFolderCurrentUser, target).status,
              AddStatus::Added);
    EXPECT_EQ(startup::AddStartupEntry(AddSection::StartupFolderAllUsers, bare).status,
              AddStatus::Added);
  }
  SourceState expected = before;
  expected.folders[user].insert("PxSync Tool.lnk");
  expected.folders[common].insert("PxBare.lnk");
  EXPECT_EQ(CaptureSources(), expected);

  ShortcutFields user_link = ReadShortcut(user + "PxSync Tool.lnk");
  EXPECT_EQ(lstrcmpiA(user_link.path.c_str(), target.c_str()), 0) << user_link.path;
  EXPECT_EQ(lstrcmpiA(user_link.workingFolder.c_str(), spaced.c_str()), 0)
      << user_link.workingFolder;
  EXPECT_EQ(user_link.arguments, "");
  ShortcutFields common_link = ReadShortcut(common + "PxBare.lnk");
  EXPECT_EQ(lstrcmpiA(common_link.path.c_str(), bare.c_str()), 0) << common_link.path;
  EXPECT_EQ(lstrcmpiA(common_link.workingFolder.c_str(), spaced.c_str()), 0)
      << common_link.workingFolder;

  // The list shows the shortcut files themselves, ticked.
  std::vector<StartupRow> rows = startup_test::RowsNamed(startup::ReadStartupRows(), "Px");
  EXPECT_EQ(rows, (std::vector<StartupRow>{
                      {"PxSync Tool.lnk", true, user + "PxSync Tool.lnk", user},
                      {"PxBare.lnk", true, common + "PxBare.lnk", common},
                  }));
}

TEST(StartupAdd, AShortcutIntoAFolderThatCannotBeWrittenFails) {
  sys::ComApartment com;
  ASSERT_TRUE(com.ok());
  startup_test::ScopedNoMenuBuilder quick;
  testing_support::TempDir dir;
  // A file stands where the shortcut's folder should be.
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("blocked"), "x"));
  auto outcome = startup::AddStartupShortcut(dir.file("blocked"), dir.file("target.exe"));
  EXPECT_EQ(outcome.status, AddStatus::Failed);
  EXPECT_TRUE(FAILED(outcome.error));
  EXPECT_EQ(startup::AddStartupShortcut("", dir.file("target.exe")).status,
            AddStatus::SourceUnavailable);
}

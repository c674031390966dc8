// The Create Backup command and its progress window, over the prefix's real
// uninstall key and registry editor.
#include "backup/frmProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "backup/BackupTestSupport.h"
#include "settings/Product.h"
#include "settings/Settings.h"
#include "support/MessagePump.h"
#include "support/Sandbox.h"
#include "support/ScriptedMessageBoxes.h"
#include "sys/Files.h"
#include "ui/LanguageTable.h"

namespace {

using backup_testing::TestUninstallEntry;
using testing_support::ScriptedMessageBoxes;

// Settings whose RegBackupDir is a scratch folder (not created yet) for one test.
class BackupFolder {
 public:
  BackupFolder() {
    settings::TPaths paths;
    paths.RegBackupDir = dir_.file("Back up\\reg\\");
    settings_ = settings::TSettings(paths);
  }
  const std::string& path() const { return settings_.paths().RegBackupDir; }
  const settings::TSettings& settings() const { return settings_; }

 private:
  testing_support::TempDir dir_;
  settings::TSettings settings_;
};

// Closes a progress window that is still open after a minute, so that a broken
// run fails the test instead of hanging it.
class Watchdog {
 public:
  Watchdog()
      : thread_([this] {
          for (int i = 0; i < 600 && !stop_; ++i) Sleep(100);
          if (stop_) return;
          fired_ = true;
          if (HWND form = FindWindowA("PrunaxisProgressForm", nullptr))
            PostMessageA(form, WM_CLOSE, 0, 0);
        }) {}
  ~Watchdog() {
    stop_ = true;
    thread_.join();
  }
  bool fired() const { return fired_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> fired_{false};
  std::thread thread_;
};

TEST(ProgressForm, CreateBackupAsksThenSavesEveryEntryAndSaysSo) {
  TestUninstallEntry entry("ProgressOk");
  BackupFolder folder;
  ScriptedMessageBoxes boxes({IDYES, IDOK});
  {
    Watchdog watchdog;
    backup::ExecuteCreateBackup(nullptr, folder.settings());
    EXPECT_FALSE(watchdog.fired());
  }
  ASSERT_EQ(boxes.count(), 2u);
  EXPECT_EQ(boxes.request(0).text, "Back up the registry info of the whole software installed.");
  EXPECT_EQ(boxes.request(0).caption, settings::kAppTitle);
  EXPECT_EQ(boxes.request(0).flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_EQ(boxes.request(1).text, "Backup registry info successfully");
  EXPECT_EQ(boxes.request(1).flags, static_cast<UINT>(MB_OK));
  // The folder was created on the way, and the entry's file holds it.
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(backup::BackupFilePath(folder.path(), entry.name()), bytes));
  EXPECT_TRUE(
      backup::RegFileHoldsKey(bytes, backup::UninstallKeyEditorName() + "\\" + entry.name()));
  EXPECT_EQ(backup_testing::CountFiles(folder.path(), "*.reg"),
            backup::ReadUninstallEntryNames()->size());
}

TEST(ProgressForm, EntriesThatCouldNotBeSavedAreCountedInTheFinalMessage) {
  TestUninstallEntry blocked("ProgressBlocked");
  BackupFolder folder;
  ASSERT_TRUE(sys::ForceDirectories(backup::BackupFilePath(folder.path(), blocked.name())));
  ScriptedMessageBoxes boxes({IDYES, IDOK});
  {
    Watchdog watchdog;
    backup::ExecuteCreateBackup(nullptr, folder.settings());
    EXPECT_FALSE(watchdog.fired());
  }
  ASSERT_EQ(boxes.count(), 2u);
  EXPECT_EQ(boxes.request(1).text, "1 entries could not be saved.");
  EXPECT_EQ(boxes.request(1).caption, settings::kAppTitle);
  EXPECT_EQ(boxes.request(1).flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TEST(ProgressForm, AnsweringNoOpensNoWindowAndWritesNothing) {
  TestUninstallEntry entry("ProgressNo");
  BackupFolder folder;
  ScriptedMessageBoxes boxes({IDNO});
  backup::ExecuteCreateBackup(nullptr, folder.settings());
  EXPECT_EQ(boxes.count(), 1u);
  EXPECT_EQ(FindWindowA("PrunaxisProgressForm", nullptr), nullptr);
  EXPECT_FALSE(sys::DirectoryExists(folder.path()));
}

TEST(ProgressForm, WindowShowsItsTextsAndTheBarFollowsTheExports) {
  TestUninstallEntry a("ProgressBarA");
  TestUninstallEntry b("ProgressBarB");
  BackupFolder folder;
  backup::TProgressForm form(folder.settings());
  ASSERT_TRUE(form.Create(nullptr));
  // Created: the folder exists and the timer runs (driven by hand below).
  form.killTimer(backup::TProgressForm::TimerBackup);
  EXPECT_TRUE(sys::DirectoryExists(folder.path()));
  form.FormShow();
  EXPECT_EQ(form.text(), "Backup Progress");
  EXPECT_EQ(form.lblInfo.text(), "This could take several minutes, please wait...");
  RECT client;
  GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, backup::TProgressForm::kClientWidth);
  EXPECT_EQ(client.bottom, backup::TProgressForm::kClientHeight);
  EXPECT_EQ(form.ProgressBar.position(), 0);

  form.maxRunning = 1;
  ScriptedMessageBoxes boxes({IDOK});
  std::vector<int> positions;
  const DWORD start = GetTickCount();
  while (boxes.count() == 0 && GetTickCount() - start < 60000) {
    form.RunBackup();
    ASSERT_NE(form.run(), nullptr);
    EXPECT_LE(form.run()->running(), 1u);
    EXPECT_EQ(form.ProgressBar.position(), form.run()->position());
    positions.push_back(form.ProgressBar.position());
    testing_support::PumpMessagesFor(20);
  }
  ASSERT_EQ(boxes.count(), 1u);
  EXPECT_EQ(boxes.request(0).text, "Backup registry info successfully");
  // The last tick may have come from the window's own timer while messages were
  // handled; either way the bar ends full.
  EXPECT_EQ(form.ProgressBar.position(), 100);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(positions.front(), 0);
  EXPECT_GE(positions.size(), 2u);
  EXPECT_FALSE(form.visible());
}

}  // namespace

// A copy that the setup program installed (Installed.ini beside the exe) keeps
// Config.ini and its backups in the profile of the user who runs it, since its own
// folder is writable only for administrators; languages, skins and help stay beside
// the exe. A copy without the marker keeps everything beside the exe.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "settings/Settings.h"
#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "toolkit/MessageBox.h"

using testing_support::TempDir;

namespace {

constexpr char kDefaults[] =
    "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
    "HideScreenSaver=1\r\nHideSysPatch=0\r\n";

class InstalledCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    char appData[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    profile = std::string(appData) + "\\Prunaxis\\";
    // The prefix user's own settings folder: used only when there is nothing to lose.
    ASSERT_FALSE(testing_support::PathExists(profile)) << profile;
    previous_ = tk::SetMessageBoxAnswerer([this](const tk::MessageBoxRequest& r) {
      boxes.push_back(r);
      return IDOK;
    });
  }
  void TearDown() override {
    tk::SetMessageBoxAnswerer(std::move(previous_));
    if (!profile.empty()) {
      SetFileAttributesA(profile.substr(0, profile.size() - 1).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(profile.substr(0, profile.size() - 1).c_str());  // a file in the way
      testing_support::RemoveTree(profile);
    }
  }
  void markInstalled() {
    ASSERT_TRUE(sys::WriteFileBytes(dir.file("Installed.ini"), "; installed\r\n"));
  }
  std::string exe() const { return dir.file("Prunaxis.exe"); }
  static std::string text(const std::string& path) {
    std::string bytes;
    sys::ReadFileBytes(path, bytes);
    return bytes;
  }

  TempDir dir;
  std::string profile;
  std::vector<tk::MessageBoxRequest> boxes;
  settings::TSettings config;

 private:
  tk::MessageBoxAnswerer previous_;
};

}  // namespace

TEST_F(InstalledCopy, KeepsConfigAndBackupsInTheProfileAndTheRestBesideTheExe) {
  markInstalled();
  ASSERT_TRUE(config.load(exe()));
  const settings::TPaths& p = config.paths();
  EXPECT_EQ(p.ProgramDir, dir.path());
  EXPECT_EQ(p.ConfigFile, profile + "Config.ini");
  EXPECT_EQ(text(profile + "Config.ini"), kDefaults);
  EXPECT_EQ(p.RegBackupDir, profile + "Back up\\reg\\");
  EXPECT_EQ(p.ScrBackupDir, profile + "Back up\\scr\\");
  EXPECT_EQ(p.LangsDir, dir.file("Langs\\"));
  EXPECT_EQ(p.LanguageFilePath, dir.file("Langs\\English.ini"));
  EXPECT_EQ(p.HelpFile, dir.file("Langs\\Help.Chm"));
  EXPECT_EQ(p.SkinsDir, dir.file("Skins\\"));
  EXPECT_EQ(p.SkinFilePath, dir.file("Skins\\Default.ini"));
  EXPECT_TRUE(boxes.empty());
  // Nothing written beside the exe; the backup folders wait for their first use.
  EXPECT_FALSE(sys::FileExists(dir.file("Config.ini")));
  EXPECT_EQ(testing_support::SnapshotDisk(profile.substr(0, profile.size() - 1)),
            (std::set<std::string>{profile.substr(0, profile.size() - 1), profile + "Config.ini"}));

  // Later starts read that file and write the options back into it.
  ASSERT_TRUE(sys::WriteFileBytes(profile + "Config.ini",
                                  "[config]\r\nLanguageFile=Deutsch.ini\r\nHideSysPatch=1\r\n"));
  ASSERT_TRUE(config.load(exe()));
  EXPECT_EQ(p.LanguageFilePath, dir.file("Langs\\Deutsch.ini"));
  EXPECT_TRUE(config.hideSysPatch());
  ASSERT_TRUE(config.setHideScreenSaver(false));
  EXPECT_EQ(text(profile + "Config.ini"),
            "[config]\r\nLanguageFile=Deutsch.ini\r\nHideSysPatch=1\r\nHideScreenSaver=0\r\n");
  EXPECT_FALSE(sys::FileExists(dir.file("Config.ini")));
}

TEST_F(InstalledCopy, WithoutTheMarkerNothingGoesToTheProfile) {
  ASSERT_TRUE(config.load(exe()));
  EXPECT_EQ(config.paths().ConfigFile, dir.file("Config.ini"));
  EXPECT_EQ(config.paths().RegBackupDir, dir.file("Back up\\reg\\"));
  EXPECT_EQ(text(dir.file("Config.ini")), kDefaults);
  EXPECT_FALSE(testing_support::PathExists(profile));
}

TEST_F(InstalledCopy, AProfileFolderThatCannotBeMadeStopsStartUpNamingTheFile) {
  markInstalled();
  // A file stands where the settings folder should be.
  ASSERT_TRUE(sys::WriteFileBytes(profile.substr(0, profile.size() - 1), "in the way"));
  EXPECT_FALSE(config.load(exe()));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Save file " + profile + "Config.ini failed!");
  EXPECT_FALSE(sys::FileExists(dir.file("Config.ini")));
}

#include <gtest/gtest.h>

#include <vector>

#include "settings/Settings.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "toolkit/MessageBox.h"

using testing_support::TempDir;

namespace {

// Records message boxes and answers OK, for the length of a test.
class RecordedBoxes {
 public:
  RecordedBoxes() {
    previous_ = tk::SetMessageBoxAnswerer([this](const tk::MessageBoxRequest& r) {
      boxes.push_back(r);
      return IDOK;
    });
  }
  ~RecordedBoxes() { tk::SetMessageBoxAnswerer(std::move(previous_)); }
  std::vector<tk::MessageBoxRequest> boxes;

 private:
  tk::MessageBoxAnswerer previous_;
};

class StartupConfig : public ::testing::Test {
 protected:
  std::string exe() const { return dir.file("Prunaxis.exe"); }
  std::string configText() const {
    std::string text;
    sys::ReadFileBytes(dir.file("Config.ini"), text);
    return text;
  }
  TempDir dir;
  RecordedBoxes boxes;
  settings::TSettings config;
};

}  // namespace

TEST_F(StartupConfig, FirstStartWritesDefaultsAndCreatesTheFolders) {
  ASSERT_TRUE(config.load(exe()));
  EXPECT_EQ(configText(),
            "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
            "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Langs")));
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Skins")));
  EXPECT_FALSE(sys::DirectoryExists(dir.file("Back up")));
  EXPECT_TRUE(boxes.boxes.empty());

  const settings::TPaths& p = config.paths();
  EXPECT_EQ(p.ProgramDir, dir.path());
  EXPECT_EQ(p.ConfigFile, dir.file("Config.ini"));
  EXPECT_EQ(p.LangsDir, dir.file("Langs\\"));
  EXPECT_EQ(p.LanguageFilePath, dir.file("Langs\\English.ini"));
  EXPECT_EQ(p.HelpFile, dir.file("Langs\\Help.Chm"));
  EXPECT_EQ(p.SkinsDir, dir.file("Skins\\"));
  EXPECT_EQ(p.SkinFilePath, dir.file("Skins\\Default.ini"));
  EXPECT_EQ(p.RegBackupDir, dir.file("Back up\\reg\\"));
  EXPECT_EQ(p.ScrBackupDir, dir.file("Back up\\scr\\"));
  EXPECT_EQ(p.ScanBackupDir, dir.file("Back up\\scans\\"));
  EXPECT_TRUE(config.hideScreenSaver());
  EXPECT_FALSE(config.hideSysPatch());
}

TEST_F(StartupConfig, ReadsAnExistingFileAsItStandsWithDefaultsForMissingKeys) {
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"),
                                  "[config]\r\nSkinFile=Dark.ini\r\nHideSysPatch=1\r\n"
                                  "HideScreenSaver=0\r\n"));
  ASSERT_TRUE(config.load(exe()));
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file("Langs\\English.ini"));
  EXPECT_EQ(config.paths().SkinFilePath, dir.file("Skins\\Dark.ini"));
  EXPECT_TRUE(config.hideSysPatch());
  EXPECT_FALSE(config.hideScreenSaver());
  // An existing file is never rewritten at start-up.
  EXPECT_EQ(configText(),
            "[config]\r\nSkinFile=Dark.ini\r\nHideSysPatch=1\r\nHideScreenSaver=0\r\n");
}

TEST_F(StartupConfig, ANamedLanguageFileNeedNotExist) {
  ASSERT_TRUE(
      sys::WriteFileBytes(dir.file("Config.ini"), "[config]\r\nLanguageFile=Klingon.ini\r\n"));
  ASSERT_TRUE(config.load(exe()));
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file("Langs\\Klingon.ini"));
  EXPECT_TRUE(config.hideScreenSaver());  // built-in initial values for absent keys
  EXPECT_FALSE(config.hideSysPatch());
}

TEST_F(StartupConfig, AnyNonZeroNumberIsTrueAndJunkReadsAsTheDefault) {
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"),
                                  "[config]\r\nHideSysPatch=7\r\nHideScreenSaver=yes\r\n"));
  ASSERT_TRUE(config.load(exe()));
  EXPECT_TRUE(config.hideSysPatch());
  EXPECT_TRUE(config.hideScreenSaver());
}

TEST_F(StartupConfig, AConfigThatCannotBeWrittenStopsStartUpWithAnEnglishMessage) {
  // A folder where Config.ini should be: the file is missing and cannot be created.
  ASSERT_TRUE(sys::ForceDirectories(dir.file("Config.ini")));
  EXPECT_FALSE(config.load(exe()));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  const tk::MessageBoxRequest& box = boxes.boxes[0];
  EXPECT_EQ(box.text, "Save file " + dir.file("Config.ini") + " failed!");
  EXPECT_EQ(box.caption, "Prunaxis");
  EXPECT_EQ(box.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(box.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
  EXPECT_FALSE(sys::DirectoryExists(dir.file("Langs")));
}

TEST_F(StartupConfig, FoldersThatCannotBeCreatedDoNotStopStartUp) {
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Langs"), "a file in the way"));
  ASSERT_TRUE(config.load(exe()));
  EXPECT_TRUE(sys::FileExists(dir.file("Langs")));
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Skins")));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StartupConfig, OptionWritesReachTheFileAtOnce) {
  ASSERT_TRUE(config.load(exe()));
  ASSERT_TRUE(config.setHideScreenSaver(false));
  ASSERT_TRUE(config.setHideSysPatch(true));
  ASSERT_TRUE(config.useLanguageFile("Deutsch.ini"));
  sys::IniFile ini(dir.file("Config.ini"));
  EXPECT_EQ(ini.readString("config", "HideScreenSaver", "?"), "0");
  EXPECT_EQ(ini.readString("config", "HideSysPatch", "?"), "1");
  EXPECT_EQ(ini.readString("config", "LanguageFile", "?"), "Deutsch.ini");
  ASSERT_TRUE(config.load(exe()));
  EXPECT_FALSE(config.hideScreenSaver());
  EXPECT_TRUE(config.hideSysPatch());
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file("Langs\\Deutsch.ini"));
}

TEST_F(StartupConfig, SwitchesChangeTheirPathAndTheirKeyAndNothingElse) {
  ASSERT_TRUE(config.load(exe()));
  const settings::TPaths before = config.paths();
  ASSERT_TRUE(config.useSkinFile("Dark.ini"));
  ASSERT_TRUE(config.useLanguageFile("Deutsch.ini"));
  EXPECT_EQ(config.paths().SkinFilePath, dir.file("Skins\\Dark.ini"));
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file("Langs\\Deutsch.ini"));
  EXPECT_EQ(config.paths().ConfigFile, before.ConfigFile);
  EXPECT_EQ(config.paths().SkinsDir, before.SkinsDir);
  EXPECT_EQ(config.paths().RegBackupDir, before.RegBackupDir);
  // The keys keep their places in the file.
  EXPECT_EQ(configText(),
            "[config]\r\nSkinFile=Dark.ini\r\nLanguageFile=Deutsch.ini\r\n"
            "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
}

TEST_F(StartupConfig, AChoiceThatCannotBeWrittenStillHoldsForTheRun) {
  settings::TPaths paths;
  paths.ConfigFile = dir.file("Config.ini");
  paths.LangsDir = dir.file("Langs\\");
  paths.SkinsDir = dir.file("Skins\\");
  ASSERT_TRUE(sys::ForceDirectories(paths.ConfigFile));  // a folder where the file should be
  settings::TSettings blocked(paths);
  EXPECT_FALSE(blocked.setHideSysPatch(true));
  EXPECT_FALSE(blocked.setHideScreenSaver(false));
  EXPECT_FALSE(blocked.useSkinFile("Dark.ini"));
  EXPECT_FALSE(blocked.useLanguageFile("Deutsch.ini"));
  EXPECT_TRUE(blocked.hideSysPatch());
  EXPECT_FALSE(blocked.hideScreenSaver());
  EXPECT_EQ(blocked.paths().SkinFilePath, dir.file("Skins\\Dark.ini"));
  EXPECT_EQ(blocked.paths().LanguageFilePath, dir.file("Langs\\Deutsch.ini"));
  EXPECT_TRUE(sys::DirectoryExists(paths.ConfigFile));
  EXPECT_TRUE(boxes.boxes.empty());
}

#include <gtest/gtest.h>

#include <vector>

#include "app/Config.h"
#include "app/globals.h"
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
  void SetUp() override {
    app::HideScreenSaver = app::kDefaultHideScreenSaver;
    app::HideSysPatch = app::kDefaultHideSysPatch;
  }
  std::string exe() const { return dir.file("Prunaxis.exe"); }
  std::string configText() const {
    std::string text;
    sys::ReadFileBytes(dir.file("Config.ini"), text);
    return text;
  }
  TempDir dir;
  RecordedBoxes boxes;
};

}  // namespace

TEST_F(StartupConfig, FirstStartWritesDefaultsAndCreatesTheFolders) {
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  EXPECT_EQ(configText(),
            "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
            "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Langs")));
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Skins")));
  EXPECT_FALSE(sys::DirectoryExists(dir.file("Back up")));
  EXPECT_TRUE(boxes.boxes.empty());

  const app::TAppPaths& p = app::AppPaths;
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
  EXPECT_TRUE(app::HideScreenSaver);
  EXPECT_FALSE(app::HideSysPatch);
}

TEST_F(StartupConfig, ReadsAnExistingFileAsItStandsWithDefaultsForMissingKeys) {
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"),
                                  "[config]\r\nSkinFile=Dark.ini\r\nHideSysPatch=1\r\n"
                                  "HideScreenSaver=0\r\n"));
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  EXPECT_EQ(app::AppPaths.LanguageFilePath, dir.file("Langs\\English.ini"));
  EXPECT_EQ(app::AppPaths.SkinFilePath, dir.file("Skins\\Dark.ini"));
  EXPECT_TRUE(app::HideSysPatch);
  EXPECT_FALSE(app::HideScreenSaver);
  // An existing file is never rewritten at start-up.
  EXPECT_EQ(configText(),
            "[config]\r\nSkinFile=Dark.ini\r\nHideSysPatch=1\r\nHideScreenSaver=0\r\n");
}

TEST_F(StartupConfig, ANamedLanguageFileNeedNotExist) {
  ASSERT_TRUE(
      sys::WriteFileBytes(dir.file("Config.ini"), "[config]\r\nLanguageFile=Klingon.ini\r\n"));
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  EXPECT_EQ(app::AppPaths.LanguageFilePath, dir.file("Langs\\Klingon.ini"));
  EXPECT_TRUE(app::HideScreenSaver);  // built-in initial values for absent keys
  EXPECT_FALSE(app::HideSysPatch);
}

TEST_F(StartupConfig, AnyNonZeroNumberIsTrueAndJunkReadsAsTheDefault) {
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"),
                                  "[config]\r\nHideSysPatch=7\r\nHideScreenSaver=yes\r\n"));
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  EXPECT_TRUE(app::HideSysPatch);
  EXPECT_TRUE(app::HideScreenSaver);
}

TEST_F(StartupConfig, AConfigThatCannotBeWrittenStopsStartUpWithAnEnglishMessage) {
  // A folder where Config.ini should be: the file is missing and cannot be created.
  ASSERT_TRUE(sys::ForceDirectories(dir.file("Config.ini")));
  EXPECT_FALSE(app::LoadStartupConfig(exe()));
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
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  EXPECT_TRUE(sys::FileExists(dir.file("Langs")));
  EXPECT_TRUE(sys::DirectoryExists(dir.file("Skins")));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StartupConfig, OptionWritesReachTheFileAtOnce) {
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  ASSERT_TRUE(app::WriteHideScreenSaver(false));
  ASSERT_TRUE(app::WriteHideSysPatch(true));
  ASSERT_TRUE(app::WriteLanguageFile("Deutsch.ini"));
  sys::IniFile ini(dir.file("Config.ini"));
  EXPECT_EQ(ini.readString("config", "HideScreenSaver", "?"), "0");
  EXPECT_EQ(ini.readString("config", "HideSysPatch", "?"), "1");
  EXPECT_EQ(ini.readString("config", "LanguageFile", "?"), "Deutsch.ini");
  ASSERT_TRUE(app::LoadStartupConfig(exe()));
  EXPECT_FALSE(app::HideScreenSaver);
  EXPECT_TRUE(app::HideSysPatch);
  EXPECT_EQ(app::AppPaths.LanguageFilePath, dir.file("Langs\\Deutsch.ini"));
}

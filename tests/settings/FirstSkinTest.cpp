// The first start's skin follows the Windows app theme (HKCU's Personalize key);
// later starts keep what Config.ini says.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>

#include "settings/Settings.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "sys/Registry.h"

using testing_support::TempDir;

namespace {

constexpr char kPersonalize[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr char kValue[] = "AppsUseLightTheme";

// Sets the app theme for a test and puts the prefix's own setting back after it,
// down to the keys that setting it had to create.
class AppTheme {
 public:
  AppTheme() {
    sys::Registry reg(HKEY_CURRENT_USER, KEY_READ);
    if (reg.openKeyReadOnly(kPersonalize)) saved_ = reg.readDword(kValue);
    // The outermost key of the path that is not there yet.
    std::string path = kPersonalize;
    const sys::Registry root(HKEY_CURRENT_USER, KEY_READ);
    while (!root.keyExists(path)) {
      firstMissing_ = path;
      path = path.substr(0, path.rfind('\\'));
    }
  }
  ~AppTheme() {
    sys::Registry reg(HKEY_CURRENT_USER);
    if (!firstMissing_.empty()) {
      reg.deleteKey(firstMissing_);
    } else if (reg.openKey(kPersonalize, false)) {
      if (saved_)
        reg.writeDword(kValue, *saved_);
      else
        reg.deleteValue(kValue);
    }
  }
  // nullopt: no value at all.
  void set(std::optional<DWORD> lightTheme) {
    sys::Registry reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.openKey(kPersonalize, true));
    if (lightTheme)
      ASSERT_TRUE(reg.writeDword(kValue, *lightTheme));
    else
      reg.deleteValue(kValue);
  }

 private:
  std::string firstMissing_;
  std::optional<DWORD> saved_;
};

class FirstSkin : public ::testing::Test {
 protected:
  // A program folder of its own, with the dark skin unless told otherwise; returns
  // the skin that its first start chose.
  std::string firstStart(bool withDarkSkin = true) {
    TempDir& dir = dirs_.emplace_back();
    EXPECT_TRUE(sys::ForceDirectories(dir.file("Skins")));
    if (withDarkSkin)
      EXPECT_TRUE(sys::WriteFileBytes(dir.file("Skins\\Dark.ini"), "[MainForm]\r\n"));
    EXPECT_TRUE(config.load(dir.file("Prunaxis.exe")));
    const std::string written =
        sys::IniFile(dir.file("Config.ini")).readString("config", "SkinFile", "(none)");
    EXPECT_EQ(config.paths().SkinFilePath, dir.file("Skins\\") + written);
    return written;
  }

  AppTheme theme;
  settings::TSettings config;
  std::deque<TempDir> dirs_;  // stays where it is as it grows
};

}  // namespace

TEST_F(FirstSkin, FollowsTheAppThemeAndLaterStartsKeepTheChoice) {
  theme.set(0);
  EXPECT_EQ(firstStart(), "Dark.ini");
  // Without a dark skin in the folder there is only the built-in one.
  EXPECT_EQ(firstStart(false), "Default.ini");
  theme.set(1);
  EXPECT_EQ(firstStart(), "Default.ini");
  theme.set(std::nullopt);  // no value: light, as Windows before 10 has it
  EXPECT_EQ(firstStart(), "Default.ini");

  // A later start reads what the first one (or the Skins menu) wrote, whatever
  // the theme says now.
  TempDir& dir = dirs_.emplace_back();
  ASSERT_TRUE(sys::ForceDirectories(dir.file("Skins")));
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Skins\\Dark.ini"), "[MainForm]\r\n"));
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"), "[config]\r\nSkinFile=Default.ini\r\n"));
  theme.set(0);
  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  EXPECT_EQ(config.paths().SkinFilePath, dir.file("Skins\\Default.ini"));
  EXPECT_EQ(sys::IniFile(dir.file("Config.ini")).readString("config", "SkinFile", ""),
            "Default.ini");
}

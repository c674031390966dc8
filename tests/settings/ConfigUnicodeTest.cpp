// Config.ini and names outside the ANSI code page: a language file named in
// another script is stored exactly, the file stays ANSI until it must hold one,
// and a program folder with such a name works like any other.
#include <gtest/gtest.h>

#include <string>

#include "settings/Settings.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/IniFile.h"
#include "toolkit/MessageBox.h"

using testing_support::TempDir;

namespace {

// A UTF-8 literal (u8"...") as the program's kind of string.
std::string U8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

class ConfigUnicode : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = tk::SetMessageBoxAnswerer([this](const tk::MessageBoxRequest&) {
      ++boxes;
      return IDOK;
    });
  }
  void TearDown() override { tk::SetMessageBoxAnswerer(std::move(previous_)); }
  std::string configBytes() const {
    std::string text;
    sys::ReadFileBytes(config.paths().ConfigFile, text);
    return text;
  }

  TempDir dir;
  int boxes = 0;
  settings::TSettings config;

 private:
  tk::MessageBoxAnswerer previous_;
};

const std::string kDefaultConfig =
    "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
    "HideScreenSaver=1\r\nHideSysPatch=0\r\n";

}  // namespace

TEST_F(ConfigUnicode, ALanguageFileNamedInAnyScriptRoundTripsExactly) {
  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  const std::string name = U8(u8"Русский Ελληνικά 日本語 😀.ini");
  ASSERT_TRUE(config.useLanguageFile(name));
  EXPECT_TRUE(configBytes().starts_with("\xFF\xFE")) << "now a UTF-16LE file";

  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file("Langs\\") + name);
  EXPECT_EQ(config.paths().SkinFilePath, dir.file("Skins\\Default.ini"));  // the rest kept
  EXPECT_TRUE(config.hideScreenSaver());

  // Later writes keep the file's form and the name.
  ASSERT_TRUE(config.setHideSysPatch(true));
  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file("Langs\\") + name);
  EXPECT_TRUE(config.hideSysPatch());
  EXPECT_EQ(boxes, 0);
}

TEST_F(ConfigUnicode, ANameTheAnsiCodePageHoldsLeavesTheFileAnsi) {
  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  ASSERT_EQ(configBytes(), kDefaultConfig);
  ASSERT_TRUE(config.useLanguageFile("Deutsch.ini"));
  EXPECT_EQ(configBytes(),
            "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=Deutsch.ini\r\n"
            "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
}

TEST_F(ConfigUnicode, AnAnsiFileKeepsItsAccentedTextsWhenItBecomesUtf16) {
  ASSERT_EQ(GetACP(), 1252u) << "the test prefix runs in a Western European code page";
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("Config.ini"),
                                  "[config]\r\nSkinFile=Gr\xFCn.ini\r\nLanguageFile=English.ini\r\n"
                                  "HideScreenSaver=0\r\n"));
  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  EXPECT_EQ(config.paths().SkinFilePath, dir.file(U8(u8"Skins\\Grün.ini")));
  ASSERT_TRUE(config.useLanguageFile(U8(u8"Русский.ini")));

  ASSERT_TRUE(config.load(dir.file("Prunaxis.exe")));
  EXPECT_EQ(config.paths().SkinFilePath, dir.file(U8(u8"Skins\\Grün.ini")));
  EXPECT_EQ(config.paths().LanguageFilePath, dir.file(U8(u8"Langs\\Русский.ini")));
  EXPECT_FALSE(config.hideScreenSaver());
}

TEST_F(ConfigUnicode, AProgramFolderNamedInAnyScriptWorks) {
  const std::string folder = dir.file(U8(u8"Программа 日本 😀\\"));
  ASSERT_TRUE(sys::ForceDirectories(folder));
  ASSERT_TRUE(config.load(folder + "Prunaxis.exe"));
  EXPECT_EQ(config.paths().ConfigFile, folder + "Config.ini");
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(folder + "Config.ini", bytes));
  EXPECT_EQ(bytes, kDefaultConfig);
  EXPECT_TRUE(sys::DirectoryExists(folder + "Langs"));
  ASSERT_TRUE(config.useLanguageFile(U8(u8"Ελληνικά.ini")));
  EXPECT_EQ(sys::IniFile(folder + "Config.ini").readString("config", "LanguageFile", "?"),
            U8(u8"Ελληνικά.ini"));
}

#include <gtest/gtest.h>

#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/IniFile.h"

using sys::IniFile;
using testing_support::TempDir;

TEST(IniFile, WritesKeysInOrderAndReadsThemBack) {
  TempDir dir;
  IniFile ini(dir.file("a.ini"));
  ASSERT_TRUE(ini.writeString("config", "First", "one"));
  ASSERT_TRUE(ini.writeBool("config", "Flag", true));
  ASSERT_TRUE(ini.writeInteger("config", "Count", -7));

  std::string text;
  ASSERT_TRUE(sys::ReadFileBytes(ini.path(), text));
  EXPECT_EQ(text, "[config]\r\nFirst=one\r\nFlag=1\r\nCount=-7\r\n");
  EXPECT_EQ(ini.sectionKeys("config"), (std::vector<std::string>{"First", "Flag", "Count"}));
  EXPECT_TRUE(ini.sectionExists("CONFIG"));
  EXPECT_FALSE(ini.sectionExists("other"));
  EXPECT_EQ(ini.readInteger("config", "Count", 0), -7);
}

TEST(IniFile, MissingOrMalformedKeysReadAsTheirDefaults) {
  TempDir dir;
  ASSERT_TRUE(
      sys::WriteFileBytes(dir.file("b.ini"),
                          "[s]\r\nnum=12abc\r\nflag=5\r\nzero=0\r\nempty=\r\ngarbage line\r\n"
                          "[broken\r\nx=1\r\n"));
  IniFile ini(dir.file("b.ini"));
  EXPECT_EQ(ini.readString("s", "absent", "dflt"), "dflt");
  EXPECT_EQ(ini.readInteger("s", "num", 3), 3);
  EXPECT_TRUE(ini.readBool("s", "flag", false));  // any non-zero integer is true
  EXPECT_FALSE(ini.readBool("s", "zero", true));
  EXPECT_TRUE(ini.readBool("s", "empty", true));
  EXPECT_EQ(ini.readString("nosection", "x", "d"), "d");

  IniFile missing(dir.file("none.ini"));
  EXPECT_EQ(missing.readString("s", "k", "d"), "d");
  EXPECT_FALSE(sys::FileExists(missing.path()));  // reading never creates the file
}

TEST(IniFile, LongValuesAreNotTruncated) {
  TempDir dir;
  IniFile ini(dir.file("c.ini"));
  std::string value(3000, 'v');
  ASSERT_TRUE(ini.writeString("s", "long", value));
  EXPECT_EQ(ini.readString("s", "long", ""), value);
}

TEST(IniFile, AWriteThatCannotReachTheDiskFails) {
  TempDir dir;
  // A folder standing where the file should be: the write cannot create it.
  ASSERT_TRUE(sys::ForceDirectories(dir.file("blocked.ini")));
  IniFile ini(dir.file("blocked.ini"));
  EXPECT_FALSE(ini.writeString("s", "k", "v"));
  IniFile nowhere(dir.file("no\\such\\folder\\x.ini"));
  EXPECT_FALSE(nowhere.writeString("s", "k", "v"));
}

// The in-memory INI reader used for UTF-8 language and skin files: it must answer
// as the system's profile functions answer for the other encodings.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "ui/IniSource.h"
#include "ui/IniText.h"

using ui::IniText;
using ui_test::U8;

TEST(IniText, FindsKeysAsTheProfileFunctionsDo) {
  IniText ini(
      "Orphan=before any section\n"
      "[A]\n"
      "Empty=\n"
      "Equals=a=b=c\n"
      "HalfQuoted=\"open\n"
      "Single='x'\n"
      "no equals sign here\n"
      "[B\n"
      "Key=in b\n");
  EXPECT_FALSE(ini.find("", "Orphan"));
  EXPECT_EQ(ini.find("A", "Empty"), "");  // present and empty, not missing
  EXPECT_EQ(ini.find("A", "Equals"), "a=b=c");
  EXPECT_EQ(ini.find("A", "HalfQuoted"), "\"open");
  EXPECT_EQ(ini.find("a", " single "), "x");
  EXPECT_FALSE(ini.find("A", "no equals sign here"));
  EXPECT_EQ(ini.find("B", "Key"), "in b");  // a header without "]" still opens B
  EXPECT_FALSE(ini.find("A", "Key"));
}

TEST(IniText, KeepsBytesOutsideAsciiAsTheyAre) {
  IniText ini(U8(u8"[Language]\r\nName=Русский 😀\r\n\xFF\xFE=broken\r\n"));
  EXPECT_EQ(ini.find("LANGUAGE", "name"), U8(u8"Русский 😀"));
  EXPECT_EQ(ini.find("Language", "\xFF\xFE"), "broken");
}

TEST(IniSource, ParsesUtf8FilesItselfAndLeavesTheOthersToTheSystem) {
  testing_support::TempDir dir;
  const std::string body = "[Language]\r\nName=x\r\n";
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("utf8.ini"), "\xEF\xBB\xBF" + body));
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("ansi.ini"), body));
  ASSERT_TRUE(
      sys::WriteFileBytes(dir.file("utf16.ini"), std::string("\xFF\xFE[\0L\0]\0\r\0\n\0", 12)));
  ui::IniSource utf8(dir.file("utf8.ini")), ansi(dir.file("ansi.ini")),
      utf16(dir.file("utf16.ini")), missing(dir.file("missing.ini"));
  EXPECT_TRUE(utf8.ok() && utf8.parsedHere());
  EXPECT_TRUE(ansi.ok() && !ansi.parsedHere());
  EXPECT_TRUE(utf16.ok() && !utf16.parsedHere());
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(utf8.readString("language", "NAME", "?"), "x");
  EXPECT_EQ(ansi.readString("language", "NAME", "?"), "x");
  EXPECT_EQ(utf8.readString("language", "Other", "fallback"), "fallback");
}

#include <gtest/gtest.h>

#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/SysError.h"

using testing_support::TempDir;

TEST(Files, ExistenceTellsFilesFromFolders) {
  TempDir dir;
  ASSERT_TRUE(sys::WriteFileBytes(dir.file("f.txt"), "x"));
  EXPECT_TRUE(sys::FileExists(dir.file("f.txt")));
  EXPECT_FALSE(sys::DirectoryExists(dir.file("f.txt")));
  EXPECT_TRUE(sys::DirectoryExists(dir.path()));
  EXPECT_TRUE(sys::DirectoryExists(sys::ExcludeTrailingBackslash(dir.path())));
  EXPECT_FALSE(sys::FileExists(dir.path()));
  EXPECT_FALSE(sys::FileExists(dir.file("missing")));
  EXPECT_TRUE(sys::DirectoryExists("C:\\"));
}

TEST(Files, ForceDirectoriesCreatesEveryMissingParent) {
  TempDir dir;
  std::string deep = dir.file("a\\b\\c\\d\\");
  EXPECT_TRUE(sys::ForceDirectories(deep));
  EXPECT_TRUE(sys::DirectoryExists(deep));
  EXPECT_TRUE(sys::ForceDirectories(deep));  // already there

  ASSERT_TRUE(sys::WriteFileBytes(dir.file("file"), "x"));
  EXPECT_FALSE(sys::ForceDirectories(dir.file("file\\sub")));  // a file is in the way
  EXPECT_TRUE(sys::FileExists(dir.file("file")));
}

TEST(Files, SplitsPaths) {
  EXPECT_EQ(sys::ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(sys::ExtractFilePath("b.txt"), "");
  EXPECT_EQ(sys::ExtractFileName("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(sys::IncludeTrailingBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(sys::IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(sys::ExcludeTrailingBackslash("C:\\a\\\\"), "C:\\a");
}

TEST(Files, ModuleFileNameIsTheRunningProgram) {
  std::string self = sys::ModuleFileName();
  EXPECT_TRUE(sys::FileExists(self)) << self;
  EXPECT_EQ(sys::ExtractFileName(self), "sys_tests.exe");
}

TEST(SysError, GivesTheSystemTextOrAFallback) {
  std::string text = sys::ErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.find("not found"), std::string::npos) << text;
  EXPECT_EQ(sys::ErrorText(0x2BADF00Du), "Error 0x2BADF00D");
}

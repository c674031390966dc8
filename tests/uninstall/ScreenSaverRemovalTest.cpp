// Screen-saver removal over real files: the backup folder, the protected copy in the
// system folder and names already taken in the backup folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/Sandbox.h"
#include "uninstall/ScanTestSupport.h"
#include "uninstall/ScreenSaverRemoval.h"

namespace {

using namespace uninstall;
using uninstall_tests::PathExists;
using uninstall_tests::WriteTextFile;

std::string ReadAll(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  char buffer[256] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

void WriteText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

TEST(ScreenSaverRemoval, MovesTheFileIntoANewBackupFolderAndDropsTheProtectedCopy) {
  testing_support::TempDir temp;
  const std::string name = "PrunaxisRemovalTest.scr";
  WriteText(temp.file(name), "saver");
  const std::string copy = ProtectedScreenSaverCopy(name);
  ASSERT_FALSE(copy.empty());
  CreateDirectoryA(copy.substr(0, copy.rfind('\\')).c_str(), nullptr);
  WriteText(copy, "protected");
  const std::string backupDir = temp.file("Back up\\scr\\");

  ScreenSaverRemoval result = RemoveScreenSaver(temp.path(), name, backupDir);
  EXPECT_TRUE(result.removed);
  EXPECT_EQ(result.backupFile, backupDir + name);
  EXPECT_FALSE(PathExists(temp.file(name)));
  EXPECT_EQ(ReadAll(backupDir + name), "saver");
  EXPECT_FALSE(PathExists(copy));
}

TEST(ScreenSaverRemoval, ATakenBackupNameGetsAFreeOneAndTheOlderBackupStays) {
  testing_support::TempDir temp;
  const std::string name = "Taken.scr";
  const std::string backupDir = temp.file("backup\\");
  CreateDirectoryA(backupDir.c_str(), nullptr);
  WriteText(backupDir + name, "older");
  WriteText(backupDir + "Taken (2).scr", "older 2");
  WriteText(temp.file(name), "newer");

  ScreenSaverRemoval result = RemoveScreenSaver(temp.path(), name, backupDir);
  EXPECT_TRUE(result.removed);
  EXPECT_EQ(result.backupFile, backupDir + "Taken (3).scr");
  EXPECT_EQ(ReadAll(backupDir + name), "older");
  EXPECT_EQ(ReadAll(backupDir + "Taken (2).scr"), "older 2");
  EXPECT_EQ(ReadAll(backupDir + "Taken (3).scr"), "newer");
  EXPECT_EQ(FreeBackupName(backupDir, "NoExtension"), backupDir + "NoExtension");
}

TEST(ScreenSaverRemoval, KeepsTheFileWhenNoBackupCanBeMade) {
  testing_support::TempDir temp;
  const std::string name = "Kept.scr";
  WriteText(temp.file(name), "saver");
  const std::string copy = ProtectedScreenSaverCopy(name);
  CreateDirectoryA(copy.substr(0, copy.rfind('\\')).c_str(), nullptr);
  WriteText(copy, "protected");
  // A file standing where the backup folder should be.
  WriteTextFile(temp.file("blocked"));
  ScreenSaverRemoval result = RemoveScreenSaver(temp.path(), name, temp.file("blocked\\scr\\"));
  EXPECT_FALSE(result.removed);
  EXPECT_TRUE(result.backupFile.empty());
  EXPECT_EQ(ReadAll(temp.file(name)), "saver");
  EXPECT_TRUE(PathExists(copy));
  DeleteFileA(copy.c_str());
}

TEST(ScreenSaverRemoval, RefusesNamesThatAreNotPlainFileNames) {
  testing_support::TempDir temp;
  CreateDirectoryA(temp.file("sub").c_str(), nullptr);
  WriteText(temp.file("outside.scr"), "x");
  for (const char* bad : {"", "..", "..\\outside.scr", "C:\\outside.scr", "a/b.scr"})
    EXPECT_FALSE(RemoveScreenSaver(temp.file("sub"), bad, temp.file("bk\\")).removed) << bad;
  EXPECT_TRUE(PathExists(temp.file("outside.scr")));
  EXPECT_FALSE(RemoveScreenSaver(temp.file("sub"), "missing.scr", temp.file("bk\\")).removed);
}

}  // namespace

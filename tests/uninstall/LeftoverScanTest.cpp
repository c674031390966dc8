// The registry passes and the file pass of the leftover scan, over the real registry
// and disk of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include "fixtures/SampleLayout.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/ProtectedFolders.h"
#include "uninstall/ScanTestSupport.h"

namespace {

using namespace uninstall_tests;
using uninstall::FileEntry;
using uninstall::ScanInstallFolder;
using uninstall::ScanRegistry;

const std::string kEntryValuePrefix = testing_support::ShownKeyText(
    HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");

TEST(LeftoverScan, FindsExactlyTheSamplesKeysAndValuesAfterItsUninstall) {
  testing_support::SampleDesc desc;
  desc.name = "ScanLeftoverSample";
  testing_support::InstalledSample sample(desc);
  const std::string publisher = testing_support::SamplePublisher(desc);
  // Before the uninstall the entry itself is found too, by the fourth pass.
  std::set<std::string> before = Flatten(ScanRegistry(desc.name));
  EXPECT_TRUE(before.count(kEntryValuePrefix + desc.name));
  EXPECT_TRUE(before.count(kEntryValuePrefix + desc.name + "\\UninstallString"));
  EXPECT_TRUE(before.count(testing_support::ShownKeyText(
      HKEY_LOCAL_MACHINE, "SOFTWARE\\" + publisher + "\\" + desc.name)));

  auto run =
      testing_support::RunProcess(sample::UninstallString(sample.dir(), "/S /nohandover"), 60000);
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0u) << run.errors;

  std::set<std::string> expected;
  for (const auto& key : sample::ProgramKeys(desc.name, publisher, false, false)) {
    if (!key.leftover) continue;
    std::string path = key.path;
    path.replace(0, 8, "SOFTWARE");  // the scan spells its start keys in upper case
    std::string text = testing_support::ShownKeyText(sample::RootOf(key.hive), path);
    expected.insert(text);
    for (const char* value : sample::kKeyValueNames) expected.insert(text + "\\" + value);
    if (key.defaultValue) expected.insert(text + "\\");
  }
  EXPECT_EQ(Flatten(ScanRegistry(desc.name)), expected);

  // The file tree: the leftover files and folders, dot-named ones left out, and the
  // uninstaller that could not delete itself without its hand-over copy.
  const std::string d = sample.dir();
  std::set<std::string> files = {d, d + "\\" + sample::kUninstallerExe};
  for (const auto& folder : sample::kProgramFolders)
    if (folder.leftover && folder.path[0] != '.') files.insert(d + "\\" + folder.path);
  for (const auto& file : sample::kProgramFiles)
    if (file.leftover && file.path[0] != '.') files.insert(d + "\\" + file.path);
  EXPECT_EQ(Flatten(ScanInstallFolder(d)), files);
  // Whole-name matching with the same letter case.
  EXPECT_TRUE(ScanRegistry("scanleftoversample").empty());
  EXPECT_TRUE(ScanRegistry("ScanLeftover").empty());
}

TEST(LeftoverScan, SkipsTheExcludedBranchesAndSearchesBelowMatches) {
  const std::string name = "ScanExcludedBranches";
  ScratchKeys keys;
  keys.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\PrunaxisOther",
              "SOFTWARE\\Microsoft\\PrunaxisOther\\" + name, {"A"});
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\Classes\\" + name, "SOFTWARE\\Classes\\" + name);
  keys.Create(HKEY_LOCAL_MACHINE,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide\\" + name,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide\\" + name);
  keys.Create(HKEY_LOCAL_MACHINE,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name, {"", "X"});
  // A match with no values, holding a nested key of the same name.
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PrunaxisScan",
              "SOFTWARE\\PrunaxisScan\\" + name + "\\Inner\\" + name, {"Deep"});
  std::set<std::string> expected = {
      kEntryValuePrefix + name,
      kEntryValuePrefix + name + "\\",
      kEntryValuePrefix + name + "\\X",
      "HKEY_CURRENT_USER\\SOFTWARE\\PrunaxisScan\\" + name,
      "HKEY_CURRENT_USER\\SOFTWARE\\PrunaxisScan\\" + name + "\\Inner\\" + name,
      "HKEY_CURRENT_USER\\SOFTWARE\\PrunaxisScan\\" + name + "\\Inner\\" + name + "\\Deep",
  };
  std::vector<std::string> examined;
  auto found = ScanRegistry(name, [&](const std::string& path) { examined.push_back(path); });
  EXPECT_EQ(Flatten(found), expected);
  ASSERT_EQ(found.size(), 3u);
  for (const auto& key : found) {
    if (key.text == "HKEY_CURRENT_USER\\SOFTWARE\\PrunaxisScan\\" + name) {
      EXPECT_TRUE(key.values.empty());
    }
  }
  // Progress names every examined key and nothing of an excluded branch.
  EXPECT_FALSE(examined.empty());
  for (const std::string& path : examined) {
    EXPECT_EQ(path.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\PrunaxisOther"),
              std::string::npos);
    EXPECT_EQ(path.find("SOFTWARE\\Classes\\"), std::string::npos) << path;
  }
}

TEST(LeftoverScan, ListsHiddenAndSystemFilesAndSkipsDotNames) {
  testing_support::TempDir temp;
  const std::string dir = temp.file("App");
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
  CreateDirectoryA((dir + "\\sub\\deeper").c_str(), nullptr);
  CreateDirectoryA((dir + "\\.hidden").c_str(), nullptr);
  WriteTextFile(dir + "\\plain.txt");
  WriteTextFile(dir + "\\hidden.ini", FILE_ATTRIBUTE_HIDDEN);
  WriteTextFile(dir + "\\system.bin", FILE_ATTRIBUTE_SYSTEM);
  WriteTextFile(dir + "\\readonly.txt", FILE_ATTRIBUTE_READONLY);
  WriteTextFile(dir + "\\.portable");
  WriteTextFile(dir + "\\.hidden\\inside.txt");
  WriteTextFile(dir + "\\sub\\deeper\\leaf.txt");

  // With a final backslash the children still get one separator.
  for (const std::string& given : {dir, dir + "\\"}) {
    auto tree = ScanInstallFolder(given);
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree[0].path, given);
    std::set<std::string> expected = {given,
                                      dir + "\\plain.txt",
                                      dir + "\\hidden.ini",
                                      dir + "\\system.bin",
                                      dir + "\\readonly.txt",
                                      dir + "\\sub",
                                      dir + "\\sub\\deeper",
                                      dir + "\\sub\\deeper\\leaf.txt"};
    EXPECT_EQ(Flatten(tree), expected);
  }
  SetFileAttributesA((dir + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(LeftoverScan, LeavesTheFileTreeEmptyForMissingWindowsAndProtectedFolders) {
  testing_support::TempDir temp;
  EXPECT_TRUE(ScanInstallFolder(temp.file("missing")).empty());
  EXPECT_TRUE(ScanInstallFolder("").empty());
  const std::string marked = temp.file("windows\\Vendor");
  CreateDirectoryA(temp.file("windows").c_str(), nullptr);
  CreateDirectoryA(marked.c_str(), nullptr);
  WriteTextFile(marked + "\\a.txt");
  EXPECT_TRUE(ScanInstallFolder(marked).empty());
  // A file standing where the folder should be.
  WriteTextFile(temp.file("notafolder"));
  EXPECT_TRUE(ScanInstallFolder(temp.file("notafolder")).empty());
  char programFiles[MAX_PATH] = {};
  GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
  EXPECT_TRUE(ScanInstallFolder(programFiles).empty());
  EXPECT_TRUE(ScanInstallFolder("C:\\").empty());
  char profile[MAX_PATH] = {};
  GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
  EXPECT_TRUE(ScanInstallFolder(profile).empty());
}

TEST(LeftoverScan, ListsLinksWithoutEnteringThem) {
  testing_support::TempDir temp;
  const std::string dir = temp.file("Linked");
  const std::string target = temp.file("Target");
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA(target.c_str(), nullptr);
  WriteTextFile(target + "\\precious.txt");
  const std::string link = dir + "\\link";
  const FolderLink made = MakeDirectoryLink(link, target);
  ASSERT_NE(made, FolderLink::None) << "no folder link (error " << GetLastError() << ")";
  auto tree = ScanInstallFolder(dir);
  ASSERT_EQ(tree.size(), 1u);
  ASSERT_EQ(tree[0].children.size(), 1u);
  EXPECT_EQ(tree[0].children[0].path, dir + "\\link");
  EXPECT_TRUE(tree[0].children[0].link);
  EXPECT_TRUE(tree[0].children[0].children.empty());

  // Removing the folder takes the links alone, never what they point at, not even an
  // empty folder. Wine resolves its Unix links even for their removal: there they stay.
  const std::string emptyTarget = temp.file("EmptyTarget");
  CreateDirectoryA(emptyTarget.c_str(), nullptr);
  ASSERT_EQ(MakeDirectoryLink(dir + "\\empty", emptyTarget), made);
  using uninstall::LeftoverKind;
  const auto outcome = uninstall::RemoveLeftovers({{LeftoverKind::Folder, dir, {}, {}},
                                                   {LeftoverKind::Link, link, {}, {}},
                                                   {LeftoverKind::Link, dir + "\\empty", {}, {}}},
                                                  "links", temp.file("reg"));
  EXPECT_TRUE(PathExists(target + "\\precious.txt"));
  EXPECT_TRUE(PathExists(emptyTarget));
  EXPECT_EQ(!PathExists(dir), made == FolderLink::Junction);
  // Under Wine the two links cannot go: they are the failures, and the folder that
  // holds only them is not counted again.
  EXPECT_EQ(outcome.failed(), made == FolderLink::Junction ? 0u : 2u);
  EXPECT_EQ(outcome.keptFolders(), 0u);
  EXPECT_EQ(PathExists(link), made == FolderLink::UnixSymlink);
  RemoveDirectoryLink(link);
  RemoveDirectoryLink(dir + "\\empty");
}

}  // namespace

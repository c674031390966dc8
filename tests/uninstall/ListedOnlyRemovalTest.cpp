// A ticked folder is never removed with what was not shown: entries that were never
// listed (dot-named, or made after the scan) and unticked ones stay with their folder,
// which is reported as kept rather than as a failure.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "support/Sandbox.h"
#include "sys/FileOps.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/ScanTestSupport.h"

namespace {

using namespace uninstall;
using namespace uninstall_tests;

void Collect(const FileEntry& entry, std::vector<LeftoverItem>& items) {
  items.push_back({entry.link     ? LeftoverKind::Link
                   : entry.folder ? LeftoverKind::Folder
                                  : LeftoverKind::File,
                   entry.path,
                   {},
                   {}});
  for (const FileEntry& child : entry.children) Collect(child, items);
}

TEST(ListedOnlyRemoval, WhatWasNeverListedStaysWithItsFolderAndIsReported) {
  testing_support::TempDir temp;
  const std::string d = temp.file("App");
  for (const char* sub : {"", "\\bin", "\\.git", "\\data"}) sys::CreateFolder(d + sub);
  WriteTextFile(d + "\\bin\\app.exe");
  WriteTextFile(d + "\\.git\\config");
  WriteTextFile(d + "\\.env");
  WriteTextFile(d + "\\data\\old.db");
  const std::vector<FileEntry> tree = ScanInstallFolder(d);
  ASSERT_EQ(tree.size(), 1u);
  std::vector<LeftoverItem> items;
  Collect(tree[0], items);  // everything listed, all ticked
  ASSERT_EQ(items.size(), 5u);
  // Written after the scan: the user never saw it.
  WriteTextFile(d + "\\data\\new.db");

  RemovalOutcome outcome = RemoveLeftovers(items, "App", temp.file("reg\\"));
  EXPECT_EQ(SnapshotDisk(d),
            (std::set<std::string>{d, d + "\\.git", d + "\\.git\\config", d + "\\.env",
                                   d + "\\data", d + "\\data\\new.db"}));
  EXPECT_EQ(outcome.failed(), 0u);
  EXPECT_EQ(outcome.keptFolders(), 2u);  // the install folder and data
  for (size_t i = 0; i < items.size(); ++i)
    EXPECT_EQ(outcome.kept[i], items[i].text == d || items[i].text == d + "\\data")
        << items[i].text;
}

TEST(ListedOnlyRemoval, AnItemThatTurnedIntoALinkSinceTheScanIsLeftAlone) {
  testing_support::TempDir temp;
  const std::string d = temp.file("App");
  const std::string sentinel = temp.file("Sentinel");
  sys::CreateFolder(d);
  sys::CreateFolder(sentinel);
  sys::CreateFolder(d + "\\cache");
  WriteTextFile(sentinel + "\\precious.txt");
  const std::vector<FileEntry> tree = ScanInstallFolder(d);
  std::vector<LeftoverItem> items;
  Collect(tree[0], items);
  // Between the scan and Delete the listed folder is swapped for a link.
  ASSERT_TRUE(sys::RemoveFolderExact(d + "\\cache"));
  if (MakeDirectoryLink(d + "\\cache", sentinel) == FolderLink::None)
    GTEST_SKIP() << "no folder link here";
  RemoveLeftovers(items, "App", temp.file("reg\\"));
  EXPECT_TRUE(PathExists(sentinel + "\\precious.txt"));
  EXPECT_TRUE(PathExists(d + "\\cache"));
  RemoveDirectoryLink(d + "\\cache");
}

}  // namespace

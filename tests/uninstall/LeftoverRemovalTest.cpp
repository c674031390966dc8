// Removal of ticked leftovers against the real registry and disk of the test prefix:
// before and after are compared, and exactly what was ticked is gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "fixtures/SampleLayout.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/RegExport.h"
#include "uninstall/ScanTestSupport.h"
#include "uninstall/TickRules.h"

namespace {

using namespace uninstall;
using namespace uninstall_tests;

// The scan's file tree mirrored as tick nodes, as the scan window holds it.
struct FileTicks {
  std::deque<TickNode> nodes;
  std::deque<const FileEntry*> entries;
  TickNode* Add(const FileEntry& entry, TickNode* parent) {
    nodes.emplace_back();
    entries.push_back(&entry);
    TickNode* node = &nodes.back();
    if (parent) AttachTickNode(*parent, *node);
    for (const FileEntry& child : entry.children) Add(child, node);
    return node;
  }
  TickNode* Find(const std::string& path) {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i]->path == path) return &nodes[i];
    return nullptr;
  }
  std::vector<LeftoverItem> Ticked() const {
    std::vector<LeftoverItem> items;
    for (size_t i = 0; i < entries.size(); ++i)
      if (nodes[i].state == kTicked)
        items.push_back({entries[i]->link     ? LeftoverKind::Link
                         : entries[i]->folder ? LeftoverKind::Folder
                                              : LeftoverKind::File,
                         entries[i]->path});
    return items;
  }
};

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override { backupDir_ = temp_.file("Back up\\reg\\"); }
  testing_support::TempDir temp_;
  std::string backupDir_;
};

TEST_F(RemovalTest, RemovesExactlyWhatWasTickedAndTheBackupRestoresTheRegistry) {
  testing_support::SampleDesc desc;
  desc.name = "RemovalSample";
  testing_support::InstalledSample sample(desc);
  auto run =
      testing_support::RunProcess(sample::UninstallString(sample.dir(), "/S /nohandover"), 60000);
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0u) << run.errors;
  const std::string publisher = testing_support::SamplePublisher(desc);
  const std::string hkcuKey = "HKEY_CURRENT_USER\\SOFTWARE\\" + desc.name;
  const std::string hkcuPublisherKey =
      "HKEY_CURRENT_USER\\SOFTWARE\\" + publisher + "\\" + desc.name;
  const std::string hklmKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\" + desc.name;

  // Registry: two keys whole; of the third only two values (its Version stays).
  auto found = ScanRegistry(desc.name);
  ASSERT_EQ(found.size(), 3u);
  std::vector<LeftoverItem> items = {
      {LeftoverKind::RegistryKey, hkcuKey},
      {LeftoverKind::RegistryValue, hkcuPublisherKey + "\\InstallPath"},
      {LeftoverKind::RegistryValue, hkcuPublisherKey + "\\RunCount"},
      {LeftoverKind::RegistryKey, hklmKey},
  };
  // Files: everything listed but one deep file, whose folders become partly ticked.
  auto tree = ScanInstallFolder(sample.dir());
  ASSERT_EQ(tree.size(), 1u);
  FileTicks ticks;
  TickNode* root = ticks.Add(tree[0], nullptr);
  TickNode* kept = ticks.Find(sample.dir() + "\\data\\templates\\letter.tpl");
  ASSERT_NE(kept, nullptr);
  ToggleNodeState(*kept);
  EXPECT_EQ(root->state, kPartlyTicked);
  EXPECT_EQ(ticks.Find(sample.dir() + "\\data")->state, kPartlyTicked);
  EXPECT_EQ(ticks.Find(sample.dir() + "\\data\\templates")->state, kUnticked);
  for (LeftoverItem& item : ticks.Ticked()) items.push_back(item);

  const auto registryBefore = SnapshotRegistry();
  const auto diskBefore = SnapshotDisk(sample.dir());
  RemovalOutcome outcome = RemoveLeftovers(items, desc.name, backupDir_);
  const auto registryAfter = SnapshotRegistry();
  const auto diskAfter = SnapshotDisk(sample.dir());

  EXPECT_EQ(outcome.failed(), 0u);
  for (size_t i = 0; i < items.size(); ++i) EXPECT_TRUE(outcome.gone[i]) << items[i].text;

  // Registry: nothing new, and exactly the two keys (with everything below them) and
  // the two values are gone.
  EXPECT_TRUE(Minus(registryAfter, registryBefore).empty());
  std::set<std::string> expectedGone;
  for (const std::string& line : registryBefore) {
    bool inKey = line.starts_with(hkcuKey + "\\") || line == hkcuKey ||
                 line.starts_with(hklmKey + "\\") || line == hklmKey;
    bool value = line.starts_with(hkcuPublisherKey + "\\InstallPath=") ||
                 line.starts_with(hkcuPublisherKey + "\\RunCount=");
    if (inKey || value) expectedGone.insert(line);
  }
  EXPECT_GT(expectedGone.size(), 10u);
  EXPECT_EQ(Minus(registryBefore, registryAfter), expectedGone);

  // Disk: what stays is the install folder, the kept file with its folders and the
  // dot-named entries that were never listed.
  const std::string d = sample.dir();
  EXPECT_EQ(diskAfter,
            (std::set<std::string>{d, d + "\\.portable", d + "\\.cache", d + "\\.cache\\index.dat",
                                   d + "\\data", d + "\\data\\templates",
                                   d + "\\data\\templates\\letter.tpl"}));
  EXPECT_TRUE(Minus(diskAfter, diskBefore).empty());

  // The backup brings the registry back as it was.
  ASSERT_FALSE(outcome.backupFile.empty());
  EXPECT_EQ(outcome.backupFile.rfind(backupDir_ + desc.name + "_", 0), 0u) << outcome.backupFile;
  auto import = testing_support::RunProcess("regedit /s \"" + outcome.backupFile + "\"", 60000);
  ASSERT_TRUE(import.finished);
  EXPECT_EQ(SnapshotRegistry(), registryBefore);
}

TEST_F(RemovalTest, RemovesTickedFoldersWhoseChildrenWentEarlierAndEmptyOnes) {
  const std::string d = temp_.file("Leftover");
  for (const char* sub : {"", "\\a", "\\a\\b", "\\a\\b\\c", "\\empty"})
    CreateDirectoryA((d + sub).c_str(), nullptr);
  WriteTextFile(d + "\\a\\b\\c\\f.txt", FILE_ATTRIBUTE_READONLY);
  WriteTextFile(d + "\\keep.txt");
  // Listed from the outside in, as the tree gives them; the files first would be the
  // same: each folder is removed as a folder.
  std::vector<LeftoverItem> items = {
      {LeftoverKind::Folder, d + "\\a"},       {LeftoverKind::Folder, d + "\\a\\b"},
      {LeftoverKind::Folder, d + "\\a\\b\\c"}, {LeftoverKind::File, d + "\\a\\b\\c\\f.txt"},
      {LeftoverKind::Folder, d + "\\empty"},
  };
  RemovalOutcome outcome = RemoveLeftovers(items, "Folders", backupDir_);
  EXPECT_EQ(outcome.failed(), 0u);
  EXPECT_TRUE(outcome.backupFile.empty());  // nothing of the registry was ticked
  EXPECT_EQ(SnapshotDisk(d), (std::set<std::string>{d, d + "\\keep.txt"}));
}

TEST_F(RemovalTest, ReportsWhatCouldNotBeRemoved) {
  const std::string d = temp_.file("Stuck");
  CreateDirectoryA(d.c_str(), nullptr);
  WriteTextFile(d + "\\held.txt");
  // A file held open without delete sharing cannot go.
  HANDLE held = CreateFileA((d + "\\held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ScratchKeys keys;
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PrunaxisRemovalStuck", "SOFTWARE\\PrunaxisRemovalStuck",
              {"Real"});
  char programFiles[MAX_PATH] = {};
  GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
  std::vector<LeftoverItem> items = {
      {LeftoverKind::File, d + "\\held.txt"},
      {LeftoverKind::Folder, programFiles},
      {LeftoverKind::RegistryKey, "HKEY_BOGUS\\SOFTWARE\\PrunaxisRemovalStuck"},
      {LeftoverKind::RegistryValue, "HKEY_CURRENT_USER\\SOFTWARE\\PrunaxisRemovalStuck\\Real"},
  };
  RemovalOutcome outcome = RemoveLeftovers(items, "Stuck", backupDir_);
  CloseHandle(held);
  EXPECT_FALSE(outcome.gone[0]);
  EXPECT_TRUE(PathExists(d + "\\held.txt"));
  EXPECT_FALSE(outcome.gone[1]);
  EXPECT_TRUE(PathExists(std::string(programFiles) + "\\Common Files"));
  EXPECT_FALSE(outcome.gone[2]);
  EXPECT_TRUE(outcome.gone[3]);
  EXPECT_EQ(outcome.failed(), 3u);
}

TEST_F(RemovalTest, KeepsTheRegistryWhenTheBackupCannotBeWritten) {
  ScratchKeys keys;
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PrunaxisNoBackup", "SOFTWARE\\PrunaxisNoBackup\\Sub",
              {"V"});
  // A file standing where the backup folder should be.
  const std::string blocked = temp_.file("blocked");
  WriteTextFile(blocked);
  std::vector<LeftoverItem> items = {
      {LeftoverKind::RegistryKey, "HKEY_CURRENT_USER\\SOFTWARE\\PrunaxisNoBackup"}};
  RemovalOutcome outcome = RemoveLeftovers(items, "NoBackup", blocked + "\\reg\\");
  EXPECT_TRUE(outcome.backupFile.empty());
  EXPECT_FALSE(outcome.gone[0]);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\PrunaxisNoBackup\\Sub", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(NodePath, SplitsAtTheFirstAndLastBackslash) {
  NodePath p = SplitNodePath("HKEY_CURRENT_USER\\SOFTWARE\\App\\Path");
  EXPECT_EQ(p.rootName, "HKEY_CURRENT_USER");
  EXPECT_EQ(p.parentPath, "SOFTWARE\\App\\");
  EXPECT_EQ(p.lastName, "Path");
  p = SplitNodePath("HKEY_LOCAL_MACHINE\\SOFTWARE\\App\\");
  EXPECT_EQ(p.parentPath, "SOFTWARE\\App\\");
  EXPECT_EQ(p.lastName, "");
  p = SplitNodePath("HKEY_CLASSES_ROOT\\Top");
  EXPECT_EQ(p.rootName, "HKEY_CLASSES_ROOT");
  EXPECT_EQ(p.parentPath, "");
  EXPECT_EQ(p.lastName, "Top");
  p = SplitNodePath("NoBackslash");
  EXPECT_EQ(p.rootName, "NoBackslash");
  EXPECT_EQ(p.parentPath + p.lastName, "");
}

TEST(NodePath, RootNamesMatchExactly) {
  EXPECT_EQ(RootKeyFromName("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
  EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
  EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
  for (const char* other : {"hkey_current_user", "HKEY_USERS", "HKCU", "", "HKEY_LOCAL_MACHINE "})
    EXPECT_EQ(RootKeyFromName(other), nullptr) << other;
}

TEST(NodePath, RegistryFileValuesAreEscapedAsTheEditorWritesThem) {
  using std::string;
  // String data is stored as UTF-16LE.
  EXPECT_EQ(RegValueData(REG_SZ, sys::RegValue::FromText("", "C:\\a \"b\"").data, 3),
            "\"C:\\\\a \\\"b\\\"\"");
  EXPECT_EQ(RegValueData(REG_DWORD, string("\x2a\0\0\x80", 4), 3), "dword:8000002a");
  EXPECT_EQ(RegValueData(REG_BINARY, string("\x01\xff", 2), 3), "hex:01,ff");
  EXPECT_EQ(RegValueData(REG_EXPAND_SZ, sys::RegValue::FromText("", "%a%").data, 3),
            "hex(2):25,00,61,00,25,00,00,00");
  // A string with a line break cannot be quoted.
  EXPECT_EQ(RegValueData(REG_SZ, sys::RegValue::FromText("", "a\nb").data, 3),
            "hex(1):61,00,0a,00,62,00,00,00");
  EXPECT_EQ(RegValueData(REG_SZ, string("", 0), 3), "hex(1):");
  // Long data wraps with a continuation.
  string wrapped = RegValueData(REG_BINARY, string(64, '\x11'), 3);
  EXPECT_NE(wrapped.find(",\\\r\n  11"), string::npos);
}

}  // namespace

// What belongs to another installed program is found but never offered: keys inside,
// below or named by another program's entry, the other view's twin, and folders that
// another program claims inside the install folder. Checked against the real registry
// and disk of the test prefix, with the other program's entry written for the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "support/Samples.h"
#include "support/Sandbox.h"
#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Process.h"
#include "sys/Files.h"
#include "sys/Registry.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/Ownership.h"
#include "uninstall/RegExport.h"
#include "uninstall/ScanTestSupport.h"
#include "uninstall/ScanTrees.h"

namespace {

using namespace uninstall;
using namespace uninstall_tests;

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// An uninstall entry of another program, removed at the end.
class OtherEntry {
 public:
  OtherEntry(HKEY root, sys::RegView view, const std::string& name,
             const std::map<std::string, std::string>& values)
      : key_(root, kUninstall + name, view) {
    for (const auto& [valueName, text] : values) key_.writeString(valueName, text);
  }
  ~OtherEntry() { key_.deleteTree(); }

 private:
  sys::RegKey key_;
};

// The lines of a registry snapshot that name the test's own keys (the registry editor
// keeps settings of its own elsewhere).
std::set<std::string> Lines(const std::set<std::string>& snapshot, const std::string& part) {
  std::set<std::string> out;
  for (const std::string& line : snapshot)
    if (line.find(part) != std::string::npos) out.insert(line);
  return out;
}

std::map<std::string, std::string> Owners(const std::vector<FoundKey>& found) {
  std::map<std::string, std::string> owners;
  for (const FoundKey& key : found) owners[key.text] = key.owner;
  return owners;
}

TEST(Ownership, KeysInsideBelowOrNamedByAnotherProgramBelongToIt) {
  const std::string name = "PxOwnNotes";
  ScratchKeys keys;
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PxOwnVendor", "SOFTWARE\\PxOwnVendor\\" + name);
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PxOwnVendor",
              "SOFTWARE\\PxOwnVendor\\Px Notes Helper\\Hosts\\" + name, {"host"});
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PxOwnNamed", "SOFTWARE\\PxOwnNamed\\" + name);
  keys.Create(HKEY_CURRENT_USER, "SOFTWARE\\PxOwnHolder",
              "SOFTWARE\\PxOwnHolder\\" + name + "\\Plugins\\PxNotesHelper");
  const std::string hkcu = "HKEY_CURRENT_USER\\SOFTWARE\\";
  UninstallTarget target;
  target.keyName = name;
  target.entryRoot = HKEY_CURRENT_USER;

  std::vector<FoundKey> found = ScanRegistry(name);
  ASSERT_EQ(found.size(), 4u);
  // Without the other program nothing is anyone else's.
  MarkOwnedKeys(found, ReadOtherEntries(target));
  for (const auto& [text, owner] : Owners(found)) EXPECT_EQ(owner, "") << text;

  OtherEntry helper(HKEY_CURRENT_USER, sys::RegView::Default, "PxNotesHelper",
                    {{"DisplayName", "Px Notes Helper"},
                     {"SettingsKey", "HKEY_CURRENT_USER\\Software\\PxOwnNamed\\" + name}});
  MarkOwnedKeys(found, ReadOtherEntries(target));
  EXPECT_EQ(Owners(found),
            (std::map<std::string, std::string>{
                {hkcu + "PxOwnVendor\\" + name, ""},
                {hkcu + "PxOwnVendor\\Px Notes Helper\\Hosts\\" + name, "Px Notes Helper"},
                {hkcu + "PxOwnNamed\\" + name, "Px Notes Helper"},
                {hkcu + "PxOwnHolder\\" + name, "Px Notes Helper"},
            }));
}

TEST(Ownership, BothViewsAreSearchedAndTheTwinsEntryIsNeverTheTargets) {
  if (!sys::RunningUnderWow64()) GTEST_SKIP() << "one registry view on 32-bit Windows";
  const std::string name = "PxOwnTwin";
  const sys::RegKey vendor64(HKEY_LOCAL_MACHINE, "SOFTWARE\\PxOwnTwinCo", sys::RegView::Wow64);
  const sys::RegKey vendor32(HKEY_LOCAL_MACHINE, "SOFTWARE\\PxOwnTwinCo", sys::RegView::Wow32);
  ASSERT_EQ(vendor64.child(name).writeString("Edition", "64-bit"), ERROR_SUCCESS);
  ASSERT_EQ(vendor64.child(name).child("Cache").writeString("Size", "1"), ERROR_SUCCESS);
  ASSERT_EQ(vendor32.child(name).writeString("Edition", "32-bit"), ERROR_SUCCESS);
  struct Cleanup {
    const sys::RegKey &a, &b;
    ~Cleanup() { a.deleteTree(), b.deleteTree(); }
  } cleanup{vendor64, vendor32};
  // The 64-bit program was uninstalled; its 32-bit twin stays installed.
  OtherEntry twin(HKEY_LOCAL_MACHINE, sys::RegView::Wow32, name, {{"DisplayName", "Px Twin x86"}});
  UninstallTarget target;
  target.keyName = name;
  target.entryView = sys::RegView::Wow64;

  std::vector<FoundKey> found = ScanRegistry(name);
  MarkOwnedKeys(found, ReadOtherEntries(target));
  const std::string hklm = "HKEY_LOCAL_MACHINE\\SOFTWARE\\";
  EXPECT_EQ(Owners(found), (std::map<std::string, std::string>{
                               {hklm + "PxOwnTwinCo\\" + name, ""},
                               {hklm + "WOW6432Node\\PxOwnTwinCo\\" + name, "Px Twin x86"},
                               {hklm +
                                    "WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\"
                                    "Uninstall\\" +
                                    name,
                                "Px Twin x86"},
                           }));

  // Removing the 64-bit key acts in its own view: the 32-bit twin's key stays whole.
  std::vector<LeftoverItem> items;
  for (const FoundKey& key : found)
    if (key.owner.empty()) items.push_back(FoundKeyItem(key));
  ASSERT_EQ(items.size(), 1u);
  testing_support::TempDir temp;
  const auto before = testing_support::SnapshotEveryView();
  RemovalOutcome outcome = RemoveLeftovers(items, name, temp.file("reg\\"));
  const auto after = testing_support::SnapshotEveryView();
  EXPECT_EQ(outcome.failed(), 0u);
  std::set<std::string> expectedGone;
  for (const std::string& line : before)
    if (line.starts_with("HKLM64\\SOFTWARE\\PxOwnTwinCo\\" + name)) expectedGone.insert(line);
  EXPECT_EQ(expectedGone.size(), 4u);  // the key, its value, the Cache key and its value
  EXPECT_EQ(Minus(before, after), expectedGone);
  EXPECT_TRUE(Minus(after, before).empty());

  // The backup names each key where a 64-bit registry editor puts it back; the 32-bit
  // view's under WOW6432Node, which the 32-bit editor reaches too.
  ASSERT_FALSE(outcome.backupFile.empty());
  std::string bytes;
  ASSERT_TRUE(sys::ReadFileBytes(outcome.backupFile, bytes));
  EXPECT_NE(
      sys::TextOfRegFile(bytes).find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\PxOwnTwinCo\\" + name + "]"),
      std::string::npos);
  // A registry file opened on 64-bit Windows is imported in the native view: here
  // "reg import /reg:64" does what the 64-bit editor does there.
  auto import = [](bool native, const std::string& file) {
    const std::string command =
        native ? "reg import \"" + file + "\" /reg:64" : "regedit /s \"" + file + "\"";
    auto run = testing_support::RunProcess(command, 60000);
    EXPECT_TRUE(run.finished) << command;
  };
  import(true, outcome.backupFile);
  EXPECT_EQ(Lines(testing_support::SnapshotEveryView(), name), Lines(before, name));

  const FoundKey* twinKey = nullptr;
  for (const FoundKey& key : found)
    if (key.text == hklm + "WOW6432Node\\PxOwnTwinCo\\" + name) twinKey = &key;
  ASSERT_NE(twinKey, nullptr);
  const std::string twinBackup =
      WriteRegBackup(temp.file("reg32\\"), name, {*ExportItemOf(FoundKeyItem(*twinKey))});
  ASSERT_FALSE(twinBackup.empty());
  for (bool native : {true, false}) {
    vendor32.child(name).deleteTree();
    import(native, twinBackup);
    EXPECT_EQ(Lines(testing_support::SnapshotEveryView(), name), Lines(before, name)) << native;
  }
}

TEST(Ownership, FoldersAnotherProgramClaimsInsideTheInstallFolderAreItsOwn) {
  testing_support::TempDir temp;
  const std::string d = temp.file("PxSuite");
  for (const char* sub : {"", "\\Own", "\\Reader", "\\Reader\\bin", "\\Shared", "\\Tools"})
    sys::CreateFolder(d + sub);
  WriteTextFile(d + "\\Reader\\bin\\reader.exe");
  WriteTextFile(d + "\\Shared\\icons.exe");
  WriteTextFile(d + "\\Own\\suite.exe");
  UninstallTarget target;
  target.keyName = "PxOwnSuite";
  target.installDir = d;
  OtherEntry reader(
      HKEY_CURRENT_USER, sys::RegView::Default, "PxOwnReader",
      {{"DisplayName", "Px Reader"}, {"InstallLocation", "\"" + d + "\\Reader\\ \""}});
  OtherEntry icons(HKEY_CURRENT_USER, sys::RegView::Default, "PxOwnIcons",
                   {{"DisplayName", "Px Icons"}, {"DisplayIcon", d + "\\Shared\\icons.exe,0"}});
  OtherEntry tools(HKEY_CURRENT_USER, sys::RegView::Default, "PxOwnTools",
                   {{"DisplayName", "Px Tools"},
                    {"UninstallString", "\"" + d + "\\Tools\\unins.exe\" /silent"}});

  std::vector<FileEntry> tree = ScanInstallFolder(d);
  MarkOwnedFolders(tree, ReadOtherEntries(target));
  ASSERT_EQ(tree.size(), 1u);
  std::map<std::string, std::string> owners;
  for (const FileEntry& child : tree[0].children) owners[child.path] = child.owner;
  EXPECT_EQ(tree[0].owner, "");
  EXPECT_EQ(owners, (std::map<std::string, std::string>{{d + "\\Own", ""},
                                                        {d + "\\Reader", "Px Reader"},
                                                        {d + "\\Shared", "Px Icons"},
                                                        {d + "\\Tools", "Px Tools"}}));

  // A program whose icon lies in the install folder itself shares all of it.
  OtherEntry whole(HKEY_CURRENT_USER, sys::RegView::Default, "PxOwnWhole",
                   {{"DisplayName", "Px Whole"}, {"DisplayIcon", d + "\\suite.ico"}});
  tree = ScanInstallFolder(d);
  MarkOwnedFolders(tree, ReadOtherEntries(target));
  EXPECT_EQ(tree[0].owner, "Px Whole");
}

TEST(Ownership, CommandFolderNamesTheProgramFilesFolder) {
  EXPECT_EQ(CommandFolder("\"C:\\Program Files\\A B\\unins000.exe\" /SILENT"),
            "C:\\Program Files\\A B");
  EXPECT_EQ(CommandFolder("C:\\Program Files\\A B\\uninst.exe /S"), "C:\\Program Files\\A B");
  EXPECT_EQ(CommandFolder("C:\\Apps\\Tool\\tool.exe,-101"), "C:\\Apps\\Tool");
  EXPECT_EQ(CommandFolder("C:\\Apps\\Tool\\tool.ico"), "C:\\Apps\\Tool");
  EXPECT_EQ(CommandFolder("C:\\setup.exe"), "C:\\");
  EXPECT_EQ(CommandFolder("MsiExec.exe /X{12345678-1234-1234-1234-123456789012}"), "");
  EXPECT_EQ(CommandFolder(""), "");
}

}  // namespace

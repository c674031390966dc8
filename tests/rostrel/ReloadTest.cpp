// What a new LoadPrograms takes over from the loading before it: the icons, folder
// sizes and usage of entries that did not change, while changed entries (and
// whatever changed on disk or in the shell's records) are worked out again.
#include <gtest/gtest.h>

#include <cstring>

#include "ComponentSupport.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Registry.h"

using namespace rostrel_test;
using testing_support::TempDir;

namespace {

class ReloadTest : public ::testing::Test {
 protected:
  sys::ComApartment apartment;
  UninstallEntries entries;
  sys::ComPtr<IProgramList> list = NewProgramList();

  // Loads and returns the item for our entry `key`.
  sys::ComPtr<IProgramItem> loaded(const std::string& key) {
    EXPECT_EQ(list->LoadPrograms(), S_OK);
    ULONG index = 0;
    EXPECT_EQ(list->FindProgram(InText(key), &index), S_OK) << key;
    return Program(list.get(), index);
  }
  float size(const std::string& key) {
    FLOAT bytes = -1;
    EXPECT_EQ(loaded(key)->GetSize(&bytes), S_OK);
    return bytes;
  }
  // The colour of the icon of our entry `key`, after a fresh load.
  COLORREF iconColour(const std::string& key) {
    LONG icon = -1;
    EXPECT_EQ(loaded(key)->GetIconIndex(&icon), S_OK);
    return IconColor(icon);
  }
  ULONG runs(const std::string& key) {
    ULONG count = 0;
    EXPECT_EQ(loaded(key)->GetUsedFrequency(&count), S_OK);
    return count;
  }
};

}  // namespace

TEST_F(ReloadTest, FolderSizesOfUnchangedEntriesAreKeptUntilTheirFolderChanges) {
  TempDir kept, updated;
  for (const TempDir* folder : {&kept, &updated}) {
    ASSERT_TRUE(sys::ForceDirectories(folder->file("sub")));
    ASSERT_TRUE(sys::WriteFileBytes(folder->file("sub\\a.bin"), std::string(1000, 'a')));
  }
  const std::string keptKey = entries.name("kept");
  const std::string updatedKey = entries.name("updated");
  entries.addProgram(Where::Machine, keptKey, "Kept");
  entries.setString(Where::Machine, keptKey, "InstallLocation", kept.path());
  entries.addProgram(Where::Machine32, updatedKey, "Updated");
  entries.setString(Where::Machine32, updatedKey, "InstallLocation", updated.path());
  EXPECT_EQ(size(keptKey), 1000.0f);
  EXPECT_EQ(size(updatedKey), 1000.0f);

  // Deep inside both folders a file grows; only the updated entry says so.
  ASSERT_TRUE(sys::WriteFileBytes(kept.file("sub\\a.bin"), std::string(3000, 'a')));
  ASSERT_TRUE(sys::WriteFileBytes(updated.file("sub\\a.bin"), std::string(3000, 'a')));
  entries.setString(Where::Machine32, updatedKey, "DisplayVersion", "2.0");
  EXPECT_EQ(size(keptKey), 1000.0f) << "an unchanged entry keeps the size measured before";
  EXPECT_EQ(size(updatedKey), 3000.0f) << "a changed entry is measured again";

  // A file added at the top of the unchanged entry's folder: measured again.
  ASSERT_TRUE(sys::WriteFileBytes(kept.file("new.bin"), std::string(500, 'n')));
  EXPECT_EQ(size(keptKey), 3500.0f);
}

TEST_F(ReloadTest, IconsOfChangedEntriesAndOfFilesThatWereMissingAreLookedUpAgain) {
  TempDir dir;
  const std::string app = dir.file("Colours.exe");
  ASSERT_TRUE(CopyFileA((TestBinDir() + "RostrelTestSaverA.scr").c_str(), app.c_str(), FALSE));
  const std::string late = dir.file("Late.exe");
  const std::string keptKey = entries.name("kept");
  const std::string changedKey = entries.name("changed");
  const std::string lateKey = entries.name("late");
  entries.addProgram(Where::Machine, keptKey, "Kept icon");
  entries.setString(Where::Machine, keptKey, "DisplayIcon", app + ",0");
  entries.addProgram(Where::Machine, changedKey, "Changed icon");
  entries.setString(Where::Machine, changedKey, "DisplayIcon", app + ",0");
  entries.addProgram(Where::User, lateKey, "Late icon");
  entries.setString(Where::User, lateKey, "DisplayIcon", late + ",1");
  EXPECT_TRUE(IsRed(iconColour(keptKey)));
  EXPECT_TRUE(IsRed(iconColour(changedKey)));
  const LONG generic = GenericIconIndex();
  LONG icon = -1;
  ASSERT_EQ(loaded(lateKey)->GetIconIndex(&icon), S_OK);
  EXPECT_EQ(icon, generic) << "no file yet";

  entries.setString(Where::Machine, changedKey, "DisplayIcon", app + ",1");
  ASSERT_TRUE(CopyFileA(app.c_str(), late.c_str(), FALSE));
  const COLORREF kept = iconColour(keptKey);
  EXPECT_TRUE(IsRed(kept)) << std::hex << kept;
  const COLORREF changed = iconColour(changedKey);
  EXPECT_TRUE(IsBlue(changed)) << std::hex << changed;
  const COLORREF arrived = iconColour(lateKey);
  EXPECT_TRUE(IsBlue(arrived)) << std::hex << arrived;
}

TEST_F(ReloadTest, UsageFollowsTheShellsRecordsAcrossLoadings) {
  TempDir folder;
  const std::string key = entries.name("used");
  entries.addProgram(Where::Machine, key, "Used");
  entries.setString(Where::Machine, key, "InstallLocation", folder.path());
  const std::string assistKey =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{" + entries.tag() + "}";
  struct Cleanup {
    std::string key;
    ~Cleanup() { sys::DeleteKeyTree(HKEY_CURRENT_USER, key, 0); }
  } cleanup{assistKey};
  sys::Registry reg(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.openKey("\\" + assistKey + "\\Count", true));
  // The record of the program's file as the shell writes it: a ROT13 name and 72
  // bytes with the run count at offset 4.
  std::string name = folder.file("app.exe");
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>('a' + (c - 'a' + 13) % 26);
    if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + 13) % 26);
  }
  auto record = [&](ULONG count) {
    std::string data(72, '\0');
    std::memcpy(&data[4], &count, 4);
    RegSetValueExA(reg.currentKey(), name.c_str(), 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  };
  record(4);
  EXPECT_EQ(runs(key), 4u);
  EXPECT_EQ(runs(key), 4u);
  record(12);
  EXPECT_EQ(runs(key), 12u) << "the program ran since the last loading";
}

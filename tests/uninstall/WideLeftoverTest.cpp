// Leftovers with names outside any one code page: the scan lists them exactly, the
// removal deletes exactly what was ticked (no name becomes a pattern), and what could
// not be removed is reported.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "support/Sandbox.h"
#include "sys/Text.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/ScanTestSupport.h"
#include "uninstall/WideTestSupport.h"

namespace {

using namespace uninstall;
using namespace wide_tests;

const std::string kJapanese = U8(u8"日本");  // two characters, like its look-alike "de"
const std::string kGreek = sys::Narrow(L"Ελληνικά\U0001F600.txt");
const std::string kRussian = U8(u8"Русский.dat");

class WideLeftovers : public ::testing::Test {
 protected:
  void SetUp() override {
    app = temp.file("App");
    ASSERT_TRUE(MakeFolder(app));
    ASSERT_TRUE(MakeFolder(app + "\\" + kJapanese));
    ASSERT_TRUE(MakeFile(app + "\\" + kJapanese + "\\" + kRussian));
    ASSERT_TRUE(MakeFolder(app + "\\de"));
    ASSERT_TRUE(MakeFile(app + "\\de\\keep.txt"));
    ASSERT_TRUE(MakeFile(app + "\\" + kGreek));
    ASSERT_TRUE(MakeFile(app + "\\" + kRussian));
    ASSERT_TRUE(MakeFile(app + "\\kept.txt"));
  }
  testing_support::TempDir temp;
  std::string app;
};

TEST_F(WideLeftovers, TheScanListsEveryNameExactly) {
  auto tree = ScanInstallFolder(app);
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(
      uninstall_tests::Flatten(tree),
      (std::set<std::string>{app, app + "\\" + kJapanese, app + "\\" + kJapanese + "\\" + kRussian,
                             app + "\\de", app + "\\de\\keep.txt", app + "\\" + kGreek,
                             app + "\\" + kRussian, app + "\\kept.txt"}));
}

TEST_F(WideLeftovers, DeleteRemovesExactlyTheTickedNamesAndNoLookAlike) {
  const std::set<std::string> before = SnapshotFolder(app);
  ASSERT_EQ(before.size(), 8u);
  // "日本" ticked with what it holds, its two-letter sibling "de" not; two files ticked.
  const std::vector<LeftoverItem> items = {
      {LeftoverKind::Folder, app + "\\" + kJapanese, {}},
      {LeftoverKind::File, app + "\\" + kJapanese + "\\" + kRussian, {}},
      {LeftoverKind::File, app + "\\" + kGreek, {}},
      {LeftoverKind::File, app + "\\" + kRussian, {}},
  };
  RemovalOutcome outcome = RemoveLeftovers(items, "Wide", temp.file("Back up\\reg\\"));
  EXPECT_EQ(outcome.failed(), 0u);
  EXPECT_EQ(outcome.gone, (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(SnapshotFolder(app),
            (std::set<std::string>{app, app + "\\de", app + "\\de\\keep.txt", app + "\\kept.txt"}));
}

TEST_F(WideLeftovers, AFileThatCannotGoIsNotCountedAsGone) {
  const std::string held = app + "\\" + kGreek;
  HANDLE file = CreateFileW(sys::Widen(held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  RemovalOutcome outcome = RemoveLeftovers(
      {{LeftoverKind::File, held, {}}, {LeftoverKind::File, app + "\\" + kRussian, {}}}, "Held",
      temp.file("reg\\"));
  CloseHandle(file);
  EXPECT_EQ(outcome.gone, (std::vector<bool>{false, true}));
  EXPECT_EQ(outcome.failed(), 1u);
  EXPECT_TRUE(Exists(held));
}

TEST(WideLeftoverKeys, TheScanAndTheRemovalKeepValueNamesWhole) {
  const std::string name = testing_support::UniqueName("PxWide") + U8(u8"日本");
  KeyGuard guard("Software\\PrunaxisWideScan_" + testing_support::UniqueName("k"));
  const std::string keyPath = guard.path() + "\\" + name;
  // A value name holding "\" cannot be told from a key path by the text alone.
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, keyPath, U8(u8"a\\Ελληνικά"), REG_SZ, Utf16("1")));
  ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, keyPath, "a", REG_SZ, Utf16("2")));
  std::vector<FoundKey> found;
  ScanRegistryKey(HKEY_CURRENT_USER, guard.path(), name, found);
  ASSERT_EQ(found.size(), 1u);
  ASSERT_EQ(found[0].valueNames.size(), 2u);
  EXPECT_EQ(std::set<std::string>(found[0].valueNames.begin(), found[0].valueNames.end()),
            (std::set<std::string>{U8(u8"a\\Ελληνικά"), "a"}));
  const size_t slashed = found[0].valueNames[0] == "a" ? 1 : 0;
  RemovalOutcome outcome = RemoveLeftovers(
      {{LeftoverKind::RegistryValue, found[0].values[slashed], found[0].valueNames[slashed]}},
      "Keys", testing_support::TempDir().path());
  EXPECT_EQ(outcome.gone, (std::vector<bool>{true}));
  const KeyTree after = ReadTree(HKEY_CURRENT_USER, keyPath);
  ASSERT_EQ(after.count(""), 1u);
  EXPECT_EQ(after.at("").size(), 1u);
  EXPECT_EQ(after.at("").count("a"), 1u);
}

}  // namespace

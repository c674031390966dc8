// Start-up entries whose names and commands hold text in several scripts and
// characters beyond the Basic Multilingual Plane: read, applied, deleted and added
// exactly, never through a code page.
#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/StartupAdd.h"
#include "startup/StartupChanges.h"
#include "startup/StartupSources.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/Files.h"

using startup::StartupRow;
using startup_test::CaptureSources;
using startup_test::Location;
using startup_test::ParkingStateKey;
using startup_test::RawValue;
using startup_test::RowOf;
using startup_test::SetWideRaw;
using startup_test::SourcesGuard;
using startup_test::SourceState;
using startup_test::StateKey;
using startup_test::Values;
using startup_test::WideBytes;

namespace {

std::string U8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

const std::string kRun = startup::kRunKeyPaths[0];
const std::string kRunOnce = startup::kRunKeyPaths[3];

// One value as the test writes it and as the list must show it.
struct Sample {
  HKEY root;
  std::string path;  // Run key, or its parking key
  std::string name;
  DWORD type;
  std::string bytes;
  std::string command;  // the text the row shows
  bool parked;
};

std::vector<Sample> Samples() {
  const std::string sz = U8(u8"C:\\Apps\\日本語\\tool.exe /x");
  const std::string expand = U8(u8"%ProgramFiles%\\Русский\\😀 Ελληνικά.exe");
  const std::string bare = U8(u8"C:\\Ελληνικά\\no-nul.exe");
  const std::string odd = U8(u8"C:\\Русский\\odd.exe");
  std::string noNul = WideBytes(bare);
  noNul.resize(noNul.size() - 2);  // stored without its terminator
  std::string oddBytes = WideBytes(odd);
  oddBytes.resize(oddBytes.size() - 2);
  oddBytes += 'x';  // an odd byte count: half a character at the end
  const std::string parking = kRun + "\\" + startup::kParkingKeyName;
  return {
      {HKEY_CURRENT_USER, kRun, U8(u8"PxExact-日本語"), REG_SZ, WideBytes(sz), sz, false},
      {HKEY_CURRENT_USER, kRun, U8(u8"PxExact-Ελληνικά😀"), REG_EXPAND_SZ, WideBytes(expand), expand,
       false},
      {HKEY_CURRENT_USER, kRun, U8(u8"PxExact-Русский"), REG_SZ, noNul, bare, false},
      {HKEY_LOCAL_MACHINE, kRunOnce, U8(u8"PxExact-odd-日本語"), REG_SZ, oddBytes, odd, false},
      {HKEY_CURRENT_USER, parking, U8(u8"PxExact-parked-😀"), REG_EXPAND_SZ, WideBytes(expand),
       expand, true},
  };
}

std::string RunKeyOf(const Sample& sample) {
  return sample.parked ? sample.path.substr(0, sample.path.size() - 12) : sample.path;
}

void WriteSamples() {
  for (const Sample& s : Samples()) SetWideRaw(s.root, s.path, s.name, s.type, s.bytes);
}

}  // namespace

TEST(StartupExact, NamesAndCommandsInAnyScriptAreListedExactly) {
  SourcesGuard guard;
  WriteSamples();
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  for (const Sample& s : Samples()) {
    SCOPED_TRACE(s.name);
    StartupRow& row = RowOf(rows, s.name, Location(s.root, RunKeyOf(s)));
    EXPECT_EQ(row.command, s.command);
    EXPECT_EQ(row.enabled, !s.parked);
  }
  // Nothing else of ours: no second, mangled name beside the real one.
  EXPECT_EQ(startup_test::RowsNamed(rows, "PxExact-").size(), Samples().size());
}

TEST(StartupExact, ApplyWithoutChangesLeavesEveryByteAsItWas) {
  SourcesGuard guard;
  WriteSamples();
  const SourceState before = CaptureSources();
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  EXPECT_EQ(CaptureSources(), before);
  // A second run over the same rows is just as silent.
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  EXPECT_EQ(CaptureSources(), before);
}

TEST(StartupExact, UntickAndTickMoveTheValuesByteForByte) {
  SourcesGuard guard;
  WriteSamples();
  const SourceState before = CaptureSources();
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  SourceState parked = before;
  for (const Sample& s : Samples()) {
    if (s.parked) continue;
    RowOf(rows, s.name, Location(s.root, s.path)).enabled = false;
    Values(parked, StateKey(s.root, s.path)).erase(s.name);
    Values(parked, ParkingStateKey(s.root, s.path))[s.name] = RawValue{s.type, s.bytes};
  }
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  EXPECT_EQ(CaptureSources(), parked);

  // Ticked again on the same rows, without reading the list anew: they come back as
  // they were; the parking keys stay.
  for (const Sample& s : Samples()) {
    if (!s.parked) RowOf(rows, s.name, Location(s.root, s.path)).enabled = true;
  }
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  SourceState restored = before;
  for (const Sample& s : Samples()) Values(restored, ParkingStateKey(s.root, RunKeyOf(s)));
  EXPECT_EQ(CaptureSources(), restored);
}

TEST(StartupExact, ARowReadAnewAfterParkingComesBackExactly) {
  SourcesGuard guard;
  WriteSamples();
  const SourceState before = CaptureSources();
  const Sample sample = Samples()[1];  // REG_EXPAND_SZ with a character beyond the BMP
  const std::string location = Location(sample.root, sample.path);
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  RowOf(rows, sample.name, location).enabled = false;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));

  rows = startup::ReadStartupRows();
  StartupRow& row = RowOf(rows, sample.name, location);
  EXPECT_FALSE(row.enabled);
  row.enabled = true;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  SourceState restored = before;
  Values(restored, ParkingStateKey(sample.root, sample.path));
  EXPECT_EQ(CaptureSources(), restored);
  EXPECT_EQ(Values(restored, StateKey(sample.root, sample.path))[sample.name].type,
            static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST(StartupExact, DeleteEntryRemovesExactlyThatValue) {
  SourcesGuard guard;
  WriteSamples();
  const SourceState before = CaptureSources();
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  const Sample gone = Samples()[0];
  const Sample parkedGone = Samples()[4];
  EXPECT_TRUE(startup::DeleteStartupEntry(RowOf(rows, gone.name, Location(gone.root, gone.path))));
  EXPECT_TRUE(startup::DeleteStartupEntry(
      RowOf(rows, parkedGone.name, Location(parkedGone.root, RunKeyOf(parkedGone)))));
  SourceState expected = before;
  Values(expected, StateKey(gone.root, gone.path)).erase(gone.name);
  Values(expected, StateKey(parkedGone.root, parkedGone.path)).erase(parkedGone.name);
  EXPECT_EQ(CaptureSources(), expected);
}

TEST(StartupExact, AddEntryNamesTheValueAfterTheTargetExactly) {
  SourcesGuard guard;
  const SourceState before = CaptureSources();
  const std::string target = U8(u8"C:\\Русский\\日本語\\PxExact Ελληνικά 😀.exe");
  ASSERT_EQ(startup::AddRunValue(HKEY_CURRENT_USER, target).status, startup::AddStatus::Added);
  SourceState expected = before;
  Values(expected, StateKey(HKEY_CURRENT_USER, kRun))[U8(u8"PxExact Ελληνικά 😀")] =
      startup_test::Sz(target);
  EXPECT_EQ(CaptureSources(), expected);
}

TEST(StartupExact, StartupFolderFilesAreListedAndRecycledByTheirExactNames) {
  sys::ComApartment com;
  ASSERT_TRUE(com.ok());
  startup_test::ScopedNoMenuBuilder quick;
  SourcesGuard guard;
  testing_support::TempDir dir;
  const std::string folder = dir.path() + U8(u8"Русский 😀\\");
  ASSERT_TRUE(sys::ForceDirectories(folder));
  const std::string target = folder + U8(u8"PxExact-日本語.exe");
  ASSERT_TRUE(sys::WriteFileBytes(target, "MZ"));
  const std::string user = startup_test::UserStartupFolder();
  const std::string plain = U8(u8"PxExact-Ελληνικά😀.txt");
  ASSERT_TRUE(sys::WriteFileBytes(user + plain, "text"));
  ASSERT_EQ(startup::AddStartupShortcut(sys::ExcludeTrailingBackslash(user), target).status,
            startup::AddStatus::Added);
  const std::string link = U8(u8"PxExact-日本語.lnk");

  std::vector<StartupRow> rows = startup::ReadStartupRows();
  StartupRow& linkRow = RowOf(rows, link, user);
  EXPECT_EQ(linkRow.command, user + link);
  startup_test::ShortcutFields fields = startup_test::ReadShortcut(linkRow.command);
  // The item list is what the shell starts (Wine's link files keep the raw path text
  // in the ANSI code page only; Windows keeps it whole as well).
  EXPECT_EQ(fields.itemPath, target);
  EXPECT_EQ(fields.workingFolder, folder);
  EXPECT_EQ(RowOf(rows, plain, user).command, user + plain);

  // Unticked and applied, exactly these two files leave the folder.
  SourceState expected = CaptureSources();
  expected.folders[user].erase(link);
  expected.folders[user].erase(plain);
  RowOf(rows, link, user).enabled = false;
  RowOf(rows, plain, user).enabled = false;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  EXPECT_EQ(CaptureSources(), expected);
  EXPECT_TRUE(startup_test::Exists(target));  // the program the shortcut named stays
}

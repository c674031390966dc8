// Entries switched off in Windows' own start-up settings (Explorer\StartupApproved):
// listed unticked, switched back on as Windows does when ticked, and never touched
// while they stay unticked.
#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/StartupApproved.h"
#include "startup/StartupChanges.h"
#include "startup/StartupSources.h"
#include "sys/Files.h"

using startup::StartupRow;
using startup_test::CaptureSources;
using startup_test::kApproved;
using startup_test::Location;
using startup_test::RowOf;
using startup_test::SetText;
using startup_test::SourcesGuard;
using startup_test::SourceState;
using startup_test::StateKey;
using startup_test::Switch;
using startup_test::Values;

namespace {

const std::string kRun = startup::kRunKeyPaths[0];
const std::string kRunOnce = startup::kRunKeyPaths[3];

void SetSwitch(HKEY root, const std::string& key, const std::string& name, DWORD flag) {
  startup_test::SetWideRaw(root, kApproved + "\\" + key, name, REG_BINARY, Switch(flag).data);
}

// Entries of every kind, each with a switch (or none), as Windows' tools leave them.
class SwitchedEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto [name, flag] :
         {std::pair{"PxOff-3", 3u}, std::pair{"PxOff-7", 7u}, std::pair{"PxOn-2", 2u},
          std::pair{"PxOn-6", 6u}, std::pair{"PxOn-0", 0u}}) {
      SetText(HKEY_CURRENT_USER, kRun, name, std::string(name) + ".exe");
      SetSwitch(HKEY_CURRENT_USER, "Run", name, flag);
    }
    SetText(HKEY_CURRENT_USER, kRun, "PxOn-none", "none.exe");
    // RunOnce has no switch: a value named in Run's switch key means nothing to it.
    SetText(HKEY_CURRENT_USER, kRunOnce, "PxOff-3", "once.exe");
    SetText(HKEY_LOCAL_MACHINE, kRun, "PxOff-machine", "machine.exe");
    SetSwitch(HKEY_LOCAL_MACHINE, "Run", "PXOFF-MACHINE", 3);  // names compare as the registry does
    if (startup_test::TwoViews()) {
      SetText(HKEY_LOCAL_MACHINE, startup_test::Wow32(kRun), "PxOff-32", "wow.exe");
      SetSwitch(HKEY_LOCAL_MACHINE, "Run32", "PxOff-32", 3);
    }
    ASSERT_TRUE(sys::WriteFileBytes(user + "PxOff-file.lnk", "link"));
    SetSwitch(HKEY_CURRENT_USER, "StartupFolder", "PxOff-file.lnk", 3);
    ASSERT_TRUE(sys::WriteFileBytes(common + "PxOff-common.lnk", "link"));
    SetSwitch(HKEY_LOCAL_MACHINE, "StartupFolder", "PxOff-common.lnk", 7);
  }

  // The rows that Windows switched off, as "name|location".
  std::vector<std::string> untickedRows(const std::vector<StartupRow>& rows) {
    std::vector<std::string> names;
    for (const StartupRow& row : rows) {
      if (row.name.rfind("PxO", 0) == 0 && !row.enabled)
        names.push_back(row.name + "|" + row.location);
    }
    return names;
  }

  SourcesGuard guard;
  std::string user = startup_test::UserStartupFolder();
  std::string common = startup_test::CommonStartupFolder();
  std::string wowRun = "HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
};

}  // namespace

TEST_F(SwitchedEntries, AreListedUntickedWhereTheyAre) {
  std::vector<std::string> expected = {
      "PxOff-3|HKCU\\" + kRun,
      "PxOff-7|HKCU\\" + kRun,
      "PxOff-machine|HKLM\\" + kRun,
  };
  if (startup_test::TwoViews()) expected.push_back("PxOff-32|" + wowRun);
  expected.push_back("PxOff-file.lnk|" + user);
  expected.push_back("PxOff-common.lnk|" + common);
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  EXPECT_EQ(untickedRows(rows), expected);
  EXPECT_EQ(startup::DisabledSourceLocation(RowOf(rows, "PxOff-3", "HKCU\\" + kRun)),
            "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run");
  EXPECT_EQ(startup::DisabledSourceLocation(RowOf(rows, "PxOn-2", "HKCU\\" + kRun)), "");
}

TEST_F(SwitchedEntries, TickedAndAppliedTheyAreSwitchedOnAsWindowsDoes) {
  const SourceState before = CaptureSources();
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  for (StartupRow& row : rows) row.enabled = true;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));

  // Only the switches change: flag 02, no time. Values and files stay where they are.
  SourceState expected = before;
  const startup_test::RawValue on = Switch(2, 0);
  Values(expected, StateKey(HKEY_CURRENT_USER, kApproved + "\\Run"))["PxOff-3"] = on;
  Values(expected, StateKey(HKEY_CURRENT_USER, kApproved + "\\Run"))["PxOff-7"] = on;
  Values(expected, StateKey(HKEY_LOCAL_MACHINE, kApproved + "\\Run"))["PXOFF-MACHINE"] = on;
  if (startup_test::TwoViews())
    Values(expected, StateKey(HKEY_LOCAL_MACHINE, kApproved + "\\Run32"))["PxOff-32"] = on;
  Values(expected, StateKey(HKEY_CURRENT_USER, kApproved + "\\StartupFolder"))["PxOff-file.lnk"] =
      on;
  Values(expected,
         StateKey(HKEY_LOCAL_MACHINE, kApproved + "\\StartupFolder"))["PxOff-common.lnk"] = on;
  EXPECT_EQ(CaptureSources(), expected);
  EXPECT_TRUE(untickedRows(startup::ReadStartupRows()).empty());
}

TEST_F(SwitchedEntries, UntickedOnesStayAsWindowsLeftThemAndParkingForgetsTheSwitch) {
  const SourceState before = CaptureSources();
  std::vector<StartupRow> rows = startup::ReadStartupRows();
  // Disable All: the switched-off rows are unticked already and stay as they are.
  startup::ToggleAllRows(rows, true);
  std::vector<StartupRow> ours;
  for (const StartupRow& row : rows) {
    if (row.name.rfind("PxO", 0) == 0) ours.push_back(row);
  }
  ASSERT_TRUE(startup::ApplyStartupRows(ours));

  // The enabled values are parked and their switches forgotten, so that they come
  // back on; RunOnce has no switch of its own to forget.
  SourceState expected = before;
  for (const char* name : {"PxOn-2", "PxOn-6", "PxOn-0", "PxOn-none"}) {
    startup_test::RawValue value = Values(expected, StateKey(HKEY_CURRENT_USER, kRun))[name];
    Values(expected, StateKey(HKEY_CURRENT_USER, kRun)).erase(name);
    Values(expected, startup_test::ParkingStateKey(HKEY_CURRENT_USER, kRun))[name] = value;
    Values(expected, StateKey(HKEY_CURRENT_USER, kApproved + "\\Run")).erase(name);
  }
  startup_test::RawValue once = Values(expected, StateKey(HKEY_CURRENT_USER, kRunOnce))["PxOff-3"];
  Values(expected, StateKey(HKEY_CURRENT_USER, kRunOnce)).erase("PxOff-3");
  Values(expected, startup_test::ParkingStateKey(HKEY_CURRENT_USER, kRunOnce))["PxOff-3"] = once;
  EXPECT_EQ(CaptureSources(), expected);

  // A parked entry ticked again comes back on even when Windows switched its name off
  // meanwhile.
  SetSwitch(HKEY_CURRENT_USER, "Run", "PxOn-2", 3);
  rows = startup::ReadStartupRows();
  StartupRow& parked = RowOf(rows, "PxOn-2", "HKCU\\" + kRun);
  EXPECT_EQ(startup::DisabledSourceLocation(parked),
            "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Run_Disable");
  parked.enabled = true;
  ASSERT_TRUE(startup::ApplyStartupRows(rows));
  Values(expected, startup_test::ParkingStateKey(HKEY_CURRENT_USER, kRun)).erase("PxOn-2");
  SourceState original = before;
  Values(expected, StateKey(HKEY_CURRENT_USER, kRun))["PxOn-2"] =
      Values(original, StateKey(HKEY_CURRENT_USER, kRun))["PxOn-2"];
  Values(expected, StateKey(HKEY_CURRENT_USER, kApproved + "\\Run"))["PxOn-2"] = Switch(2, 0);
  EXPECT_EQ(CaptureSources(), expected);
}

TEST(StartupApprovedText, LongLocationsAreCutToTheirLastThreeParts) {
  EXPECT_EQ(
      startup::ShortLocation(
          "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run"),
      "HKCU\\...\\Explorer\\StartupApproved\\Run");
  EXPECT_EQ(startup::ShortLocation("HKLM\\SOFTWARE\\Run\\Run_Disable"),
            "HKLM\\SOFTWARE\\Run\\Run_Disable");
  EXPECT_EQ(startup::ShortLocation("C:\\x"), "C:\\x");
}

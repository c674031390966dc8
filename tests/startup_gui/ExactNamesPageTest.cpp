// The startup page over entries whose names and commands hold several scripts and a
// character beyond the Basic Multilingual Plane: Apply rewrites nothing it was not
// asked to, and what it moves arrives byte for byte.
#include <gtest/gtest.h>

#include "startup/StartupRow.h"
#include "startup/StartupTestSupport.h"
#include "startup_gui/StartupGuiHost.h"

using startup_gui::Click;
using startup_gui::ItemOf;
using startup_test::CaptureSources;
using startup_test::Location;
using startup_test::ParkingStateKey;
using startup_test::RawValue;
using startup_test::SourceState;
using startup_test::StateKey;
using startup_test::Values;
using startup_test::WideBytes;

namespace {

std::string U8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

const std::string kRun = startup::kRunKeyPaths[0];

class StartupPageExact : public ::testing::Test {
 protected:
  void SetUp() override {
    startup_test::SetWideRaw(HKEY_CURRENT_USER, kRun, name, REG_SZ, WideBytes(command));
    expandBytes = WideBytes(expandCommand);
    expandBytes.resize(expandBytes.size() - 2);  // no terminator stored
    startup_test::SetWideRaw(HKEY_CURRENT_USER, kRun, expandName, REG_EXPAND_SZ, expandBytes);
    ASSERT_TRUE(host.open());
  }

  int item(const std::string& caption) {
    int found = ItemOf(host.page.lsvStartupList, caption, Location(HKEY_CURRENT_USER, kRun));
    EXPECT_GE(found, 0) << caption;
    return found;
  }

  startup_test::SourcesGuard guard;
  const std::string name = U8(u8"PxPageExact-日本語");
  const std::string command = U8(u8"C:\\Apps\\日本語\\tool.exe /x");
  const std::string expandName = U8(u8"PxPageExact-Ελληνικά😀");
  const std::string expandCommand = U8(u8"%ProgramFiles%\\Русский\\😀.exe");
  std::string expandBytes;
  startup_gui::PageHost host;
};

}  // namespace

TEST_F(StartupPageExact, ApplyWithoutChangesLeavesTheRunKeysByteIdentical) {
  const SourceState before = CaptureSources();
  host.page.RefreshStartupList();
  ASSERT_GE(item(name), 0);
  Click(host.page.btnApply.hwnd());
  EXPECT_EQ(CaptureSources(), before);
}

TEST_F(StartupPageExact, UntickApplyTickApplyMovesTheValuesThereAndBackExactly) {
  const SourceState before = CaptureSources();
  host.page.RefreshStartupList();
  tk::ListView& list = host.page.lsvStartupList;
  list.setChecked(item(name), false);
  list.setChecked(item(expandName), false);
  Click(host.page.btnApply.hwnd());

  SourceState parked = before;
  Values(parked, StateKey(HKEY_CURRENT_USER, kRun)).erase(name);
  Values(parked, StateKey(HKEY_CURRENT_USER, kRun)).erase(expandName);
  Values(parked, ParkingStateKey(HKEY_CURRENT_USER, kRun))[name] =
      RawValue{REG_SZ, WideBytes(command)};
  Values(parked, ParkingStateKey(HKEY_CURRENT_USER, kRun))[expandName] =
      RawValue{REG_EXPAND_SZ, expandBytes};
  EXPECT_EQ(CaptureSources(), parked);

  // Ticked again without a refresh: the page knows the values are parked now.
  list.setChecked(item(name), true);
  list.setChecked(item(expandName), true);
  Click(host.page.btnApply.hwnd());
  SourceState restored = before;
  Values(restored, ParkingStateKey(HKEY_CURRENT_USER, kRun));  // stays, empty
  EXPECT_EQ(CaptureSources(), restored);
}

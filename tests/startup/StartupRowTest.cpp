#include <gtest/gtest.h>

#include "StartupTestSupport.h"
#include "startup/StartupRow.h"

using startup::DecodeLocation;
using startup::StartupRow;

TEST(StartupRows, LocationsTellTheirSourceByThreeProperties) {
  auto hkcu = DecodeLocation("HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup");
  EXPECT_TRUE(hkcu.registry);
  EXPECT_EQ(hkcu.root, HKEY_CURRENT_USER);
  EXPECT_EQ(hkcu.keyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup");

  // "CurrentVersion" in any case marks the registry; the abbreviation must match exactly.
  auto hklm = DecodeLocation("HKLM\\software\\microsoft\\windows\\currentversion\\run");
  EXPECT_TRUE(hklm.registry);
  EXPECT_EQ(hklm.root, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(hklm.keyPath, "software\\microsoft\\windows\\currentversion\\run");
  for (const char* other : {"hklm\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                            "HKCR\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                            "C:\\Odd\\CURRENTVERSION\\StartUp\\", "CurrentVersion"}) {
    SCOPED_TRACE(other);
    auto decoded = DecodeLocation(other);
    EXPECT_TRUE(decoded.registry);
    EXPECT_EQ(decoded.root, nullptr);
  }

  auto folder = DecodeLocation("C:\\users\\me\\Start Menu\\Programs\\StartUp\\");
  EXPECT_FALSE(folder.registry);
  EXPECT_EQ(folder.root, nullptr);
  EXPECT_FALSE(DecodeLocation("").registry);

  // HKLM keys are named as the native view names them, the 32-bit view's with
  // WOW6432Node, and opened there; HKCU's software key is one for both views.
  EXPECT_EQ(hklm.view, sys::RegView::Wow64);
  EXPECT_EQ(hkcu.view, sys::RegView::Default);
  auto wow = DecodeLocation("HKLM\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(wow.view, sys::RegView::Wow64);
  EXPECT_EQ(wow.keyPath, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(startup::Wow32KeyPath(startup::kRunKeyPath), wow.keyPath);

  // Locations written by the readers decode to where they came from.
  auto written = DecodeLocation(startup::RegistryLocation(
      HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx"));
  EXPECT_EQ(written.root, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(written.keyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx");
}

TEST(StartupRows, TheVersionLookupCutsAtTheFirstSlashAndDropsQuotes) {
  EXPECT_EQ(startup::VersionLookupPath("\"C:\\Program Files\\App\\app.exe\" /min"),
            "C:\\Program Files\\App\\app.exe ");
  EXPECT_EQ(startup::VersionLookupPath("C:\\App\\app.exe -min"), "C:\\App\\app.exe -min");
  EXPECT_EQ(startup::VersionLookupPath("\"C:\\App\\app.exe\""), "C:\\App\\app.exe");
  EXPECT_EQ(startup::VersionLookupPath("%ProgramFiles%\\x.exe /a /b"), "%ProgramFiles%\\x.exe ");
  EXPECT_EQ(startup::VersionLookupPath("/only"), "");
  EXPECT_EQ(startup::VersionLookupPath(""), "");
}

TEST(StartupRows, SelectingARowFindsItsProgramsVersionOrNothing) {
  std::string program = startup_test::FixturePath("VersionEnUs");
  StartupRow quoted{"Harbour", true, "\"" + program + "\"/tray", "HKCU\\x\\CurrentVersion\\Run"};
  auto info = startup::ReadRowFileInfo(quoted);
  ASSERT_TRUE(info.has_value()) << quoted.command;
  EXPECT_EQ(info->CompanyName, "Harbour Lights Software");
  EXPECT_EQ(info->FileVersion, "1.2.3.4");
  EXPECT_EQ(info->FileDescription, "Harbour tray helper");

  // Arguments that do not start with "/" stay part of the path: nothing is found.
  StartupRow dashed{"Harbour", true, program + " -tray", "HKCU\\x\\CurrentVersion\\Run"};
  EXPECT_FALSE(startup::ReadRowFileInfo(dashed).has_value());
  StartupRow bare{"None", true, startup_test::FixturePath("NoVersion"), "C:\\x\\"};
  EXPECT_FALSE(startup::ReadRowFileInfo(bare).has_value());
}

TEST(StartupRows, DisableAllAndEnableAllFlipEveryTickAndTheFlag) {
  std::vector<StartupRow> rows{{"a", true, "a", "HKCU\\CurrentVersion"},
                               {"b", false, "b", "HKCU\\CurrentVersion"},
                               {"c", true, "c", "C:\\StartUp\\"}};
  EXPECT_FALSE(startup::ToggleAllRows(rows, true));
  for (const auto& row : rows) EXPECT_FALSE(row.enabled) << row.name;
  EXPECT_TRUE(startup::ToggleAllRows(rows, false));
  for (const auto& row : rows) EXPECT_TRUE(row.enabled) << row.name;

  // When the page is shown the last row's tick decides; no rows keep the flag.
  rows[2].enabled = false;
  EXPECT_FALSE(startup::AllEnabledFlagFromRows(rows, true));
  rows[0].enabled = false;
  rows[2].enabled = true;
  EXPECT_TRUE(startup::AllEnabledFlagFromRows(rows, false));
  EXPECT_TRUE(startup::AllEnabledFlagFromRows({}, true));
  EXPECT_FALSE(startup::AllEnabledFlagFromRows({}, false));
}

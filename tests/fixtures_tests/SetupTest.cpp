// SampleSetup.exe, run for real in the test prefix: the folder, the uninstall entry,
// the leftover keys, Run values and start-up shortcuts it writes.
#include <gtest/gtest.h>

#include <cstdio>

#include "FixtureTestUtil.h"
#include "fixtures/SampleLayout.h"
#include "support/Samples.h"
#include "support/Sandbox.h"
#include "sys/Files.h"

using namespace fixture_tests;
using testing_support::InstalledSample;
using testing_support::RunProcess;
using testing_support::SampleDesc;

namespace {

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

unsigned long long TreeBytes(const std::string& dir) {
  unsigned long long total = 0;
  for (const std::string& rel : ListTree(dir)) {
    if (rel.back() == '\\') continue;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA((sys::IncludeTrailingBackslash(dir) + rel).c_str(),
                             GetFileExInfoStandard, &data))
      total += data.nFileSizeLow;
  }
  return total;
}

SampleDesc Desc(const char* prefix) {
  SampleDesc desc;
  desc.name = UniqueSampleName(prefix);
  return desc;
}

}  // namespace

TEST(SampleSetup, InstallsEveryFileAndFolderWithItsAttributes) {
  testing_support::TempDir temp;
  SampleDesc desc = Desc("Files");
  desc.dir = temp.file("Sample Files\\");  // a final backslash and a blank, as users type them
  InstalledSample app(desc);
  const std::string dir = app.dir() + "\\";
  ASSERT_TRUE(sys::DirectoryExists(temp.file("Sample Files")));

  EXPECT_EQ(ListTree(dir), InstalledItems(false));
  EXPECT_TRUE(Attributes(dir + "settings.ini") & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(Attributes(dir + "sysdata.bin") & FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(Attributes(dir + "License.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Attributes(dir + ".cache") & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(Attributes(dir + "Readme.txt") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);

  const std::string fixtures = testing_support::FixturesDir();
  EXPECT_EQ(ReadWholeFile(dir + sample::kAppExe), ReadWholeFile(fixtures + sample::kAppExe));
  EXPECT_EQ(ReadWholeFile(dir + sample::kUninstallerExe),
            ReadWholeFile(fixtures + sample::kUninstallerExe));
  EXPECT_NE(ReadWholeFile(dir + "Readme.txt").find(desc.name), std::string::npos);

  // The generated icon is a real icon file that the system loads.
  HICON icon = static_cast<HICON>(
      LoadImageA(nullptr, (dir + "SampleApp.ico").c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(icon);

  char name[256] = {};
  GetPrivateProfileStringA(sample::kManifestSection, "Name", "", name, sizeof name,
                           (dir + sample::kManifestFile).c_str());
  EXPECT_EQ(std::string(name), desc.name);
}

TEST(SampleSetup, WritesAMachineUninstallEntryWithEveryValue) {
  SampleDesc desc = Desc("Entry");
  desc.publisher = "Entry Works";
  desc.version = "3.2.1";
  desc.installDate = "20240229";  // a fixed day: the check holds across midnight
  InstalledSample app(desc);
  const std::string key = sample::EntryKeyPath(desc.name);
  const std::string dir = app.dir() + "\\";

  // No folder given: under the shell's Program Files folder.
  EXPECT_EQ(dir, sample::ShellFolder(CSIDL_PROGRAM_FILES) + desc.name + "\\");
  EXPECT_TRUE(sys::DirectoryExists(dir));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));

  std::set<std::string> expected(std::begin(sample::kEntryValues), std::end(sample::kEntryValues));
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, key), expected);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "DisplayName").value_or(""), desc.name);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "DisplayVersion").value_or(""), "3.2.1");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "Publisher").value_or(""), "Entry Works");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "InstallLocation").value_or(""), dir);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "UninstallString").value_or(""),
            "\"" + dir + "SampleUninstall.exe\" /S");
  std::string icon = RegText(HKEY_LOCAL_MACHINE, key, "DisplayIcon").value_or("");
  EXPECT_TRUE(sys::FileExists(icon)) << icon;
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "InstallDate").value_or(""), "20240229");
  EXPECT_EQ(RegNumber(HKEY_LOCAL_MACHINE, key, "EstimatedSize").value_or(0),
            (TreeBytes(dir) + 1023) / 1024);
  std::string about = RegText(HKEY_LOCAL_MACHINE, key, "URLInfoAbout").value_or("");
  EXPECT_EQ(about.rfind("https://", 0), 0u) << about;
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "HelpLink").value_or(""), about + "help");
}

TEST(SampleSetup, LeavesKeysNamedLikeTheEntryUnderBothSoftwareKeys) {
  SampleDesc desc = Desc("Keys");
  desc.publisher = "Keys Publisher";
  InstalledSample app(desc);

  auto keys = sample::ProgramKeys(desc.name, desc.publisher, false, false);
  ASSERT_EQ(keys.size(), 4u);
  for (const sample::ExpandedKey& key : keys) {
    HKEY root = sample::RootOf(key.hive);
    SCOPED_TRACE(key.path);
    EXPECT_EQ(RegText(root, key.path, "InstallPath").value_or(""), app.dir());
    EXPECT_EQ(RegText(root, key.path, "Version").value_or(""), sample::kDefaultVersion);
    EXPECT_EQ(RegNumber(root, key.path, "RunCount").value_or(0), 3u);
    EXPECT_EQ(RegText(root, key.path, "").has_value(), key.defaultValue);
    std::string settings = key.path + "\\" + sample::kKeySubKey;
    EXPECT_EQ(ValueNames(root, settings),
              std::set<std::string>(std::begin(sample::kSubKeyValueNames),
                                    std::end(sample::kSubKeyValueNames)));
  }
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\" + desc.name, "").value_or(""), desc.name);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Keys Publisher\\" + desc.name));
}

TEST(SampleSetup, PerUserInstallStaysInTheCurrentUser) {
  SampleDesc desc = Desc("PerUser");
  desc.perUser = true;
  desc.run = true;
  desc.startup = true;
  const std::string dayBefore = Today();
  InstalledSample app(desc);
  const std::string dayAfter = Today();
  const std::string key = sample::EntryKeyPath(desc.name);

  EXPECT_EQ(app.dir() + "\\",
            sample::ShellFolder(CSIDL_LOCAL_APPDATA) + "Programs\\" + desc.name + "\\");
  EXPECT_EQ(ListTree(app.dir()), InstalledItems(false));
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, key, "InstallLocation").value_or(""), app.dir() + "\\");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key));
  // No date given: the day of the install, either side of a midnight passed meanwhile.
  const std::string date = RegText(HKEY_CURRENT_USER, key, "InstallDate").value_or("");
  EXPECT_TRUE(date == dayBefore || date == dayAfter) << date;
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\" + desc.name));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\" + desc.name));

  EXPECT_EQ(RegText(HKEY_CURRENT_USER, sample::kRunKey, desc.name).value_or(""),
            "\"" + app.dir() + "\\SampleApp.exe\" /background");
  EXPECT_FALSE(RegText(HKEY_LOCAL_MACHINE, sample::kRunKey, desc.name).has_value());

  std::string link = sample::ShellFolder(CSIDL_STARTUP) + desc.name + ".lnk";
  auto info = ReadShortcut(link);
  ASSERT_TRUE(info.has_value()) << link;
  EXPECT_EQ(Upper(info->target), Upper(app.dir() + "\\SampleApp.exe"));
  EXPECT_EQ(info->arguments, "/background");
  EXPECT_FALSE(sys::FileExists(sample::ShellFolder(CSIDL_COMMON_STARTUP) + desc.name + ".lnk"));
}

TEST(SampleSetup, MachineInstallStartsFromTheMachineRunKeyAndCommonStartup) {
  SampleDesc desc = Desc("Machine");
  desc.run = true;
  desc.startup = true;
  InstalledSample app(desc);

  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, sample::kRunKey, desc.name).value_or(""),
            sample::RunCommand(app.dir()));
  EXPECT_FALSE(RegText(HKEY_CURRENT_USER, sample::kRunKey, desc.name).has_value());
  EXPECT_TRUE(sys::FileExists(sample::ShellFolder(CSIDL_COMMON_STARTUP) + desc.name + ".lnk"));
  EXPECT_FALSE(sys::FileExists(sample::ShellFolder(CSIDL_STARTUP) + desc.name + ".lnk"));

  // The Run command really starts the program, which exits at once in the background.
  auto run = RunProcess(sample::RunCommand(app.dir()), 30000);
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0u);
}

TEST(SampleSetup, PatchLooksLikeASystemUpdate) {
  SampleDesc desc;  // every default: the patch KB123456
  desc.patch = true;
  desc.name = sample::kDefaultPatchName;
  SampleDesc asRun = desc;
  asRun.name.clear();  // the installer picks the name itself
  testing_support::RemoveSampleTraces(desc);
  auto run = RunProcess(testing_support::SampleSetupCommand(asRun));
  struct Cleanup {
    SampleDesc desc;
    ~Cleanup() { testing_support::RemoveSampleTraces(desc); }
  } cleanup{desc};
  ASSERT_EQ(run.exitCode, 0u) << run.errors;

  const std::string key = sample::EntryKeyPath("KB123456");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "DisplayName").value_or(""),
            "Security Update for Windows (KB123456)");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "ParentKeyName").value_or(""), "OperatingSystem");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "ReleaseType").value_or(""), "Security Update");
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, key, "Publisher").value_or(""),
            sample::kDefaultPatchPublisher);
  std::string location = RegText(HKEY_LOCAL_MACHINE, key, "InstallLocation").value_or("");
  EXPECT_NE(Upper(location).find("\\WINDOWS\\"), std::string::npos) << location;
  EXPECT_EQ(ListTree(location), InstalledItems(true));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\KB123456"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\KB123456"));
}

TEST(SampleSetup, UninstallArgumentsCanBeReplaced) {
  SampleDesc desc = Desc("Args");
  desc.uninstallArgs = "/wait=2500 /S";
  InstalledSample withArgs(desc);
  EXPECT_EQ(
      RegText(HKEY_LOCAL_MACHINE, sample::EntryKeyPath(desc.name), "UninstallString").value_or(""),
      "\"" + withArgs.dir() + "\\SampleUninstall.exe\" /wait=2500 /S");

  SampleDesc bare = Desc("Bare");
  bare.uninstallArgs = "";
  InstalledSample withoutArgs(bare);
  EXPECT_EQ(
      RegText(HKEY_LOCAL_MACHINE, sample::EntryKeyPath(bare.name), "UninstallString").value_or(""),
      "\"" + withoutArgs.dir() + "\\SampleUninstall.exe\"");
}

TEST(SampleSetup, InstallingOverAnInstallSucceeds) {
  SampleDesc desc = Desc("Again");
  desc.version = "1.0";
  InstalledSample first(desc);
  desc.version = "2.0";
  // Hidden, system and read-only files are in the way now.
  auto run = RunProcess(testing_support::SampleSetupCommand(desc));
  ASSERT_EQ(run.exitCode, 0u) << run.errors;
  EXPECT_EQ(
      RegText(HKEY_LOCAL_MACHINE, sample::EntryKeyPath(desc.name), "DisplayVersion").value_or(""),
      "2.0");
  const std::string dir = first.dir() + "\\";
  EXPECT_NE(ReadWholeFile(dir + "settings.ini").find(" 2.0 "), std::string::npos);
  EXPECT_TRUE(Attributes(dir + "settings.ini") & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(ListTree(dir), InstalledItems(false));
}

TEST(SampleSetup, RejectsBadOptionsAndWritesNothing) {
  const std::string setup = "\"" + testing_support::FixturesDir() + sample::kSetupExe + "\"";
  std::string name = UniqueSampleName("Bad");

  auto noSilent = RunProcess(setup + " /name=" + name);
  EXPECT_EQ(noSilent.exitCode, 2u);
  EXPECT_NE(noSilent.errors.find("usage"), std::string::npos) << noSilent.errors;

  auto unknown = RunProcess(setup + " /S /bogus /name=" + name);
  EXPECT_EQ(unknown.exitCode, 2u);
  EXPECT_NE(unknown.errors.find("/bogus"), std::string::npos) << unknown.errors;

  auto badDate = RunProcess(setup + " /S /date=2024-02-29 /name=" + name);
  EXPECT_EQ(badDate.exitCode, 2u);
  EXPECT_NE(badDate.errors.find("YYYYMMDD"), std::string::npos) << badDate.errors;

  auto badName = RunProcess(setup + " /S \"/name=a\\b\"");
  EXPECT_EQ(badName.exitCode, 2u);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, sample::EntryKeyPath("a")));

  // A file stands where the install folder should be.
  testing_support::TempDir temp;
  const std::string blocker = temp.file("blocker");
  ASSERT_TRUE(sys::WriteFileBytes(blocker, "x"));
  auto blocked = RunProcess(setup + " /S /name=" + name + " \"/dir=" + blocker + "\\App\"");
  EXPECT_EQ(blocked.exitCode, 1u);
  EXPECT_NE(blocked.errors.find("cannot create the folder"), std::string::npos) << blocked.errors;

  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    EXPECT_FALSE(KeyExists(root, sample::EntryKeyPath(name)));
    EXPECT_FALSE(KeyExists(root, "Software\\" + name));
  }
}

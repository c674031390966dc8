// The setup program as an administrator runs it silently (/S, /D= into a folder of
// the test's own), its uninstall entry as the inventory lists it, and the silent
// uninstall by the entry's QuietUninstallString: registry and disk are compared
// before and after, and the user's settings stay unless purged.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "PrunaxisVersion.h"
#include "settings/ProductInfo.h"
#include "installer/SetupPaths.h"
#include "inventory/RostrelLib_TLB.h"
#include "support/BuiltComponent.h"
#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "support/WindowProbe.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "sys/Handles.h"

using namespace testing_support;

namespace {

constexpr char kSetupExe[] = PRUNAXIS_TEST_SETUP_EXE;
// The program folder as the setup program carries it (the portable zip's files).
constexpr char kStagedFolder[] = PRUNAXIS_TEST_SETUP_STAGE;
constexpr char kEntryKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prunaxis";
// The entry's key as SnapshotEveryView names it.
constexpr char kEntrySnapshotKey[] =
    "HKLM32\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prunaxis";
constexpr char kComponentKey[] = "Software\\Classes\\CLSID\\{B840D7A9-1A1F-4A30-8C51-227E5EB10285}";
constexpr char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingRenames[] = "PendingFileRenameOperations";
constexpr DWORD kRunTimeoutMs = 60000;

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::string TempFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetTempPathA(MAX_PATH, path);
  return std::string(path, n > 0 && path[n - 1] == '\\' ? n - 1 : n);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::set<std::string> Lower(const std::set<std::string>& lines) {
  std::set<std::string> out;
  for (const std::string& line : lines) out.insert(Lower(line));
  return out;
}

struct EntryValue {
  DWORD type = REG_NONE;
  std::string text;
  DWORD number = 0;
};

// A value of the uninstall entry in the given view; type REG_NONE when missing.
EntryValue ReadEntryValue(const std::string& name, REGSAM view = KEY_WOW64_32KEY) {
  EntryValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return value;
  char data[2048] = {};
  DWORD size = sizeof data - 1;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    if (value.type == REG_DWORD) memcpy(&value.number, data, sizeof value.number);
    if (value.type == REG_SZ) value.text = data;
  } else {
    value.type = REG_NONE;
  }
  RegCloseKey(key);
  return value;
}

// The files that the system deletes at its next start (pairs of source and an empty
// target in PendingFileRenameOperations), as the raw value and as paths.
std::string ReadPendingRenames() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::string();
  std::string data(65536, '\0');
  DWORD size = static_cast<DWORD>(data.size());
  LONG rc = RegQueryValueExA(key, kPendingRenames, nullptr, nullptr,
                             reinterpret_cast<BYTE*>(data.data()), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? data.substr(0, size) : std::string();
}

void WritePendingRenames(const std::string& raw) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  if (raw.empty())
    RegDeleteValueA(key, kPendingRenames);
  else
    RegSetValueExA(key, kPendingRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(raw.data()),
                   static_cast<DWORD>(raw.size()));
  RegCloseKey(key);
}

std::vector<std::string> ScheduledDeletions(const std::string& raw) {
  std::vector<std::string> strings;
  for (size_t at = 0; at < raw.size();) {
    size_t end = raw.find('\0', at);
    if (end == std::string::npos) end = raw.size();
    strings.push_back(raw.substr(at, end - at));
    at = end + 1;
  }
  std::vector<std::string> paths;
  for (size_t i = 0; i + 1 < strings.size(); i += 2) {
    if (strings[i].empty() || !strings[i + 1].empty()) continue;
    std::string path = strings[i];
    if (path.rfind("\\??\\", 0) == 0) path = path.substr(4);
    paths.push_back(path);
  }
  return paths;
}

// Starts `exe` with `arguments` and waits for it and for every process it started:
// the uninstaller hands over to a copy of itself in %TEMP% and ends at once.
void RunToTheEnd(const std::string& exe, const std::string& arguments, DWORD* exitCode = nullptr) {
  ChildProcess app = ChildProcess::Start(exe, arguments);
  ASSERT_TRUE(app) << app.error();
  ASSERT_TRUE(app.waitOrKill(kRunTimeoutMs)) << exe << " " << arguments;
  if (exitCode) *exitCode = app.exitCode().value_or(~0u);
  for (std::vector<DWORD> left = DescendantProcesses(app.id()); !left.empty();
       left = DescendantProcesses(app.id())) {
    bool waited = false;
    for (DWORD id : left) {
      sys::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
      if (!process) continue;
      ASSERT_EQ(WaitForSingleObject(process.get(), kRunTimeoutMs), WAIT_OBJECT_0)
          << "process " << id;
      waited = true;
    }
    if (!waited) break;  // only ended ones are left
  }
}

class SetupProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    // The settings folder of installed copies is the prefix user's own: a test may
    // only use it when nothing is there to lose.
    ASSERT_FALSE(PathExists(settingsFolder())) << settingsFolder();
    // The inventory, which lists the installed program, is this build's component.
    RegisterBuiltComponent();
    pendingBefore_ = ReadPendingRenames();
    diskBefore_ = disk();
    registryBefore_ = registry();
  }
  void TearDown() override {
    // What the uninstaller's copy left for the next start of the system, gone now.
    std::vector<std::string> before = ScheduledDeletions(pendingBefore_);
    std::vector<std::string> folders;
    for (const std::string& path : ScheduledDeletions(ReadPendingRenames())) {
      if (std::find(before.begin(), before.end(), path) != before.end()) continue;
      if (!DeleteFileA(path.c_str())) folders.push_back(path);  // once emptied
    }
    for (const std::string& folder : folders) RemoveDirectoryA(folder.c_str());
    WritePendingRenames(pendingBefore_);
    if (PathExists(settingsFolder())) RemoveTree(settingsFolder());
  }

  std::string installFolder() const { return dir.path() + "Prunaxis"; }
  // The portable zip's files, and what the installer writes itself.
  std::set<std::string> expectedInstalled() const {
    const std::string folder = installFolder();
    std::set<std::string> expected{folder, folder + "\\Installed.ini",
                                   folder + "\\Langs\\English.ini", folder + "\\Skins\\Default.ini",
                                   folder + "\\Uninstall.exe"};
    const std::string staged = kStagedFolder;
    for (const std::string& path : SnapshotDisk(staged))
      expected.insert(folder + path.substr(staged.size()));
    return expected;
  }
  static std::string settingsFolder() { return Folder(CSIDL_APPDATA) + "\\Prunaxis"; }
  static std::string shortcut() { return Folder(CSIDL_COMMON_PROGRAMS) + "\\Prunaxis.lnk"; }
  // Every place the setup program or its uninstaller could write to.
  static std::set<std::string> disk() {
    std::set<std::string> all = SnapshotDisk(TempFolder());  // the test's folder is inside
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS, CSIDL_APPDATA, CSIDL_COMMON_APPDATA,
                      CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
      std::set<std::string> more = SnapshotDisk(Folder(csidl));
      all.insert(more.begin(), more.end());
    }
    return all;
  }

  // Both SOFTWARE roots, without Wine's own state (a window shown notes the mouse's
  // parameters under HKCU\Software\Wine), which is no program's.
  static std::set<std::string> registry() {
    std::set<std::string> lines = SnapshotEveryView();
    for (auto it = lines.begin(); it != lines.end();)
      it = it->rfind("HKEY_CURRENT_USER\\SOFTWARE\\Wine\\", 0) == 0 ? lines.erase(it)
                                                                    : std::next(it);
    return lines;
  }
  void expectRegistryAsBefore() const {
    const std::set<std::string> now = registry();
    EXPECT_EQ(Minus(now, registryBefore_), std::set<std::string>{});
    EXPECT_EQ(Minus(registryBefore_, now), std::set<std::string>{});
  }

  void install() {
    DWORD code = ~0u;
    // NSIS takes /D= as the rest of the command line, unquoted.
    RunToTheEnd(kSetupExe, "/S /D=" + installFolder(), &code);
    ASSERT_EQ(code, 0u);
    ASSERT_TRUE(PathExists(installFolder() + "\\Prunaxis.exe"));
  }
  // The entry's QuietUninstallString, run as the system's Programs list runs it.
  void uninstallQuietly(const std::string& extra = {}) {
    std::string command = ReadEntryValue("QuietUninstallString").text;
    ASSERT_EQ(command.front(), '"') << command;
    size_t close = command.find('"', 1);
    ASSERT_NE(close, std::string::npos) << command;
    std::string arguments = command.substr(close + 1);
    arguments.erase(0, arguments.find_first_not_of(' '));
    DWORD code = ~0u;
    RunToTheEnd(command.substr(1, close - 1), arguments + extra, &code);
    EXPECT_EQ(code, 0u);
  }
  // What was added anywhere on disk since SetUp, apart from the uninstaller's copy in
  // %TEMP%, which the system deletes at its next start.
  std::set<std::string> addedOnDisk() const {
    std::set<std::string> added = Lower(Minus(disk(), diskBefore_));
    for (const std::string& path : ScheduledDeletions(ReadPendingRenames())) {
      if (Lower(path).rfind(Lower(TempFolder()), 0) == 0) added.erase(Lower(path));
    }
    return added;
  }

  TempDir dir;
  std::string pendingBefore_;
  std::set<std::string> diskBefore_, registryBefore_;
};

TEST_F(SetupProgram, InstallsTheFolderShortcutAndEntryAndItsUninstallerTakesThemAllAway) {
  ASSERT_NO_FATAL_FAILURE(install());
  const std::string folder = installFolder();

  const std::set<std::string> expected = expectedInstalled();
  ASSERT_GT(expected.size(), 10u);
  EXPECT_EQ(SnapshotDisk(folder), expected);
  EXPECT_EQ(Minus(Lower(Minus(disk(), diskBefore_)), Lower(expected)),
            std::set<std::string>{Lower(shortcut())});

  // The entry in the 32-bit view only, as a 32-bit program's.
  EXPECT_EQ(ReadEntryValue("DisplayName", KEY_WOW64_64KEY).type, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(ReadEntryValue("DisplayName").text, PRUNAXIS_PRODUCT_NAME);
  EXPECT_EQ(ReadEntryValue("Publisher").text, PRUNAXIS_MAKER_NAME);
  EXPECT_EQ(ReadEntryValue("DisplayVersion").text, PRUNAXIS_VERSION_STRING);
  EXPECT_EQ(ReadEntryValue("DisplayIcon").text, folder + "\\Prunaxis.exe,0");
  EXPECT_EQ(ReadEntryValue("InstallLocation").text, folder);
  EXPECT_EQ(ReadEntryValue("UninstallString").text, "\"" + folder + "\\Uninstall.exe\"");
  EXPECT_EQ(ReadEntryValue("QuietUninstallString").text, "\"" + folder + "\\Uninstall.exe\" /S");
  ULONGLONG bytes = 0;
  for (const std::string& path : expected) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      continue;
    bytes += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  const EntryValue size = ReadEntryValue("EstimatedSize");
  EXPECT_EQ(size.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size.number, bytes / 1024);  // in KB, as the system's Programs list reads it

  // The entry's registry lines are the only ones added anywhere.
  const std::set<std::string> registryNow = registry();
  std::set<std::string> added = Minus(registryNow, registryBefore_);
  EXPECT_TRUE(added.count(kEntrySnapshotKey));
  EXPECT_EQ(Minus(registryBefore_, registryNow), std::set<std::string>{});
  for (const std::string& line : added) EXPECT_EQ(line.rfind(kEntrySnapshotKey, 0), 0u) << line;

  {  // The inventory lists the program as it lists every other.
    sys::ComApartment com;
    inventory::TProgramList list;
    list.LoadPrograms();
    LONG index = list.FindProgram("Prunaxis");
    ASSERT_GE(index, 0);
    inventory::TProgramItem item = list.GetProgram(static_cast<ULONG>(index));
    ASSERT_TRUE(item);
    EXPECT_EQ(item.GetDisplayName(), PRUNAXIS_PRODUCT_NAME);
    EXPECT_EQ(item.GetPublisher(), PRUNAXIS_MAKER_NAME);
    EXPECT_EQ(item.GetVersion(), PRUNAXIS_VERSION_STRING);
    EXPECT_EQ(item.GetInstallLocation(), folder);
    EXPECT_EQ(item.GetUninstallString(), "\"" + folder + "\\Uninstall.exe\"");
    EXPECT_EQ(list.GetProgramRegistryPath(static_cast<ULONG>(index)),
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\"
              "Uninstall\\Prunaxis");
  }

  ASSERT_NO_FATAL_FAILURE(uninstallQuietly());
  expectRegistryAsBefore();
  EXPECT_EQ(addedOnDisk(), std::set<std::string>{});
  EXPECT_EQ(Minus(Lower(diskBefore_), Lower(disk())), std::set<std::string>{});
}

TEST_F(SetupProgram, TheUninstallerKeepsTheUsersSettingsAndBackupsUnlessPurged) {
  // A sentinel behind a link in a backup folder: never followed, never deleted.
  TempDir sentinel;
  WriteTextFile(sentinel.file("sentinel.txt"));

  ASSERT_NO_FATAL_FAILURE(install());
  const std::string folder = installFolder();
  const std::string settings = settingsFolder();
  // Settings beside the exe (as a copy that ran without the setup program's marker
  // keeps them) and in the user's profile (as the installed copy keeps them).
  ASSERT_TRUE(sys::ForceDirectories(settings + "\\Back up\\reg"));
  ASSERT_TRUE(sys::ForceDirectories(settings + "\\Back up\\scr"));
  ASSERT_TRUE(sys::ForceDirectories(folder + "\\Back up\\reg"));
  const std::vector<std::string> userFiles{
      settings + "\\Config.ini", settings + "\\Back up\\reg\\Entry.reg",
      settings + "\\Back up\\scr\\Saver.scr", folder + "\\Config.ini",
      folder + "\\Back up\\reg\\Entry.reg"};
  for (const std::string& file : userFiles) WriteTextFile(file);
  const std::string link = folder + "\\Back up\\scr";
  ASSERT_NE(MakeDirectoryLink(link, sentinel.path()), FolderLink::None);
  std::set<std::string> userMade = Lower(Minus(SnapshotDisk(folder), expectedInstalled()));
  for (const std::string& path : SnapshotDisk(settings)) userMade.insert(Lower(path));

  ASSERT_NO_FATAL_FAILURE(uninstallQuietly());
  std::set<std::string> kept = Lower(SnapshotDisk(folder));
  for (const std::string& path : SnapshotDisk(settings)) kept.insert(Lower(path));
  std::set<std::string> expectedKept = userMade;
  expectedKept.insert(Lower(folder));
  EXPECT_EQ(kept, expectedKept);
  expectRegistryAsBefore();

  // Installed again over what was kept, then removed with everything the user made.
  ASSERT_NO_FATAL_FAILURE(install());
  ASSERT_NO_FATAL_FAILURE(uninstallQuietly(" /PURGE"));
  EXPECT_TRUE(PathExists(sentinel.file("sentinel.txt")));
  EXPECT_FALSE(PathExists(settings));
  for (const std::string& file : userFiles) EXPECT_FALSE(PathExists(file)) << file;
  // Only the link, which no program can remove under Wine, and the folders that hold it.
  std::set<std::string> left = addedOnDisk();
  for (const std::string& path :
       SnapshotDisk(sentinel.path().substr(0, sentinel.path().size() - 1)))
    left.erase(Lower(path));
  left.erase(Lower(link));
  left.erase(Lower(folder + "\\Back up"));
  left.erase(Lower(folder));
  EXPECT_EQ(left, std::set<std::string>{});
  expectRegistryAsBefore();
  RemoveDirectoryLink(link);
}

TEST_F(SetupProgram, TheInstalledProgramKeepsItsSettingsInTheUsersProfile) {
  ASSERT_NO_FATAL_FAILURE(install());
  const std::string folder = installFolder();
  const std::set<std::string> installed = SnapshotDisk(folder);

  {
    ChildProcess app = ChildProcess::Start(folder + "\\Prunaxis.exe");
    ASSERT_TRUE(app) << app.error();
    WindowProbe probe(app.id());
    HWND main = probe.waitForWindow("TMainForm", 20000);
    ASSERT_TRUE(main) << probe.describeSeen();
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.waitOrKill(10000));
    EXPECT_EQ(app.exitCode().value_or(1), 0u);
  }
  // Nothing written into the program folder, which a standard user could not write:
  // the default settings went to the profile of the user who ran it.
  EXPECT_EQ(SnapshotDisk(folder), installed);
  std::string config;
  ASSERT_TRUE(sys::ReadFileBytes(settingsFolder() + "\\Config.ini", config));
  EXPECT_EQ(config,
            "[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\n"
            "HideScreenSaver=1\r\nHideSysPatch=0\r\n");
  // The program registered its own component, which the uninstaller removes with it.
  char server[MAX_PATH] = {};
  LONG serverSize = sizeof server;
  ASSERT_EQ(
      RegQueryValueA(HKEY_LOCAL_MACHINE, (std::string(kComponentKey) + "\\InprocServer32").c_str(),
                     server, &serverSize),
      ERROR_SUCCESS);
  EXPECT_EQ(Lower(server), Lower(folder + "\\Rostrel.dll"));

  ASSERT_NO_FATAL_FAILURE(uninstallQuietly(" /PURGE"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kComponentKey));
  EXPECT_EQ(addedOnDisk(), std::set<std::string>{});
  // The component's registration as this build's tests made it may be gone; nothing else.
  const std::set<std::string> registryNow = registry();
  for (const std::string& line : Minus(registryBefore_, registryNow))
    EXPECT_TRUE(line.find("{B840D7A9-1A1F-4A30-8C51-227E5EB10285}") != std::string::npos ||
                line.find("Rostrel.ProgramList") != std::string::npos)
        << line;
  EXPECT_EQ(Minus(registryNow, registryBefore_), std::set<std::string>{});
}

}  // namespace

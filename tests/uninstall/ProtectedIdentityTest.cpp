// Protected folders are recognised by what they are on disk, whatever the spelling,
// and the user's data folders are guarded with everything in them.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/DiskAndRegistry.h"
#include "support/Sandbox.h"
#include "uninstall/ProtectedFolders.h"

namespace {

using testing_support::FolderLink;
using testing_support::MakeDirectoryLink;
using testing_support::PathExists;
using testing_support::RemoveDirectoryLink;
using testing_support::RemoveTree;
using testing_support::SnapshotDisk;
using testing_support::UniqueName;
using uninstall::FolderGuard;
using uninstall::IsProtectedFolder;
using uninstall::ProtectedFolderSet;
using uninstall::SameFolder;

std::string Shell(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::string Env(const char* name) {
  char path[MAX_PATH] = {};
  GetEnvironmentVariableA(name, path, MAX_PATH);
  return path;
}

std::string WithoutBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// The Z: spelling of a path of the prefix ("Z:\<unix path of drive_c>\..."), from
// Wine's own export; "" on Windows.
std::string UnixDriveSpelling(const std::string& path) {
  using ToUnix = char*(__cdecl*)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  char* unix = toUnix(wide);
  if (!unix) return std::string();
  std::string out = std::string("Z:") + unix;
  HeapFree(GetProcessHeap(), 0, unix);
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

// "C:\x" as this machine's administrative share, "\\<host>\C$\x".
std::string AdminShare(const std::string& host, const std::string& path) {
  return "\\\\" + host + "\\" + path.substr(0, 1) + "$" + path.substr(2);
}

// A scratch folder beside the test program, in the build tree: links made here point
// at folders here and nowhere else.
class BuildTreeFolder {
 public:
  BuildTreeFolder() {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    path_ = exe;
    path_ = path_.substr(0, path_.rfind('\\') + 1) + UniqueName("identity");
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~BuildTreeFolder() { RemoveTree(path_); }
  std::string sub(const std::string& name) const {
    const std::string out = path_ + "\\" + name;
    CreateDirectoryA(out.c_str(), nullptr);
    return out;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Folders made for one test in places of the prefix that the code guards; refuses to
// write into a place that is a link (a prefix whose user folders still lead to the
// developer's home), and removes what it made afterwards.
class MadeFolders {
 public:
  ~MadeFolders() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveTree(*it);
  }
  // Makes `parent`\`name` (and `parent` when it is missing); the path.
  std::string make(const std::string& parent, const std::string& name) {
    const DWORD attributes = GetFileAttributesA(parent.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      ADD_FAILURE() << parent << " is a link: the prefix is not sandboxed";
      return std::string();
    }
    if (attributes == INVALID_FILE_ATTRIBUTES && CreateDirectoryA(parent.c_str(), nullptr))
      made_.push_back(parent);
    const std::string path = parent + "\\" + name;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path << ": " << GetLastError();
    made_.push_back(path);
    return path;
  }

 private:
  std::vector<std::string> made_;
};

TEST(ProtectedIdentity, SameFolderFollowsSpellingsAndLinks) {
  BuildTreeFolder scratch;
  const std::string sentinel = scratch.sub("Sentinel");
  const std::string inner = scratch.sub("Sentinel\\Inner");
  const std::string other = scratch.sub("Other");
  const std::string link = scratch.path() + "\\Link";
  const FolderLink made = MakeDirectoryLink(link, sentinel);
  ASSERT_NE(made, FolderLink::None) << "no folder link (error " << GetLastError() << ")";
  const auto before = SnapshotDisk(sentinel);

  EXPECT_TRUE(SameFolder(link, sentinel));
  EXPECT_TRUE(SameFolder(link + "\\Inner", inner));
  EXPECT_TRUE(SameFolder("\\\\?\\" + sentinel, sentinel));
  EXPECT_TRUE(SameFolder(sentinel + "\\..\\Sentinel\\", sentinel));
  // Missing below a link: where it would be once the link is followed.
  EXPECT_TRUE(SameFolder(link + "\\Missing\\Deeper", sentinel + "\\Missing\\Deeper"));
  EXPECT_FALSE(SameFolder(link, other));
  EXPECT_FALSE(SameFolder(link, inner));
  EXPECT_FALSE(SameFolder(link + "\\Missing", other + "\\Missing"));

  // A folder of the prefix by its drive letter and by the Z: drive that maps "/".
  testing_support::TempDir temp;
  const std::string local = WithoutBackslash(temp.path());
  const std::string unix = UnixDriveSpelling(local);
  if (!unix.empty()) {
    EXPECT_TRUE(SameFolder(unix, local)) << unix;
    EXPECT_FALSE(SameFolder(unix, Shell(CSIDL_WINDOWS)));
  }

  // Guarded through the link, as far as each guard reaches.
  const ProtectedFolderSet contents({{sentinel, FolderGuard::Contents}});
  for (const std::string& path :
       {link, link + "\\", link + "\\Inner", link + "\\Missing\\Deeper", scratch.path()})
    EXPECT_TRUE(contents.covers(path)) << path;
  EXPECT_FALSE(contents.covers(other));
  EXPECT_FALSE(contents.covers(other + "\\Inner"));
  const ProtectedFolderSet itself({{sentinel, FolderGuard::Itself}});
  EXPECT_TRUE(itself.covers(link));
  EXPECT_TRUE(itself.covers(scratch.path()));
  EXPECT_FALSE(itself.covers(link + "\\Inner"));
  EXPECT_FALSE(itself.covers(inner));

  // A guarded link guards its target under the target's own name.
  const ProtectedFolderSet guardedLink({{link, FolderGuard::Contents}});
  EXPECT_TRUE(guardedLink.covers(inner));
  EXPECT_TRUE(guardedLink.covers(sentinel + "\\Missing"));
  EXPECT_FALSE(guardedLink.covers(other));
  EXPECT_EQ(SnapshotDisk(sentinel), before);
  EXPECT_TRUE(RemoveDirectoryLink(link));

  // Two names of one file: the same object, though no spelling says so.
  const std::string file = other + "\\data.txt", second = scratch.sub("Second") + "\\data.txt";
  testing_support::WriteTextFile(file);
  ASSERT_TRUE(CreateHardLinkA(second.c_str(), file.c_str(), nullptr)) << GetLastError();
  EXPECT_TRUE(SameFolder(second, file));
  EXPECT_TRUE(ProtectedFolderSet({{file, FolderGuard::Itself}}).covers(second));
  EXPECT_FALSE(SameFolder(second, other + "\\Missing.txt"));
}

TEST(ProtectedIdentity, GuardsEverySpellingOfAProtectedFolder) {
  char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof computer;
  GetComputerNameA(computer, &size);
  const std::string folders[] = {Shell(CSIDL_WINDOWS), Shell(CSIDL_PROGRAM_FILES),
                                 Shell(CSIDL_APPDATA), Shell(CSIDL_PERSONAL),
                                 WithoutBackslash(Env("TEMP"))};
  for (const std::string& folder : folders) {
    ASSERT_GE(folder.size(), 3u);
    std::vector<std::string> spellings = {
        "\\\\?\\" + folder,
        "\\\\.\\" + folder,
        "\\\\?\\UNC\\" + AdminShare("localhost", folder).substr(2),
        AdminShare("localhost", folder),
        AdminShare("LOCALHOST", folder) + "\\",
        AdminShare("127.0.0.1", folder),
        AdminShare(computer, folder),
    };
    if (std::string unix = UnixDriveSpelling(folder); !unix.empty()) {
      spellings.push_back(unix);
      spellings.push_back("\\\\?\\" + unix);
    }
    for (const std::string& path : spellings) EXPECT_TRUE(IsProtectedFolder(path)) << path;
  }
  // The same spellings of folders that a program owns are no more guarded than the
  // plain ones.
  testing_support::TempDir temp;
  const std::string setup = WithoutBackslash(temp.path());
  const std::string app = Shell(CSIDL_PROGRAM_FILES) + "\\SomeApp";
  for (const std::string& folder : {setup, app}) {
    for (const std::string& path : {folder, "\\\\?\\" + folder, AdminShare("localhost", folder),
                                    AdminShare("127.0.0.1", folder),
                                    "\\\\?\\UNC\\" + AdminShare("localhost", folder).substr(2)})
      EXPECT_FALSE(IsProtectedFolder(path)) << path;
  }
  if (std::string unix = UnixDriveSpelling(setup); !unix.empty())
    EXPECT_FALSE(IsProtectedFolder(unix)) << unix;
  // Another share of the same name elsewhere is not this machine's drive.
  EXPECT_FALSE(IsProtectedFolder(AdminShare("otherhost", app)));
}

TEST(ProtectedIdentity, AdministrativeShareOpensTheSameFolder) {
  const std::string windows = Shell(CSIDL_WINDOWS);
  const std::string share = AdminShare("localhost", windows);
  if (GetFileAttributesA((share + "\\").c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "this system does not open " << share << " (error " << GetLastError()
                 << "): such paths are matched by spelling only";
  EXPECT_TRUE(SameFolder(share, windows));
  EXPECT_FALSE(SameFolder(share, Shell(CSIDL_PROGRAM_FILES)));
}

TEST(ProtectedIdentity, GuardsEverythingInTheUsersDataFolders) {
  const std::string name = UniqueName("data");
  const std::string profile = Shell(CSIDL_PROFILE);
  const std::string publicProfile = Env("PUBLIC");
  ASSERT_FALSE(publicProfile.empty());
  MadeFolders made;
  std::vector<std::string> guarded;
  for (const std::string& folder :
       {Shell(CSIDL_MYPICTURES), Shell(CSIDL_PERSONAL), Shell(CSIDL_DESKTOPDIRECTORY),
        Shell(CSIDL_MYMUSIC), Shell(CSIDL_MYVIDEO), Shell(CSIDL_FAVORITES), profile + "\\Downloads",
        profile + "\\Saved Games", profile + "\\Links", profile + "\\Contacts",
        profile + "\\Searches", publicProfile + "\\Documents", publicProfile}) {
    const std::string top = made.make(folder, name);
    guarded.push_back(top);
    guarded.push_back(made.make(top, "Sub"));
    guarded.push_back(top + "\\Missing\\Deeper");
  }
  // Packages and SDKs, whether or not they are installed.
  for (const std::string& root :
       {Shell(CSIDL_PROGRAM_FILES), Shell(CSIDL_PROGRAM_FILESX86), Env("ProgramW6432")}) {
    guarded.push_back(root + "\\WindowsApps\\Vendor.App_1.0_x64");
    guarded.push_back(root + "\\Windows Kits\\10\\bin");
  }
  for (const std::string& path : guarded) {
    EXPECT_TRUE(IsProtectedFolder(path)) << path;
    if (std::string unix = UnixDriveSpelling(path); !unix.empty())
      EXPECT_TRUE(IsProtectedFolder(unix)) << unix;
  }

  // A program's own folders in the user's application data and in Temp may go; the
  // folders themselves may not.
  const std::string roaming = made.make(made.make(Shell(CSIDL_APPDATA), name), "App");
  const std::string local = made.make(Shell(CSIDL_LOCAL_APPDATA), name);
  const std::string localLow = made.make(profile + "\\AppData\\LocalLow", name);
  testing_support::TempDir temp;
  for (const std::string& path : {roaming, local, localLow, WithoutBackslash(temp.path()),
                                  Shell(CSIDL_PROGRAM_FILES) + "\\" + name})
    EXPECT_FALSE(IsProtectedFolder(path)) << path;
  for (const std::string& path : {Shell(CSIDL_APPDATA), profile + "\\AppData\\LocalLow",
                                  WithoutBackslash(Env("TEMP")), profile + "\\AppData"})
    EXPECT_TRUE(IsProtectedFolder(path)) << path;
}

// A profile registered in the machine's profile list for one test, its key removed
// again however the test ends.
class RegisteredProfile {
 public:
  static constexpr char kList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
  RegisteredProfile(const std::string& sid, const std::string& imagePath)
      : key_(std::string(kList) + "\\" + sid) {
    HKEY key = nullptr;
    created_ =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr) == ERROR_SUCCESS;
    if (!created_) return;
    RegSetValueExA(key, "ProfileImagePath", 0, REG_EXPAND_SZ,
                   reinterpret_cast<const BYTE*>(imagePath.c_str()),
                   static_cast<DWORD>(imagePath.size() + 1));
    RegCloseKey(key);
  }
  ~RegisteredProfile() {
    if (created_) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), KEY_WOW64_64KEY, 0);
  }
  bool created() const { return created_; }

  // The profile list's keys, in both views.
  static std::vector<std::string> Keys() {
    std::vector<std::string> names;
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kList, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        continue;
      char name[256];
      for (DWORD i = 0, n = sizeof name;
           RegEnumKeyExA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
           ++i, n = sizeof name)
        names.push_back(name);
      RegCloseKey(key);
    }
    return names;
  }

 private:
  std::string key_;
  bool created_ = false;
};

TEST(ProtectedIdentity, GuardsOtherUsersProfilesFromTheProfileList) {
  const std::string sid = "S-1-5-21-0-0-0-" + std::to_string(70000 + GetCurrentProcessId() % 20000);
  const std::string user = UniqueName("user");
  const std::string profile = Shell(CSIDL_PROFILE);
  const std::string users = profile.substr(0, profile.rfind('\\'));
  const std::string home = users + "\\" + user;
  ASSERT_EQ(home.substr(0, 2), Env("SystemDrive"));
  const std::vector<std::string> before = RegisteredProfile::Keys();
  ASSERT_EQ(std::count(before.begin(), before.end(), sid), 0) << sid;

  MadeFolders made;
  const std::string deep = made.make(made.make(made.make(home, "AppData"), "Roaming"), "Vendor");
  {
    // Stored as Windows stores it, with the system drive as a variable.
    RegisteredProfile registered(sid, "%SystemDrive%" + home.substr(2));
    ASSERT_TRUE(registered.created());
    const ProtectedFolderSet set(uninstall::SystemGuardedFolders());
    for (const std::string& path : {home, deep, deep + "\\App", home + "\\Documents\\Missing"})
      EXPECT_TRUE(set.covers(path)) << path;
    // The user's own profile stays a place where programs keep folders of their own.
    EXPECT_FALSE(set.covers(Shell(CSIDL_APPDATA) + "\\" + user + "\\App"));
    EXPECT_FALSE(set.covers(home + "-other"));
  }
  EXPECT_EQ(RegisteredProfile::Keys(), before);
}

}  // namespace

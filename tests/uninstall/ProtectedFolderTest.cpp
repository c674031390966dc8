// Folders that the scan never lists and removal never deletes.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "support/Sandbox.h"
#include "uninstall/ProtectedFolders.h"

namespace {

using uninstall::IsProtectedFolder;

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

TEST(ProtectedFolder, GuardsEveryKnownFolderAndItsAncestors) {
  struct Case {
    const char* what;
    std::string path;
  };
  const Case cases[] = {
      {"windows", Shell(CSIDL_WINDOWS)},
      {"system", Shell(CSIDL_SYSTEM)},
      {"program files", Shell(CSIDL_PROGRAM_FILES)},
      {"program files x86", Shell(CSIDL_PROGRAM_FILESX86)},
      {"64-bit program files", Env("ProgramW6432")},
      {"common files", Shell(CSIDL_PROGRAM_FILES_COMMON)},
      {"64-bit common files", Env("CommonProgramW6432")},
      {"program data", Shell(CSIDL_COMMON_APPDATA)},
      {"profile", Shell(CSIDL_PROFILE)},
      {"desktop", Shell(CSIDL_DESKTOPDIRECTORY)},
      {"documents", Shell(CSIDL_PERSONAL)},
      {"downloads", Shell(CSIDL_PROFILE) + "\\Downloads"},
      {"roaming app data", Shell(CSIDL_APPDATA)},
      {"local app data", Shell(CSIDL_LOCAL_APPDATA)},
      {"start menu", Shell(CSIDL_STARTMENU)},
      {"common start menu", Shell(CSIDL_COMMON_STARTMENU)},
      {"programs", Shell(CSIDL_PROGRAMS)},
      {"startup", Shell(CSIDL_STARTUP)},
      {"common startup", Shell(CSIDL_COMMON_STARTUP)},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.path.empty()) << c.what;
    EXPECT_TRUE(IsProtectedFolder(c.path)) << c.what << ": " << c.path;
    EXPECT_TRUE(IsProtectedFolder(c.path + "\\")) << c.what;
    // Other letter case, forward slashes.
    std::string lower = c.path;
    CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    EXPECT_TRUE(IsProtectedFolder(lower)) << c.what;
    // Every ancestor, up to the drive root.
    for (size_t cut = c.path.rfind('\\'); cut != std::string::npos && cut > 0;
         cut = c.path.rfind('\\', cut - 1))
      EXPECT_TRUE(IsProtectedFolder(c.path.substr(0, cut))) << c.what << " ancestor";
  }
}

TEST(ProtectedFolder, GuardsRootsTheWindowsTreeAndUncheckablePaths) {
  for (const char* path : {"C:\\", "C:", "c:\\\\", "Z:\\", "\\\\server\\share",
                           "\\\\server\\share\\", "", "relative\\App", "\\NoDrive"})
    EXPECT_TRUE(IsProtectedFolder(path)) << path;
  EXPECT_TRUE(IsProtectedFolder(Shell(CSIDL_WINDOWS) + "\\Vendor\\Deep"));
  EXPECT_TRUE(IsProtectedFolder(Shell(CSIDL_WINDOWS) + "\\..\\windows\\Fonts"));
}

TEST(ProtectedFolder, LeavesProgramFoldersAndLookAlikesAlone) {
  testing_support::TempDir temp;
  const std::string programFiles = Shell(CSIDL_PROGRAM_FILES);
  for (const std::string& path :
       {programFiles + "\\SomeApp", programFiles + "\\Common Files\\Vendor",
        Shell(CSIDL_APPDATA) + "\\Vendor", Shell(CSIDL_PROFILE) + "\\Documents2",
        Shell(CSIDL_WINDOWS) + "Apps", std::string("\\\\server\\share\\App"), temp.path(),
        Shell(CSIDL_PROFILE) + "\\Downloads2\\Tool"})
    EXPECT_FALSE(IsProtectedFolder(path)) << path;
}

}  // namespace

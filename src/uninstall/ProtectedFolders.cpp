#include "uninstall/ProtectedFolders.h"

#include <shlobj.h>

#include <algorithm>

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Shell.h"

namespace uninstall {
namespace {

bool IsAbsolute(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return true;
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

void AddFolder(std::vector<std::string>& list, const std::string& path) {
  if (std::string n = NormalisedFolder(path); !n.empty()) list.push_back(n);
}

const std::string& WindowsFolder() {
  static const std::string folder = [] {
    const std::string windows = sys::WindowsDirectory();
    // A marker no normalised path equals, when the folder cannot be asked for.
    return windows.empty() ? std::string("?") : NormalisedFolder(windows);
  }();
  return folder;
}

std::vector<std::string> BuildList() {
  std::vector<std::string> list;
  list.push_back(WindowsFolder());
  for (int csidl : {CSIDL_PROGRAM_FILES,
                    CSIDL_PROGRAM_FILESX86,
                    CSIDL_PROGRAM_FILES_COMMON,
                    CSIDL_PROGRAM_FILES_COMMONX86,
                    CSIDL_COMMON_APPDATA,
                    CSIDL_PROFILE,
                    CSIDL_DESKTOPDIRECTORY,
                    CSIDL_COMMON_DESKTOPDIRECTORY,
                    CSIDL_PERSONAL,
                    CSIDL_COMMON_DOCUMENTS,
                    CSIDL_APPDATA,
                    CSIDL_LOCAL_APPDATA,
                    CSIDL_STARTMENU,
                    CSIDL_COMMON_STARTMENU,
                    CSIDL_PROGRAMS,
                    CSIDL_COMMON_PROGRAMS,
                    CSIDL_STARTUP,
                    CSIDL_COMMON_STARTUP,
                    CSIDL_SYSTEM,
                    CSIDL_SYSTEMX86})
    AddFolder(list, sys::SpecialFolderPath(csidl));
  // The 64-bit view's roots, which a 32-bit process's shell folders do not give.
  for (const char* name : {"ProgramW6432", "CommonProgramW6432", "ProgramFiles",
                           "CommonProgramFiles", "ProgramData", "USERPROFILE", "PUBLIC"})
    AddFolder(list, sys::EnvironmentVariable(name));
  // Downloads has no CSIDL; it sits in the profile.
  if (std::string profile = sys::SpecialFolderPath(CSIDL_PROFILE); !profile.empty())
    list.push_back(NormalisedFolder(profile + "\\Downloads"));
  return list;
}

// `ancestor` contains `path` (both normalised).
bool Contains(const std::string& ancestor, const std::string& path) {
  return path.size() > ancestor.size() && path.compare(0, ancestor.size(), ancestor) == 0 &&
         path[ancestor.size()] == '\\';
}

bool IsRoot(const std::string& n) {
  if (n.size() == 2 && n[1] == ':') return true;
  if (n.size() > 2 && n[0] == '\\' && n[1] == '\\') {
    // \\server or \\server\share
    return std::count(n.begin() + 2, n.end(), '\\') <= 1;
  }
  return false;
}

}  // namespace

std::string NormalisedFolder(const std::string& path) {
  if (!IsAbsolute(path)) return std::string();
  std::string out = sys::FullPathName(path);
  if (out.empty()) return std::string();
  // A short (8.3) spelling names the same folder as the long one.
  out = sys::LongPathName(out);
  std::replace(out.begin(), out.end(), '/', '\\');
  while (out.size() > 2 && out.back() == '\\') out.pop_back();
  return sys::UpperCase(out);
}

const std::vector<std::string>& ProtectedFolderList() {
  static const std::vector<std::string> list = BuildList();
  return list;
}

bool IsProtectedFolder(const std::string& path) {
  std::string n = NormalisedFolder(path);
  if (n.empty() || IsRoot(n)) return true;
  const std::vector<std::string>& list = ProtectedFolderList();
  for (size_t i = 0; i < list.size(); ++i) {
    if (n == list[i] || Contains(n, list[i])) return true;
  }
  return Contains(WindowsFolder(), n);  // anything below the Windows folder
  return false;
}

}  // namespace uninstall

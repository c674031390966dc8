#include "uninstall/ProtectedFolders.h"

#include <shlobj.h>
#include <knownfolders.h>

#include <algorithm>
#include <string_view>

#include "sys/BackupFiles.h"
#include "sys/Environment.h"
#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/KnownFolders.h"
#include "sys/Registry.h"
#include "sys/Shell.h"

namespace uninstall {
namespace {

bool IsAbsolute(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return true;
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         sys::SameTextIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// This machine, by the names a path on one of its own shares may give it.
bool IsThisMachine(std::string_view server) {
  if (sys::SameTextIgnoringCase(server, "localhost") || server == "127.0.0.1") return true;
  static const std::string computer = sys::ComputerName();
  return !computer.empty() && sys::SameTextIgnoringCase(server, computer);
}

// "\\?\C:\x" -> "C:\x", "\\?\UNC\s\h\x" and "\\.\UNC\s\h\x" -> "\\s\h\x",
// "\\.\C:\x" -> "C:\x", "\\localhost\C$\x" -> "C:\x".
std::string PlainSpelling(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  for (std::string_view device : {"\\\\?\\", "\\\\.\\"}) {
    if (!StartsWith(path, device)) continue;
    if (StartsWith(std::string_view(path).substr(4), "UNC\\"))
      path = "\\\\" + path.substr(8);
    else
      path = path.substr(4);
    break;
  }
  if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    const size_t serverEnd = path.find('\\', 2);
    if (serverEnd != std::string::npos &&
        IsThisMachine(std::string_view(path).substr(2, serverEnd - 2))) {
      // An administrative share: one drive letter and "$", then the end or a backslash.
      const std::string_view share = std::string_view(path).substr(serverEnd + 1);
      const char drive = share.empty() ? '\0' : share[0];
      if (((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && share.size() >= 2 &&
          share[1] == '$' && (share.size() == 2 || share[2] == '\\'))
        path = std::string(1, drive) + ":\\" +
               std::string(share.substr(std::min<size_t>(3, share.size())));
    }
  }
  return path;
}

// Full path in the plain form and the case the caller wrote, without a final
// backslash ("C:" for the root); "" when not absolute.
std::string PlainFullPath(const std::string& path) {
  const std::string plain = PlainSpelling(path);
  if (!IsAbsolute(plain)) return std::string();
  std::string out = sys::FullPathName(plain);
  if (out.empty()) return std::string();
  // A short (8.3) spelling names the same folder as the long one; every short name
  // has a "~", and asking for the long form costs a folder listing per part.
  if (out.find('~') != std::string::npos) out = sys::LongPathName(out);
  std::replace(out.begin(), out.end(), '/', '\\');
  while (out.size() > 2 && out.back() == '\\') out.pop_back();
  return out;
}

std::string Compared(std::string path) {
  while (path.size() > 2 && path.back() == '\\') path.pop_back();
  return sys::UpperCase(path);
}

bool IsRoot(const std::string& n) {
  if (n.size() == 2 && n[1] == ':') return true;
  if (n.size() > 2 && n[0] == '\\' && n[1] == '\\') {
    // \\server or \\server\share
    return std::count(n.begin() + 2, n.end(), '\\') <= 1;
  }
  return false;
}

// `ancestor` contains `path` (both normalised).
bool Contains(const std::string& ancestor, const std::string& path) {
  return path.size() > ancestor.size() && path.compare(0, ancestor.size(), ancestor) == 0 &&
         path[ancestor.size()] == '\\';
}

// What to hand CreateFile for a plain full path: roots with their backslash (plain
// "C:" is the drive's current folder), long paths in the "\\?\" form.
std::string OpenSpelling(const std::string& full) {
  std::string out = IsRoot(full) ? full + "\\" : full;
  if (out.size() < MAX_PATH) return out;
  if (out[0] == '\\') return "\\\\?\\UNC\\" + out.substr(2);
  return "\\\\?\\" + out;
}

ProtectedFolderSet::Names NamesOf(const std::string& path) {
  ProtectedFolderSet::Names names;
  const std::string full = PlainFullPath(path);
  if (full.empty()) return names;
  names.spelling = Compared(full);
  // The deepest part of the path that exists says where the rest would be.
  std::string head = full, tail;
  for (;;) {
    if (std::optional<sys::ResolvedPath> found = sys::ResolvePath(OpenSpelling(head))) {
      if (tail.empty()) names.identity = found->identity;
      std::string base = found->finalPath.empty() ? head : found->finalPath;
      while (base.size() > 2 && base.back() == '\\') base.pop_back();
      names.resolved = Compared(tail.empty() ? base : base + "\\" + tail);
      break;
    }
    const size_t cut = head.rfind('\\');
    if (IsRoot(head) || cut == std::string::npos || cut < 2) break;
    tail = tail.empty() ? head.substr(cut + 1) : head.substr(cut + 1) + "\\" + tail;
    head.resize(cut);
  }
  return names;
}

void Add(std::vector<GuardedFolder>& list, const std::string& path, FolderGuard guard) {
  if (!path.empty()) list.push_back({path, guard});
}

std::string Child(const std::string& folder, const char* name) {
  return folder.empty() ? std::string() : sys::ExcludeTrailingBackslash(folder) + "\\" + name;
}

std::vector<std::string> ProgramFilesRoots() {
  return {sys::SpecialFolderPath(CSIDL_PROGRAM_FILES),
          sys::SpecialFolderPath(CSIDL_PROGRAM_FILESX86), sys::EnvironmentVariable("ProgramW6432"),
          sys::EnvironmentVariable("ProgramFiles"), sys::EnvironmentVariable("ProgramFiles(x86)")};
}

// The user's own folders whose whole contents are the user's: by the shell's id,
// by CSIDL where one exists, and at their default place in the profile (a folder
// moved elsewhere may have left data behind there).
void AddUserDataFolders(std::vector<GuardedFolder>& list, const std::string& profile) {
  struct DataFolder {
    const KNOWNFOLDERID* id;
    int csidl;
    const char* inProfile;
  };
  const DataFolder folders[] = {
      {&FOLDERID_Desktop, CSIDL_DESKTOPDIRECTORY, "Desktop"},
      {&FOLDERID_Documents, CSIDL_PERSONAL, "Documents"},
      {&FOLDERID_Downloads, -1, "Downloads"},
      {&FOLDERID_Pictures, CSIDL_MYPICTURES, "Pictures"},
      {&FOLDERID_Music, CSIDL_MYMUSIC, "Music"},
      {&FOLDERID_Videos, CSIDL_MYVIDEO, "Videos"},
      {&FOLDERID_SavedGames, -1, "Saved Games"},
      {&FOLDERID_Favorites, CSIDL_FAVORITES, "Favorites"},
      {&FOLDERID_Links, -1, "Links"},
      {&FOLDERID_Contacts, -1, "Contacts"},
      {&FOLDERID_SavedSearches, -1, "Searches"},
      {&FOLDERID_SkyDrive, -1, "OneDrive"},
      {&FOLDERID_Public, -1, nullptr},
      {&FOLDERID_PublicDesktop, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr},
      {&FOLDERID_PublicDocuments, CSIDL_COMMON_DOCUMENTS, nullptr},
      {&FOLDERID_PublicDownloads, -1, nullptr},
      {&FOLDERID_PublicMusic, CSIDL_COMMON_MUSIC, nullptr},
      {&FOLDERID_PublicPictures, CSIDL_COMMON_PICTURES, nullptr},
      {&FOLDERID_PublicVideos, CSIDL_COMMON_VIDEO, nullptr},
  };
  for (const DataFolder& folder : folders) {
    Add(list, sys::KnownFolderPath(*folder.id), FolderGuard::Contents);
    if (folder.csidl >= 0) Add(list, sys::SpecialFolderPath(folder.csidl), FolderGuard::Contents);
    if (folder.inProfile) Add(list, Child(profile, folder.inProfile), FolderGuard::Contents);
  }
  for (const char* name : {"PUBLIC", "OneDrive", "OneDriveConsumer", "OneDriveCommercial"})
    Add(list, sys::EnvironmentVariable(name), FolderGuard::Contents);
}

// Every profile the machine has registered, and the folders the list itself names.
void AddProfiles(std::vector<GuardedFolder>& list, const std::vector<std::string>& ownProfiles) {
  const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
  for (sys::RegView view : {sys::RegView::Wow64, sys::RegView::Wow32}) {
    const sys::RegKey profiles(HKEY_LOCAL_MACHINE, key, view);
    auto expanded = [](const std::optional<std::string>& text) {
      return text ? sys::ExpandEnvironmentText(*text) : std::string();
    };
    Add(list, expanded(profiles.readString("ProfilesDirectory")), FolderGuard::Itself);
    Add(list, expanded(profiles.readString("ProgramData")), FolderGuard::Itself);
    Add(list, expanded(profiles.readString("Public")), FolderGuard::Contents);
    if (std::string base = expanded(profiles.readString("ProfilesDirectory")); !base.empty()) {
      const std::string defaultName = expanded(profiles.readString("Default"));
      // "Default" holds a full path on current systems, a name below the profiles
      // folder on older ones.
      Add(list, IsAbsolute(defaultName) ? defaultName : Child(base, "Default"),
          FolderGuard::Contents);
    }
    for (const std::string& sid : profiles.subKeys()) {
      const std::string path = expanded(profiles.child(sid).readString("ProfileImagePath"));
      if (path.empty()) continue;
      const bool own = std::any_of(ownProfiles.begin(), ownProfiles.end(),
                                   [&](const std::string& p) { return SameFolder(p, path); });
      Add(list, path, own ? FolderGuard::Itself : FolderGuard::Contents);
    }
  }
}

}  // namespace

ProtectedFolderSet::ProtectedFolderSet(const std::vector<GuardedFolder>& folders) {
  for (const GuardedFolder& folder : folders) {
    // Roots are refused on their own; as a guarded folder whose contents are kept
    // one would keep the whole drive.
    Names names = NamesOf(folder.path);
    if (names.spelling.empty() || IsRoot(names.spelling)) continue;
    if (IsRoot(names.resolved)) {
      names.resolved.clear();
      names.identity.reset();
    }
    auto same = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
      return e.names.spelling == names.spelling && e.names.resolved == names.resolved;
    });
    if (same != entries_.end()) {
      if (folder.guard == FolderGuard::Contents) same->guard = FolderGuard::Contents;
      continue;
    }
    paths_.push_back(names.spelling);
    entries_.push_back({std::move(names), folder.guard});
  }
}

bool ProtectedFolderSet::covers(const std::string& path) const {
  const Names names = NamesOf(path);
  if (names.spelling.empty() || IsRoot(names.spelling)) return true;
  if (!names.resolved.empty() && IsRoot(names.resolved)) return true;
  const std::string* mine[] = {&names.spelling, &names.resolved};
  for (const Entry& entry : entries_) {
    if (names.identity && entry.names.identity && *names.identity == *entry.names.identity)
      return true;
    for (const std::string* guarded : {&entry.names.spelling, &entry.names.resolved}) {
      if (guarded->empty()) continue;
      for (const std::string* name : mine) {
        if (name->empty()) continue;
        if (*name == *guarded || Contains(*name, *guarded)) return true;
        if (entry.guard == FolderGuard::Contents && Contains(*guarded, *name)) return true;
      }
    }
  }
  return false;
}

std::vector<GuardedFolder> SystemGuardedFolders() {
  std::vector<GuardedFolder> list;
  Add(list, sys::WindowsDirectory(), FolderGuard::Contents);
  for (const std::string& path : sys::AllKnownFolderPaths()) Add(list, path, FolderGuard::Itself);
  // The CSIDL folders too: all the known folders on systems without the manager, and
  // on all others the same folders again.
  for (int csidl : {CSIDL_WINDOWS,
                    CSIDL_SYSTEM,
                    CSIDL_SYSTEMX86,
                    CSIDL_PROGRAM_FILES,
                    CSIDL_PROGRAM_FILESX86,
                    CSIDL_PROGRAM_FILES_COMMON,
                    CSIDL_PROGRAM_FILES_COMMONX86,
                    CSIDL_COMMON_APPDATA,
                    CSIDL_PROFILE,
                    CSIDL_APPDATA,
                    CSIDL_LOCAL_APPDATA,
                    CSIDL_STARTMENU,
                    CSIDL_COMMON_STARTMENU,
                    CSIDL_PROGRAMS,
                    CSIDL_COMMON_PROGRAMS,
                    CSIDL_STARTUP,
                    CSIDL_COMMON_STARTUP,
                    CSIDL_TEMPLATES,
                    CSIDL_COMMON_TEMPLATES,
                    CSIDL_SENDTO,
                    CSIDL_RECENT,
                    CSIDL_NETHOOD,
                    CSIDL_PRINTHOOD,
                    CSIDL_INTERNET_CACHE,
                    CSIDL_COOKIES,
                    CSIDL_HISTORY,
                    CSIDL_FONTS,
                    CSIDL_ADMINTOOLS,
                    CSIDL_COMMON_ADMINTOOLS,
                    CSIDL_RESOURCES,
                    CSIDL_CDBURN_AREA})
    Add(list, sys::SpecialFolderPath(csidl), FolderGuard::Itself);
  // The 64-bit view's roots, which a 32-bit process's shell folders do not give.
  for (const char* name :
       {"ProgramW6432", "CommonProgramW6432", "ProgramFiles", "ProgramFiles(x86)",
        "CommonProgramFiles", "CommonProgramFiles(x86)", "ProgramData", "ALLUSERSPROFILE",
        "USERPROFILE", "APPDATA", "LOCALAPPDATA", "SystemRoot", "windir"})
    Add(list, sys::EnvironmentVariable(name), FolderGuard::Itself);

  const std::string profile = sys::SpecialFolderPath(CSIDL_PROFILE);
  Add(list, sys::KnownFolderPath(FOLDERID_UserProfiles), FolderGuard::Itself);
  Add(list, sys::KnownFolderPath(FOLDERID_LocalAppDataLow), FolderGuard::Itself);
  Add(list, Child(profile, "AppData\\LocalLow"), FolderGuard::Itself);
  Add(list, Child(profile, "AppData"), FolderGuard::Itself);
  // Temp itself: a setup's own folder in it may go.
  Add(list, sys::ExcludeTrailingBackslash(sys::TempDirectory()), FolderGuard::Itself);
  for (const char* name : {"TEMP", "TMP"})
    Add(list, sys::EnvironmentVariable(name), FolderGuard::Itself);
  Add(list, Child(sys::SpecialFolderPath(CSIDL_LOCAL_APPDATA), "Temp"), FolderGuard::Itself);

  AddUserDataFolders(list, profile);
  AddProfiles(list, {profile, sys::EnvironmentVariable("USERPROFILE")});
  for (const std::string& root : ProgramFilesRoots()) {
    Add(list, Child(root, "WindowsApps"), FolderGuard::Contents);
    Add(list, Child(root, "Windows Kits"), FolderGuard::Contents);
  }
  return list;
}

const ProtectedFolderSet& ProtectedFolders() {
  static const ProtectedFolderSet set(SystemGuardedFolders());
  return set;
}

bool IsProtectedFolder(const std::string& path) {
  return ProtectedFolders().covers(path);
}

const std::vector<std::string>& ProtectedFolderList() {
  return ProtectedFolders().paths();
}

std::string NormalisedFolder(const std::string& path) {
  const std::string full = PlainFullPath(path);
  return full.empty() ? std::string() : Compared(full);
}

bool SameFolder(const std::string& a, const std::string& b) {
  const ProtectedFolderSet::Names first = NamesOf(a), second = NamesOf(b);
  if (first.spelling.empty() || second.spelling.empty()) return false;
  if (first.identity && second.identity) return *first.identity == *second.identity;
  if (first.spelling == second.spelling) return true;
  return !first.resolved.empty() && first.resolved == second.resolved;
}

}  // namespace uninstall

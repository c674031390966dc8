// The whole leftover search against a bare walk of the same places, in the same run.
//
// Lays down the sample installations of the common installer shapes (with their
// bystanders) and, around them, `entries` other programs: an uninstall entry each
// (both machine views and the user's, in turn), vendor keys below HKCU and HKLM in
// the entry's view, an install folder of `files` files and a roaming folder. Then takes
// each shape's program as the main window does when its uninstall starts, lets its
// uninstaller "run" (entry and program files go), and times per round, for every
// shape, FindLeftovers (with the read of the other entries it judges against) and a
// bare walk of the same places read without matching or grading:
//   - the four classic passes' start keys, walked with the same exclusions;
//   - every uninstall entry with its values; the names below the software key of
//     each root and view the search tells apart;
//   - the Installer keys of products, features and upgrade codes (the machine's and
//     the user's), and the system's UserData products; App Paths and the Run and
//     RunOnce keys with their values, in every root and view the search reads;
//   - every class of the user and of the machine (each view the search reads) with
//     its default value and its open command, the Applications keys among them;
//   - one level of the data folders (roaming, local, local programs, LocalLow,
//     ProgramData): the search goes deeper only into what fits the program;
//   - the Start menus and desktops, each shortcut's bytes read;
//   - the program's install folder (or its icon's folder), every file in it.
// Prints the medians per shape (and how much of the search went to reading the other
// entries) and of the totals, and the ratio (goal <= 1.5).
// Everything it wrote is removed again.
//
// Usage: leftover_scan_bench [entries] [files] [rounds]   (defaults 300, 10 and 3)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fixtures/shapes/Layout.h"
#include "fixtures/shapes/Shapes.h"
#include "support/Sandbox.h"
#include "support/SharedPlaces.h"
#include "sys/BackupFiles.h"
#include "sys/ComInit.h"
#include "sys/FileOps.h"
#include "sys/Text.h"
#include "sys/Files.h"
#include "uninstall/FolderTraces.h"
#include "uninstall/LeftoverSearch.h"
#include "uninstall/TraceSearch.h"
#include "uninstall/UninstallTarget.h"

namespace {

using sys::RegView;

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kVendorStem[] = "Pxb Vendor ";
constexpr char kProductStem[] = "Pxb Tool ";

std::string Numbered(const char* stem, int i) {
  char text[64];
  std::snprintf(text, sizeof text, "%s%03d", stem, i);
  return text;
}

// Where the i-th other program lives: the machine's 64-bit and 32-bit views and the
// user's, in turn.
struct OtherPlace {
  HKEY root;
  RegView view;
  std::string programs;
};

OtherPlace PlaceOf(int i, const shapes::Places& p) {
  switch (i % 3) {
    case 0:
      return {HKEY_LOCAL_MACHINE, RegView::Wow64, p.programFiles64};
    case 1:
      return {HKEY_LOCAL_MACHINE, RegView::Wow32, p.programFiles32};
    default:
      return {HKEY_CURRENT_USER, RegView::Default, shapes::Join(p.localAppData, "Programs")};
  }
}

// The other programs, as data only a removal needs: what was written is recorded.
void OtherPrograms(shapes::Layout& l, const shapes::Places& p, int entries, int files) {
  const std::string text(700, 'x');
  for (int i = 0; i < entries; ++i) {
    const std::string vendor = Numbered(kVendorStem, i), product = Numbered(kProductStem, i);
    const OtherPlace place = PlaceOf(i, p);
    const std::string dir = shapes::Join(place.programs, vendor + "\\" + product);
    l.folder(shapes::Role::Bystander, shapes::Join(place.programs, vendor));
    for (int f = 0; f < files; ++f)
      l.content(shapes::Join(dir, "part" + std::to_string(f) + ".dat"), text);
    l.programCopy(shapes::Join(dir, product + ".exe"));
    l.key(shapes::Role::Bystander, place.root, place.view, std::string(kUninstall) + "\\" + product,
          {shapes::Text("DisplayName", product), shapes::Text("Publisher", vendor),
           shapes::Text("InstallLocation", dir),
           shapes::Text("DisplayIcon", dir + "\\" + product + ".exe"),
           shapes::Text("UninstallString", "\"" + dir + "\\uninstall.exe\" /S")});
    // The user's settings, and the machine's in the entry's view for machine programs.
    std::vector<std::pair<HKEY, RegView>> roots = {{HKEY_CURRENT_USER, RegView::Default}};
    if (place.root == HKEY_LOCAL_MACHINE) roots.push_back({HKEY_LOCAL_MACHINE, place.view});
    for (const auto& [root, view] : roots) {
      const std::string key = "Software\\" + vendor;
      l.key(shapes::Role::Bystander, root, view, key);
      l.subkey(root, view, key + "\\" + product,
               {shapes::Text("InstallPath", dir), shapes::Number("Runs", 3)});
      l.subkey(root, view, key + "\\" + product + "\\Settings", {shapes::Text("Theme", "Blue")});
    }
    const std::string roaming = shapes::Join(p.appData, vendor);
    l.folder(shapes::Role::Bystander, roaming);
    l.content(shapes::Join(roaming, product + "\\settings.ini"), text);
    l.content(shapes::Join(roaming, product + "\\history.log"), text);
  }
}

// --- the bare walk ---------------------------------------------------------------

struct Counts {
  long keys = 0, values = 0, entries = 0, bytes = 0;
};

HKEY Open(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, sys::Widen(path).c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

std::vector<std::wstring> SubKeys(HKEY key) {
  std::vector<std::wstring> out;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    out.emplace_back(name, len);
  }
  return out;
}

void ReadValues(HKEY key, Counts& c) {
  wchar_t name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = 512, dataLen = sizeof data, type = 0;
    const LONG rc = RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data, &dataLen);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) break;
    ++c.values;
  }
}

void ReadDefault(HKEY root, const std::wstring& path, REGSAM view, Counts& c) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return;
  BYTE data[2048];
  DWORD len = sizeof data;
  if (RegQueryValueExW(key, nullptr, nullptr, nullptr, data, &len) == ERROR_SUCCESS) ++c.values;
  RegCloseKey(key);
}

const char* const kExcluded[] = {
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\INSTALLER\\USERDATA\\S-1-5-18\\COMPONENTS",
    "SOFTWARE\\CLASSES", "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\SIDEBYSIDE",
    "SOFTWARE\\MICROSOFT"};

void WalkTree(HKEY root, const std::string& path, REGSAM view, Counts& c, bool top = true) {
  const std::string upper = sys::UpperCase(path);
  for (const char* excluded : kExcluded)
    if (!top && upper == excluded) return;
  if (upper == "SOFTWARE\\WOW6432NODE" && view == KEY_WOW64_64KEY) return;
  HKEY key = Open(root, path, view);
  if (!key) return;
  ++c.keys;
  const std::vector<std::wstring> subs = SubKeys(key);
  RegCloseKey(key);
  for (const std::wstring& sub : subs)
    WalkTree(root, path + "\\" + sys::Narrow(sub), view, c, false);
}

// Every sub-key of `path` (to `depth` levels), with its values read at the last level.
void WalkLevels(HKEY root, const std::string& path, REGSAM view, int depth, Counts& c) {
  HKEY key = Open(root, path, view);
  if (!key) return;
  ++c.keys;
  if (depth == 0) ReadValues(key, c);
  const std::vector<std::wstring> subs = depth > 0 ? SubKeys(key) : std::vector<std::wstring>();
  RegCloseKey(key);
  for (const std::wstring& sub : subs)
    WalkLevels(root, path + "\\" + sys::Narrow(sub), view, depth - 1, c);
}

// Every class with its default value and its open command; then the same for the
// Applications keys below them.
void WalkClasses(HKEY root, const std::string& path, REGSAM view, Counts& c,
                 bool applications = true) {
  HKEY key = Open(root, path, view);
  if (!key) return;
  const std::vector<std::wstring> subs = SubKeys(key);
  RegCloseKey(key);
  const std::wstring base = sys::Widen(path) + L"\\";
  for (const std::wstring& sub : subs) {
    ++c.keys;
    ReadDefault(root, base + sub, view, c);
    ReadDefault(root, base + sub + L"\\shell\\open\\command", view, c);
  }
  if (applications) WalkClasses(root, path + "\\Applications", view, c, false);
}

void ListFolderLevels(const std::string& folder, int depth, Counts& c) {
  for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
    ++c.entries;
    if (depth > 1 && entry.isFolder() && !entry.isLink())
      ListFolderLevels(folder + "\\" + entry.name, depth - 1, c);
  }
}

void ReadShortcuts(const std::string& folder, Counts& c) {
  for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
    const std::string path = folder + "\\" + entry.name;
    ++c.entries;
    if (entry.isFolder() && !entry.isLink()) {
      ReadShortcuts(path, c);
    } else if (!entry.isFolder()) {
      std::string bytes;
      if (sys::ReadFileBytes(path, bytes)) c.bytes += static_cast<long>(bytes.size());
    }
  }
}

void ListTree(const std::string& folder, Counts& c) {
  for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
    ++c.entries;
    if (entry.isFolder() && !entry.isLink()) ListTree(folder + "\\" + entry.name, c);
  }
}

// The sub-key names of `path`, without opening them.
void ListSubKeys(HKEY root, const std::string& path, REGSAM view, Counts& c) {
  HKEY key = Open(root, path, view);
  if (!key) return;
  ++c.keys;
  c.keys += static_cast<long>(SubKeys(key).size());
  RegCloseKey(key);
}

// The places of `path` in the user's root and in the machine's (one per view that
// differs), as the search tells them apart.
std::vector<sys::RegKey> Areas(const std::string& path) {
  std::vector<sys::RegKey> areas = uninstall::RegistryAreas(HKEY_CURRENT_USER, path);
  for (sys::RegKey& key : uninstall::RegistryAreas(HKEY_LOCAL_MACHINE, path))
    areas.push_back(std::move(key));
  return areas;
}

REGSAM Flags(const sys::RegKey& key) {
  return sys::ViewFlags(key.view());
}

Counts BareWalk(const shapes::Places& p, const std::string& programFolder) {
  Counts c;
  const REGSAM views[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
  WalkTree(HKEY_CLASSES_ROOT, "Installer\\Products", 0, c);
  WalkTree(HKEY_CURRENT_USER, "SOFTWARE", 0, c);
  for (REGSAM view : views) {
    WalkTree(HKEY_LOCAL_MACHINE, "SOFTWARE", view, c);
    WalkTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows", view, c);
  }
  WalkLevels(HKEY_CURRENT_USER, kUninstall, 0, 1, c);
  for (REGSAM view : views) WalkLevels(HKEY_LOCAL_MACHINE, kUninstall, view, 1, c);
  for (const sys::RegKey& software : Areas("SOFTWARE"))
    ListSubKeys(software.root(), software.path(), Flags(software), c);
  for (const sys::RegKey& appPaths :
       Areas("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"))
    WalkLevels(appPaths.root(), appPaths.path(), Flags(appPaths), 1, c);
  for (const char* run : {"Run", "RunOnce"})
    for (const sys::RegKey& key :
         Areas(std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\") + run))
      WalkLevels(key.root(), key.path(), Flags(key), 0, c);
  std::vector<sys::RegKey> installers =
      uninstall::RegistryAreas(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Installer");
  for (sys::RegKey& user :
       uninstall::RegistryAreas(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Installer"))
    installers.push_back(std::move(user));
  for (const sys::RegKey& installer : installers)
    for (const char* part : {"Products", "Features", "UpgradeCodes"})
      WalkLevels(installer.root(), installer.path() + "\\" + part, Flags(installer), 1, c);
  for (const sys::RegKey& userData : uninstall::RegistryAreas(
           HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData"))
    WalkLevels(userData.root(), userData.path() + "\\S-1-5-18\\Products", Flags(userData), 1, c);
  for (const sys::RegKey& classes : Areas("SOFTWARE\\Classes"))
    WalkClasses(classes.root(), classes.path(), Flags(classes), c);

  // One level of the data folders: the search enters only what fits the program.
  for (const std::string& folder : uninstall::DataFolderRoots()) ListFolderLevels(folder, 1, c);
  for (const std::string& folder :
       {p.userPrograms, p.commonPrograms, p.userDesktop, p.commonDesktop})
    ReadShortcuts(folder, c);
  if (!programFolder.empty()) ListTree(programFolder, c);
  return c;
}

// --- timing ---------------------------------------------------------------------

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

template <typename F>
double TimeMs(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

struct Program {
  std::string shape;
  uninstall::UninstallTarget target;
  std::string folder;  // what the bare walk lists of the program's own files
  std::vector<double> scanMs, bareMs;
  std::vector<double> othersMs;  // of scanMs: reading the other entries
  size_t keys = 0, files = 0;
};

size_t CountEntries(const std::vector<uninstall::FileEntry>& entries) {
  size_t n = 0;
  for (const uninstall::FileEntry& e : entries) n += 1 + CountEntries(e.children);
  return n;
}

uninstall::UninstallTarget TargetOf(const shapes::Manifest& m) {
  return uninstall::ReadUninstallTarget(m.entryRoot, m.entryView, m.entryKeyName);
}

std::string ProgramFolderOf(const uninstall::UninstallTarget& target) {
  if (!target.installDir.empty()) return target.installDir;
  return uninstall::CommandFolder(target.displayIcon);
}

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::max(0, std::atoi(argv[1])) : 300;
  const int files = argc > 2 ? std::max(0, std::atoi(argv[2])) : 10;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  testing_support::SharedPlacesGuard keepPrefix(testing_support::PlacesOfThisRun());
  sys::ComApartment com;
  int status = 0;

  const shapes::Places places = shapes::CurrentPlaces();
  const std::string app = testing_support::FixturesDir() + "SampleApp.exe";
  // What an earlier run that was stopped may have left goes first.
  std::vector<shapes::Manifest> written(shapes::ShapeIds().size() + 1);
  {
    shapes::Manifest old;
    shapes::Layout recorder(old, false, app);
    OtherPrograms(recorder, places, entries, files);
    for (const std::string& id : shapes::ShapeIds()) shapes::LayDownShape(id, places, recorder);
    shapes::RemoveTraces(old);
  }
  std::vector<Program> programs;
  try {
    shapes::Layout others(written[0], true, app);
    OtherPrograms(others, places, entries, files);
    for (size_t i = 0; i < shapes::ShapeIds().size(); ++i) {
      shapes::Layout layout(written[i + 1], true, app);
      shapes::LayDownShape(shapes::ShapeIds()[i], places, layout);
    }
    for (size_t i = 1; i < written.size(); ++i) {
      Program program;
      program.shape = written[i].shape;
      program.target = TargetOf(written[i]);
      program.folder = ProgramFolderOf(program.target);
      programs.push_back(std::move(program));
      // Its uninstaller runs: the entry and the program's own files go.
      shapes::Manifest removed = written[i];
      removed.traces.clear();
      for (const shapes::Trace* t : written[i].withRole(shapes::Role::Removed))
        removed.traces.push_back(*t);
      shapes::RemoveTraces(removed);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "could not lay the samples down: %s\n", e.what());
    status = 1;
  }

  Counts walked;
  for (int round = 0; status == 0 && round < rounds; ++round) {
    for (Program& program : programs) {
      // Alternate which goes first, so that neither always meets a cold cache.
      auto scan = [&] {
        program.scanMs.push_back(TimeMs([&] {
          std::vector<uninstall::InstalledEntry> others;
          program.othersMs.push_back(
              TimeMs([&] { others = uninstall::ReadOtherEntries(program.target); }));
          const uninstall::ScanFindings found = uninstall::FindLeftovers(program.target, others);
          program.keys = found.keys.size();
          program.files = CountEntries(found.files);
        }));
      };
      auto bare = [&] {
        program.bareMs.push_back(TimeMs([&] { walked = BareWalk(places, program.folder); }));
      };
      if (round % 2 == 0) {
        scan();
        bare();
      } else {
        bare();
        scan();
      }
    }
  }

  for (auto it = written.rbegin(); it != written.rend(); ++it) shapes::RemoveTraces(*it);
  if (status != 0) return status;

  std::printf("leftover search over %d other programs (%d files each), %d rounds\n", entries, files,
              rounds);
  std::printf("bare walk: %ld keys, %ld values, %ld folder entries, %ld shortcut bytes\n",
              walked.keys, walked.values, walked.entries, walked.bytes);
  std::vector<double> scanTotals(static_cast<size_t>(rounds), 0.0),
      bareTotals(static_cast<size_t>(rounds), 0.0);
  for (const Program& program : programs) {
    const double scan = Median(program.scanMs), bare = Median(program.bareMs);
    std::printf(
        "%-10s scan %8.1f ms (other entries %6.1f ms)  bare %8.1f ms  ratio %.2f  (%u keys, %u "
        "files and folders)\n",
        program.shape.c_str(), scan, Median(program.othersMs), bare, bare > 0 ? scan / bare : 0.0,
        static_cast<unsigned>(program.keys), static_cast<unsigned>(program.files));
    for (int r = 0; r < rounds; ++r) {
      scanTotals[static_cast<size_t>(r)] += program.scanMs[static_cast<size_t>(r)];
      bareTotals[static_cast<size_t>(r)] += program.bareMs[static_cast<size_t>(r)];
    }
  }
  const double scan = Median(scanTotals), bare = Median(bareTotals);
  std::printf("all shapes scan %8.1f ms  bare %8.1f ms  ratio %.2f (goal <= 1.5)\n", scan, bare,
              bare > 0 ? scan / bare : 0.0);
  return 0;
}

// Times what the program list asks of the inventory component for one fill and one
// scroll through every row - LoadPrograms, then per program GetProgram,
// GetSystemPatch (twice), GetDisplayName, GetPublisher, GetInstallLocation, and
// GetIconIndex (which the list asks only when a row is drawn), then the screen
// savers - against reading the same values straight from the registry (and the same
// icons straight from the shell) in the same run.
//
//   inventory_bench [entries]      (default 1000)
//
// Writes its entries under the uninstall keys (both machine views and the user's)
// and removes them again. Exits with 1 when the component's answers are wrong.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "inventory/RostrelLib_TLB.h"
#include "support/SharedPlaces.h"
#include "sys/Text.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "sys/Handles.h"

namespace {

const wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct Source {
  HKEY root;
  REGSAM view;
};
const Source kSources[] = {{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
                           {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
                           {HKEY_CURRENT_USER, 0}};

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceFrequency(&frequency_); }
  void start() { QueryPerformanceCounter(&started_); }
  // Adds the time since start() and returns it in milliseconds.
  double stop() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    double ms = 1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
                static_cast<double>(frequency_.QuadPart);
    total_ += ms;
    return ms;
  }
  double total() const { return total_; }

 private:
  LARGE_INTEGER frequency_{}, started_{};
  double total_ = 0;
};

std::string Folder(UINT(WINAPI* get)(LPSTR, UINT)) {
  char buffer[MAX_PATH];
  UINT len = get(buffer, MAX_PATH);
  return len > 0 && len < MAX_PATH ? sys::IncludeTrailingBackslash(buffer) : std::string();
}

// A 16x16 icon file of one colour: most programs bring an icon file of their own.
bool WriteIconFile(const std::string& path, DWORD colour) {
  std::string image;
  auto put16 = [&](WORD v) { image.append(reinterpret_cast<const char*>(&v), 2); };
  auto put32 = [&](DWORD v) { image.append(reinterpret_cast<const char*>(&v), 4); };
  put32(40), put32(16), put32(32), put16(1), put16(32);  // BITMAPINFOHEADER, double height
  for (int i = 0; i < 6; ++i) put32(0);
  for (int i = 0; i < 16 * 16; ++i) put32(colour | 0xFF000000);
  image.append(16 * 4, '\0');  // the AND mask, rows padded to 32 bits
  std::string file;
  auto fput16 = [&](WORD v) { file.append(reinterpret_cast<const char*>(&v), 2); };
  auto fput32 = [&](DWORD v) { file.append(reinterpret_cast<const char*>(&v), 4); };
  fput16(0), fput16(1), fput16(1);                             // ICONDIR
  file += '\x10', file += '\x10', file += '\0', file += '\0';  // 16x16, no palette
  fput16(1), fput16(32), fput32(static_cast<DWORD>(image.size())), fput32(22);
  return sys::WriteFileBytes(path, file + image);
}

// The entries this run writes, removed by the destructor.
class BenchEntries {
 public:
  BenchEntries(int count, const std::vector<std::string>& iconFiles) {
    char tag[64];
    std::snprintf(tag, sizeof tag, "RostrelBench-%lu-", GetCurrentProcessId());
    tag_ = tag;
    for (int i = 0; i < count; ++i) {
      const Source& source = kSources[i % 4 == 3 ? 2 : i % 4 == 2 ? 1 : 0];
      std::wstring name = sys::Widen(tag_ + std::to_string(i));
      sys::UniqueKey key;
      std::wstring path = std::wstring(kUninstall) + L"\\" + name;
      if (RegCreateKeyExW(source.root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | source.view,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        continue;
      keys_.push_back({source, name});
      std::string folder = "C:\\Program Files\\Bench Vendor " + std::to_string(i % 37) +
                           "\\Product " + std::to_string(i);
      set(key.get(), L"DisplayName", "Bench Product " + std::to_string(i));
      set(key.get(), L"UninstallString", "\"" + folder + "\\unins000.exe\" /SILENT");
      set(key.get(), L"Publisher", "Bench Vendor " + std::to_string(i % 37));
      set(key.get(), L"InstallLocation", folder + "\\");
      set(key.get(), L"DisplayVersion", "1." + std::to_string(i % 10) + ".0");
      set(key.get(), L"InstallDate", "20240115");
      set(key.get(), L"URLInfoAbout", "https://bench.example/" + std::to_string(i));
      DWORD size = 1000 + i;
      RegSetValueExW(key.get(), L"EstimatedSize", 0, REG_DWORD, reinterpret_cast<BYTE*>(&size),
                     sizeof size);
      // Most programs name their icon; the rest leave the uninstaller's to be found.
      if (i % 10 != 9 && !iconFiles.empty())
        set(key.get(), L"DisplayIcon", iconFiles[i % iconFiles.size()] + ",0");
      if (i % 25 == 0) set(key.get(), L"ReleaseType", "Update");
    }
  }
  ~BenchEntries() {
    for (const auto& [source, name] : keys_) {
      sys::UniqueKey parent;
      if (RegOpenKeyExW(source.root, kUninstall, 0, KEY_ALL_ACCESS | source.view, parent.put()) ==
          ERROR_SUCCESS)
        RegDeleteTreeW(parent.get(), name.c_str());
    }
  }
  size_t count() const { return keys_.size(); }
  const std::string& tag() const { return tag_; }

 private:
  static void set(HKEY key, const wchar_t* name, const std::string& text) {
    std::wstring wide = sys::Widen(text);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  }

  std::string tag_;
  std::vector<std::pair<Source, std::wstring>> keys_;
};

std::string QueryString(HKEY key, const char* name) {
  char buffer[1024];
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  buffer[size] = '\0';
  return buffer;
}

int ShellIcon(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return -1;
  return info.iIcon;
}

// The cached icon index of a file's first icon, as the shell's icon cache gives it.
int CachedIcon(const std::string& path) {
  using Fn = int(WINAPI*)(LPCWSTR, int, UINT);
  static const Fn fn = [] {
    HMODULE shell = GetModuleHandleA("shell32.dll");
    FARPROC proc = GetProcAddress(shell, "Shell_GetCachedImageIndexW");
    if (!proc) proc = GetProcAddress(shell, MAKEINTRESOURCEA(72));
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
  }();
  int index = fn ? fn(sys::Widen(path).c_str(), 0, 0) : -1;
  return index >= 0 ? index : ShellIcon(path);
}

struct Timing {
  double values = 0, icons = 0, savers = 0;
  double total() const { return values + icons + savers; }
};

// What a hand-written fill would do: every uninstall key, its values, its icon.
Timing ReadStraight(size_t& listed) {
  Timing timing;
  Stopwatch values, icons, savers;
  listed = 0;
  std::vector<std::string> iconPaths;
  values.start();
  for (const Source& source : kSources) {
    sys::UniqueKey uninstall;
    if (RegOpenKeyExA(source.root, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ | source.view, uninstall.put()) != ERROR_SUCCESS)
      continue;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof name;
      if (RegEnumKeyExA(uninstall.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      sys::UniqueKey key;
      if (RegOpenKeyExA(uninstall.get(), name, 0, KEY_READ | source.view, key.put()) !=
          ERROR_SUCCESS)
        continue;
      std::string display = QueryString(key.get(), "DisplayName");
      std::string uninstallString = QueryString(key.get(), "UninstallString");
      DWORD component = 0, size = sizeof component;
      RegQueryValueExA(key.get(), "SystemComponent", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(&component), &size);
      if ((display.empty() && uninstallString.empty()) || component == 1) continue;
      ++listed;
      QueryString(key.get(), "ParentKeyName");
      QueryString(key.get(), "ReleaseType");
      QueryString(key.get(), "Publisher");
      QueryString(key.get(), "InstallLocation");
      std::string icon = QueryString(key.get(), "DisplayIcon");
      iconPaths.push_back(icon.substr(0, icon.rfind(',')));
    }
  }
  timing.values = values.stop();
  icons.start();
  for (const auto& path : iconPaths) {
    if (!path.empty()) CachedIcon(path);
  }
  timing.icons = icons.stop();
  savers.start();
  std::string windows = Folder(GetWindowsDirectoryA);
  for (const std::string& folder :
       {windows + "Sysnative\\", Folder(GetSystemDirectoryA), windows}) {
    WIN32_FIND_DATAA data;
    sys::UniqueFind find(FindFirstFileA((folder + "*.scr").c_str(), &data));
    if (!find) continue;
    do {
      ShellIcon(folder + data.cFileName);
    } while (FindNextFileA(find.get(), &data));
  }
  timing.savers = savers.stop();
  return timing;
}

struct ComponentTiming {
  Timing timing;
  double load = 0;
  size_t listed = 0, own = 0, ownPatches = 0;
};

// The program list's fill through the client, as the main window does it.
ComponentTiming FillThroughComponent(inventory::TProgramList& list, const std::string& tag) {
  ComponentTiming result;
  Stopwatch load, calls, icons, savers;
  load.start();
  list.LoadPrograms();
  result.load = load.stop();
  calls.start();
  ULONG count = list.GetProgramCount();
  for (ULONG i = 0; i < count; ++i) {
    inventory::TProgramItem item = list.GetProgram(i);
    if (!item) break;
    bool patch = item.GetSystemPatch() == 1;
    item.GetSystemPatch();
    std::string caption = item.GetDisplayName();
    if (caption.empty()) caption = item.GetRegistryKeyName();
    item.GetPublisher();
    item.GetInstallLocation();
    calls.stop();
    icons.start();
    item.GetIconIndex();
    icons.stop();
    calls.start();
    ++result.listed;
    if (caption.rfind("Bench Product ", 0) == 0 && item.GetRegistryKeyName().rfind(tag, 0) == 0) {
      ++result.own;
      result.ownPatches += patch ? 1 : 0;
    }
  }
  calls.stop();
  savers.start();
  list.LoadScreenSavers();
  ULONG saverCount = list.GetScreenSaverCount();
  for (ULONG j = 0; j < saverCount; ++j) {
    if (list.GetScreenSaverFileName(j).empty()) continue;
    if (list.GetScreenSaverDescription(j).empty()) list.GetScreenSaverFileName(j);
    list.GetScreenSaverIconIndex(j);
    list.GetScreenSaverPublisher(j);
    list.GetScreenSaverDirectory(j);
  }
  result.timing.savers = savers.stop();
  result.timing.values = load.total() + calls.total();
  result.timing.icons = icons.total();
  return result;
}

double Ratio(double mine, double base) {
  return base > 0 ? mine / base : 0;
}

}  // namespace

int main(int argc, char** argv) {
  int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  // The registration and the entries go again with the guard, as in the tests.
  testing_support::SharedPlacesGuard keepPrefix(testing_support::PlacesOfThisRun());
  sys::ComApartment apartment;

  // Register the component that this build made, as the program does at start.
  std::string exeDir = sys::ExtractFilePath(sys::ModuleFileName(nullptr));
  std::string dll = exeDir + "Rostrel.dll";
  if (!sys::FileExists(dll)) dll = exeDir + "..\\bin\\Rostrel.dll";
  sys::UniqueModule module(LoadLibraryA(dll.c_str()));
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto doRegister = module ? reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(
                                 GetProcAddress(module.get(), "DllRegisterServer")))
                           : nullptr;
  if (!doRegister || FAILED(doRegister())) {
    std::fprintf(stderr, "cannot register %s\n", dll.c_str());
    return 1;
  }

  std::string windows = Folder(GetWindowsDirectoryA);
  std::vector<std::string> iconFiles;
  for (const char* name : {"notepad.exe", "regedit.exe", "explorer.exe", "winhlp32.exe"}) {
    if (sys::FileExists(windows + name)) iconFiles.push_back(windows + name);
  }
  iconFiles.push_back(sys::ModuleFileName(nullptr));
  iconFiles.push_back(dll);

  // Half the programs name an icon file of their own, the others one of a few programs.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string iconDir = sys::IncludeTrailingBackslash(temp) + "RostrelBench-" +
                        std::to_string(GetCurrentProcessId()) + "\\";
  sys::ForceDirectories(iconDir);
  std::vector<std::string> ownIcons;
  for (int i = 0; i < count / 2; ++i) {
    std::string path = iconDir + "program" + std::to_string(i) + ".ico";
    if (WriteIconFile(path, static_cast<DWORD>(i * 2654435761u) & 0xFFFFFF))
      ownIcons.push_back(path);
  }
  struct RemoveIcons {
    const std::vector<std::string>& files;
    const std::string& dir;
    ~RemoveIcons() {
      for (const auto& file : files) DeleteFileA(file.c_str());
      RemoveDirectoryA(dir.c_str());
    }
  } removeIcons{ownIcons, iconDir};
  std::vector<std::string> icons;
  for (size_t i = 0; i < ownIcons.size() || i < iconFiles.size(); ++i) {
    if (i < ownIcons.size()) icons.push_back(ownIcons[i]);
    icons.push_back(iconFiles[i % iconFiles.size()]);
  }

  BenchEntries entries(count, icons);
  inventory::TProgramList list;
  try {
    // One untimed round warms the registry, the file cache and the shell's icon cache
    // for both sides; then the best of five rounds each.
    size_t straightListed = 0;
    ReadStraight(straightListed);
    FillThroughComponent(list, entries.tag());
    Timing straight{1e30, 1e30, 1e30};
    ComponentTiming component;
    component.timing = {1e30, 1e30, 1e30};
    component.load = 1e30;
    for (int round = 0; round < 5; ++round) {
      Timing t = ReadStraight(straightListed);
      straight.values = std::min(straight.values, t.values);
      straight.icons = std::min(straight.icons, t.icons);
      straight.savers = std::min(straight.savers, t.savers);
      ComponentTiming c = FillThroughComponent(list, entries.tag());
      component.timing.values = std::min(component.timing.values, c.timing.values);
      component.timing.icons = std::min(component.timing.icons, c.timing.icons);
      component.timing.savers = std::min(component.timing.savers, c.timing.savers);
      component.load = std::min(component.load, c.load);
      component.listed = c.listed;
      component.own = c.own;
      component.ownPatches = c.ownPatches;
    }

    size_t wantPatches = (entries.count() + 24) / 25;
    std::printf("inventory: %zu bench entries, %zu programs listed (%zu read straight)\n",
                entries.count(), component.listed, straightListed);
    std::printf("straight from the registry: %8.2f ms (values %.2f, icons %.2f, savers %.2f)\n",
                straight.total(), straight.values, straight.icons, straight.savers);
    std::printf(
        "through the component:      %8.2f ms (LoadPrograms %.2f, calls %.2f, "
        "icons %.2f, savers %.2f)\n",
        component.timing.total(), component.load, component.timing.values - component.load,
        component.timing.icons, component.timing.savers);
    std::printf("ratio without icons: %.2f\n",
                Ratio(component.timing.values + component.timing.savers,
                      straight.values + straight.savers));
    std::printf("ratio of icons:      %.2f\n", Ratio(component.timing.icons, straight.icons));
    double total = Ratio(component.timing.total(), straight.total());
    std::printf("ratio, icons included: %.2f (target 3.00: %s)\n", total,
                total <= 3.0 ? "met" : "missed");

    if (component.own != entries.count() || component.ownPatches != wantPatches) {
      std::fprintf(stderr, "wrong answers: %zu of %zu entries listed, %zu patches (want %zu)\n",
                   component.own, entries.count(), component.ownPatches, wantPatches);
      return 1;
    }
  } catch (const inventory::InventoryError& error) {
    std::fprintf(stderr, "%s failed: %s\n", error.operation(), error.what());
    return 1;
  }
  return 0;
}

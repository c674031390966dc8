// The program list on realistic data: every uninstall entry has an install folder
// of its own holding a program with icons (a copy of the test screen saver), which
// its DisplayIcon names; 60% of the entries are in the machine's native view, 30%
// in its 32-bit view and 10% are the user's. Each run is a fresh process that
// creates and shows the main window, as a start of the program does, and measures:
//   - the fill: from creating the window until the list holds every row and is
//     painted, against a bare read of the same values in the same process;
//   - the first page's icons: from there until every row in view shows its icon;
//   - a refresh (F5) until painted, and its first page's icons;
//   - the peak memory of the process, against the same process with 10 entries.
//
//   proglist_icons_bench [entries] [runs]      (defaults 1000 and 3; medians of the runs)
//
// The figures that count: proglist_icons_bench 1000 and proglist_icons_bench 5000.
// Writes its entries and folders into the prefix and removes them again. Exits with
// 1 when a run fails or its list lacks rows; a missed target is only reported.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "main/frmMain.h"
#include "support/ChildProcess.h"
#include "support/Sandbox.h"
#include "support/SharedPlaces.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/Text.h"

namespace {

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr int kBaselineEntries = 10;

struct Source {
  HKEY root;
  REGSAM view;
  const char* name;
};
const Source kSources[] = {{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "64-bit view"},
                           {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "32-bit view"},
                           {HKEY_CURRENT_USER, 0, "per user"}};
// Six of ten entries in the native view, three in the 32-bit view, one per user.
const Source& SourceOf(int i) {
  const int tenth = i % 10;
  return kSources[tenth < 6 ? 0 : tenth < 9 ? 1 : 2];
}

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Environment(const char* name) {
  char buffer[MAX_PATH];
  DWORD n = GetEnvironmentVariableA(name, buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

// ---- the entries and their folders (the parent process)

class BenchInstall {
 public:
  explicit BenchInstall(std::string program) : program_(std::move(program)) {
    char tag[64];
    std::snprintf(tag, sizeof tag, "PrunaxisIconBench-%lu", GetCurrentProcessId());
    tag_ = tag;
    // Where such programs go: the two Program Files folders and the user's own.
    roots_[0] = sys::IncludeTrailingBackslash(Environment("ProgramW6432")) + tag_;
    roots_[1] = sys::IncludeTrailingBackslash(Environment("ProgramFiles")) + tag_;
    roots_[2] = sys::IncludeTrailingBackslash(Environment("LOCALAPPDATA")) + "Programs\\" + tag_;
  }
  ~BenchInstall() {
    for (const auto& [source, name] : keys_) {
      sys::UniqueKey parent;
      if (RegOpenKeyExW(source->root, kUninstall, 0, KEY_ALL_ACCESS | source->view, parent.put()) ==
          ERROR_SUCCESS)
        RegDeleteTreeW(parent.get(), name.c_str());
    }
    for (const std::string& root : roots_) {
      if (sys::DirectoryExists(root)) testing_support::RemoveTree(root);
    }
  }
  BenchInstall(const BenchInstall&) = delete;
  BenchInstall& operator=(const BenchInstall&) = delete;

  // Installs entries until there are `count`; false when one cannot be made.
  bool growTo(int count) {
    for (int i = static_cast<int>(keys_.size()); i < count; ++i) {
      const Source& source = SourceOf(i);
      const size_t root = static_cast<size_t>(&source - kSources);
      char number[16];
      std::snprintf(number, sizeof number, "%05d", i);
      const std::string product = std::string("Bench Product ") + number;
      const std::string folder = roots_[root] + "\\" + product + "\\";
      const std::string exe = folder + product + ".exe";
      if (!sys::ForceDirectories(folder) ||
          !CopyFileW(sys::Widen(program_).c_str(), sys::Widen(exe).c_str(), FALSE)) {
        std::fprintf(stderr, "cannot install %s\n", exe.c_str());
        return false;
      }
      const std::wstring name = sys::Widen(tag_ + "-" + number);
      sys::UniqueKey key;
      if (RegCreateKeyExW(source.root, (std::wstring(kUninstall) + L"\\" + name).c_str(), 0,
                          nullptr, 0, KEY_ALL_ACCESS | source.view, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot write the entry of %s\n", product.c_str());
        return false;
      }
      keys_.emplace_back(&source, name);
      set(key.get(), L"DisplayName", product);
      set(key.get(), L"DisplayIcon", "\"" + exe + "\",0");
      set(key.get(), L"UninstallString", "\"" + folder + "unins000.exe\" /SILENT");
      set(key.get(), L"Publisher", "Bench Vendor " + std::to_string(i % 37));
      set(key.get(), L"InstallLocation", folder);
      set(key.get(), L"DisplayVersion", "1." + std::to_string(i % 10) + ".0");
      set(key.get(), L"InstallDate", "20240115");
      set(key.get(), L"URLInfoAbout", "https://bench.example/" + std::to_string(i));
      DWORD size = 1000 + static_cast<DWORD>(i);
      RegSetValueExW(key.get(), L"EstimatedSize", 0, REG_DWORD, reinterpret_cast<BYTE*>(&size),
                     sizeof size);
    }
    return true;
  }
  int perSource(size_t source) const {
    int n = 0;
    for (const auto& key : keys_) n += key.first == &kSources[source] ? 1 : 0;
    return n;
  }

 private:
  static void set(HKEY key, const wchar_t* name, const std::string& text) {
    const std::wstring wide = sys::Widen(text);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  }

  std::string program_;
  std::string tag_;
  std::string roots_[3];
  std::vector<std::pair<const Source*, std::wstring>> keys_;
};

bool RegisterComponent(const std::string& exeDir) {
  std::string dll = exeDir + "Rostrel.dll";
  if (!sys::FileExists(dll)) dll = exeDir + "..\\bin\\Rostrel.dll";
  sys::UniqueModule module(LoadLibraryW(sys::Widen(dll).c_str()));
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto doRegister = module ? reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(
                                 GetProcAddress(module.get(), "DllRegisterServer")))
                           : nullptr;
  if (!doRegister || FAILED(doRegister())) {
    std::fprintf(stderr, "cannot register %s\n", dll.c_str());
    return false;
  }
  return true;
}

// ---- one measuring run (the child process)

struct RunResult {
  int entries = 0;     // entries of the bare read
  int rows = 0;        // rows in the list
  double bare = 0;     // ms
  double fill = 0;     // ms, window creation until listed and painted
  double icons = 0;    // ms after that until the first page shows its icons
  double refresh = 0;  // ms, refresh until painted
  double refreshIcons = 0;
  double peakWorkingSet = 0;  // MiB
  double peakPagefile = 0;    // MiB
};

// Every value of every entry, as the component reads them, thrown away.
int BareRead() {
  int entries = 0;
  for (const Source& source : kSources) {
    sys::UniqueKey uninstall;
    if (RegOpenKeyExW(source.root, kUninstall, 0, KEY_READ | source.view, uninstall.put()) !=
        ERROR_SUCCESS)
      continue;
    std::wstring name(256, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD nameLen = static_cast<DWORD>(name.size());
      if (RegEnumKeyExW(uninstall.get(), i, name.data(), &nameLen, nullptr, nullptr, nullptr,
                        nullptr) != ERROR_SUCCESS)
        break;
      sys::UniqueKey entry;
      if (RegOpenKeyExW(uninstall.get(), name.c_str(), 0, KEY_READ | source.view, entry.put()) !=
          ERROR_SUCCESS)
        continue;
      DWORD count = 0, maxName = 0, maxData = 0;
      FILETIME written{};
      if (RegQueryInfoKeyW(entry.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           &count, &maxName, &maxData, nullptr, &written) != ERROR_SUCCESS)
        continue;
      std::wstring valueName(maxName + 2, L'\0');
      std::string data(maxData + 2, '\0');
      for (DWORD v = 0; v < count; ++v) {
        DWORD valueLen = static_cast<DWORD>(valueName.size());
        DWORD dataLen = static_cast<DWORD>(data.size());
        DWORD type = 0;
        RegEnumValueW(entry.get(), v, valueName.data(), &valueLen, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataLen);
      }
      ++entries;
    }
  }
  return entries;
}

// Handles messages until every row in view shows its own icon; false after a minute.
bool PumpUntilFirstPageIcons(tk::ListView& list) {
  const double deadline = NowMs() + 60000;
  for (;;) {
    const int top = list.topIndex();
    const int page = static_cast<int>(SendMessageW(list.hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
    bool waiting = false;
    for (int row = top; row <= top + page && row < list.count(); ++row) {
      waiting = waiting || list.imagePending(row);
    }
    if (!waiting) return true;
    if (NowMs() > deadline) return false;
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
}

void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int Measure(const std::string& resultFile, int bareRounds) {
  sys::ComApartment apartment;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  // No folders: Config.ini is not written and the skin's pictures are not found.
  settings::TListOptions shown;
  shown.HideSysPatch = false;
  shown.HideScreenSaver = true;
  settings::TSettings config(settings::TPaths{}, shown);
  RunResult result;
  result.bare = 1e30;
  for (int round = 0; round < bareRounds; ++round) {
    const double started = NowMs();
    result.entries = BareRead();
    result.bare = std::min(result.bare, NowMs() - started);
  }

  forms::TMainForm form(config);
  double started = NowMs();
  if (!form.Create()) return 2;
  form.show(SW_SHOWNOACTIVATE);
  PaintNow(form.hwnd());
  result.fill = NowMs() - started;
  tk::ListView& list = form.programPage().lsvProgramList;
  result.rows = list.count();
  started = NowMs();
  if (!PumpUntilFirstPageIcons(list)) return 3;
  PaintNow(form.hwnd());
  result.icons = NowMs() - started;

  started = NowMs();
  form.programPage().RefreshProgramList();
  PaintNow(form.hwnd());
  result.refresh = NowMs() - started;
  started = NowMs();
  if (!PumpUntilFirstPageIcons(list)) return 3;
  PaintNow(form.hwnd());
  result.refreshIcons = NowMs() - started;

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  result.peakWorkingSet = static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0;
  result.peakPagefile = static_cast<double>(memory.PeakPagefileUsage) / 1048576.0;
  return sys::WriteFileBytes(resultFile,
                             std::string(reinterpret_cast<const char*>(&result), sizeof result))
             ? 0
             : 4;
}

// ---- the parent: runs and their medians

bool Run(const std::string& exe, const std::string& resultFile, RunResult& out) {
  DeleteFileW(sys::Widen(resultFile).c_str());
  testing_support::ChildProcess child =
      testing_support::ChildProcess::Start(exe, "--measure \"" + resultFile + "\" 3");
  if (!child) {
    std::fprintf(stderr, "cannot start a run: %s\n", child.error().c_str());
    return false;
  }
  if (!child.waitOrKill(600000) || child.exitCode().value_or(1) != 0) {
    std::fprintf(stderr, "a run failed (exit code %lu)\n",
                 static_cast<unsigned long>(child.exitCode().value_or(99)));
    return false;
  }
  std::string bytes;
  if (!sys::ReadFileBytes(resultFile, bytes) || bytes.size() != sizeof out) return false;
  std::memcpy(&out, bytes.data(), sizeof out);
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

bool Runs(const std::string& exe, const std::string& resultFile, int count, RunResult& median) {
  std::vector<RunResult> runs;
  for (int i = 0; i < count; ++i) {
    RunResult run;
    if (!Run(exe, resultFile, run)) return false;
    runs.push_back(run);
  }
  auto of = [&](double RunResult::*field) {
    std::vector<double> values;
    for (const RunResult& run : runs) values.push_back(run.*field);
    return Median(values);
  };
  median = runs.front();
  median.bare = of(&RunResult::bare);
  median.fill = of(&RunResult::fill);
  median.icons = of(&RunResult::icons);
  median.refresh = of(&RunResult::refresh);
  median.refreshIcons = of(&RunResult::refreshIcons);
  median.peakWorkingSet = of(&RunResult::peakWorkingSet);
  median.peakPagefile = of(&RunResult::peakPagefile);
  for (const RunResult& run : runs) median.rows = std::min(median.rows, run.rows);
  return true;
}

// The targets hold from 1,000 entries on; below, the window's own set-up outweighs
// the entries.
constexpr int kTargetEntries = 1000;
int g_entries = 0;

const char* Verdict(bool met) {
  if (g_entries < kTargetEntries) return "applies from 1000 entries";
  return met ? "met" : "MISSED";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--measure") == 0) {
    return Measure(argv[2], argc > 3 ? std::max(1, std::atoi(argv[3])) : 3);
  }
  const int count = argc > 1 ? std::max(kBaselineEntries, std::atoi(argv[1])) : 1000;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  g_entries = count;
  // The registration and the entries go again with the guard, as in the tests.
  testing_support::SharedPlacesGuard keepPrefix(testing_support::PlacesOfThisRun());
  sys::ComApartment apartment;
  const std::string exe = sys::ModuleFileName(nullptr);
  const std::string exeDir = sys::ExtractFilePath(exe);
  if (!RegisterComponent(exeDir)) return 1;
  const std::string program = exeDir + "..\\tests\\RostrelTestSaverA.scr";
  if (!sys::FileExists(program)) {
    std::fprintf(stderr, "no program with icons at %s\n", program.c_str());
    return 1;
  }
  testing_support::TempDir scratch;
  const std::string resultFile = scratch.file("run.bin");

  BenchInstall install(program);
  if (!install.growTo(kBaselineEntries)) return 1;
  RunResult baseline;
  if (!Runs(exe, resultFile, 1, baseline)) return 1;
  double started = NowMs();
  if (!install.growTo(count)) return 1;
  const double setup = NowMs() - started;
  RunResult measured;
  if (!Runs(exe, resultFile, runs, measured)) return 1;

  std::printf(
      "%d entries (%d in the 64-bit view, %d in the 32-bit view, %d per user), each with\n"
      "its own folder and icon file (installed in %.1f s); median of %d runs:\n",
      count, install.perSource(0), install.perSource(1), install.perSource(2), setup / 1000.0,
      runs);
  const double fillRatio = measured.fill / measured.bare;
  std::printf("  bare read of the same values:      %8.1f ms (%d entries in the prefix)\n",
              measured.bare, measured.entries);
  std::printf(
      "  fill until listed and painted:     %8.1f ms, %.2fx the bare read (target: 3x, %s)\n",
      measured.fill, fillRatio, Verdict(fillRatio <= 3.0));
  std::printf("  the same fill with %d entries:     %8.1f ms (its bare read: %.1f ms)\n",
              kBaselineEntries, baseline.fill, baseline.bare);
  std::printf(
      "  first page's icons drawn:          %8.1f ms after the list (target: 1000 ms, %s)\n",
      measured.icons, Verdict(measured.icons <= 1000.0));
  std::printf("  refresh until painted:             %8.1f ms, %.2fx the bare read\n",
              measured.refresh, measured.refresh / measured.bare);
  std::printf("  refresh: first page's icons drawn: %8.1f ms after the list\n",
              measured.refreshIcons);
  const double workingSet = measured.peakWorkingSet - baseline.peakWorkingSet;
  const double pagefile = measured.peakPagefile - baseline.peakPagefile;
  std::printf(
      "  peak working set: %.1f MiB, with %d entries %.1f MiB: %+.1f MiB (target: 150, %s)\n",
      measured.peakWorkingSet, kBaselineEntries, baseline.peakWorkingSet, workingSet,
      Verdict(workingSet <= 150.0));
  std::printf(
      "  peak pagefile use: %.1f MiB, with %d entries %.1f MiB: %+.1f MiB (target: 150, %s)\n",
      measured.peakPagefile, kBaselineEntries, baseline.peakPagefile, pagefile,
      Verdict(pagefile <= 150.0));
  if (measured.rows < count || baseline.rows < kBaselineEntries) {
    std::fprintf(stderr, "the list held %d rows for %d entries (%d for %d)\n", measured.rows, count,
                 baseline.rows, kBaselineEntries);
    return 1;
  }
  return 0;
}

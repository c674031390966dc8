// Times RefreshProgramList of the main window's program page for many programs
// against the inventory component's calls alone for the same fill (the same calls
// in the same order, the rows thrown away), measured in the same run.
//
//   proglist_bench [programs] [rounds]      (defaults 1000 and 5)
//
// Writes its entries under the machine's uninstall key and removes them again.
// Exits with 1 when the list does not hold the rows that the component reports.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "main/ProgramListLogic.h"
#include "main/frmMain.h"
#include "support/SharedPlaces.h"
#include "sys/ComInit.h"
#include "sys/Files.h"
#include "sys/Handles.h"

namespace {

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The entries of this run, removed by the destructor.
class BenchEntries {
 public:
  explicit BenchEntries(int count) {
    char tag[64];
    std::snprintf(tag, sizeof tag, "ProglistBench-%lu-", GetCurrentProcessId());
    for (int i = 0; i < count; ++i) {
      std::string name = tag + std::to_string(i);
      sys::UniqueKey key;
      std::string path = std::string(kUninstall) + "\\" + name;
      if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                          KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        continue;
      names_.push_back(name);
      std::string folder = "C:\\Program Files\\Vendor " + std::to_string(i % 37) + "\\Product " +
                           std::to_string(i) + "\\";
      set(key.get(), "DisplayName", "Bench Product " + std::to_string(i));
      set(key.get(), "UninstallString", "\"" + folder + "unins000.exe\" /SILENT");
      set(key.get(), "Publisher", "Vendor " + std::to_string(i % 37));
      set(key.get(), "InstallLocation", folder);
      if (i % 25 == 0) set(key.get(), "ReleaseType", "Update");
    }
  }
  ~BenchEntries() {
    sys::UniqueKey parent;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                      parent.put()) != ERROR_SUCCESS)
      return;
    for (const std::string& name : names_) RegDeleteTreeA(parent.get(), name.c_str());
  }
  size_t count() const { return names_.size(); }

 private:
  static void set(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
  std::vector<std::string> names_;
};

bool RegisterComponent() {
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
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  // The registration and the entries go again with the guard, as in the tests.
  testing_support::SharedPlacesGuard keepPrefix(testing_support::PlacesOfThisRun());
  sys::ComApartment apartment;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  if (!RegisterComponent()) return 1;
  BenchEntries entries(count);
  // No folders: Config.ini is not written and the skin's pictures are not found.
  settings::TListOptions shown;
  shown.HideSysPatch = false;
  shown.HideScreenSaver = false;
  settings::TSettings config(settings::TPaths{}, shown);

  forms::TMainForm form(config);  // hidden; its creation fills the list once
  if (!form.Create()) {
    std::fprintf(stderr, "cannot create the main window\n");
    return 1;
  }
  forms::ProgramListPage& page = form.programPage();
  forms::FillOptions options;
  options.screenSaverWord = "Screen Saver";
  options.hideScreenSaver = false;

  double componentBest = 1e30, refreshBest = 1e30;
  size_t componentRows = 0;
  for (int round = 0; round < rounds; ++round) {
    forms::FillResult result;
    size_t rows = 0;
    double started = NowMs();
    forms::FillProgramRows(form.ProgramList, options, result, nullptr,
                           [&rows](const forms::ProgramRow&) { ++rows; });
    componentBest = std::min(componentBest, NowMs() - started);
    componentRows = rows;

    started = NowMs();
    page.RefreshProgramList();
    refreshBest = std::min(refreshBest, NowMs() - started);
  }
  const size_t listRows = static_cast<size_t>(page.lsvProgramList.count());
  if (listRows != componentRows || listRows < entries.count()) {
    std::fprintf(stderr, "the list holds %zu rows, the component reported %zu (%zu written)\n",
                 listRows, componentRows, entries.count());
    return 1;
  }
  const double ratio = refreshBest / componentBest;
  std::printf("RefreshProgramList, %zu rows (best of %d): %.1f ms\n", listRows, rounds,
              refreshBest);
  std::printf("component calls alone:               %.1f ms\n", componentBest);
  std::printf("ratio %.2f: the list view adds %.0f%% (target: at most 50%%)\n", ratio,
              (ratio - 1.0) * 100.0);
  return 0;
}

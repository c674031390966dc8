// SeedDemo.exe: prepares the demo's Wine prefix and helps the run script watch it.
//
//   SeedDemo.exe seed <fixtures folder>
//       Installs several sample programs with SampleSetup.exe (different names,
//       publishers and versions, one per-user, one system patch, Run entries and a
//       start-up shortcut), parks one Run entry under Run_Disable and copies the sample
//       screen saver into the system folder. Running it again gives the same state.
//   SeedDemo.exe seed-removed <scans folder>
//       Lays down what a sample program uninstalled earlier left behind and saves its
//       scan record into the program's scans folder (see RemovedSample.h).
//   SeedDemo.exe wait-window <class> <timeout ms>
//       Exits with 0 as soon as a visible top-level window of that class exists, 1 when
//       the time is up.
//   SeedDemo.exe close-window <class>
//       Asks that window to close; 1 when there is none.
//   SeedDemo.exe post-click <class> <child id>
//       Clicks a child control of that window (BM_CLICK, posted so that a menu or
//       modal window the click opens does not hold this program).
//   SeedDemo.exe post-command <class> <command id>
//       Posts WM_COMMAND with that id to the window, as a menu item does.
//   SeedDemo.exe post-key <class> <virtual key>
//       Posts a key press and release to that window (an open menu's window).
//   SeedDemo.exe select-row <class> <text>
//       Selects the row whose first column reads <text> in a list view of that window,
//       as a click on it does; 1 when no list has such a row.
//   SeedDemo.exe wait-enabled <class> <child id> <timeout ms>
//       Exits with 0 as soon as that child control is enabled, 1 when the time is up.
//   SeedDemo.exe move-below <class> <other class>
//       Moves the first window just below the second one, its left edges aligned,
//       so that both can be seen whole.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RemoteList.h"
#include "RemovedSample.h"
#include "fixtures/SampleLayout.h"
#include "fixtures/common/Args.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/Registry.h"
#include "sys/SysError.h"

namespace {

struct DemoSample {
  const char* name;
  const char* publisher;
  const char* version;
  const char* extra;  // further SampleSetup options
};

// "Sample Notes" asks before it uninstalls, as an uninstaller on a desktop does; the
// others are silent. Run entries and start-up shortcuts: "Sample Notes" machine-wide
// (HKLM Run, the all-users folder), "Sample Sync" per user (HKCU Run, the user's folder).
constexpr DemoSample kSamples[] = {
    {"Sample Notes", "Quillworks", "2.4.1", "/run /startup \"/uargs=\""},
    {"Sample Photo Viewer", "Lumen Labs", "5.0.2", ""},
    {"Sample Sync", "Cloudlet Inc.", "1.12.3", "/peruser /run /startup"},
    {"Sample Tools", "Prunaxis Samples", "0.9 beta", ""},
    {"KB123456", "Microsoft Corporation", "1", "/patch"},
};

// The parked entry: it was disabled and waits under Run_Disable to be enabled again.
constexpr char kParkedName[] = "Sample Photo Viewer Updater";
constexpr char kParkedOwner[] = "Sample Photo Viewer";

int Fail(const std::string& message) {
  std::fprintf(stderr, "SeedDemo: %s\n", message.c_str());
  return 1;
}

std::string Quote(const std::string& text) {
  return "\"" + text + "\"";
}

// Runs SampleSetup.exe and returns its exit code (or -1 when it does not start).
long RunSetup(const std::string& command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string line = command;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &info))
    return -1;
  sys::UniqueHandle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  return static_cast<long>(code);
}

int Seed(const std::string& fixturesDir) {
  const std::string dir = sys::IncludeTrailingBackslash(fixturesDir);
  const std::string setup = dir + sample::kSetupExe;
  if (!sys::FileExists(setup)) return Fail("no " + setup + "; build the fixtures first");

  for (const DemoSample& s : kSamples) {
    std::string command = Quote(setup) + " /S " + Quote(std::string("/name=") + s.name) + " " +
                          Quote(std::string("/publisher=") + s.publisher) + " " +
                          Quote(std::string("/version=") + s.version) + " " + s.extra;
    long code = RunSetup(command);
    if (code != 0)
      return Fail("installing " + std::string(s.name) + " failed (" + std::to_string(code) + ")");
    std::printf("installed %s\n", s.name);
  }

  sys::Registry run(HKEY_CURRENT_USER);
  std::string parked = std::string(sample::kRunKey) + "\\Run_Disable";
  if (!run.openKey(parked, true) ||
      !run.writeString(kParkedName,
                       sample::RunCommand(sample::DefaultInstallDir(kParkedOwner, false, false))))
    return Fail("cannot write HKCU\\" + parked + ": " + sys::ErrorText(run.lastError()));
  std::printf("parked %s under HKCU\\%s\n", kParkedName, parked.c_str());

  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  std::string saver = sys::IncludeTrailingBackslash(system) + sample::kSaverFile;
  if (!CopyFileA((dir + sample::kSaverFile).c_str(), saver.c_str(), FALSE))
    return Fail("cannot copy the screen saver to " + saver + ": " + sys::LastErrorText());
  std::printf("copied %s\n", saver.c_str());
  return 0;
}

HWND VisibleWindow(const std::string& className) {
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, className.c_str(), nullptr)) != nullptr) {
    if (IsWindowVisible(hwnd)) return hwnd;
  }
  return nullptr;
}

int WaitWindow(const std::string& className, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!VisibleWindow(className)) {
    if (GetTickCount() - start > timeoutMs) return 1;
    Sleep(200);
  }
  return 0;
}

int WaitEnabled(const std::string& className, int childId, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND hwnd = VisibleWindow(className);
    HWND child = hwnd ? GetDlgItem(hwnd, childId) : nullptr;
    if (child && IsWindowEnabled(child)) return 0;
    if (GetTickCount() - start > timeoutMs) return 1;
    Sleep(200);
  }
}

int SelectRow(const std::string& className, const std::string& text) {
  HWND hwnd = VisibleWindow(className);
  if (!hwnd) return 1;
  std::wstring wide(text.size(), L'\0');
  wide.resize(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                              wide.data(), static_cast<int>(wide.size()))));
  int row = -1;
  HWND list = demo::FindListRow(hwnd, wide, row);
  if (!list) return Fail("no row \"" + text + "\" in a list of " + className);
  return demo::SelectOnlyRow(list, row) ? 0 : Fail("the list did not take the selection");
}

int MoveBelow(const std::string& className, const std::string& otherClass) {
  HWND hwnd = VisibleWindow(className);
  HWND other = VisibleWindow(otherClass);
  RECT below{};
  if (!hwnd || !other || !GetWindowRect(other, &below)) return 1;
  SetWindowPos(hwnd, nullptr, below.left, below.bottom + 8, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

int CloseWindow(const std::string& className) {
  HWND hwnd = FindWindowA(className.c_str(), nullptr);
  if (!hwnd) return 1;
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

int PostToWindow(const std::string& className, UINT message, WPARAM wParam) {
  HWND hwnd = VisibleWindow(className);
  if (!hwnd) return 1;
  PostMessageA(hwnd, message, wParam, 0);
  return 0;
}

int PostClick(const std::string& className, int childId) {
  HWND hwnd = VisibleWindow(className);
  HWND child = hwnd ? GetDlgItem(hwnd, childId) : nullptr;
  if (!child) return 1;
  PostMessageA(child, BM_CLICK, 0, 0);
  return 0;
}

int PostKey(const std::string& className, WPARAM key) {
  if (PostToWindow(className, WM_KEYDOWN, key) != 0) return 1;
  return PostToWindow(className, WM_KEYUP, key);
}

}  // namespace

int main() {
  const fixture::Options options = fixture::ProcessOptions();
  const std::vector<std::string>& args = options.words();
  if (args.size() == 2 && args[0] == "seed") return Seed(args[1]);
  if (args.size() == 3 && args[0] == "wait-window")
    return WaitWindow(args[1], std::strtoul(args[2].c_str(), nullptr, 10));
  if (args.size() == 2 && args[0] == "seed-removed") {
    const std::string error = demo::SeedRemovedSample(args[1]);
    if (!error.empty()) return Fail(error);
    std::printf("left the traces of %s and its scan record\n", demo::kRemovedName);
    return 0;
  }
  if (args.size() == 2 && args[0] == "close-window") return CloseWindow(args[1]);
  if (args.size() == 3 && args[0] == "select-row") return SelectRow(args[1], args[2]);
  if (args.size() == 3 && args[0] == "move-below") return MoveBelow(args[1], args[2]);
  if (args.size() == 4 && args[0] == "wait-enabled")
    return WaitEnabled(args[1], static_cast<int>(std::strtoul(args[2].c_str(), nullptr, 0)),
                       std::strtoul(args[3].c_str(), nullptr, 10));
  if (args.size() == 3) {
    const unsigned long number = std::strtoul(args[2].c_str(), nullptr, 0);
    if (args[0] == "post-click") return PostClick(args[1], static_cast<int>(number));
    if (args[0] == "post-command") return PostToWindow(args[1], WM_COMMAND, number);
    if (args[0] == "post-key") return PostKey(args[1], number);
  }
  std::fprintf(stderr,
               "usage: SeedDemo.exe seed <fixtures folder> | seed-removed <scans folder> | "
               "wait-window <class> <ms> | close-window <class> | "
               "post-click <class> <child id> | post-command <class> <id> | "
               "post-key <class> <key> | select-row <class> <text> | "
               "wait-enabled <class> <child id> <ms> | move-below <class> <other class>\n");
  return 2;
}

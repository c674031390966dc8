// The leftover scan's registry passes, against a bare recursive walk of the same keys.
//
// Adds `keys` extra keys (default 30,000) in a tree of 30 keys a level under
// HKCU\SOFTWARE and HKLM\SOFTWARE, a few of them bearing the searched name, then times
// in alternating rounds ScanRegistry (the four passes, with their exclusions and the
// value reads of each match), the window's whole search run by a live scan window (on
// its worker thread, with its progress label, its message handling and its trees
// filled), and a bare walk
// with RegOpenKeyExA and RegEnumKeyExA over the same start keys and branches. Prints
// the medians and their ratios to the bare walk. The keys are removed again.
//
// Usage: uninstall_bench [keys] [rounds]   (defaults 30000 and 3)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sys/Registry.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/frmScanRemains.h"

namespace {

constexpr char kBenchKey[] = "SOFTWARE\\PxScanBench";
constexpr char kSearchName[] = "PxScanBenchTarget";

const char* const kExcluded[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components",
    "SOFTWARE\\Classes",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide",
    "SOFTWARE\\Microsoft",
};

// Creates `count` keys below root\kBenchKey, 30 per level; every 1,000th is a match.
bool Fill(HKEY root, int count) {
  int made = 0;
  for (int a = 0; made < count; ++a) {
    for (int b = 0; b < 30 && made < count; ++b) {
      for (int c = 0; c < 30 && made < count; ++c, ++made) {
        char path[160];
        const char* leaf = made % 1000 == 0 ? kSearchName : "Leaf";
        std::snprintf(path, sizeof path, "%s\\Group%03d\\Sub%02d\\%s%02d", kBenchKey, a, b, leaf,
                      c);
        if (made % 1000 == 0)
          std::snprintf(path, sizeof path, "%s\\Group%03d\\Sub%02d\\%s", kBenchKey, a, b, leaf);
        HKEY key = nullptr;
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
          return false;
        RegSetValueExA(key, "Value", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        RegCloseKey(key);
      }
    }
  }
  return true;
}

// The baseline: open every key below root\path (skipping the same branches) and list
// its subkeys; nothing else.
long BareWalk(HKEY root, const std::string& path) {
  for (const char* excluded : kExcluded)
    if (path == excluded) return 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  std::vector<std::string> subs;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    subs.emplace_back(name, len);
  }
  RegCloseKey(key);
  long visited = 1;
  for (const std::string& sub : subs) visited += BareWalk(root, path + "\\" + sub);
  return visited;
}

long BareWalkAll() {
  return BareWalk(HKEY_CLASSES_ROOT, "Installer\\Products") +
         BareWalk(HKEY_CURRENT_USER, "SOFTWARE") + BareWalk(HKEY_LOCAL_MACHINE, "SOFTWARE") +
         BareWalk(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename F>
double TimeMs(F&& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::max(30, std::atoi(argv[1])) : 30000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const int perRoot = keys / 2;
  int status = 0;
  if (!Fill(HKEY_CURRENT_USER, perRoot) || !Fill(HKEY_LOCAL_MACHINE, keys - perRoot)) {
    std::fprintf(stderr, "could not create the benchmark keys\n");
    status = 1;
  }
  std::vector<double> scanMs, bareMs, windowMs;
  size_t found = 0, listed = 0;
  long visited = 0;
  for (int round = 0; status == 0 && round < rounds; ++round) {
    // Alternate which goes first, so that neither always meets a cold registry.
    auto bare = [&] { bareMs.push_back(TimeMs([&] { visited = BareWalkAll(); })); };
    auto scan = [&] {
      scanMs.push_back(TimeMs([&] { found = uninstall::ScanRegistry(kSearchName).size(); }));
    };
    // The window as the user sees it: shown, its timer off, the search started by
    // hand; it runs on the window's worker thread until the window hears it ended.
    auto window = [&] {
      const settings::TSettings noFolders;  // the scan never deletes here
      forms::TScanForm form(noFolders, uninstall::UninstallTarget{kSearchName, ""});
      if (!form.Create(nullptr)) return;
      form.killTimer(forms::TScanForm::kTimerStartScan);
      form.show(SW_SHOWNOACTIVATE);
      UpdateWindow(form.hwnd());
      windowMs.push_back(TimeMs([&] {
        form.StartScan();
        MSG msg;
        while (form.hwnd() && !form.scanned() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
          TranslateMessage(&msg);
          DispatchMessageW(&msg);
        }
      }));
      listed = form.tvScanRegInfo.children(nullptr).size();
    };
    if (round % 2 == 0) {
      bare();
      scan();
      window();
    } else {
      window();
      scan();
      bare();
    }
  }
  sys::DeleteKeyTree(HKEY_CURRENT_USER, kBenchKey, 0);
  sys::DeleteKeyTree(HKEY_LOCAL_MACHINE, kBenchKey, 0);
  if (status != 0) return status;
  const size_t expected =
      static_cast<size_t>((perRoot + 999) / 1000 + (keys - perRoot + 999) / 1000);
  if (found != expected || listed != expected || windowMs.size() != scanMs.size()) {
    std::fprintf(stderr, "the scan found %u keys and the window listed %u, expected %u\n",
                 static_cast<unsigned>(found), static_cast<unsigned>(listed),
                 static_cast<unsigned>(expected));
    return 1;
  }
  const double scan = Median(scanMs), bare = Median(bareMs), window = Median(windowMs);
  std::printf("registry passes over %d extra keys (%ld keys walked), %d rounds\n", keys, visited,
              rounds);
  std::printf("bare walk:     %.1f ms\nscan:          %.1f ms (ratio %.2f)\n", bare, scan,
              bare > 0 ? scan / bare : 0.0);
  std::printf("scan window:   %.1f ms\nwindow ratio:  %.2f (target <= 1.5)\n", window,
              bare > 0 ? window / bare : 0.0);
  return 0;
}

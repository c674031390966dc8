// Reading the start-up entries into rows, against reading the same values bare.
//
// Fills the prefix's Run keys with 200 entries (150 enabled, in HKCU and in both views
// of HKLM on 64-bit Windows, and 50 parked), then times, in alternating rounds,
// ReadRunKeys for both roots (what the startup list is built from) and a bare walk over
// the same keys (both views, and Windows' start-up switch keys) with RegOpenKeyExA and
// RegEnumValueA into fixed buffers. Prints the medians and their ratio. The entries are
// removed again.
//
// Usage: startup_bench [rounds]   (default 40)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "startup/StartupSources.h"

namespace {

constexpr int kEntries = 200;
constexpr char kPrefix[] = "PxBench-";

constexpr char kApproved[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

struct Placement {
  HKEY root;
  std::string path;
  REGSAM view;  // KEY_WOW64_64KEY or KEY_WOW64_32KEY for HKLM (one key on 32-bit Windows)
  int count;
};

std::vector<Placement> Placements() {
  std::string run = startup::kRunKeyPath;
  std::string parking = run + "\\" + startup::kParkingKeyName;
  return {{HKEY_CURRENT_USER, run, 0, 100},
          {HKEY_LOCAL_MACHINE, run, KEY_WOW64_64KEY, 30},
          {HKEY_LOCAL_MACHINE, run, KEY_WOW64_32KEY, 20},
          {HKEY_CURRENT_USER, parking, 0, 50}};
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Writes (or deletes) the entries; `created` collects the keys that writing had to
// create, and deleting removes them again, innermost first.
bool FillEntries(bool create, std::vector<Placement>& created) {
  int made = 0;
  for (const Placement& place : Placements()) {
    if (create && !KeyExists(place.root, place.path, place.view)) created.push_back(place);
    HKEY key = nullptr;
    if (RegCreateKeyExA(place.root, place.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | place.view,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
    for (int i = 0; i < place.count; ++i, ++made) {
      char name[64];
      std::snprintf(name, sizeof name, "%s%03d", kPrefix, made);
      if (create) {
        char data[MAX_PATH];
        std::snprintf(data, sizeof data,
                      "\"C:\\Program Files\\Bench Vendor %03d\\tray helper.exe\" /background",
                      made);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                       static_cast<DWORD>(lstrlenA(data) + 1));
      } else {
        RegDeleteValueA(key, name);
      }
    }
    RegCloseKey(key);
  }
  if (!create) {
    for (auto it = created.rbegin(); it != created.rend(); ++it)
      RegDeleteKeyExA(it->root, it->path.c_str(), it->view, 0);
  }
  return made == kEntries;
}

// The baseline: the same keys, the same values, names and data, nothing kept.
std::size_t ReadBare() {
  std::size_t values = 0;
  char name[16384];
  BYTE data[65536];
  auto enumerate = [&](HKEY key) {
    for (DWORD i = 0;; ++i) {
      DWORD nameLen = sizeof name;
      DWORD dataLen = sizeof data;
      DWORD type = 0;
      if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS)
        break;
      ++values;
    }
  };
  auto walk = [&](HKEY root, const std::string& path, REGSAM view, bool withParking) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
    enumerate(key);
    HKEY parking = nullptr;
    if (withParking && RegOpenKeyExA(key, startup::kParkingKeyName, 0, KEY_READ | view, &parking) ==
                           ERROR_SUCCESS) {
      enumerate(parking);
      RegCloseKey(parking);
    }
    RegCloseKey(key);
  };
  // The machine's keys through the native view, the 32-bit view's by their WOW6432Node
  // names, as the list reads them.
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    REGSAM view = root == HKEY_LOCAL_MACHINE ? KEY_WOW64_64KEY : 0;
    for (const char* path : startup::kRunKeyPaths) walk(root, path, view, true);
    if (root == HKEY_LOCAL_MACHINE && wow64) {
      for (const char* path : startup::kRunKeyPaths)
        walk(root, startup::Wow32KeyPath(path), view, true);
    }
    walk(root, std::string(kApproved) + "\\Run", view, false);
    if (root == HKEY_LOCAL_MACHINE && wow64)
      walk(root, std::string(kApproved) + "\\Run32", view, false);
  }
  return values;
}

std::size_t ReadRows() {
  std::vector<startup::StartupRow> rows;
  startup::ReadRunKeys(HKEY_CURRENT_USER, rows);
  startup::ReadRunKeys(HKEY_LOCAL_MACHINE, rows);
  return rows.size();
}

std::size_t ReadAllSources() {
  return startup::ReadStartupRows().size();
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Reader>
double TimeOnce(Reader reader, std::size_t& result) {
  LARGE_INTEGER from;
  LARGE_INTEGER to;
  QueryPerformanceCounter(&from);
  result = reader();
  QueryPerformanceCounter(&to);
  return Seconds(from, to);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 40;
  if (rounds < 1) rounds = 1;
  std::vector<Placement> created;
  if (!FillEntries(true, created)) {
    std::fprintf(stderr, "startup_bench: cannot write the Run keys\n");
    FillEntries(false, created);
    return 1;
  }

  std::vector<double> bare;
  std::vector<double> rows;
  std::vector<double> all;
  std::size_t bareCount = 0;
  std::size_t rowCount = 0;
  std::size_t allCount = 0;
  ReadBare();  // warm both paths once
  ReadAllSources();
  for (int round = 0; round < rounds; ++round) {
    bare.push_back(TimeOnce(ReadBare, bareCount));
    rows.push_back(TimeOnce(ReadRows, rowCount));
    all.push_back(TimeOnce(ReadAllSources, allCount));
  }
  FillEntries(false, created);

  double bareMs = Median(bare) * 1000.0;
  double rowsMs = Median(rows) * 1000.0;
  double allMs = Median(all) * 1000.0;
  std::printf("startup_bench: %d entries, %d rounds (medians), both views of HKLM\n", kEntries,
              rounds);
  std::printf("  bare RegEnumValueA, %zu values:        %8.3f ms\n", bareCount, bareMs);
  std::printf("  ReadRunKeys into rows, %zu rows:       %8.3f ms   ratio %.2f (target <= 2.00)\n",
              rowCount, rowsMs, rowsMs / bareMs);
  std::printf("  ReadStartupRows (with folders), %zu rows: %8.3f ms   ratio %.2f\n", allCount,
              allMs, allMs / bareMs);
  if (rowCount < static_cast<std::size_t>(kEntries) || bareCount < rowCount) {
    std::fprintf(stderr, "startup_bench: read %zu rows of %zu values\n", rowCount, bareCount);
    return 1;
  }
  return 0;
}

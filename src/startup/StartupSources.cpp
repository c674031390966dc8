#include "startup/StartupSources.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/Registry.h"

namespace startup {
namespace {

// Appends one row per text value of `key`. Names and data come from one
// enumeration call per value; the buffers start at the sizes the key reports and
// grow when a value is added or lengthened meanwhile.
void AppendTextValues(HKEY key, bool enabled, const std::string& location,
                      std::vector<StartupRow>& rows) {
  DWORD maxName = 0;
  DWORD maxData = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                       &maxData, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  std::vector<char> name(maxName + 2);
  std::vector<BYTE> data(maxData + 2);
  int retries = 0;
  for (DWORD index = 0;;) {
    DWORD nameLen = static_cast<DWORD>(name.size());
    DWORD dataLen = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    LONG rc =
        RegEnumValueA(key, index, name.data(), &nameLen, nullptr, &type, data.data(), &dataLen);
    if (rc == ERROR_MORE_DATA && ++retries < 16) {
      name.resize(name.size() * 2);
      data.resize(std::max<std::size_t>(data.size() * 2, dataLen + 2));
      continue;
    }
    if (rc != ERROR_SUCCESS) return;  // ERROR_NO_MORE_ITEMS, or the key went away
    ++index;
    retries = 0;
    if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
    // Stored text need not be terminated: stop at the first NUL or at the data's end.
    const char* text = reinterpret_cast<const char*>(data.data());
    std::size_t length = strnlen(text, std::min<std::size_t>(dataLen, data.size()));
    rows.push_back(StartupRow{std::string(name.data(), nameLen), enabled, std::string(text, length),
                              location});
  }
}

}  // namespace

void ReadRunKeys(HKEY root, std::vector<StartupRow>& rows) {
  sys::Registry reg(root, KEY_READ);
  for (const char* path : kRunKeyPaths) {
    if (!reg.openKey(std::string("\\") + path, false)) continue;
    std::string location = RegistryLocation(root, path);
    AppendTextValues(reg.currentKey(), true, location, rows);
    if (reg.openKey(kParkingKeyName, false))
      AppendTextValues(reg.currentKey(), false, location, rows);
    reg.closeKey();
  }
}

std::string GetSpecialFolderPath(int csidl) {
  // The path lookup answers the same as resolving the folder's item list and asking
  // for its path, at a tenth of the cost; the list is rebuilt on every refresh.
  char path[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::string();
  return path;
}

void ReadStartupFolders(std::vector<StartupRow>& rows) {
  for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
    std::string folder = GetSpecialFolderPath(csidl);
    if (folder.empty()) continue;
    folder = sys::IncludeTrailingBackslash(folder);
    WIN32_FIND_DATAA found;
    sys::UniqueFind find(FindFirstFileA((folder + "*.*").c_str(), &found));
    if (!find) continue;
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) continue;
      if (found.cFileName[0] == '.') continue;  // also "." and ".."
      std::string name = found.cFileName;
      rows.push_back(StartupRow{name, true, folder + name, folder});
    } while (FindNextFileA(find.get(), &found));
  }
}

std::vector<StartupRow> ReadStartupRows() {
  std::vector<StartupRow> rows;
  ReadRunKeys(HKEY_CURRENT_USER, rows);
  ReadRunKeys(HKEY_LOCAL_MACHINE, rows);
  ReadStartupFolders(rows);
  return rows;
}

}  // namespace startup

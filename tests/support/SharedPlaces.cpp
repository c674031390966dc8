#include "support/SharedPlaces.h"

#include <windows.h>

#include <map>

#include "rostrel/core/Ids.h"
#include "sys/Handles.h"
#include "sys/Text.h"

namespace testing_support {
namespace {

// Everything below one registry key, read with the bare wide API so that any name
// and any data (odd types, odd sizes) comes back exactly.
struct RegNode {
  bool exists = false;
  std::map<std::wstring, std::pair<DWORD, std::string>> values;  // name -> type, bytes
  std::map<std::wstring, RegNode> keys;
  bool operator==(const RegNode&) const = default;
};

struct RegPlace {
  HKEY root;
  std::wstring path;
  REGSAM view;
  RegNode content;
};

std::string Describe(HKEY root, const std::wstring& path, REGSAM view) {
  std::string name = root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\";
  if (view == KEY_WOW64_32KEY) name += "(32-bit view) ";
  return name + sys::Narrow(path);
}

RegNode ReadNode(HKEY key, REGSAM view) {
  RegNode node;
  node.exists = true;
  DWORD subKeys = 0, longestKey = 0, valueCount = 0, longestValue = 0, longestData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &longestKey, nullptr, &valueCount,
                       &longestValue, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return node;
  for (DWORD i = 0; i < valueCount; ++i) {
    std::wstring name(longestValue + 1, L'\0');
    std::string data(longestData, '\0');
    DWORD nameSize = longestValue + 1, dataSize = longestData, type = 0;
    if (RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataSize) != ERROR_SUCCESS)
      continue;
    name.resize(nameSize);
    data.resize(dataSize);
    node.values[name] = {type, data};
  }
  for (DWORD i = 0; i < subKeys; ++i) {
    std::wstring name(longestKey + 1, L'\0');
    DWORD nameSize = longestKey + 1;
    if (RegEnumKeyExW(key, i, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      continue;
    name.resize(nameSize);
    sys::UniqueKey sub;
    // A key that cannot be read is still remembered, so that it is noticed.
    if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ | view, sub.put()) != ERROR_SUCCESS) {
      node.keys[name].values[L"<unreadable>"] = {REG_NONE, std::string()};
      continue;
    }
    node.keys[name] = ReadNode(sub.get(), view);
  }
  return node;
}

RegNode ReadPlace(HKEY root, const std::wstring& path, REGSAM view) {
  sys::UniqueKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS)
    return RegNode();
  return ReadNode(key.get(), view);
}

// Makes `key` (which holds `have`) hold `want`, touching only what differs.
void RestoreNode(HKEY key, REGSAM view, const RegNode& want, const RegNode& have,
                 const std::string& where, std::vector<std::string>& problems) {
  for (const auto& [name, value] : have.values) {
    if (!want.values.count(name) && RegDeleteValueW(key, name.c_str()) != ERROR_SUCCESS)
      problems.push_back("cannot delete value " + where + "\\" + sys::Narrow(name));
  }
  for (const auto& [name, value] : want.values) {
    auto found = have.values.find(name);
    if (found != have.values.end() && found->second == value) continue;
    if (RegSetValueExW(key, name.c_str(), 0, value.first,
                       reinterpret_cast<const BYTE*>(value.second.data()),
                       static_cast<DWORD>(value.second.size())) != ERROR_SUCCESS)
      problems.push_back("cannot write value " + where + "\\" + sys::Narrow(name));
  }
  for (const auto& [name, sub] : have.keys) {
    if (want.keys.count(name)) continue;
    // RegDeleteTree takes the named key itself too; what it leaves goes alone.
    if (RegDeleteTreeW(key, name.c_str()) != ERROR_SUCCESS &&
        RegDeleteKeyExW(key, name.c_str(), view, 0) != ERROR_SUCCESS)
      problems.push_back("cannot delete key " + where + "\\" + sys::Narrow(name));
  }
  static const RegNode kEmpty;
  for (const auto& [name, sub] : want.keys) {
    auto found = have.keys.find(name);
    const RegNode& before = found == have.keys.end() ? kEmpty : found->second;
    if (found != have.keys.end() && before == sub) continue;
    sys::UniqueKey child;
    if (RegCreateKeyExW(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                        child.put(), nullptr) != ERROR_SUCCESS) {
      problems.push_back("cannot open key " + where + "\\" + sys::Narrow(name));
      continue;
    }
    RestoreNode(child.get(), view, sub, before, where + "\\" + sys::Narrow(name), problems);
  }
}

void RestorePlace(const RegPlace& place, std::vector<std::string>& problems) {
  const RegNode have = ReadPlace(place.root, place.path, place.view);
  if (have == place.content) return;
  const std::string where = Describe(place.root, place.path, place.view);
  if (!place.content.exists) {
    sys::UniqueKey key;
    if (RegOpenKeyExW(place.root, place.path.c_str(), 0, KEY_ALL_ACCESS | place.view, key.put()) ==
        ERROR_SUCCESS)
      RegDeleteTreeW(key.get(), nullptr);
    key.reset();
    if (RegDeleteKeyExW(place.root, place.path.c_str(), place.view, 0) != ERROR_SUCCESS)
      problems.push_back("cannot delete key " + where);
    return;
  }
  sys::UniqueKey key;
  if (RegCreateKeyExW(place.root, place.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | place.view,
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    problems.push_back("cannot open key " + where);
    return;
  }
  RestoreNode(key.get(), place.view, place.content, have, where, problems);
}

// The screen savers as the component finds them: every .scr file of the native
// system folder (through its alias for 32-bit programs), the system folder and
// the Windows folder; and the protected copies that a removal drops.
struct SaverFile {
  std::string bytes;
  DWORD attributes = 0;
  FILETIME created{}, accessed{}, written{};
  bool sameFile(const SaverFile& other) const {
    return bytes == other.bytes && attributes == other.attributes &&
           CompareFileTime(&written, &other.written) == 0;
  }
};
using SaverFiles = std::map<std::wstring, SaverFile>;  // by full path

std::vector<std::wstring> SaverFolders() {
  std::vector<std::wstring> folders;
  wchar_t buffer[MAX_PATH];
  UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
  std::wstring windows = n > 0 && n < MAX_PATH ? std::wstring(buffer, n) + L"\\" : L"";
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (wow64 && !windows.empty()) folders.push_back(windows + L"Sysnative\\");
  n = GetSystemDirectoryW(buffer, MAX_PATH);
  if (n > 0 && n < MAX_PATH) folders.push_back(std::wstring(buffer, n) + L"\\");
  if (!windows.empty()) folders.push_back(windows);
  return folders;
}

std::wstring ProtectedCopiesFolder() {
  wchar_t buffer[MAX_PATH];
  UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) + L"\\dllcache\\" : L"";
}

bool ReadSaver(const std::wstring& path, SaverFile& file) {
  sys::UniqueHandle handle(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!handle) return false;
  LARGE_INTEGER size{};
  GetFileSizeEx(handle.get(), &size);
  file.bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!file.bytes.empty() && (!ReadFile(handle.get(), file.bytes.data(),
                                        static_cast<DWORD>(file.bytes.size()), &read, nullptr) ||
                              read != file.bytes.size()))
    return false;
  GetFileTime(handle.get(), &file.created, &file.accessed, &file.written);
  file.attributes = GetFileAttributesW(path.c_str());
  return true;
}

SaverFiles ReadSavers() {
  SaverFiles files;
  std::vector<std::wstring> folders = SaverFolders();
  folders.push_back(ProtectedCopiesFolder());
  for (const std::wstring& folder : folders) {
    WIN32_FIND_DATAW data;
    sys::UniqueFind find(FindFirstFileW((folder + L"*.scr").c_str(), &data));
    if (!find) continue;
    do {
      std::wstring name = data.cFileName;
      // "*.scr" also matches longer extensions through short names.
      if (name.size() < 4 || lstrcmpiW(name.c_str() + name.size() - 4, L".scr") != 0) continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      SaverFile file;
      if (ReadSaver(folder + name, file)) files[folder + name] = std::move(file);
    } while (FindNextFileW(find.get(), &data));
  }
  return files;
}

bool WriteSaver(const std::wstring& path, const SaverFile& file) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  {
    sys::UniqueHandle handle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!handle) return false;
    DWORD written = 0;
    if (!file.bytes.empty() &&
        (!WriteFile(handle.get(), file.bytes.data(), static_cast<DWORD>(file.bytes.size()),
                    &written, nullptr) ||
         written != file.bytes.size()))
      return false;
    SetFileTime(handle.get(), &file.created, &file.accessed, &file.written);
  }
  return SetFileAttributesW(path.c_str(), file.attributes) != 0;
}

void RestoreSavers(const SaverFiles& want, std::vector<std::string>& problems) {
  const SaverFiles have = ReadSavers();
  for (const auto& [path, file] : have) {
    if (want.count(path)) continue;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(path.c_str())) problems.push_back("cannot delete " + sys::Narrow(path));
  }
  for (const auto& [path, file] : want) {
    auto found = have.find(path);
    if (found != have.end() && found->second.sameFile(file)) continue;
    if (!WriteSaver(path, file)) problems.push_back("cannot put back " + sys::Narrow(path));
  }
}

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The registry keys of each place; the machine-wide ones of the uninstall and Run
// families in both views.
std::vector<RegPlace> KeysOf(SharedPlace place) {
  std::vector<RegPlace> keys;
  auto both = [&](HKEY root, const std::wstring& path) {
    if (root == HKEY_LOCAL_MACHINE) {
      keys.push_back({root, path, KEY_WOW64_64KEY, {}});
      keys.push_back({root, path, KEY_WOW64_32KEY, {}});
    } else {
      keys.push_back({root, path, 0, {}});
    }
  };
  switch (place) {
    case SharedPlace::UninstallEntries:
      for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) both(root, kUninstall);
      break;
    case SharedPlace::ComponentRegistration:
      // Where the component registers itself: the classes of this process's view.
      for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        keys.push_back({root,
                        sys::Widen(std::string("Software\\Classes\\CLSID\\") + rostrel::kClsidText),
                        0,
                        {}});
        keys.push_back(
            {root, sys::Widen(std::string("Software\\Classes\\") + rostrel::kProgId), 0, {}});
      }
      break;
    case SharedPlace::StartupSources:
      for (const wchar_t* path : {L"Run", L"RunOnce", L"RunOnceEx", L"RunServices",
                                  L"RunServicesOnce", L"Explorer\\StartupApproved"}) {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
          both(root, std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\") + path);
      }
      break;
    case SharedPlace::ScreenSavers:
      break;
  }
  return keys;
}

constexpr SharedPlace kAllPlaces[] = {SharedPlace::UninstallEntries, SharedPlace::ScreenSavers,
                                      SharedPlace::ComponentRegistration,
                                      SharedPlace::StartupSources};

}  // namespace

struct SharedPlacesGuard::Snapshot {
  std::vector<RegPlace> keys;
  bool savers = false;
  SaverFiles saverFiles;
  bool protectedCopiesFolder = false;  // whether it was there
};

const char* LockName(SharedPlace place) {
  switch (place) {
    case SharedPlace::UninstallEntries:
      return "prefix_uninstall_entries";
    case SharedPlace::ScreenSavers:
      return "prefix_screen_savers";
    case SharedPlace::ComponentRegistration:
      return "prefix_component_registration";
    case SharedPlace::StartupSources:
      return "prefix_startup_sources";
  }
  return "";
}

std::vector<SharedPlace> PlacesOfThisRun() {
  char buffer[1024];
  DWORD n = GetEnvironmentVariableA("PRUNAXIS_TEST_LOCKS", buffer, sizeof buffer);
  const std::string locks = n > 0 && n < sizeof buffer ? std::string(buffer, n) : "all";
  std::vector<SharedPlace> places;
  for (SharedPlace place : kAllPlaces) {
    if (locks == "all" ||
        ("," + locks + ",").find(std::string(",") + LockName(place) + ",") != std::string::npos)
      places.push_back(place);
  }
  return places;
}

SharedPlacesGuard::SharedPlacesGuard(const std::vector<SharedPlace>& places)
    : snapshot_(std::make_unique<Snapshot>()) {
  for (SharedPlace place : places) {
    if (place == SharedPlace::ScreenSavers) {
      snapshot_->savers = true;
      snapshot_->saverFiles = ReadSavers();
      snapshot_->protectedCopiesFolder =
          GetFileAttributesW(ProtectedCopiesFolder().c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    for (RegPlace& key : KeysOf(place)) {
      key.content = ReadPlace(key.root, key.path, key.view);
      snapshot_->keys.push_back(std::move(key));
    }
  }
}

SharedPlacesGuard::~SharedPlacesGuard() {
  restore();
}

std::vector<std::string> SharedPlacesGuard::restore() {
  std::vector<std::string> problems;
  if (!snapshot_) return problems;
  for (const RegPlace& key : snapshot_->keys) RestorePlace(key, problems);
  if (snapshot_->savers) {
    RestoreSavers(snapshot_->saverFiles, problems);
    // Only when empty: what else is in there is not ours to judge.
    if (!snapshot_->protectedCopiesFolder) RemoveDirectoryW(ProtectedCopiesFolder().c_str());
  }
  snapshot_.reset();
  return problems;
}

}  // namespace testing_support

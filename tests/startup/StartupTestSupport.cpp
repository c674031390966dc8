#include "StartupTestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <iterator>
#include <utility>
#include <stdexcept>

#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Handles.h"
#include "sys/Registry.h"
#include "sys/Text.h"

namespace startup_test {
namespace {

const char* Abbreviation(HKEY root) {
  return root == HKEY_CURRENT_USER ? "HKCU" : "HKLM";
}

using sys::Narrow;
using sys::Widen;

// The key that a SourceState name stands for: its path in its view.
struct RawKey {
  std::string path;
  REGSAM view = 0;
};

RawKey Raw(HKEY root, const std::string& path) {
  if (root != HKEY_LOCAL_MACHINE) return {path, 0};
  const std::string wow = "SOFTWARE\\WOW6432Node\\";
  if (_strnicmp(path.c_str(), wow.c_str(), wow.size()) == 0)
    return {path.substr(0, 9) + path.substr(wow.size()), KEY_WOW64_32KEY};
  return {path, KEY_WOW64_64KEY};
}

// Every key that SourceState holds, by root and name.
std::vector<std::pair<HKEY, std::string>> Places() {
  std::vector<std::pair<HKEY, std::string>> places;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    std::vector<std::string> runKeys(std::begin(startup::kRunKeyPaths),
                                     std::end(startup::kRunKeyPaths));
    std::vector<std::string> approved{kApproved};
    if (root == HKEY_LOCAL_MACHINE && TwoViews()) {
      for (const char* path : startup::kRunKeyPaths) runKeys.push_back(Wow32(path));
      approved.push_back(Wow32(kApproved));
    }
    for (const std::string& path : runKeys) {
      places.emplace_back(root, path);
      places.emplace_back(root, path + "\\" + startup::kParkingKeyName);
    }
    for (const std::string& path : approved) {
      places.emplace_back(root, path);
      for (const char* name : {"Run", "Run32", "StartupFolder"})
        places.emplace_back(root, path + "\\" + name);
    }
  }
  return places;
}

// Wide calls throughout: names in any script must be captured and put back exactly.
std::optional<RawValues> ReadRawKey(HKEY root, const std::string& name) {
  const RawKey raw = Raw(root, name);
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, Widen(raw.path).c_str(), 0, KEY_READ | raw.view, &key) != ERROR_SUCCESS)
    return std::nullopt;
  RawValues values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    std::vector<BYTE> data(64 * 1024);
    DWORD nameLen = 16384;
    DWORD dataLen = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data.data(), &dataLen) !=
        ERROR_SUCCESS)
      break;
    values[Narrow(std::wstring_view(name, nameLen))] =
        RawValue{type, std::string(reinterpret_cast<char*>(data.data()), dataLen)};
  }
  RegCloseKey(key);
  return values;
}

std::set<std::string> FolderNames(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(Widen(folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = Narrow(found.cFileName);
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

void RemoveEntry(const std::string& path) {
  DWORD attrs = GetFileAttributesW(Widen(path).c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
    testing_support::RemoveTree(path);
  } else {
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Widen(path).c_str());
  }
}

std::string TrashInfoFolder() {
  std::string files = TrashFilesFolder();
  if (files.empty()) return files;
  return sys::ExtractFilePath(sys::ExcludeTrailingBackslash(files)) + "info\\";
}

std::set<std::string> TrashEntries() {
  std::set<std::string> entries;
  for (const std::string& folder : {TrashFilesFolder(), TrashInfoFolder()}) {
    if (folder.empty()) continue;
    for (const std::string& name : FolderNames(folder)) entries.insert(folder + name);
  }
  return entries;
}

// The system counts a terminator into string data without one when the character
// after the data is NUL: non-NUL padding keeps what is written exact.
std::string Padded(const std::string& bytes) {
  return bytes + std::string(4, '\xFF');
}

void RestoreKey(HKEY root, const std::string& path, const std::optional<RawValues>& wanted) {
  const RawKey raw = Raw(root, path);
  if (!wanted) {
    sys::DeleteKeyTree(root, raw.path, raw.view);
    return;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, Widen(raw.path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | raw.view,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const RawValues now = ReadRawKey(root, path).value_or(RawValues{});
  for (const auto& [name, value] : now) {
    if (!wanted->count(name)) RegDeleteValueW(key, Widen(name).c_str());
  }
  for (const auto& [name, value] : *wanted) {
    auto it = now.find(name);
    if (it != now.end() && it->second == value) continue;
    std::string padded = Padded(value.data);
    RegSetValueExW(key, Widen(name).c_str(), 0, value.type,
                   reinterpret_cast<const BYTE*>(padded.data()),
                   static_cast<DWORD>(value.data.size()));
  }
  RegCloseKey(key);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const RawValue& value) {
  out << "(type " << value.type << ", " << value.data.size() << " bytes)";
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return out;
  std::wstring text(value.data.size() / 2, L'\0');
  if (!text.empty()) memcpy(text.data(), value.data.data(), text.size() * 2);
  return out << " \"" << Narrow(text.c_str()) << "\"";
}

std::ostream& operator<<(std::ostream& out, const SourceState& state) {
  for (const auto& [key, values] : state.keys) {
    out << "\n  [" << key << "]";
    if (!values) {
      out << " missing";
      continue;
    }
    for (const auto& [name, value] : *values) out << "\n    " << name << " = " << value;
  }
  for (const auto& [folder, names] : state.folders) {
    out << "\n  " << folder << ":";
    for (const auto& name : names) out << " \"" << name << "\"";
  }
  return out;
}

std::string StateKey(HKEY root, const std::string& path) {
  return std::string(Abbreviation(root)) + "\\" + path;
}

std::string ParkingStateKey(HKEY root, const std::string& path) {
  return StateKey(root, path) + "\\" + startup::kParkingKeyName;
}

std::string Location(HKEY root, const std::string& path) {
  return (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + path;
}

RawValues& Values(SourceState& state, const std::string& key) {
  auto& values = state.keys[key];
  if (!values) values = RawValues{};
  return *values;
}

void ParkTextValues(SourceState& state) {
  for (const auto& [root, path] : Places()) {
    // The Run keys themselves: not their parking keys, nor the switch keys.
    if (path.find("CurrentVersion\\Run") == std::string::npos ||
        path.find(startup::kParkingKeyName) != std::string::npos)
      continue;
    auto& run = state.keys[StateKey(root, path)];
    if (!run) continue;
    for (auto it = run->begin(); it != run->end();) {
      if (it->second.type == REG_SZ || it->second.type == REG_EXPAND_SZ) {
        Values(state, ParkingStateKey(root, path))[it->first] = it->second;
        it = run->erase(it);
      } else {
        ++it;
      }
    }
  }
}

std::string WideBytes(const std::string& text) {
  std::wstring wide = Widen(text);
  return std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2);
}

RawValue Sz(const std::string& text) {
  return RawValue{REG_SZ, WideBytes(text)};
}

RawValue ExpandSz(const std::string& text) {
  return RawValue{REG_EXPAND_SZ, WideBytes(text)};
}

std::string Wow32(const std::string& path) {
  return path.substr(0, 9) + "WOW6432Node\\" + path.substr(9);
}

bool TwoViews() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

RawValue Switch(DWORD flag, ULONGLONG time) {
  std::string bytes(12, '\0');
  memcpy(bytes.data(), &flag, 4);
  memcpy(bytes.data() + 4, &time, 8);
  return RawValue{REG_BINARY, bytes};
}

SourceState CaptureSources() {
  SourceState state;
  for (const auto& [root, path] : Places())
    state.keys[StateKey(root, path)] = ReadRawKey(root, path);
  for (const std::string& folder : {UserStartupFolder(), CommonStartupFolder()})
    state.folders[folder] = FolderNames(folder);
  return state;
}

SourcesGuard::SourcesGuard() : before_(CaptureSources()), trashBefore_(TrashEntries()) {}

SourcesGuard::~SourcesGuard() {
  // Keys in capture order put parents back before their children: "Run" comes
  // before "Run\Run_Disable", "RunOnce" before "RunOnce\Setup".
  for (const auto& [stateKey, values] : before_.keys) {
    HKEY root = stateKey.rfind("HKCU", 0) == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    RestoreKey(root, stateKey.substr(5), values);
  }
  std::string trash = TrashFilesFolder();
  for (const auto& [folder, names] : before_.folders) {
    for (const std::string& name : FolderNames(folder)) {
      if (!names.count(name)) RemoveEntry(folder + name);
    }
    for (const std::string& name : names) {
      if (!Exists(folder + name) && !trash.empty())
        MoveFileW(Widen(trash + name).c_str(), Widen(folder + name).c_str());
    }
  }
  for (const std::string& entry : TrashEntries()) {
    if (!trashBefore_.count(entry)) RemoveEntry(entry);
  }
}

namespace {
// Through the folder's item list, a different road from the one the code under test takes.
std::string ShellFolder(int csidl) {
  ITEMIDLIST* list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) return std::string();
  wchar_t path[MAX_PATH + 1] = {};
  BOOL ok = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  return ok ? sys::IncludeTrailingBackslash(Narrow(path)) : std::string();
}
}  // namespace

std::string UserStartupFolder() {
  return ShellFolder(CSIDL_STARTUP);
}

std::string CommonStartupFolder() {
  return ShellFolder(CSIDL_COMMON_STARTUP);
}

std::string TrashFilesFolder() {
  char unixPath[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", unixPath, sizeof unixPath);
  if (length == 0 || length >= sizeof unixPath) return std::string();
  std::string path = std::string("Z:") + unixPath + "/Trash/files/";
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string FixturePath(const std::string& name) {
  std::string relative =
      sys::ExtractFilePath(sys::ModuleFileName()) + "..\\startup-fixtures\\" + name + ".exe";
  char full[MAX_PATH] = {};
  if (!GetFullPathNameA(relative.c_str(), sizeof full, full, nullptr)) return relative;
  return full;
}

void SetRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 const void* data, DWORD size) {
  const RawKey raw = Raw(root, path);
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExA(root, raw.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | raw.view,
                            nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot create " + path);
  rc = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot write " + path + "\\" + name);
}

void SetWideRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
                const std::string& bytes) {
  const RawKey raw = Raw(root, path);
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(root, Widen(raw.path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | raw.view,
                            nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot create " + path);
  std::string padded = Padded(bytes);
  rc = RegSetValueExW(key, Widen(name).c_str(), 0, type,
                      reinterpret_cast<const BYTE*>(padded.data()),
                      static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot write " + path + "\\" + name);
}

void SetText(HKEY root, const std::string& path, const std::string& name, const std::string& text,
             DWORD type) {
  SetWideRaw(root, path, name, type, WideBytes(text));
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ShortcutFields ReadShortcut(const std::string& linkPath) {
  sys::ComPtr<IShellLinkW> link;
  EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkW, link.putVoid()));
  if (!link) return {};
  sys::ComPtr<IPersistFile> file;
  EXPECT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.putVoid()));
  EXPECT_HRESULT_SUCCEEDED(file->Load(Widen(linkPath).c_str(), STGM_READ)) << linkPath;
  ShortcutFields fields;
  constexpr int kChars = MAX_PATH * 2;
  wchar_t text[kChars] = {};
  if (SUCCEEDED(link->GetPath(text, kChars, nullptr, SLGP_RAWPATH))) fields.path = Narrow(text);
  ITEMIDLIST* list = nullptr;
  if (SUCCEEDED(link->GetIDList(&list)) && list) {
    text[0] = L'\0';
    if (SHGetPathFromIDListW(list, text)) fields.itemPath = Narrow(text);
    CoTaskMemFree(list);
  }
  text[0] = L'\0';
  if (SUCCEEDED(link->GetWorkingDirectory(text, kChars))) fields.workingFolder = Narrow(text);
  text[0] = L'\0';
  if (SUCCEEDED(link->GetArguments(text, kChars))) fields.arguments = Narrow(text);
  return fields;
}

std::vector<startup::StartupRow> RowsNamed(const std::vector<startup::StartupRow>& rows,
                                           const std::string& prefix) {
  std::vector<startup::StartupRow> named;
  for (const auto& row : rows) {
    if (row.name.rfind(prefix, 0) == 0) named.push_back(row);
  }
  return named;
}

startup::StartupRow& RowOf(std::vector<startup::StartupRow>& rows, const std::string& name,
                           const std::string& location) {
  for (auto& row : rows) {
    if (row.name == name && row.location == location) return row;
  }
  ADD_FAILURE() << "no row " << name << " at " << location;
  throw std::runtime_error("missing row " + name);
}

ScopedDeny::ScopedDeny(HKEY root, const std::string& path, DWORD deniedRights)
    : root_(root), path_(path) {
  const RawKey raw = Raw(root, path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, raw.path.c_str(), 0, READ_CONTROL | WRITE_DAC | raw.view, &key) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot open " + path + " to change its rights");
  DWORD size = 0;
  RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  original_.resize(size);
  LONG rc = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, original_.data(), &size);
  // Deny first (denials are checked before grants), then allow everything else.
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  std::vector<BYTE> aclBytes(512);
  auto* acl = reinterpret_cast<ACL*>(aclBytes.data());
  InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION);
  AddAccessDeniedAce(acl, ACL_REVISION, deniedRights, everyone);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
  if (rc == ERROR_SUCCESS) rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  FreeSid(everyone);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot change the rights of " + path);
}

ScopedDeny::~ScopedDeny() {
  const RawKey raw = Raw(root_, path_);
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, raw.path.c_str(), 0, WRITE_DAC | raw.view, &key) != ERROR_SUCCESS)
    return;
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, original_.data());
  RegCloseKey(key);
}

namespace {
constexpr char kOverrides[] = "Software\\Wine\\DllOverrides";
constexpr char kMenuBuilder[] = "winemenubuilder.exe";
}  // namespace

ScopedNoMenuBuilder::ScopedNoMenuBuilder() {
  sys::Registry reg(HKEY_CURRENT_USER);
  if (!reg.openKey(kOverrides, true)) return;
  previous_ = reg.readString(kMenuBuilder);
  reg.writeString(kMenuBuilder, "");  // an empty load order: never load it
}

ScopedNoMenuBuilder::~ScopedNoMenuBuilder() {
  sys::Registry reg(HKEY_CURRENT_USER);
  if (!reg.openKey(kOverrides, false)) return;
  if (previous_)
    reg.writeString(kMenuBuilder, *previous_);
  else
    reg.deleteValue(kMenuBuilder);
}

}  // namespace startup_test

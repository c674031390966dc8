#include "support/DiskAndRegistry.h"

#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>

#include "sys/FileOps.h"
#include "sys/Text.h"

namespace testing_support {
namespace {

void SnapshotKey(HKEY root, const std::string& label, const std::string& path,
                 std::set<std::string>& out, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
  out.insert(label + "\\" + path);
  // On the heap: the walk recurses once per key level.
  std::string name(16384, '\0');
  std::string data(65536, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(name.size()), dataLen = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key, i, name.data(), &nameLen, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataLen) != ERROR_SUCCESS)
      break;
    out.insert(label + "\\" + path + "\\" + name.substr(0, nameLen) + "=" + std::to_string(type) +
               ":" + data.substr(0, dataLen));
  }
  std::vector<std::string> subs;
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = 256;
    if (RegEnumKeyExA(key, i, name.data(), &nameLen, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    subs.push_back(name.substr(0, nameLen));
  }
  RegCloseKey(key);
  for (const std::string& sub : subs) {
    // The native view shows the 32-bit one as a subkey; that view has a label of its own.
    if (view == KEY_WOW64_64KEY && path == "SOFTWARE" && _stricmp(sub.c_str(), "Wow6432Node") == 0)
      continue;
    // Wine caches system parameters here whenever a window asks for them (the mouse
    // settings, say): its own bookkeeping, which no program's action changes.
    if (root == HKEY_CURRENT_USER && _stricmp(path.c_str(), "SOFTWARE\\Wine") == 0 &&
        _stricmp(sub.c_str(), "Temporary System Parameters") == 0)
      continue;
    SnapshotKey(root, label, path + "\\" + sub, out, view);
  }
}

void SnapshotFolder(const std::string& folder, std::set<std::string>& out) {
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    out.insert(folder + "\\" + name);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      SnapshotFolder(folder + "\\" + name, out);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

}  // namespace

std::set<std::string> SnapshotRegistry() {
  std::set<std::string> out;
  SnapshotKey(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "SOFTWARE", out);
  SnapshotKey(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "SOFTWARE", out);
  return out;
}

std::set<std::string> SnapshotEveryView() {
  std::set<std::string> out;
  SnapshotKey(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "SOFTWARE", out);
  SnapshotKey(HKEY_LOCAL_MACHINE, "HKLM64", "SOFTWARE", out, KEY_WOW64_64KEY);
  SnapshotKey(HKEY_LOCAL_MACHINE, "HKLM32", "SOFTWARE", out, KEY_WOW64_32KEY);
  return out;
}

std::set<std::string> SnapshotDisk(const std::string& folder) {
  std::set<std::string> out;
  if (PathExists(folder)) out.insert(folder);
  SnapshotFolder(folder, out);
  return out;
}

std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> out;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(out, out.end()));
  return out;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteTextFile(const std::string& path, DWORD attributes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, "text\r\n", 6, &written, nullptr);
  CloseHandle(file);
  SetFileAttributesA(path.c_str(), attributes);
}

bool MakeJunction(const std::string& link, const std::string& target) {
  if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
  HANDLE handle = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    RemoveDirectoryA(link.c_str());  // nothing may stand where another kind of link goes
    SetLastError(error);
    return false;
  }
  std::wstring substitute = L"\\??\\";
  for (char c : target) substitute += static_cast<wchar_t>(static_cast<unsigned char>(c));
  const USHORT subBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  // REPARSE_DATA_BUFFER for a mount point: tag, sizes, then both names, each NUL-ended.
  std::vector<BYTE> buffer(8 + 8 + subBytes + 2 + 2, 0);
  auto put16 = [&](size_t at, USHORT v) { memcpy(buffer.data() + at, &v, 2); };
  DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  memcpy(buffer.data(), &tag, 4);
  put16(4, static_cast<USHORT>(buffer.size() - 8));
  put16(8, 0);                                   // substitute name offset
  put16(10, subBytes);                           // substitute name length
  put16(12, static_cast<USHORT>(subBytes + 2));  // print name offset
  put16(14, 0);                                  // print name length
  memcpy(buffer.data() + 16, substitute.data(), subBytes);
  DWORD returned = 0;
  BOOL ok = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                            static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
  const DWORD error = GetLastError();
  CloseHandle(handle);
  DWORD attributes = GetFileAttributesA(link.c_str());
  if (!ok || attributes == INVALID_FILE_ATTRIBUTES ||
      !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    RemoveDirectoryA(link.c_str());
    SetLastError(ok ? ERROR_NOT_A_REPARSE_POINT : error);
    return false;
  }
  return true;
}

namespace {

bool IsFolderLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Wine's own export (no Windows API): the Unix name of a Windows path, allocated on the
// process heap; nullptr on Windows, where kernel32 has no such export.
std::string UnixFileName(const std::wstring& path) {
  using ToUnix = char*(__cdecl*)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  char* name = toUnix(path.c_str());
  if (!name) return std::string();
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

// Wine runs a Unix program given by its Z: path. What it hands back for one is no
// waitable process (the wait fails, the exit code is not the program's), so the caller
// waits for the outcome on disk instead, half a minute at most.
bool RunUnix(const wchar_t* program, const std::string& commandLine,
             const std::function<bool()>& done) {
  std::wstring command = sys::Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info))
    return false;
  WaitForSingleObject(info.hProcess, 30000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(10)) {
    if (done()) return true;
  }
  return done();
}

}  // namespace

FolderLink MakeDirectoryLink(const std::string& link, const std::string& target) {
  if (MakeJunction(link, target)) return FolderLink::Junction;
  const DWORD junctionError = GetLastError();
  const std::wstring wideLink = sys::Widen(link);
  const std::string unixLink = UnixFileName(wideLink);
  const std::string unixTarget = UnixFileName(sys::Widen(target));
  if (!unixLink.empty() && !unixTarget.empty() &&
      RunUnix(L"Z:\\bin\\ln", "/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"",
              [&] { return IsFolderLink(wideLink); }))
    return FolderLink::UnixSymlink;
  SetLastError(junctionError);
  return FolderLink::None;
}

bool RemoveDirectoryLink(const std::string& link) {
  if (sys::DeleteLinkItself(link)) return true;
  const std::wstring wideLink = sys::Widen(link);
  const std::string unixLink = UnixFileName(wideLink);
  // rm without -r removes the link, never a folder.
  return !unixLink.empty() && RunUnix(L"Z:\\bin\\rm", "/bin/rm -f \"" + unixLink + "\"", [&] {
    return GetFileAttributesW(wideLink.c_str()) == INVALID_FILE_ATTRIBUTES;
  });
}

void CreateKey(HKEY root, const std::string& path, const std::vector<std::string>& values) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  for (const std::string& name : values)
    RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("v"), 2);
  RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string ShownKeyText(HKEY root, const std::string& path) {
  const std::string rootName =
      root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  if (root != HKEY_LOCAL_MACHINE || !wow64 || path.size() <= 9 ||
      _strnicmp(path.c_str(), "SOFTWARE\\", 9) != 0)
    return rootName + "\\" + path;
  return rootName + "\\" + path.substr(0, 9) + "WOW6432Node\\" + path.substr(9);
}

}  // namespace testing_support

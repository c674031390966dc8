#include "FixtureTestUtil.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include "fixtures/SampleLayout.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/Files.h"

namespace fixture_tests {
namespace {

void ListInto(const std::string& dir, const std::string& rel, std::set<std::string>& out) {
  WIN32_FIND_DATAA data;
  sys::UniqueFind find(FindFirstFileA((dir + rel + "*").c_str(), &data));
  if (!find) return;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.insert(rel + name + "\\");
      ListInto(dir, rel + name + "\\", out);
    } else {
      out.insert(rel + name);
    }
  } while (FindNextFileA(find.get(), &data));
}

struct WindowSearch {
  DWORD processId;
  const std::string* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (!search->className->empty() && *search->className != name) return TRUE;
  search->found = hwnd;
  return FALSE;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

std::set<std::string> ListTree(const std::string& dir) {
  std::set<std::string> out;
  ListInto(sys::IncludeTrailingBackslash(dir), "", out);
  return out;
}

std::set<std::string> InstalledItems(bool patch) {
  std::set<std::string> out;
  for (const sample::FolderItem& f : sample::Folders(patch)) out.insert(std::string(f.path) + "\\");
  for (const sample::FileItem& f : sample::Files(patch)) out.insert(f.path);
  return out;
}

std::set<std::string> LeftoverItems(bool patch, bool uninstallerStays) {
  std::set<std::string> out;
  for (const sample::FolderItem& f : sample::Folders(patch))
    if (f.leftover) out.insert(std::string(f.path) + "\\");
  for (const sample::FileItem& f : sample::Files(patch))
    if (f.leftover || (uninstallerStays && f.content == sample::Content::UninstallerCopy))
      out.insert(f.path);
  return out;
}

bool KeyExists(HKEY root, const std::string& path) {
  sys::UniqueKey key;
  return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::optional<std::string> RegText(HKEY root, const std::string& path, const std::string& name) {
  char data[4096];
  DWORD size = sizeof data, type = 0;
  if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ | RRF_NOEXPAND, &type, data,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data);
}

std::optional<DWORD> RegNumber(HKEY root, const std::string& path, const std::string& name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::set<std::string> ValueNames(HKEY root, const std::string& path) {
  std::set<std::string> names;
  sys::UniqueKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD len = sizeof name;
    if (RegEnumValueA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.insert(std::string(name, len));
  }
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  sys::ReadFileBytes(path, bytes);
  return bytes;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

Started Start(const std::string& commandLine) {
  Started started;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                     CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                     &info)) {
    started.process.reset(info.hProcess);
    started.thread.reset(info.hThread);
    started.id = info.dwProcessId;
  }
  return started;
}

DWORD ExitCodeOf(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return code;
}

std::vector<ProcessInfo> ChildrenOf(DWORD parentId) {
  std::vector<ProcessInfo> children;
  sys::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return children;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot.get(), &entry); ok;
       ok = Process32Next(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId)
      children.push_back({entry.th32ProcessID, entry.szExeFile});
  }
  return children;
}

long NtParentId(DWORD processId) {
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  FARPROC proc = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
  if (!proc) return -1;
  auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(proc));
  sys::UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return -1;
  ULONG_PTR info[6] = {};  // PROCESS_BASIC_INFORMATION
  if (query(process.get(), 0, info, sizeof info, nullptr) != 0) return -1;
  return static_cast<long>(info[5]);
}

HWND WaitForWindowOf(DWORD processId, const std::string& className, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search{processId, &className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    PumpMessages();
    Sleep(20);
  }
}

bool WaitPumping(HANDLE process, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    if (elapsed > timeoutMs) return false;
    DWORD rc = MsgWaitForMultipleObjects(1, &process, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    if (rc == WAIT_OBJECT_0) return true;
    if (rc != WAIT_OBJECT_0 + 1) return false;
    PumpMessages();
  }
}

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::optional<LinkInfo> ReadShortcut(const std::string& path) {
  sys::ComApartment com;
  sys::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.putVoid())))
    return std::nullopt;
  sys::ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid()))) return std::nullopt;
  std::wstring wide(path.begin(), path.end());
  if (FAILED(file->Load(wide.c_str(), STGM_READ))) return std::nullopt;
  char target[MAX_PATH] = {}, args[1024] = {};
  link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH);
  link->GetArguments(args, sizeof args);
  return LinkInfo{target, args};
}

std::string UniqueSampleName(const char* prefix) {
  return testing_support::UniqueName(prefix);
}

}  // namespace fixture_tests

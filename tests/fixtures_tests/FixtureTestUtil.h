// Helpers for the tests of the sample programs: the disk and registry as they are,
// processes and their parents, and the windows a sample process shows.
#pragma once

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sys/Handles.h"

namespace fixture_tests {

// Every file and folder below `dir`, relative to it; folders end with "\".
std::set<std::string> ListTree(const std::string& dir);

// What the layout says an install holds, and what an uninstall leaves, in ListTree's form.
std::set<std::string> InstalledItems(bool patch);
std::set<std::string> LeftoverItems(bool patch, bool uninstallerStays);

bool KeyExists(HKEY root, const std::string& path);
std::optional<std::string> RegText(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> RegNumber(HKEY root, const std::string& path, const std::string& name);
std::set<std::string> ValueNames(HKEY root, const std::string& path);

std::string ReadWholeFile(const std::string& path);
DWORD Attributes(const std::string& path);

struct Started {
  sys::UniqueHandle process;
  sys::UniqueHandle thread;
  DWORD id = 0;
  explicit operator bool() const { return static_cast<bool>(process); }
};
// Starts a command line as the uninstall runner does: no inherited handles, a new console.
Started Start(const std::string& commandLine);
DWORD ExitCodeOf(HANDLE process);

// The processes that a fresh ToolHelp snapshot lists with `parentId` as their parent.
struct ProcessInfo {
  DWORD id;
  std::string exeFile;
};
std::vector<ProcessInfo> ChildrenOf(DWORD parentId);
// The parent ("inherited from") id that NtQueryInformationProcess reports; -1 when unknown.
long NtParentId(DWORD processId);

// The first visible top-level window of the process with `className` ("" for any),
// waited for up to `timeoutMs` while this thread's messages are pumped.
HWND WaitForWindowOf(DWORD processId, const std::string& className, DWORD timeoutMs);
// Waits for a process while pumping this thread's messages (for processes that send
// messages to windows of this thread). True when it ended in time.
bool WaitPumping(HANDLE process, DWORD timeoutMs);
std::string WindowText(HWND hwnd);

// The target and arguments of a shell link.
struct LinkInfo {
  std::string target;
  std::string arguments;
};
std::optional<LinkInfo> ReadShortcut(const std::string& path);

// A name for a sample that no other test uses.
std::string UniqueSampleName(const char* prefix);

}  // namespace fixture_tests

#include "support/ChildProcess.h"

#include <tlhelp32.h>

#include <algorithm>
#include <map>

namespace testing_support {

ChildProcess::~ChildProcess() {
  if (running()) killTree();
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    if (running()) killTree();
    process_ = std::move(other.process_);
    id_ = other.id_;
    error_ = std::move(other.error_);
  }
  return *this;
}

ChildProcess ChildProcess::Start(const std::string& exe, const std::string& arguments,
                                 const std::string& workingDir) {
  ChildProcess child;
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::string dir = workingDir;
  if (dir.empty()) {
    size_t slash = exe.find_last_of("\\/");
    if (slash != std::string::npos) dir = exe.substr(0, slash + 1);
  }
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.empty() ? nullptr : dir.c_str(), &si, &pi)) {
    child.error_ =
        "CreateProcess(" + commandLine + ") failed with error " + std::to_string(GetLastError());
    return child;
  }
  CloseHandle(pi.hThread);
  child.process_.reset(pi.hProcess);
  child.id_ = pi.dwProcessId;
  return child;
}

bool ChildProcess::running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::waitForExit(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

bool ChildProcess::waitOrKill(DWORD timeoutMs) {
  if (waitForExit(timeoutMs)) return true;
  killTree();
  return false;
}

std::optional<DWORD> ChildProcess::exitCode() const {
  DWORD code = 0;
  if (!process_ || running() || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

void ChildProcess::killTree() {
  if (!process_) return;
  // Descendants first: the root is still there, so none of its children's ids
  // can have been reused yet.
  std::vector<sys::UniqueHandle> victims;
  for (DWORD id : DescendantProcesses(id_)) {
    sys::UniqueHandle h(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (h) {
      TerminateProcess(h.get(), 1);
      victims.push_back(std::move(h));
    }
  }
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 5000);
  for (const sys::UniqueHandle& h : victims) WaitForSingleObject(h.get(), 5000);
}

std::vector<DWORD> DescendantProcesses(DWORD rootId) {
  std::multimap<DWORD, DWORD> children;  // parent id -> child id
  sys::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return {};
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot.get(), &entry); ok;
       ok = Process32Next(snapshot.get(), &entry)) {
    if (entry.th32ProcessID != entry.th32ParentProcessID) {
      children.emplace(entry.th32ParentProcessID, entry.th32ProcessID);
    }
  }
  std::vector<DWORD> found;
  std::vector<DWORD> pending{rootId};
  while (!pending.empty()) {
    DWORD parent = pending.back();
    pending.pop_back();
    auto [first, last] = children.equal_range(parent);
    for (auto it = first; it != last; ++it) {
      if (it->second == rootId) continue;
      if (std::find(found.begin(), found.end(), it->second) != found.end()) continue;
      found.push_back(it->second);
      pending.push_back(it->second);
    }
  }
  return found;
}

bool ProcessNamedRunning(const char* exeName) {
  sys::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot.get(), &entry); ok;
       ok = Process32Next(snapshot.get(), &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) return true;
  return false;
}

std::string TestProgramDir() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

}  // namespace testing_support

#include "sys/Process.h"

#include <shellapi.h>

#include <vector>

#include "sys/ProcAddress.h"
#include "sys/Text.h"

namespace sys {
namespace {

const wchar_t* OrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool StartProcess(std::string_view commandLine, DWORD creationFlags, WORD show, StartedProcess& out,
                  std::string_view folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION info{};
  // CreateProcessW may write into its command line: it gets a buffer of its own.
  const std::wstring wide = Widen(commandLine);
  std::vector<wchar_t> command(wide.begin(), wide.end());
  command.push_back(L'\0');
  const std::wstring dir = Widen(folder);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                      OrNull(dir), &startup, &info))
    return false;
  out.process.reset(info.hProcess);
  out.thread.reset(info.hThread);
  out.processId = info.dwProcessId;
  return true;
}

bool ShellStartProcess(const ShellStart& request, UniqueHandle& process) {
  const std::wstring verb = Widen(request.verb), file = Widen(request.file),
                     parameters = Widen(request.parameters), folder = Widen(request.folder);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | request.extraMask;
  info.hwnd = request.owner;
  info.lpVerb = OrNull(verb);
  info.lpFile = file.c_str();
  info.lpParameters = OrNull(parameters);
  info.lpDirectory = OrNull(folder);
  info.nShow = request.show;
  process.reset();
  if (!ShellExecuteExW(&info)) return false;
  process.reset(info.hProcess);
  return true;
}

HMODULE LoadedModule(std::string_view name) {
  return GetModuleHandleW(Widen(name).c_str());
}

bool RunningUnderWow64() {
  static const bool wow64 = [] {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Looked up at run time: not every 32-bit system has it.
    auto isWow64 = ProcAddress<IsWow64ProcessFn>(LoadedModule("kernel32.dll"), "IsWow64Process");
    BOOL result = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &result) && result;
  }();
  return wow64;
}

}  // namespace sys

// Starting programs over UTF-8 command lines: CreateProcessW and ShellExecuteExW with
// the handles they give back owned, and modules of the running process by name.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "sys/Handles.h"

namespace sys {

struct StartedProcess {
  UniqueHandle process;
  UniqueHandle thread;
  DWORD processId = 0;
};

// CreateProcessW of `commandLine` (the program is found by the command line itself),
// shown with `show`, in `folder` (the caller's current folder when empty). False, with
// GetLastError() set, when it did not start.
bool StartProcess(std::string_view commandLine, DWORD creationFlags, WORD show, StartedProcess& out,
                  std::string_view folder = {});

struct ShellStart {
  HWND owner = nullptr;
  std::string verb;        // "" for the file's default verb
  std::string file;        // a program, document or a whole command
  std::string parameters;  // "" for none
  std::string folder;      // "" for the caller's current folder
  int show = SW_SHOWNORMAL;
  ULONG extraMask = 0;  // SEE_MASK_FLAG_NO_UI, SEE_MASK_FLAG_DDEWAIT, ...
};

// ShellExecuteExW asking for the started process. True when the shell started the
// request; `process` may still be empty (a document handed to a running program).
bool ShellStartProcess(const ShellStart& request, UniqueHandle& process);

// A module already loaded into this process ("kernel32.dll"), not loaded again.
HMODULE LoadedModule(std::string_view name);

// True when this (32-bit) process runs on 64-bit Windows, where HKLM's software key
// has a native 64-bit view beside the 32-bit one.
bool RunningUnderWow64();

}  // namespace sys

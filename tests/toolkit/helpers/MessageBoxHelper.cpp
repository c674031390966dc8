// Shows message boxes for the toolkit's end-to-end tests.
//
//   toolkit_msgbox_helper <flags> <caption> <text> [<flags> <caption> <text> ...]
//       shows each box in turn (flags as a number, e.g. 0x34 for MB_YESNO |
//       MB_ICONWARNING); exits with the answers as hex digits, the first box's
//       answer the lowest digit.
//   toolkit_msgbox_helper spawn <arguments...>
//       starts another copy of itself with the rest of the command line, then
//       waits for it without end (a process tree for the kill tests).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "toolkit/MessageBox.h"

namespace {

std::string Quote(const std::string& arg) {
  return "\"" + arg + "\"";
}

int SpawnAndWait(int argc, char** argv) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string commandLine = Quote(exe);
  for (int i = 2; i < argc; ++i) commandLine += " " + Quote(argv[i]);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return 2;
  }
  CloseHandle(pi.hThread);
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hProcess);
  // The child was meant to be killed with us; waiting on keeps this process alive.
  Sleep(INFINITE);
  return 3;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int argc = __argc;
  char** argv = __argv;
  if (argc >= 2 && std::string(argv[1]) == "spawn") return SpawnAndWait(argc, argv);
  if (argc < 4 || (argc - 1) % 3 != 0) return 1;
  unsigned result = 0;
  for (int i = 1, box = 0; i + 2 < argc; i += 3, ++box) {
    UINT flags = static_cast<UINT>(std::strtoul(argv[i], nullptr, 0));
    int answer = tk::ShowMessageBox(nullptr, argv[i + 2], argv[i + 1], flags);
    result |= static_cast<unsigned>(answer & 0xF) << (4 * box);
  }
  return static_cast<int>(result);
}

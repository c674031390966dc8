#include "sys/Shell.h"

#include <lmcons.h>
#include <shellapi.h>
#include <shlobj.h>

#include "sys/Text.h"

namespace sys {

bool ShellOpen(HWND owner, std::string_view verb, std::string_view file,
               std::string_view parameters, std::string_view folder, int show) {
  std::wstring v = Widen(verb), f = Widen(file), p = Widen(parameters), d = Widen(folder);
  HINSTANCE rc =
      ShellExecuteW(owner, v.empty() ? nullptr : v.c_str(), f.c_str(),
                    p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), show);
  return reinterpret_cast<INT_PTR>(rc) > 32;
}

std::string SpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::string();
  return NarrowZ(path);
}

std::string ComputerName() {
  wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(buffer, &size)) return std::string();
  return Narrow(std::wstring_view(buffer, size));
}

std::string UserName() {
  wchar_t buffer[UNLEN + 1] = {};
  DWORD size = UNLEN + 1;
  if (!GetUserNameW(buffer, &size)) return std::string();
  return NarrowZ(buffer);
}

}  // namespace sys

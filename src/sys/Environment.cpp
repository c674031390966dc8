#include "sys/Environment.h"

#include <windows.h>

#include "sys/Text.h"

namespace sys {

std::string ExpandEnvironmentText(std::string_view text) {
  if (text.find('%') == std::string_view::npos) return std::string(text);
  const std::wstring wide = Widen(text);
  std::wstring out(wide.size() + 64, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    // The count includes the terminating NUL.
    const DWORD needed =
        ExpandEnvironmentStringsW(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
    if (needed == 0) return std::string(text);
    if (needed <= out.size()) return Narrow(std::wstring_view(out.data(), needed - 1));
    out.resize(needed);
  }
  return std::string(text);
}

}  // namespace sys

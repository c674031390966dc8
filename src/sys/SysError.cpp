#include "sys/SysError.h"

#include <cstdio>

namespace sys {

std::string ErrorText(DWORD code) {
  char* buffer = nullptr;
  DWORD len = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  if (len != 0 && buffer) {
    text.assign(buffer, len);
    LocalFree(buffer);
  }
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "Error 0x%08lX", static_cast<unsigned long>(code));
    text = fallback;
  }
  return text;
}

std::string LastErrorText() {
  return ErrorText(GetLastError());
}

}  // namespace sys

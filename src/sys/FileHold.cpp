#include "sys/FileHold.h"

#include <windows.h>

#include "sys/Text.h"

namespace sys {

FileHold::FileHold(std::string_view path)
    : file_(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

bool FileHold::readAll(std::string& out) const {
  out.clear();
  if (!file_) return false;
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file_.get(), start, nullptr, FILE_BEGIN)) return false;
  char chunk[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file_.get(), chunk, sizeof chunk, &got, nullptr)) return false;
    if (got == 0) return true;
    out.append(chunk, got);
  }
}

}  // namespace sys

#include "inventory/WideText.h"

#include <new>

namespace inventory {

std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string out(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring WideFromAnsi(std::string_view text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring out(size, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

OwnedBstr OwnedBstr::FromAnsi(std::string_view text) {
  std::wstring wide = WideFromAnsi(text);
  OwnedBstr out;
  *out.put() = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!out.get()) throw std::bad_alloc();
  return out;
}

}  // namespace inventory

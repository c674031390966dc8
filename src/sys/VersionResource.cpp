#include "sys/VersionResource.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "sys/Text.h"

namespace sys {
namespace {

// The answer's address when it lies inside the buffer, with the bytes left after it.
bool Answer(std::vector<std::uint8_t>& data, std::string_view subBlock, const std::uint8_t** at,
            std::size_t* room, UINT* length) {
  if (data.empty()) return false;
  void* p = nullptr;
  *length = 0;
  if (!VerQueryValueW(data.data(), Widen(subBlock).c_str(), &p, length) || !p) return false;
  auto* bytes = static_cast<const std::uint8_t*>(p);
  const std::uint8_t* begin = data.data();
  const std::uint8_t* end = begin + data.size();
  if (bytes < begin || bytes >= end) return false;
  *at = bytes;
  *room = static_cast<std::size_t>(end - bytes);
  return true;
}

}  // namespace

bool LoadVersionResource(std::string_view path, std::vector<std::uint8_t>& data) {
  std::wstring wide = Widen(path);
  DWORD scratch = 0;
  DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &scratch);
  if (size == 0) return false;
  std::vector<std::uint8_t> loaded(size);
  if (!GetFileVersionInfoW(wide.c_str(), 0, size, loaded.data())) return false;
  data = std::move(loaded);
  return true;
}

bool QueryVersionValue(std::vector<std::uint8_t>& data, std::string_view subBlock,
                       const std::uint8_t** at, std::size_t* length) {
  std::size_t room = 0;
  UINT len = 0;
  if (!Answer(data, subBlock, at, &room, &len)) return false;
  *length = std::min<std::size_t>(len, room);
  return true;
}

std::optional<std::string> QueryVersionText(std::vector<std::uint8_t>& data,
                                            std::string_view subBlock) {
  const std::uint8_t* at = nullptr;
  std::size_t room = 0;
  UINT len = 0;
  if (!Answer(data, subBlock, &at, &room, &len)) return std::nullopt;
  // The answer is UTF-16; a text that runs to the buffer's end is cut there.
  std::size_t chars = room / sizeof(wchar_t);
  std::wstring text(chars, L'\0');
  if (chars) std::memcpy(text.data(), at, chars * sizeof(wchar_t));
  text.resize(std::wcslen(text.c_str()));
  return Narrow(text);
}

}  // namespace sys

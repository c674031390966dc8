#include "sys/IniEncoding.h"

#include "sys/Files.h"
#include "sys/Text.h"

namespace sys {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8;
  if (bytes.starts_with(kUtf16LeBom)) return TextEncoding::Utf16Le;
  return TextEncoding::Ansi;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  switch (DetectTextEncoding(bytes)) {
    case TextEncoding::Utf8:
      return bytes.substr(kUtf8Bom.size());
    case TextEncoding::Utf16Le:
      return bytes.substr(kUtf16LeBom.size());
    case TextEncoding::Ansi:
      break;
  }
  return bytes;
}

bool ConvertIniToUtf16(const std::string& path) {
  std::string bytes;
  if (FileExists(path) && !ReadFileBytes(path, bytes)) return false;
  std::string utf8;
  switch (DetectTextEncoding(bytes)) {
    case TextEncoding::Utf16Le:
      return true;
    case TextEncoding::Utf8:
      utf8 = WithoutByteOrderMark(bytes);
      break;
    case TextEncoding::Ansi:
      utf8 = Utf8FromAnsi(bytes);
      break;
  }
  std::wstring wide = Widen(utf8);
  std::string out(kUtf16LeBom);
  out.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  return WriteFileBytes(path, out);
}

}  // namespace sys

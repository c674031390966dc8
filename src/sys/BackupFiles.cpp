#include "sys/BackupFiles.h"

#include "sys/Handles.h"
#include "sys/Text.h"

namespace sys {

std::string Utf16LeFileBytes(std::string_view utf8) {
  const std::wstring wide = Widen(utf8);
  std::string bytes("\xFF\xFE", 2);
  bytes.reserve(2 + wide.size() * 2);
  for (wchar_t c : wide) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

std::string TextOfRegFile(std::string_view bytes) {
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
      static_cast<unsigned char>(bytes[1]) != 0xFE)
    return Utf8FromAnsi(bytes);
  std::wstring wide((bytes.size() - 2) / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                   (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
  return Narrow(wide);
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if ((b & 0xC0) != 0x80) ++units;  // a lead byte or ASCII
    if (b >= 0xF0) ++units;           // four-byte forms are surrogate pairs
  }
  return units;
}

std::string UpperCase(std::string_view utf8) {
  std::wstring wide = Widen(utf8);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  const std::wstring wa = Widen(a), wb = Widen(b);
  return CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, wa.data(),
                        static_cast<int>(wa.size()), wb.data(),
                        static_cast<int>(wb.size())) == CSTR_EQUAL;
}

DWORD WriteNewFile(std::string_view path, std::string_view bytes) {
  const std::wstring wide = Widen(path);
  UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  DWORD written = 0;
  const bool whole =
      WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  DWORD error = ERROR_SUCCESS;
  if (!whole) error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
  // Data that does not reach the disk on closing is as lost as data never written.
  else if (!FlushFileBuffers(file.get()))
    error = GetLastError();
  file.reset();
  if (error != ERROR_SUCCESS) DeleteFileW(wide.c_str());
  return error;
}

std::optional<FILETIME> FileLastWriteTime(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return data.ftLastWriteTime;
}

}  // namespace sys

#include "sys/Files.h"

#include <vector>

#include "sys/Handles.h"
#include "sys/Text.h"

namespace sys {

bool FileExists(const std::string& path) {
  DWORD attrs = GetFileAttributesW(Widen(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD attrs = GetFileAttributesW(Widen(ExcludeTrailingBackslash(path)).c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) attrs = GetFileAttributesW(Widen(path).c_str());  // "C:\"
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path) {
  std::string dir = ExcludeTrailingBackslash(path);
  if (dir.empty()) return false;
  if (DirectoryExists(dir) || (dir.size() == 2 && dir[1] == ':'))
    return DirectoryExists(dir + "\\");
  std::string parent = ExtractFilePath(dir);
  if (!parent.empty() && parent != dir + "\\" && !DirectoryExists(parent)) {
    if (!ForceDirectories(parent)) return false;
  }
  if (CreateDirectoryW(Widen(dir).c_str(), nullptr)) return true;
  return GetLastError() == ERROR_ALREADY_EXISTS && DirectoryExists(dir);
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != '\\') out += '\\';
  return out;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
  std::string out(path);
  while (out.size() > 1 && out.back() == '\\') out.pop_back();
  return out;
}

std::string ExtractFilePath(std::string_view path) {
  size_t pos = path.find_last_of("\\/:");
  if (pos == std::string_view::npos) return std::string();
  return std::string(path.substr(0, pos + 1));
}

std::string ExtractFileName(std::string_view path) {
  size_t pos = path.find_last_of("\\/:");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ModuleFileName(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD len = GetModuleFileNameW(module, buffer.data(), buffer.size());
    if (len == 0) return std::string();
    if (len < buffer.size()) return Narrow(std::wstring_view(buffer.data(), len));
    if (buffer.size() >= 32768) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  out.clear();
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    out.append(chunk, got);
  return true;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), bytes.size(), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace sys

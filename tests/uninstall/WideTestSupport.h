// Raw wide helpers for tests over names in any script: folders, files and registry
// trees made and read with the W calls themselves, never with the code under test.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "sys/Text.h"

namespace wide_tests {

// A u8 literal as the program's std::string.
inline std::string U8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

inline bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(sys::Widen(path).c_str(), nullptr) != FALSE;
}

inline bool MakeFile(const std::string& path, const std::string& bytes = "x") {
  HANDLE file = CreateFileW(sys::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return ok;
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesW(sys::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileW(sys::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(file);
  return out;
}

// The folder and everything below it, each as its full UTF-8 path.
inline void SnapshotInto(const std::string& folder, std::set<std::string>& out) {
  out.insert(folder);
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW((sys::Widen(folder) + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::string path = folder + "\\" + sys::Narrow(name);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      SnapshotInto(path, out);
    else
      out.insert(path);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

inline std::set<std::string> SnapshotFolder(const std::string& folder) {
  std::set<std::string> out;
  SnapshotInto(folder, out);
  return out;
}

// One value exactly: type and raw bytes.
using StoredValue = std::pair<DWORD, std::string>;
// A key tree: each key's path below the tree's top ("" for the top), with its values
// by exact name.
using KeyTree = std::map<std::string, std::map<std::string, StoredValue>>;

inline bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                     const std::string& data) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, sys::Widen(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring wname = sys::Widen(name);
  const LONG rc =
      RegSetValueExW(key, wname.empty() ? nullptr : wname.c_str(), 0, type,
                     reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

// UTF-16LE bytes of `text` with `terminators` NUL characters after it.
inline std::string Utf16(const std::string& text, int terminators = 1) {
  std::wstring wide = sys::Widen(text);
  wide.append(static_cast<size_t>(terminators), L'\0');
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

inline void ReadTreeInto(HKEY root, const std::string& top, const std::string& rel, KeyTree& out) {
  HKEY key = nullptr;
  const std::string path = rel.empty() ? top : top + "\\" + rel;
  if (RegOpenKeyExW(root, sys::Widen(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  auto& values = out[rel];
  std::vector<wchar_t> name(32768);
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(name.size()), type = 0, size = 0;
    if (RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
      break;
    std::string data(size, '\0');
    nameLen = static_cast<DWORD>(name.size());
    RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type,
                  reinterpret_cast<BYTE*>(data.data()), &size);
    data.resize(size);
    values[sys::Narrow(std::wstring_view(name.data(), nameLen))] = {type, data};
  }
  std::vector<std::string> subs;
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(name.size());
    if (RegEnumKeyExW(key, i, name.data(), &nameLen, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    subs.push_back(sys::Narrow(std::wstring_view(name.data(), nameLen)));
  }
  RegCloseKey(key);
  for (const std::string& sub : subs)
    ReadTreeInto(root, top, rel.empty() ? sub : rel + "\\" + sub, out);
}

// Everything below and including `top`; empty when the key is missing.
inline KeyTree ReadTree(HKEY root, const std::string& top) {
  KeyTree out;
  ReadTreeInto(root, top, "", out);
  return out;
}

// Deletes `path` under HKEY_CURRENT_USER when it goes, whatever the test did.
class KeyGuard {
 public:
  explicit KeyGuard(std::string path) : path_(std::move(path)) {}
  ~KeyGuard() { RegDeleteTreeW(HKEY_CURRENT_USER, sys::Widen(path_).c_str()); }
  KeyGuard(const KeyGuard&) = delete;
  KeyGuard& operator=(const KeyGuard&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace wide_tests

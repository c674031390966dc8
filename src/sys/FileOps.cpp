#include "sys/FileOps.h"

#include <shellapi.h>

#include "sys/Handles.h"
#include "sys/Text.h"

namespace sys {
namespace {

std::wstring WithBackslash(std::string_view folder) {
  std::wstring out = Widen(folder);
  if (out.empty() || out.back() != L'\\') out += L'\\';
  return out;
}

std::vector<FolderEntry> Find(const std::wstring& query, DWORD* error) {
  std::vector<FolderEntry> out;
  WIN32_FIND_DATAW data{};
  UniqueFind find(FindFirstFileW(query.c_str(), &data));
  if (!find) {
    DWORD rc = GetLastError();
    if (error)
      *error = rc == ERROR_FILE_NOT_FOUND || rc == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : rc;
    return out;
  }
  do {
    std::wstring_view name(data.cFileName);
    if (name == L"." || name == L"..") continue;
    FolderEntry entry;
    entry.name = Narrow(name);
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.lastWrite = data.ftLastWriteTime;
    out.push_back(std::move(entry));
  } while (FindNextFileW(find.get(), &data));
  if (error) {
    DWORD rc = GetLastError();
    *error = rc == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : rc;
  }
  return out;
}

// A Win32 call that fills a buffer and returns the length it needs when too small.
template <typename Fn>
std::string GrowingString(Fn fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int tries = 0; tries < 4; ++tries) {
    DWORD len = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (len == 0) return std::string();
    if (len < buffer.size()) return Narrow(std::wstring_view(buffer.data(), len));
    buffer.assign(len + 1, L'\0');
  }
  return std::string();
}

}  // namespace

std::vector<FolderEntry> ListFolder(std::string_view folder, DWORD* error) {
  return Find(WithBackslash(folder) + L"*", error);
}

std::vector<FolderEntry> ListFolderMatching(std::string_view folder, std::string_view pattern) {
  return Find(WithBackslash(folder) + Widen(pattern), nullptr);
}

DWORD FileAttributes(std::string_view path) {
  return GetFileAttributesW(Widen(path).c_str());
}

bool SetFileAttributesOf(std::string_view path, DWORD attributes) {
  return SetFileAttributesW(Widen(path).c_str(), attributes) != FALSE;
}

bool PathExists(std::string_view path) {
  return FileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteFileExact(std::string_view path) {
  return DeleteFileW(Widen(path).c_str()) != FALSE;
}

bool RemoveFolderExact(std::string_view path) {
  return RemoveDirectoryW(Widen(path).c_str()) != FALSE;
}

bool DeleteLinkItself(std::string_view path) {
  UniqueHandle link(
      CreateFileW(Widen(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!link) return false;
  // Deleting through the handle deletes what it opened; make sure that is the link.
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!GetFileInformationByHandleEx(link.get(), FileAttributeTagInfo, &opened, sizeof opened) ||
      !(opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    SetLastError(ERROR_NOT_A_REPARSE_POINT);
    return false;
  }
  FILE_DISPOSITION_INFO dispose{TRUE};
  return SetFileInformationByHandle(link.get(), FileDispositionInfo, &dispose, sizeof dispose) !=
         FALSE;
}

bool CreateFolder(std::string_view path) {
  return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

bool MoveFileExact(std::string_view from, std::string_view to) {
  return MoveFileW(Widen(from).c_str(), Widen(to).c_str()) != FALSE;
}

bool CopyFileExact(std::string_view from, std::string_view to, bool failIfExists) {
  return CopyFileW(Widen(from).c_str(), Widen(to).c_str(), failIfExists) != FALSE;
}

bool MoveToRecycleBin(std::string_view path) {
  // The shell's list is double-NUL terminated; one name, no pattern characters are
  // possible in a real file name.
  std::wstring from = Widen(path);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted &&
         FileAttributes(path) == INVALID_FILE_ATTRIBUTES;
}

std::string FullPathName(std::string_view path) {
  std::wstring wide = Widen(path);
  return GrowingString(
      [&](wchar_t* buf, DWORD size) { return GetFullPathNameW(wide.c_str(), size, buf, nullptr); });
}

std::string LongPathName(std::string_view path) {
  std::wstring wide = Widen(path);
  std::string out = GrowingString(
      [&](wchar_t* buf, DWORD size) { return GetLongPathNameW(wide.c_str(), buf, size); });
  return out.empty() ? std::string(path) : out;
}

std::string WindowsDirectory() {
  return GrowingString([](wchar_t* buf, DWORD size) { return GetWindowsDirectoryW(buf, size); });
}

std::string SystemDirectory() {
  return GrowingString([](wchar_t* buf, DWORD size) { return GetSystemDirectoryW(buf, size); });
}

std::string EnvironmentVariable(std::string_view name) {
  std::wstring wide = Widen(name);
  return GrowingString(
      [&](wchar_t* buf, DWORD size) { return GetEnvironmentVariableW(wide.c_str(), buf, size); });
}

std::string TempDirectory() {
  std::string dir = GrowingString([](wchar_t* buf, DWORD size) { return GetTempPathW(size, buf); });
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

bool SameFileName(std::string_view a, std::string_view b) {
  std::wstring wa = Widen(a), wb = Widen(b);
  return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                              static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace sys

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

// --- RecycleOrKeep ------------------------------------------------------------

// One name of the entry being recycled and its holding name: a file's second hard link,
// or a folder made to hold the links of its contents.
struct HeldEntry {
  std::wstring original;
  std::wstring held;
  DWORD attributes = 0;
  DWORD links = 0;  // a file's link count with its holding link; 0 for a folder
  bool folder() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }
};

DWORD LinkCount(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !GetFileInformationByHandle(file.get(), &info)) return 0;
  return info.nNumberOfLinks;
}

// Holds `original` and everything below it at `held`. False when any part cannot be held:
// links (whose contents are elsewhere), a file on another volume than the holding folder,
// or a system that does not count a file's names.
bool HoldTree(const std::wstring& original, const std::wstring& held,
              std::vector<HeldEntry>& entries) {
  DWORD attributes = GetFileAttributesW(original.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (!CreateDirectoryW(held.c_str(), nullptr)) return false;
    entries.push_back({original, held, attributes, 0});
    DWORD error = ERROR_SUCCESS;
    std::vector<FolderEntry> children = Find(original + L"\\*", &error);
    if (error != ERROR_SUCCESS) return false;
    for (const FolderEntry& child : children) {
      std::wstring name = Widen(child.name);
      if (!HoldTree(original + L"\\" + name, held + L"\\" + name, entries)) return false;
    }
    return true;
  }
  if (!CreateHardLinkW(held.c_str(), original.c_str(), nullptr)) return false;
  entries.push_back({original, held, attributes, LinkCount(held)});
  return entries.back().links >= 2;
}

// Puts back from the holding names whatever is missing at its place, folders first.
void PutBack(const std::vector<HeldEntry>& entries) {
  for (const HeldEntry& entry : entries) {
    if (GetFileAttributesW(entry.original.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    if (entry.folder()) {
      if (CreateDirectoryW(entry.original.c_str(), nullptr))
        SetFileAttributesW(entry.original.c_str(), entry.attributes);
    } else {
      MoveFileW(entry.held.c_str(), entry.original.c_str());  // one volume: a rename
    }
  }
}

// Deletes one name of a file that has others. Attributes belong to the file, not to a
// name: a read-only file loses the attribute through a handle, the name goes, and the same
// handle sets it again for the names that stay.
void DropName(const std::wstring& name, DWORD attributes) {
  if (DeleteFileW(name.c_str()) || !(attributes & FILE_ATTRIBUTE_READONLY)) return;
  UniqueHandle file(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  FILE_BASIC_INFO basic{};
  if (!file || !GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic))
    return;
  FILE_BASIC_INFO writable = basic;
  writable.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
  if (writable.FileAttributes == 0) writable.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  if (!SetFileInformationByHandle(file.get(), FileBasicInfo, &writable, sizeof writable)) return;
  DeleteFileW(name.c_str());
  SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic);
}

// Drops the holding names, innermost first; the data stays under its other names. A
// file that could not be put back keeps its holding name, and with it the folder.
void Release(const std::vector<HeldEntry>& entries, const std::wstring& holdFolder) {
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (it->folder()) {
      RemoveDirectoryW(it->held.c_str());
    } else if (GetFileAttributesW(it->original.c_str()) != INVALID_FILE_ATTRIBUTES ||
               LinkCount(it->held) >= it->links) {
      DropName(it->held, it->attributes);
    }
  }
  RemoveDirectoryW(holdFolder.c_str());
}

std::wstring NewHoldFolder() {
  static unsigned counter = 0;
  const std::wstring temp = Widen(TempDirectory());
  if (temp.empty()) return std::wstring();
  for (int tries = 0; tries < 100; ++tries) {
    std::wstring folder = temp + L"Prunaxis recycle " + std::to_wstring(GetCurrentProcessId()) +
                          L"." + std::to_wstring(++counter);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::wstring();
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

RecycleResult RecycleOrKeep(std::string_view path) {
  std::wstring original = Widen(path);
  while (original.size() > 3 && original.back() == L'\\') original.pop_back();
  if (GetFileAttributesW(original.c_str()) == INVALID_FILE_ATTRIBUTES)
    return RecycleResult::Missing;
  const std::wstring hold = NewHoldFolder();
  if (hold.empty()) return RecycleResult::Kept;
  std::vector<HeldEntry> held;
  const std::wstring name = original.substr(original.find_last_of(L"\\/:") + 1);
  if (name.empty() || !HoldTree(original, hold + L"\\" + name, held)) {
    Release(held, hold);
    return RecycleResult::Kept;
  }
  const bool moved = MoveToRecycleBin(Narrow(original));
  bool deleted = false;
  for (const HeldEntry& entry : held) {
    // The bin renames what it takes: a file it took still has its other name.
    if (!entry.folder() && LinkCount(entry.held) < entry.links) deleted = true;
  }
  RecycleResult result = RecycleResult::Recycled;
  if (!moved || deleted || GetFileAttributesW(original.c_str()) != INVALID_FILE_ATTRIBUTES) {
    PutBack(held);
    result = RecycleResult::Kept;
  }
  Release(held, hold);
  return result;
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

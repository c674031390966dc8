#include "rostrel/core/FolderSize.h"

#include <vector>

#include "rostrel/core/Icons.h"
#include "sys/Handles.h"

namespace rostrel {

std::optional<std::wstring> ProgramFolder(std::wstring_view installLocation) {
  std::wstring_view text = installLocation;
  auto trim = [&] {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'"')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'"')) text.remove_suffix(1);
  };
  trim();
  std::wstring folder = ExpandEnvironment(std::wstring(text));
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (folder.empty()) return std::nullopt;
  if (folder.size() == 2 && folder[1] == L':') return std::nullopt;  // "C:\"
  if (folder.rfind(L"\\\\", 0) == 0) {
    // "\\server\share" is a root; "\\server\share\dir" is not.
    size_t server = folder.find(L'\\', 2);
    if (server == std::wstring::npos || folder.find(L'\\', server + 1) == std::wstring::npos)
      return std::nullopt;
  }
  return folder;
}

ULONGLONG FolderSize(const std::wstring& folder) {
  ULONGLONG total = 0;
  std::vector<std::wstring> pending{folder};
  while (!pending.empty()) {
    std::wstring dir = std::move(pending.back());
    pending.pop_back();
    WIN32_FIND_DATAW data;
    sys::UniqueFind find(FindFirstFileW((dir + L"\\*").c_str(), &data));
    if (!find) continue;
    do {
      std::wstring_view name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
          pending.push_back(dir + L"\\" + data.cFileName);
      } else {
        total += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      }
    } while (FindNextFileW(find.get(), &data));
  }
  return total;
}

std::optional<ULONGLONG> FolderWriteTime(const std::wstring& folder) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data) ||
      !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace rostrel

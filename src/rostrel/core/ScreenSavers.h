// The installed screen savers: the .scr files of the system folder (and of the
// native system folder on 64-bit Windows) and of the Windows folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace rostrel {

struct ScreenSaver {
  std::wstring fileName;
  std::wstring directory;  // ends with a backslash; directory + fileName is the file
  std::wstring description;
  std::wstring publisher;
  std::wstring version;
  ULONGLONG size = 0;
  FILETIME lastAccess{};
  // The system image list index, worked out on first request.
  std::optional<int> iconIndex;

  std::wstring path() const { return directory + fileName; }
};

// Folders to search, each ending with a backslash, as this process reaches them:
// the system folder, on 64-bit Windows the native one through its "Sysnative"
// alias, and the Windows folder.
std::vector<std::wstring> ScreenSaverFolders();

// Every .scr file of `folders`. A file name found in an earlier folder is not
// listed again from a later one (64-bit Windows keeps 32-bit copies of its
// screen savers beside the native ones).
std::vector<ScreenSaver> FindScreenSavers(const std::vector<std::wstring>& folders);

// The screen saver that the current user has chosen (HKCU\Control Panel\Desktop,
// SCRNSAVE.EXE), as a full path; "" when none.
std::wstring ActiveScreenSaver();

// True when `a` and `b` name the same file (ignoring case and short names).
bool SameFile(const std::wstring& a, const std::wstring& b);

// True when `saver` is the file that the setting `active` names.
bool IsActiveScreenSaver(const ScreenSaver& saver, const std::wstring& active);

}  // namespace rostrel

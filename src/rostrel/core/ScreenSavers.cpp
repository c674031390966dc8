#include "rostrel/core/ScreenSavers.h"

#include <set>

#include "rostrel/core/FileTexts.h"
#include "rostrel/core/Icons.h"
#include "rostrel/core/ProgramRules.h"
#include "rostrel/core/RegValues.h"
#include "rostrel/core/Uninstall.h"
#include "sys/Handles.h"
#include "sys/Registry.h"

namespace rostrel {
namespace {

std::wstring WithBackslash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring SystemFolder() {
  wchar_t buffer[MAX_PATH];
  UINT len = GetSystemDirectoryW(buffer, MAX_PATH);
  return len > 0 && len < MAX_PATH ? WithBackslash(buffer) : std::wstring();
}

std::wstring WindowsFolder() {
  wchar_t buffer[MAX_PATH];
  UINT len = GetWindowsDirectoryW(buffer, MAX_PATH);
  return len > 0 && len < MAX_PATH ? WithBackslash(buffer) : std::wstring();
}

std::wstring LongPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 2];
  DWORD len = GetLongPathNameW(path.c_str(), buffer, static_cast<DWORD>(std::size(buffer)));
  return len > 0 && len < std::size(buffer) ? std::wstring(buffer, len) : path;
}

}  // namespace

std::vector<std::wstring> ScreenSaverFolders() {
  std::vector<std::wstring> folders;
  std::wstring windows = WindowsFolder();
  if (IsWow64() && !windows.empty()) folders.push_back(windows + L"Sysnative\\");
  if (std::wstring system = SystemFolder(); !system.empty()) folders.push_back(system);
  if (!windows.empty()) folders.push_back(windows);
  return folders;
}

std::vector<ScreenSaver> FindScreenSavers(const std::vector<std::wstring>& folders) {
  std::vector<ScreenSaver> savers;
  std::set<std::wstring> seen;
  for (const auto& folder : folders) {
    WIN32_FIND_DATAW data;
    sys::UniqueFind find(FindFirstFileW((folder + L"*.scr").c_str(), &data));
    if (!find) continue;
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::wstring name = data.cFileName;
      // "*.scr" also matches "x.scrap" through short names; take only real .scr files.
      if (name.size() < 4 || Folded(name.substr(name.size() - 4)) != L".scr") continue;
      if (!seen.insert(Folded(name)).second) continue;
      ScreenSaver saver;
      saver.fileName = name;
      saver.directory = folder;
      saver.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      saver.lastAccess = data.ftLastAccessTime;
      FileTexts texts = ReadFileTexts(saver.path());
      saver.description = !texts.title.empty() ? texts.title : texts.description;
      saver.publisher = texts.company;
      saver.version = texts.version;
      savers.push_back(std::move(saver));
    } while (FindNextFileW(find.get(), &data));
  }
  return savers;
}

std::wstring ActiveScreenSaver() {
  sys::Registry reg(HKEY_CURRENT_USER, KEY_READ);
  if (!reg.openKeyReadOnly("\\Control Panel\\Desktop")) return std::wstring();
  RegValues values;
  ReadAllValues(reg.currentKey(), values);
  return ExpandEnvironment(StringOf(values, L"SCRNSAVE.EXE"));
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
  if (a.empty() || b.empty()) return false;
  return Folded(LongPath(a)) == Folded(LongPath(b));
}

bool IsActiveScreenSaver(const ScreenSaver& saver, const std::wstring& active) {
  if (SameFile(saver.path(), active)) return true;
  // The setting is written by native programs: on 64-bit Windows its system folder
  // is the one this process reaches as "Sysnative".
  std::wstring system = SystemFolder();
  std::wstring windows = WindowsFolder();
  if (!IsWow64() || system.empty() || windows.empty()) return false;
  if (Folded(active.substr(0, system.size())) != Folded(system)) return false;
  return SameFile(saver.path(), windows + L"Sysnative\\" + active.substr(system.size()));
}

}  // namespace rostrel

#include "uninstall/ScreenSaverRemoval.h"

#include <windows.h>

#include "sys/FileOps.h"
#include "sys/Files.h"

namespace uninstall {
namespace {

bool Exists(const std::string& path) {
  return sys::PathExists(path);
}

// A bare file name: anything else could point the removal outside the folder.
bool PlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace

std::string ProtectedScreenSaverCopy(const std::string& fileName) {
  const std::string system = sys::SystemDirectory();
  if (system.empty()) return std::string();
  return system + "\\dllcache\\" + fileName;
}

std::string FreeBackupName(const std::string& folder, const std::string& fileName) {
  const std::string dir = sys::IncludeTrailingBackslash(folder);
  std::string candidate = dir + fileName;
  size_t dot = fileName.rfind('.');
  std::string stem = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot);
  for (int n = 2; Exists(candidate) && n < 10000; ++n)
    candidate = dir + stem + " (" + std::to_string(n) + ")" + ext;
  return Exists(candidate) ? std::string() : candidate;
}

ScreenSaverRemoval RemoveScreenSaver(const std::string& folder, const std::string& fileName,
                                     const std::string& backupDir) {
  ScreenSaverRemoval result;
  if (!PlainFileName(fileName) || folder.empty()) return result;
  const std::string installed = sys::IncludeTrailingBackslash(folder) + fileName;
  if (!Exists(installed)) return result;
  if (!sys::ForceDirectories(backupDir)) return result;
  const std::string backup = FreeBackupName(backupDir, fileName);
  if (backup.empty()) return result;
  if (!sys::MoveFileExact(installed, backup)) {
    // A file that cannot be moved (another volume, in use) may still be copied, and is
    // deleted only once the copy exists.
    if (!sys::CopyFileExact(installed, backup, true)) return result;
    if (!sys::DeleteFileExact(installed)) {
      sys::DeleteFileExact(backup);
      return result;
    }
  }
  result.backupFile = backup;
  result.removed = !Exists(installed);
  if (std::string copy = ProtectedScreenSaverCopy(fileName); !copy.empty())
    sys::DeleteFileExact(copy);
  return result;
}

}  // namespace uninstall

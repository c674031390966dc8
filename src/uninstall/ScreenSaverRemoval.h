// Removal of an installed screen saver: it has no uninstaller, so the file is moved
// into the backup folder and the system's protected copy is deleted, so that the
// system does not put it back.
#pragma once

#include <string>

namespace uninstall {

struct ScreenSaverRemoval {
  bool removed = false;    // the installed file is gone
  std::string backupFile;  // where its copy now is; "" when none was made
};

// "<system folder>\dllcache\<file name>".
std::string ProtectedScreenSaverCopy(const std::string& fileName);

// The first of `folder`+name, "<stem> (2)<ext>", "<stem> (3)<ext>", ... that does not exist.
std::string FreeBackupName(const std::string& folder, const std::string& fileName);

// Moves `folder` + `fileName` to a free name in `backupDir` (created when missing) and,
// once the copy is safe, deletes the protected copy. The installed file is never
// deleted without a copy: when no backup can be made, nothing changes.
ScreenSaverRemoval RemoveScreenSaver(const std::string& folder, const std::string& fileName,
                                     const std::string& backupDir);

}  // namespace uninstall

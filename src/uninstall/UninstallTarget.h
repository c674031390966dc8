// The program being uninstalled, captured from its uninstall entry when the uninstall
// starts, so that the leftover scan looks for that program whatever is selected when
// the runner reports, and knows where its entry lived.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sys/Registry.h"

namespace uninstall {

struct UninstallTarget {
  std::string keyName;     // the uninstall entry's key name
  std::string installDir;  // its install folder, normalised; may be empty
  std::string displayName;
  // What else the entry said of the program, for the leftover search and its grades.
  std::string publisher;
  std::string displayIcon;      // the DisplayIcon value as it stood
  std::string uninstallString;  // the UninstallString value as it stood
  // The Windows Installer product code ("{...}", upper case) of an MSI entry; "" else.
  std::string productCode;
  // File names of the program files (*.exe) in the install folder, found when the
  // uninstall started: after it they are usually gone, but their traces are not.
  std::vector<std::string> executables;
  // Where the entry's key lies: HKLM in the native or the 32-bit view, or HKCU.
  HKEY entryRoot = HKEY_LOCAL_MACHINE;
  sys::RegView entryView = sys::RegView::Default;
  // False when the entry was still there after the uninstaller ended: the uninstall
  // seems not to have happened, and nothing found is offered ticked.
  bool uninstalled = true;
};

// Fills the fields after displayName from the entry's key (entryRoot, entryView,
// keyName) and from the install folder (or the folders that stand for a missing one,
// see InstallFoldersOf), while both are still there. What cannot be read stays empty;
// the fields already set are left as they are.
void CaptureScanInputs(UninstallTarget& target);

// The target of the entry `keyName` under root's uninstall key in `view`, read
// straight from the registry: its DisplayName (the key name when it has none), its
// InstallLocation normalised, and what CaptureScanInputs adds.
UninstallTarget ReadUninstallTarget(HKEY root, sys::RegView view, const std::string& keyName);

// The product code in an MSI entry: its key name when that is a "{GUID}" and the entry
// says WindowsInstaller = 1, else the "{GUID}" after /X or /I in its uninstall command.
std::string ProductCodeOf(const std::string& keyName, bool windowsInstaller,
                          const std::string& uninstallString);

}  // namespace uninstall

// The program being uninstalled, captured from its uninstall entry when the uninstall
// starts, so that the leftover scan looks for that program whatever is selected when
// the runner reports, and knows where its entry lived.
#pragma once

#include <windows.h>

#include <string>

#include "sys/Registry.h"

namespace uninstall {

struct UninstallTarget {
  std::string keyName;     // the uninstall entry's key name
  std::string installDir;  // its install folder, normalised; may be empty
  std::string displayName;
  // Where the entry's key lies: HKLM in the native or the 32-bit view, or HKCU.
  HKEY entryRoot = HKEY_LOCAL_MACHINE;
  sys::RegView entryView = sys::RegView::Default;
  // False when the entry was still there after the uninstaller ended: the uninstall
  // seems not to have happened, and nothing found is offered ticked.
  bool uninstalled = true;
};

}  // namespace uninstall

// Shell shortcut files (.lnk) written through the shell's link object.
#pragma once

#include <windows.h>

#include <string>

namespace startup {

// Saves a shortcut at `linkPath` (overwriting one that is there) that starts `target`
// in `workingFolder`; no arguments, description, icon or hot key. COM must be
// initialised on the calling thread. Returns the first failing HRESULT, or S_OK.
HRESULT CreateShellShortcut(const std::string& linkPath, const std::string& target,
                            const std::string& workingFolder);

}  // namespace startup

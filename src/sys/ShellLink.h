// Shell shortcut files (.lnk) through the shell's link object, with UTF-8 paths.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sys {

// Saves a shortcut at `linkPath` (overwriting one that is there) that starts `target`
// in `workingFolder`; no arguments, description, icon or hot key. COM must be
// initialised on the calling thread. Returns the first failing HRESULT, or S_OK.
HRESULT CreateShellLink(std::string_view linkPath, std::string_view target,
                        std::string_view workingFolder);

// The path a shortcut at `linkPath` starts, as stored (never searched for when it has
// moved); "" when the file is no shortcut, cannot be read or names no file system
// path (a shell folder, an installer's advertised shortcut). COM must be initialised
// on the calling thread.
std::string ShellLinkTarget(std::string_view linkPath);

}  // namespace sys

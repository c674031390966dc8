// The install folder an uninstall entry claims, as the scan and removal use it.
#pragma once

#include <string>

namespace uninstall {

// `raw` (an entry's InstallLocation as stored) as a full folder path: blanks around
// it trimmed, surrounding quotes stripped, %VAR% expanded, "/" turned into "\",
// trailing backslashes removed (a drive root keeps its own: "C:\"), "." and ".."
// resolved. "" for empty text and for relative or drive-relative paths, which name
// no folder that an entry could own.
std::string NormaliseInstallFolder(const std::string& raw);

}  // namespace uninstall

#include "startup/StartupShortcut.h"

#include "sys/ShellLink.h"

namespace startup {

HRESULT CreateShellShortcut(const std::string& linkPath, const std::string& target,
                            const std::string& workingFolder) {
  return sys::CreateShellLink(linkPath, target, workingFolder);
}

}  // namespace startup

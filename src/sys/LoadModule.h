// Loading a DLL by a UTF-8 name or path.
#pragma once

#include <windows.h>

#include <string_view>

namespace sys {

// LoadLibraryW: a bare name is searched in the system's order (the executable's
// folder first); nullptr with GetLastError() set on failure.
HMODULE LoadModule(std::string_view name);

}  // namespace sys

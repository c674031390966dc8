// Texts for system error codes, as the system words them.
#pragma once

#include <windows.h>

#include <string>

namespace sys {

// The system's message for a Win32 error or HRESULT code, without the trailing line break.
// Falls back to "Error 0x........" when the system has no text for the code.
std::string ErrorText(DWORD code);

// ErrorText(GetLastError()).
std::string LastErrorText();

}  // namespace sys

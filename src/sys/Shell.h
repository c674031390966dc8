// Shell calls over UTF-8: opening files and folders, special folders, and the
// machine's and user's names.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sys {

// ShellExecuteW; true when the shell started it. Empty `parameters` or `folder` pass
// NULL.
bool ShellOpen(HWND owner, std::string_view verb, std::string_view file,
               std::string_view parameters = {}, std::string_view folder = {},
               int show = SW_SHOWNORMAL);
// A CSIDL_ folder's current path without a trailing backslash; "" when it has none.
std::string SpecialFolderPath(int csidl);
std::string ComputerName();
std::string UserName();

}  // namespace sys

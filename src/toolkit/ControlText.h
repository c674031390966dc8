// Texts of the system's controls and messages over UTF-8 that WinText.h does not
// cover: list view column headers, the text a WM_SETTEXT carries, registered
// message names, and the case folding used to match typed characters.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

// The header text of `column` of a list view in report view.
bool SetListColumnTextUtf8(HWND listView, int column, std::string_view text);
// The text in the lParam of a WM_SETTEXT that a window of a Unicode class receives
// (the system converts what senders of the ANSI form pass). Null reads as "".
std::string SetTextMessageText(LPARAM lParam);
// RegisterWindowMessageW of `name`; 0 on failure.
UINT RegisteredMessage(std::string_view name);
// `c` in upper case as the user's locale folds it; characters outside the Basic
// Multilingual Plane come back unchanged.
char32_t UpperCaseChar(char32_t c);

}  // namespace toolkit

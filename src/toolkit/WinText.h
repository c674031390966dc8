// Text in and out of windows and device contexts. The program's text is UTF-8; these
// are the calls its windows use instead of the system's text functions, so that every
// character reaches the screen and comes back exactly.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

std::string GetWindowTextUtf8(HWND window);
bool SetWindowTextUtf8(HWND window, std::string_view text);
// The window class name (for finding our own controls and the system's).
std::string WindowClassName(HWND window);

// DrawTextW over UTF-8; returns the height DrawText returns (0 on failure). With
// DT_CALCRECT `rect` receives the size the text needs.
int DrawTextUtf8(HDC dc, std::string_view text, RECT* rect, UINT format);
SIZE TextExtentUtf8(HDC dc, std::string_view text);
bool TextOutUtf8(HDC dc, int x, int y, std::string_view text);

// A LOGFONTW's face name as UTF-8, and back (cut to the field's size).
std::string FaceName(const LOGFONTW& font);
void SetFaceName(LOGFONTW& font, std::string_view face);

}  // namespace toolkit

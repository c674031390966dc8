// List views of another process, driven from outside as a user would: the list
// messages that carry structures need those structures in the list's own process.
#pragma once

#include <windows.h>

#include <string>

namespace demo {

// The first visible list view below `top` (at any depth) that has a row whose first
// column reads `text` exactly; that row's index goes to `row`. nullptr when none has.
HWND FindListRow(HWND top, const std::wstring& text, int& row);

// Makes `row` the only selected row and the focused one and scrolls it into view, as
// a click on it does; the list tells its owner as it would then. False when the list
// is gone or does not answer.
bool SelectOnlyRow(HWND list, int row);

}  // namespace demo

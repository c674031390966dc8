// Menu item texts over UTF-8, for the menus the program builds and relabels.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

// Appends a string item (AppendMenuW with MF_STRING added to `flags`).
bool AppendMenuItemUtf8(HMENU menu, UINT flags, UINT_PTR id, std::string_view text);
// Replaces the text of an item, by command id or, when `byPosition`, by position.
bool SetMenuItemTextUtf8(HMENU menu, UINT item, bool byPosition, std::string_view text);
// The text of an item, however long; "" when there is no such item.
std::string MenuItemTextUtf8(HMENU menu, UINT item, bool byPosition);

}  // namespace toolkit

// Items of a combo box's list, in UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit {

// Appends an item (CB_ADDSTRING); its index, or CB_ERR / CB_ERRSPACE.
int AddComboItemUtf8(HWND combo, std::string_view text);
// The text of item `index`; "" when there is none.
std::string ComboItemTextUtf8(HWND combo, int index);

}  // namespace toolkit

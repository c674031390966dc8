// Items of an extended combo box (a drop-down list with icons) over UTF-8 texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tk {

// The standard class of an extended combo box.
inline constexpr char kComboBoxExClass[] = "ComboBoxEx32";

// Inserts an item at `position` (-1: appended) with its text, image (also shown
// when selected) and data. Returns its position, or -1.
int InsertComboBoxExItem(HWND box, int position, std::string_view text, int image, LPARAM data);
// The text of the item at `position`, however long ("" when there is none).
std::string ComboBoxExItemText(HWND box, int position);

}  // namespace tk

// What a list view control itself answers for a cell (LVM_GETITEMTEXTA), as
// opposed to what a wrapper object keeps: for tests that check the two agree.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// The control's text of `item` in `column`, through a buffer of 1024 characters.
std::string ListViewItemText(HWND list, int item, int column);

}  // namespace testing_support

// The shell's Run dialog (the run-a-command box), which shell32 exports by ordinal
// only and which takes wide strings.
#pragma once

#include <windows.h>

#include <string_view>

namespace sys {

// The dialog copies its title into a buffer of 130 characters.
inline constexpr size_t kRunDialogTitleMax = 129;

// Shows the dialog owned by `owner`, with `icon`, no working folder and no
// description line. The title is cut to kRunDialogTitleMax UTF-16 units (never
// inside a surrogate pair). False when shell32 does not offer the dialog.
bool ShowRunDialog(HWND owner, HICON icon, std::string_view title, UINT flags);

}  // namespace sys

// Tabs of a tab control over UTF-8 captions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tk {

// The standard class of a tab control.
inline constexpr char kTabControlClass[] = "SysTabControl32";

// Appends a tab with `text`; returns its index, or -1.
int AppendTab(HWND tabs, std::string_view text);
bool SetTabText(HWND tabs, int index, std::string_view text);
// The caption of tab `index` ("" when there is none).
std::string TabText(HWND tabs, int index);

}  // namespace tk

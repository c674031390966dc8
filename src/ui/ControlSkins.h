// The skin's colours on the controls of a dialog that the system draws in its own
// light colours whatever the parent answers: tab strips, extended combo boxes,
// progress bars and etched rules. Each one is drawn by the program instead while
// the skin gives the colours it needs; the looks go with the control.
#pragma once

#include <windows.h>

#include "ui/SkinColours.h"

namespace ui {

// The tabs and the page frame on the panel colours, the selected tab's text in
// the selected tab colour.
void SetTabColours(HWND tabControl, const TSkinColours& colours);
// The items, their pictures and the drop-down list on the list colours.
void SetComboBoxExColours(HWND comboBoxEx, const TSkinColours& colours);
// The frame and drop button of a combo box (a plain one or that of an extended
// box) on the list colours.
void SetComboBoxColours(HWND comboBox, const TSkinColours& colours);
// The trough in the list colours, the bar in a darker link colour.
void SetProgressColours(HWND progressBar, const TSkinColours& colours);
// An etched line as a dark panel shows one: a shadow and a faint light line.
void SetRuleColours(HWND rule, const TSkinColours& colours);

}  // namespace ui

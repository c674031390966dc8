// The skin's colours on the controls of a dialog that the system draws in its own
// light colours whatever the parent answers: tab strips, extended combo boxes,
// progress bars and etched rules. Each one is drawn by the program instead while
// the skin gives the colours it needs; the looks go with the control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "toolkit/TickImages.h"
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

// Answers a check box's (or radio button's) custom draw by drawing all of it on the
// panel colours: a box on the list colours with the mark in the panel's text.
// Without panel colours the system draws it.
LRESULT PaintCheckBox(const NMCUSTOMDRAW& draw, const TSkinColours& colours);
// A group box's frame and title on the panel colours; with none, the system's again.
void SetGroupBoxColours(HWND groupBox, const TSkinColours& colours);
// The tick boxes of trees: the design's pictures, or drawn on the list colours.
tk::TickColours TickColoursOf(const TSkinColours& colours);

// A tooltip on the panel colours, or the system's tip colours with none.
void SetTipColours(HWND tip, const TSkinColours& colours);
// The same for every tooltip of this thread that belongs to `topLevel` or to a
// control in it (a list's item tips, a link's hint).
void SetOwnedTipColours(HWND topLevel, const TSkinColours& colours);

}  // namespace ui

// The skin's colours on a dialog-like window: the program's own dialogs and the
// system's message boxes. The main window's panels sit on skin pictures; a dialog
// has none, so with a dark skin everything in it is drawn on the panel colours:
// the background, labels, edit and combo boxes, lists, trees, tabs, progress bars,
// rules, links and push buttons, and the caption where the system can darken it.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/SkinColours.h"

namespace ui {

// The colours a push button is drawn in on a skin's panel.
struct TButtonLook {
  COLORREF back;  // around the rounded face
  COLORREF face, hotFace, pressedFace;
  COLORREF edge, defaultEdge;  // the default or focused button's edge stands out
  COLORREF text, disabledText;
};

// None when the skin gives the panel no colour: buttons keep the system's look.
std::optional<TButtonLook> ButtonLookOf(const TSkinColours& colours);

// Gives `dialog`, a window just made with all its controls, the colours; with no
// colours it is left as it was made.
void SkinDialog(HWND dialog, const TSkinColours& colours);
// The same with the loaded skin's colours.
void SkinDialog(HWND dialog);

}  // namespace ui

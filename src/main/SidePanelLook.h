// The main window's looks: the design-time fonts and text places of its skinned
// buttons by role, and the painting of side bar backgrounds and group frames over
// the skin's pictures.
#pragma once

#include <windows.h>

#include <string>

#include "ui/ArButton.h"
#include "ui/Picture.h"

namespace forms {

// File, View, Tools, Help.
void StyleMenuButton(ui::TArButton& button);
// The side bars' command buttons and the search button. Buttons that start
// disabled show purple text while disabled, the others maroon.
void StyleSideButton(ui::TArButton& button, bool startsDisabled = false);
void StyleProgramListTab(ui::TArButton& button);
void StyleStartupItemsTab(ui::TArButton& button);
// Minimise, help and close: pictures only.
void StyleWindowButton(ui::TArButton& button);

// Paints the side bar's picture (button face where it has none) into `client` of a
// window that lies `offsetFrom`'s position inside the picture's panel (0, 0 for
// the panel itself).
void PaintPanelPicture(HDC dc, const RECT& client, const ui::Picture& picture,
                       HWND offsetFrom = nullptr);
// A group box's etched frame with its title over the background already painted.
void PaintGroupFrame(HDC dc, const RECT& client, const std::string& title);

}  // namespace forms

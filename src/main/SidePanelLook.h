// The main window's looks: the design-time fonts and text places of its skinned
// buttons by role, the painting of side bar backgrounds and group frames over the
// skin's pictures, and what its two tab pages (programs, start-up items) share:
// their design sizes, their side bars' buttons and groups, and how the list
// follows a side bar that collapses.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Panel.h"
#include "ui/ArButton.h"
#include "ui/Picture.h"
#include "ui/SkinTable.h"

namespace forms {

// Design sizes of both tab pages; the skin moves the controls.
constexpr int kSidePanelWidth = 169;
constexpr int kListWidth = 582;
constexpr int kPageHeight = 394;
// The side bars' command buttons: their left edge on the bar and their size.
constexpr int kSideMargin = 15;
constexpr int kSideButtonWidth = 130;
constexpr int kSideButtonHeight = 36;

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

// Creates `button` on `host` at (left, top) in the side button size, styled as a
// side bar button (StyleSideButton) and captioned.
void CreateSideButton(ui::TArButton& button, HWND host, int id, int left, int top,
                      const std::string& caption, bool startsDisabled = false);
// Paints `panel` (a side bar's content) with the bar's `picture`. The panel keeps
// a reference to `picture` (the page's own), which must outlive it.
void SetSidePanelLook(tk::Panel& panel, const ui::Picture& picture);
// Paints `group`, a panel on a side bar, as a group box: the bar's `picture` under
// it (kept by reference, as above) and an etched frame titled with the group's text.
void SetSideGroupLook(tk::Panel& group, const ui::Picture& picture);
// After a side bar's hot spot collapsed it (`panelShown` still true) or brought it
// back: `list` takes the skin's `fullPlace` or its normal `place`. A bad skin value
// is shown over `owner` with the toolkit's error message and leaves the list where
// it is: false, and the caller keeps its shown flag.
bool PlaceListBesideSidePanel(HWND list, bool panelShown, ui::SkinId fullPlace, ui::SkinId place,
                              HWND owner);

}  // namespace forms

// The colours a skin gives the texts that the main window draws over its pictures
// (the Colors section of the skin file): each role has a colour, or none, and then
// keeps the window's design colour. A light skin needs none; a dark one needs them
// all, since the design colours are dark text on light system surfaces.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "toolkit/SidePanel.h"
#include "ui/SkinTable.h"

namespace ui {

struct TSkinColours {
  std::optional<COLORREF> PanelBack;  // labels, check boxes, group titles, the status line
  std::optional<COLORREF> PanelText;
  std::optional<COLORREF> ListBack;  // both lists and the search box
  std::optional<COLORREF> ListText;
  std::optional<COLORREF> Link;  // the program list's address column
  std::optional<COLORREF> TabText;
  std::optional<COLORREF> TabSelectedText;
  std::optional<COLORREF> ButtonDisabledText;  // side bar buttons
};

// "#RRGGBB" (blanks around it allowed); anything else, an empty text too, is none.
std::optional<COLORREF> ParseSkinColour(std::string_view text);
// The table's colours as they stand.
TSkinColours CurrentSkinColours();
// One colour of the table, or `design` when the skin gives none.
COLORREF SkinColourOr(SkinId id, COLORREF design);

// Colours the labels, check boxes and edit boxes anywhere inside `container` by
// answering their WM_CTLCOLOR* messages before it does: labels and check boxes in
// the panel colours, edit boxes in the list colours. Roles without a colour keep
// the system's; with no colours at all the container is left as it was made.
// Check boxes lose their visual style while they have a text colour, since a
// styled one draws its text in the style's colour.
void SetContainerColours(HWND container, const TSkinColours& colours);
// A list view's background, text, edge and header in the list colours (the header
// in the panel's), or the system's.
void SetListColours(HWND listView, const TSkinColours& colours);
// A tree view's background, text, lines and edge in the list colours, or the system's.
void SetTreeColours(HWND treeView, const TSkinColours& colours);
// `a` with bPercent of `b` mixed in.
COLORREF MixColours(COLORREF a, COLORREF b, int bPercent);
// The edge drawn around lists and edit boxes on the list colours; none for the system's.
std::optional<COLORREF> ListEdgeColour(const TSkinColours& colours);
// Whether the colours are those of a dark skin (a dark panel or list).
bool IsDarkLook(const TSkinColours& colours);
// The colours of a side panel's bar on the panel colours; none for the design.
using SidePanelBar = std::optional<tk::SidePanel::BarColours>;
SidePanelBar SidePanelBarColours(const TSkinColours& colours);

}  // namespace ui

// Measuring and drawing the items of tk::PopupMenu, and the register of live items
// by which the owner-draw messages tell our items from anybody else's.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "toolkit/PopupMenu.h"

namespace tk {

void RegisterMenuEntry(const PopupMenu::Entry* entry);
void UnregisterMenuEntry(const PopupMenu::Entry* entry);
bool IsMenuEntry(const PopupMenu::Entry* entry);

// The item's text as its menu holds it now ("Refresh\tF5"); actions change it.
std::string MenuEntryText(const PopupMenu::Entry& entry);

// The colours of the items and of the menu window around them.
struct MenuColours {
  COLORREF back;     // the items' body, and the menu window outside the items
  COLORREF iconBar;  // the strip of pictures and tick marks on the left
  COLORREF text;     // also the tick mark
  COLORREF disabledText;
  COLORREF highlightBack;  // the item under the mouse
  COLORREF highlightText;
  COLORREF separator;
  COLORREF checkFrame;  // the frame of a checked item's picture
};

// The look of the menus drawn from now on: these colours, or none for the
// system's (window, button face, menu text, grey text, highlight, button shadow).
// A menu takes a change over when it is next built or shown (PopupMenu::rebuild).
void SetMenuColours(std::optional<MenuColours> colours);
// The colours set, or none while menus have the system's look.
std::optional<MenuColours> MenuColoursSet();
// The colours in use now: those set, or the system's.
MenuColours CurrentMenuColours();
COLORREF MenuIconBarColour();
COLORREF MenuBackgroundColour();
// Gives `menu`'s window outside the items the colours' background (or, with the
// system's look, the system's menu colour). Its submenus are left as they are.
void SetMenuWindowBackground(HMENU menu);

SIZE MeasureMenuEntry(const PopupMenu::Entry& entry);
// itemState: ODS_SELECTED, ODS_GRAYED, ODS_DISABLED, ODS_CHECKED, ODS_NOACCEL.
void DrawMenuEntry(const PopupMenu::Entry& entry, HDC dc, const RECT& rect, UINT itemState);

}  // namespace tk

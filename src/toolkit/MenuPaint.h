// Measuring and drawing the items of tk::PopupMenu, and the register of live items
// by which the owner-draw messages tell our items from anybody else's.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/PopupMenu.h"

namespace tk {

void RegisterMenuEntry(const PopupMenu::Entry* entry);
void UnregisterMenuEntry(const PopupMenu::Entry* entry);
bool IsMenuEntry(const PopupMenu::Entry* entry);

// The item's text as its menu holds it now ("Refresh\tF5"); actions change it.
std::string MenuEntryText(const PopupMenu::Entry& entry);

// The colours the items are drawn in.
COLORREF MenuIconBarColour();
COLORREF MenuBackgroundColour();

SIZE MeasureMenuEntry(const PopupMenu::Entry& entry);
// itemState: ODS_SELECTED, ODS_GRAYED, ODS_DISABLED, ODS_CHECKED, ODS_NOACCEL.
void DrawMenuEntry(const PopupMenu::Entry& entry, HDC dc, const RECT& rect, UINT itemState);

}  // namespace tk

// The popup menus in a skin's colours. A skin that gives the panels and lists no
// colours keeps the system's menus; one that does gets menus on its own surfaces
// (the items on the list colour, the icon bar on the panel colour), with every
// text standing out from what it is drawn on by the 4.5:1 that WCAG AA asks of
// body text, and marks by the 3:1 it asks of graphics. A skin's text colour that
// falls short is moved toward black or white until it is enough.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/MenuPaint.h"
#include "ui/SkinColours.h"

namespace ui {

inline constexpr double kBodyTextContrast = 4.5;
inline constexpr double kGraphicsContrast = 3.0;

// The WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(COLORREF a, COLORREF b);

// The menus' colours for a skin's colours; none for the system's look.
std::optional<tk::MenuColours> MenuColoursFor(const TSkinColours& colours);

// Makes the menus drawn from now on follow the skin's colours.
void ApplyMenuColours(const TSkinColours& colours);

}  // namespace ui

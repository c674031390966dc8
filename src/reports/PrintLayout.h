// The plain-text print job: where each piece of the report's text lands on which
// page, worked out from the printer's page size and font metrics alone, and the
// job that puts the pieces on a printer's device context.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace reports {

// A printer canvas as the layout needs it, in device units.
struct PrintMetrics {
  int pageWidth = 0;
  int pageHeight = 0;
  int charHeight = 0;    // the font's character height
  int avgCharWidth = 0;  // the font's average character width
  // The extent of a piece of text in the font.
  std::function<SIZE(std::string_view)> textExtent;
};

struct PrintedPiece {
  int page = 0;  // 0 first
  int x = 0;
  int y = 0;
  std::string text;
};

struct PrintLayout {
  std::vector<PrintedPiece> pieces;  // in printing order
  int pageCount = 1;
};

// Lays out `lines`, each followed by a line end, from the page's top-left corner:
// - a line end goes back to x = 0 and down by the line's height (the height of the
//   text written on it + 2, or the character height for a line with no text); a
//   new page begins when the new y passes the page height less twice the height
//   of the line just ended;
// - text that would pass the right edge is cut after the last character that
//   fits and goes on on the next line (a piece always takes one character, so
//   even a page narrower than a character makes progress); the lines are UTF-8
//   and a cut never splits a character's bytes;
// - a tab moves x to the next stop, eight average character widths apart
//   (x + w - ((x + w + 1) mod w) + 1), or to the next line past the right edge;
// - a form feed starts a new page; a carriage return or line feed only ends the
//   current piece of text.
// Pages that only an overflowing line end opened, with nothing printed on them,
// are not counted.
PrintLayout LayoutPrintLines(const std::vector<std::string>& lines, const PrintMetrics& metrics);

// The metrics of `dc` with the font selected into it.
PrintMetrics DcPrintMetrics(HDC dc);

// Prints `lines` on the printer behind `dc` as one document named `documentName`,
// with a 10-point Arial of the printer's resolution. Messages keep being handled
// while the job runs. Returns false when the printer or the spooler failed; then
// `error` holds the system's error code.
bool PrintTextLines(HDC dc, const std::string& documentName, const std::vector<std::string>& lines,
                    DWORD& error);

}  // namespace reports

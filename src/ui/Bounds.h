// Bounds values of skin files: "left, top, width, height".
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A bounds value with a part that is not a whole number.
class BoundsError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Splits at every `separator`: each piece before a separator is trimmed of
// leading and trailing blanks and control characters when `trimPieces` is set;
// the piece after the last separator is added as it is.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator,
                                   bool trimPieces);

// A decimal whole number with optional sign, blanks around it allowed, within
// the 32-bit range. Throws BoundsError otherwise.
int ParseInteger(std::string_view text);

// False (and `out` untouched) for fewer than four parts; parts beyond the fourth
// are ignored. Throws BoundsError when one of the first four is not a number.
bool ParseBounds(std::string_view text, Bounds& out);

// Positions `control` from a bounds value. False, with the control left as it
// was, for an empty value or one with fewer than four parts; throws BoundsError
// as ParseBounds does.
// A null control only has its value checked.
bool SetBoundsFromText(HWND control, std::string_view text);

}  // namespace ui

// The pictures of tick boxes with three states, for tree views whose nodes carry a
// state image: index 0 is no picture (state 0 means "no tick box"), 1 an empty
// box, 2 a box with a green tick, 3 a box with a filled green square (some but not
// all of the node's children ticked).
#pragma once

#include <windows.h>

#include "toolkit/ImageLists.h"

namespace tk {

inline constexpr int kTickNone = 0;
inline constexpr int kUnticked = 1;
inline constexpr int kTicked = 2;
inline constexpr int kPartlyTicked = 3;

// The colours the pictures are drawn in.
inline constexpr COLORREF kTickBoxFrame = RGB(28, 81, 128);
inline constexpr COLORREF kTickBoxFill = RGB(255, 255, 255);
inline constexpr COLORREF kTickGreen = RGB(0, 150, 0);

struct TickColours {
  COLORREF frame = kTickBoxFrame;
  COLORREF fill = kTickBoxFill;
  COLORREF mark = kTickGreen;  // the tick and the filled square
};

// Four pictures of `size` x `size` pixels (at least 10), drawn by us.
UniqueImageList CreateTickStateImages(int size = 16, const TickColours& colours = {});

}  // namespace tk

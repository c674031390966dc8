// Three small pictures that say how sure the program is about something it lists,
// drawn at run time so that they need no files: index 0 a green disc with a white
// tick (sure), 1 an amber dot (likely), 2 a red disc with a white "?" (doubtful).
// Each has a dark rim and a saturated fill, so that it reads on light and on dark
// backgrounds alike.
#pragma once

#include <windows.h>

#include "toolkit/ImageLists.h"

namespace tk {

inline constexpr int kGradeImageSure = 0;
inline constexpr int kGradeImageLikely = 1;
inline constexpr int kGradeImageDoubtful = 2;
inline constexpr int kGradeImageCount = 3;

// The fills and rims the pictures are drawn in.
inline constexpr COLORREF kGradeSureFill = RGB(30, 160, 60);
inline constexpr COLORREF kGradeSureRim = RGB(0, 80, 20);
inline constexpr COLORREF kGradeLikelyFill = RGB(245, 165, 0);
inline constexpr COLORREF kGradeLikelyRim = RGB(130, 75, 0);
inline constexpr COLORREF kGradeDoubtfulFill = RGB(215, 35, 35);
inline constexpr COLORREF kGradeDoubtfulRim = RGB(110, 0, 0);

// The three pictures, `size` x `size` pixels each (at least 10).
UniqueImageList CreateGradeImages(int size = 16);

}  // namespace tk

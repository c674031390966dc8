// Where a skinned button puts its picture and its caption, and which state it
// shows: plain functions of sizes, alignments and flags, so that the placement
// rules hold without a window.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Picture.h"

namespace ui {

enum class TArTextAlign {
  taTopLeft,
  taTopCenter,
  taTopRight,
  taMiddleLeft,
  taMiddleCenter,
  taMiddleRight,
  taBottomLeft,
  taBottomCenter,
  taBottomRight,
  taCenter,
  taLeft,
  taRight,
  taCustom,
};

enum class TArPicAlign {
  paTopLeft,
  paTopCenter,
  paTopRight,
  paMiddleLeft,
  paMiddleCenter,
  paMiddleRight,
  paBottomLeft,
  paBottomCenter,
  paBottomRight,
  paCenter,
  paLeft,
  paRight,
  paCustom,
};

// The look a button shows: disabled dominates, then pressed, then hover.
ButtonState VisualState(bool enabled, bool pressed, bool hover);

// Top-left corner of a picture of size `picture` on a button of size `button`;
// halves round toward zero. `custom` is the origin for paCustom.
POINT PictureOrigin(TArPicAlign align, SIZE button, SIZE picture, POINT custom);

// The rectangle the picture is drawn into: its own size at the origin, or, when
// stretched, from the origin to the button's bottom-right corner. An empty
// rectangle (right <= left or bottom <= top) means nothing is drawn; so does an
// empty picture.
RECT PictureRect(TArPicAlign align, SIZE button, SIZE picture, POINT custom, bool stretch);

// The rectangle DrawText lays the caption out in: the client area, or from
// (TextX, TextY) for taCustom. A pressed button moves it one pixel right and down,
// except for taCustom, whose caption stays at its origin.
RECT CaptionRect(TArTextAlign align, SIZE client, POINT textOrigin, bool pressed);

// DrawText flags for the alignment: tabs expanded, "&" marks the accelerator.
// Vertical centring and bottom placement apply to single-line captions only;
// multi-line captions wrap at word boundaries as in an edit box.
UINT CaptionFormat(TArTextAlign align, bool multiLines);

// True when the caption has something besides blanks and control characters.
bool HasVisibleCaption(const std::string& caption);

// The accelerator character of a caption (UTF-8): the code point after the first
// single "&" ("&&" is a literal "&"); 0 when there is none.
char32_t AcceleratorChar(const std::string& caption);

// Whether a typed character (a code point, or a UTF-16 unit as WM_CHAR brings it)
// selects the caption's accelerator; letters match in either case, in any script.
bool IsAccelerator(char32_t typed, const std::string& caption);

// Whether a mouse position still counts as over a button of this size: a point
// exactly on the right or bottom edge does.
bool IsPointOverButton(int x, int y, SIZE button);

}  // namespace ui

#include "ui/ArButtonLayout.h"

#include "toolkit/ControlText.h"

namespace ui {

ButtonState VisualState(bool enabled, bool pressed, bool hover) {
  if (!enabled) return ButtonState::Disabled;
  if (pressed) return ButtonState::MouseDown;
  if (hover) return ButtonState::MouseHover;
  return ButtonState::Normal;
}

POINT PictureOrigin(TArPicAlign align, SIZE button, SIZE picture, POINT custom) {
  // C++ integer division truncates toward zero, as the placement wants for
  // pictures larger than the button too.
  const LONG left = 0, center = (button.cx - picture.cx) / 2, right = button.cx - picture.cx;
  const LONG top = 0, middle = (button.cy - picture.cy) / 2, bottom = button.cy - picture.cy;
  switch (align) {
    case TArPicAlign::paTopLeft:
      return {left, top};
    case TArPicAlign::paTopCenter:
      return {center, top};
    case TArPicAlign::paTopRight:
      return {right, top};
    case TArPicAlign::paMiddleLeft:
    case TArPicAlign::paLeft:
      return {left, middle};
    case TArPicAlign::paMiddleCenter:
    case TArPicAlign::paCenter:
      return {center, middle};
    case TArPicAlign::paMiddleRight:
    case TArPicAlign::paRight:
      return {right, middle};
    case TArPicAlign::paBottomLeft:
      return {left, bottom};
    case TArPicAlign::paBottomCenter:
      return {center, bottom};
    case TArPicAlign::paBottomRight:
      return {right, bottom};
    case TArPicAlign::paCustom:
      return custom;
  }
  return {left, top};
}

RECT PictureRect(TArPicAlign align, SIZE button, SIZE picture, POINT custom, bool stretch) {
  if (picture.cx <= 0 || picture.cy <= 0) return RECT{0, 0, 0, 0};
  const POINT origin = PictureOrigin(align, button, picture, custom);
  if (stretch) return RECT{origin.x, origin.y, button.cx, button.cy};
  return RECT{origin.x, origin.y, origin.x + picture.cx, origin.y + picture.cy};
}

RECT CaptionRect(TArTextAlign align, SIZE client, POINT textOrigin, bool pressed) {
  if (align == TArTextAlign::taCustom) {
    return RECT{textOrigin.x, textOrigin.y, client.cx, client.cy};
  }
  RECT rect{0, 0, client.cx, client.cy};
  if (pressed) OffsetRect(&rect, 1, 1);
  return rect;
}

UINT CaptionFormat(TArTextAlign align, bool multiLines) {
  UINT horizontal = DT_LEFT, vertical = DT_TOP;
  switch (align) {
    case TArTextAlign::taTopLeft:
    case TArTextAlign::taCustom:
      break;
    case TArTextAlign::taTopCenter:
      horizontal = DT_CENTER;
      break;
    case TArTextAlign::taTopRight:
      horizontal = DT_RIGHT;
      break;
    case TArTextAlign::taMiddleLeft:
    case TArTextAlign::taLeft:
      vertical = DT_VCENTER;
      break;
    case TArTextAlign::taMiddleCenter:
    case TArTextAlign::taCenter:
      horizontal = DT_CENTER;
      vertical = DT_VCENTER;
      break;
    case TArTextAlign::taMiddleRight:
    case TArTextAlign::taRight:
      horizontal = DT_RIGHT;
      vertical = DT_VCENTER;
      break;
    case TArTextAlign::taBottomLeft:
      vertical = DT_BOTTOM;
      break;
    case TArTextAlign::taBottomCenter:
      horizontal = DT_CENTER;
      vertical = DT_BOTTOM;
      break;
    case TArTextAlign::taBottomRight:
      horizontal = DT_RIGHT;
      vertical = DT_BOTTOM;
      break;
  }
  if (multiLines) return horizontal | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS;
  return horizontal | vertical | DT_SINGLELINE | DT_EXPANDTABS;
}

bool HasVisibleCaption(const std::string& caption) {
  for (char c : caption) {
    if (static_cast<unsigned char>(c) > ' ') return true;
  }
  return false;
}

namespace {

// The code point that starts at `at` in UTF-8 text; a broken sequence gives its
// first byte as it is, which no typed character matches by accident.
char32_t CodePointAt(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length <= 1 || at + length > text.size()) return lead;
  char32_t c = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return lead;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  return c;
}

}  // namespace

char32_t AcceleratorChar(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" shows one "&"
      continue;
    }
    return CodePointAt(caption, i + 1);
  }
  return 0;
}

bool IsAccelerator(char32_t typed, const std::string& caption) {
  const char32_t accel = AcceleratorChar(caption);
  if (accel == 0 || typed == 0) return false;
  // Folded as the user's locale folds letters, so "&Файл" answers to "ф" too.
  return toolkit::UpperCaseChar(accel) == toolkit::UpperCaseChar(typed);
}

bool IsPointOverButton(int x, int y, SIZE button) {
  return x >= 0 && y >= 0 && x <= button.cx && y <= button.cy;
}

}  // namespace ui

#include "ui/ArButtonLayout.h"

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

char AcceleratorChar(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" shows one "&"
      continue;
    }
    return caption[i + 1];
  }
  return 0;
}

bool IsAccelerator(char typed, const std::string& caption) {
  const char accel = AcceleratorChar(caption);
  if (accel == 0 || typed == 0) return false;
  // CharUpperA folds in the user's ANSI code page, so accented letters match too.
  auto upper = [](char c) {
    return static_cast<char>(reinterpret_cast<UINT_PTR>(
        CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(c))))));
  };
  return upper(accel) == upper(typed);
}

bool IsPointOverButton(int x, int y, SIZE button) {
  return x >= 0 && y >= 0 && x <= button.cx && y <= button.cy;
}

}  // namespace ui

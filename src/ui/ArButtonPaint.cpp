// Painting of the skinned button. Everything is drawn on an off-screen bitmap of
// the button's size in the screen's pixel format and copied out in one go, so a
// state change never flickers; the background is never erased separately.
#include "toolkit/WinText.h"
#include "ui/ArButton.h"
#include "ui/GdiScope.h"

namespace ui {

void TArCustomButton::PaintTo(HDC target) {
  const SIZE size = clientSize();
  if (!target || size.cx <= 0 || size.cy <= 0) return;
  ScreenDc screen;
  OffscreenSurface surface(screen.get(), size.cx, size.cy);
  if (!surface.valid()) return;
  const HDC canvas = surface.dc();

  paintBackground(canvas, size);
  const Picture* picture = nullptr;
  if (SelectStatePicture(picture) && picture) paintPictureLayer(canvas, size, *picture);
  if (drawBorder_) DrawBorderFrame(canvas);
  if (drawFocused_ && hasFocus() && TabStop()) DrawFocusFrame(canvas);
  if (HasVisibleCaption(caption_)) DrawCaption(canvas, caption_);

  BitBlt(target, 0, 0, size.cx, size.cy, canvas, 0, 0, SRCCOPY);
}

void TArCustomButton::paintBackground(HDC canvas, SIZE size) {
  const HWND parent = GetParent(hwnd());
  if (transparent_ && parent) {
    // The parent paints itself into the bitmap, shifted so that the part beneath
    // the button lands on it and clipped to the parent's client area. The parent
    // erases (its class brush, or its own WM_ERASEBKGND) and then draws what it
    // draws through WM_PRINTCLIENT; sibling windows do not appear.
    POINT origin{0, 0};
    MapWindowPoints(hwnd(), parent, &origin, 1);
    RECT parentClient{};
    GetClientRect(parent, &parentClient);
    // Whatever the parent leaves unpainted shows the button's colour.
    fillWithColor(canvas, size);
    DcStateScope state(canvas);
    SetViewportOrgEx(canvas, -origin.x, -origin.y, nullptr);
    IntersectClipRect(canvas, parentClient.left, parentClient.top, parentClient.right,
                      parentClient.bottom);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas), PRF_CLIENT);
    return;
  }
  fillWithColor(canvas, size);
}

void TArCustomButton::fillWithColor(HDC canvas, SIZE size) {
  sys::UniqueBrush brush(CreateSolidBrush(ResolveColor(color_)));
  RECT rect{0, 0, size.cx, size.cy};
  if (brush) FillRect(canvas, &rect, brush.get());
}

void TArCustomButton::paintPictureLayer(HDC canvas, SIZE size, const Picture& picture) {
  // The picture goes onto a copy of the background, and the copy onto the canvas:
  // with the colour key, key-coloured pixels leave the background as it was. Any
  // failure leaves the background without a picture.
  OffscreenSurface layer(canvas, size.cx, size.cy);
  if (!layer.valid()) return;
  if (!BitBlt(layer.dc(), 0, 0, size.cx, size.cy, canvas, 0, 0, SRCCOPY)) return;
  DrawPicture(layer.dc(), picture);
  if (enableTransparentColor_) {
    TransparentBlt(canvas, 0, 0, size.cx, size.cy, layer.dc(), 0, 0, size.cx, size.cy,
                   ResolveColor(transparentColor_));
  } else {
    BitBlt(canvas, 0, 0, size.cx, size.cy, layer.dc(), 0, 0, SRCCOPY);
  }
}

void TArCustomButton::DrawPicture(HDC canvas, const Picture& picture) {
  if (picture.empty()) return;
  const RECT dest =
      PictureRect(pictureAlign_, clientSize(), SIZE{picture.width(), picture.height()},
                  POINT{pictureX_, pictureY_}, stretch_);
  const int width = dest.right - dest.left, height = dest.bottom - dest.top;
  if (width <= 0 || height <= 0) return;
  // Plain pixel picking when stretching keeps key-coloured pixels exactly key-coloured.
  MemoryDc source(canvas);
  if (!source.get()) return;
  SelectScope select(source.get(), picture.bitmap());
  SetStretchBltMode(canvas, COLORONCOLOR);
  if (picture.hasAlpha()) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(canvas, dest.left, dest.top, width, height, source.get(), 0, 0, picture.width(),
               picture.height(), blend);
  } else if (stretch_) {
    StretchBlt(canvas, dest.left, dest.top, width, height, source.get(), 0, 0, picture.width(),
               picture.height(), SRCCOPY);
  } else {
    BitBlt(canvas, dest.left, dest.top, width, height, source.get(), 0, 0, SRCCOPY);
  }
}

bool TArCustomButton::SelectStatePicture(const Picture*& /*picture*/) {
  return false;  // the base button has no pictures of its own
}

const ArFont& TArCustomButton::fontOf(ButtonState state) const {
  switch (state) {
    case ButtonState::Disabled:
      return fontDisabled_;
    case ButtonState::MouseDown:
      return fontMouseDown_;
    case ButtonState::MouseHover:
      return fontMouseHover_;
    case ButtonState::Normal:
      break;
  }
  return font_;
}

const ArFont& TArCustomButton::stateFont() const {
  return fontOf(State());
}

COLORREF TArCustomButton::CaptionColor(ButtonState state) const {
  const auto& skin = skinCaptionColors_[static_cast<size_t>(state)];
  return skin ? *skin : ResolveColor(fontOf(state).color());
}

void TArCustomButton::DrawCaption(HDC canvas, const std::string& caption) {
  const ArFont& font = stateFont();
  SetBkMode(canvas, TRANSPARENT);
  SetTextColor(canvas, CaptionColor(State()));
  SelectScope select(canvas, font.handle());
  RECT rect = CaptionRect(textAlign_, clientSize(), POINT{textX_, textY_},
                          State() == ButtonState::MouseDown);
  toolkit::DrawTextUtf8(canvas, caption, &rect, CaptionFormat(textAlign_, multiLines_));
}

void TArCustomButton::DrawFocusFrame(HDC canvas) {
  const SIZE size = clientSize();
  RECT rect{focusedRectMargin_, focusedRectMargin_, size.cx - focusedRectMargin_,
            size.cy - focusedRectMargin_};
  // The dotted pattern inverts every other pixel: black and white make it plain.
  SetTextColor(canvas, RGB(0, 0, 0));
  SetBkColor(canvas, RGB(255, 255, 255));
  DrawFocusRect(canvas, &rect);
}

void TArCustomButton::DrawBorderFrame(HDC canvas) {
  const SIZE size = clientSize();
  RECT rect{0, 0, size.cx, size.cy};
  sys::UniqueBrush brush(
      CreateSolidBrush(IsWindowEnabled(hwnd()) ? RGB(0, 0, 0) : RGB(128, 128, 128)));
  if (brush) FrameRect(canvas, &rect, brush.get());
}

}  // namespace ui

#include "ui/Picture.h"

#include <cstring>
#include <new>

namespace ui {

Picture Picture::Create(int width, int height) {
  Picture picture;
  if (width <= 0 || height <= 0) return picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    throw std::bad_alloc();
  }
  picture.bitmap_.reset(section);
  picture.pixels_ = static_cast<std::uint32_t*>(bits);
  picture.width_ = width;
  picture.height_ = height;
  std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
  picture.hasAlpha_ = true;
  return picture;
}

void Picture::updateAlphaFlag() {
  hasAlpha_ = false;
  if (empty()) return;
  const size_t count = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < count; ++i) {
    if ((pixels_[i] >> 24) != 0xFF) {
      hasAlpha_ = true;
      return;
    }
  }
}

Picture Picture::clone() const {
  if (empty()) return Picture();
  // The section may still be selected into a DC that drew on it: flush that first.
  GdiFlush();
  Picture copy = Create(width_, height_);
  std::memcpy(copy.pixels_, pixels_, static_cast<size_t>(width_) * height_ * 4);
  copy.hasAlpha_ = hasAlpha_;
  return copy;
}

Picture& StatePictures::operator[](ButtonState state) {
  switch (state) {
    case ButtonState::MouseHover:
      return mouseHover;
    case ButtonState::MouseDown:
      return mouseDown;
    case ButtonState::Disabled:
      return disabled;
    case ButtonState::Normal:
      break;
  }
  return normal;
}

const Picture& StatePictures::operator[](ButtonState state) const {
  return const_cast<StatePictures&>(*this)[state];
}

}  // namespace ui

// A decoded picture: an owned 32-bit top-down DIB section. Pixels are BGRA with
// premultiplied alpha, ready for AlphaBlend; a picture whose pixels are all opaque
// says so (hasAlpha() false) and may simply be blitted, colour key included.
#pragma once

#include <windows.h>

#include <cstdint>

#include "sys/Handles.h"

namespace ui {

class Picture {
 public:
  Picture() = default;
  Picture(Picture&&) noexcept = default;
  Picture& operator=(Picture&&) noexcept = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // A new, blank (transparent black) picture of the given size. Throws
  // std::bad_alloc when the section cannot be made; an empty size gives an empty picture.
  static Picture Create(int width, int height);

  bool empty() const { return !bitmap_ || width_ <= 0 || height_ <= 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool hasAlpha() const { return hasAlpha_; }
  HBITMAP bitmap() const { return bitmap_.get(); }

  // Row-major, top row first, width() pixels per row, 0xAARRGGBB with premultiplied
  // colour. Null for an empty picture.
  std::uint32_t* pixels() { return pixels_; }
  const std::uint32_t* pixels() const { return pixels_; }
  std::uint32_t pixel(int x, int y) const { return pixels_[y * width_ + x]; }

  // Scans the pixels and records whether any is not fully opaque. Call after
  // writing pixels().
  void updateAlphaFlag();

  // A deep copy (its own section); an empty picture for an empty one.
  Picture clone() const;
  // Makes this picture a copy of `other`'s contents ("assign" semantics of the
  // control properties that take a picture).
  void assign(const Picture& other) { *this = other.clone(); }
  void clear() { *this = Picture(); }

 private:
  sys::UniqueBitmap bitmap_;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool hasAlpha_ = false;
};

// The four state pictures of a skinned button, in the order the skin lists them.
enum class ButtonState { Normal, MouseHover, MouseDown, Disabled };

struct StatePictures {
  Picture normal;
  Picture mouseHover;
  Picture mouseDown;
  Picture disabled;

  Picture& operator[](ButtonState state);
  const Picture& operator[](ButtonState state) const;
};

}  // namespace ui

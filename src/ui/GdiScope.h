// GDI helpers for painting code: a solid fill; a memory DC with a bitmap of its own, a
// selection that is undone, a saved DC state that is restored, the screen DC.
#pragma once

#include <windows.h>

#include "sys/Handles.h"

namespace ui {

// Fills `r` with one colour.
inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  sys::UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

// Selects an object into a DC and puts the previous one back when it goes.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC / RestoreDC around origin, clipping and mode changes.
class DcStateScope {
 public:
  explicit DcStateScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~DcStateScope() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  DcStateScope(const DcStateScope&) = delete;
  DcStateScope& operator=(const DcStateScope&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// The screen's DC, released when it goes.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory DC compatible with `reference` holding a bitmap of the given size in the
// reference's pixel format. valid() is false when either could not be made.
class OffscreenSurface {
 public:
  OffscreenSurface(HDC reference, int width, int height)
      : dc_(CreateCompatibleDC(reference)),
        bitmap_(dc_ ? CreateCompatibleBitmap(reference, width, height) : nullptr),
        old_(bitmap_ ? SelectObject(dc_, bitmap_.get()) : nullptr) {}
  ~OffscreenSurface() {
    if (old_) SelectObject(dc_, old_);
    bitmap_.reset();  // deselected first: a selected bitmap cannot be deleted
    if (dc_) DeleteDC(dc_);
  }
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;

  bool valid() const { return dc_ && bitmap_ && old_; }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  sys::UniqueBitmap bitmap_;
  HGDIOBJ old_;
};

// A plain memory DC (for selecting a source bitmap into).
class MemoryDc {
 public:
  explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace ui

// A child window that shows one skin picture at its own size from the top-left
// corner (the rest is the background colour). A press of any mouse button is
// handed to onMouseDown, which the main window uses to move itself when its
// background or title is dragged.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/Window.h"
#include "ui/Picture.h"

namespace ui {

class PictureBox : public tk::Window {
 public:
  ~PictureBox() override { destroy(); }

  bool create(HWND parent, int id, const RECT& bounds, COLORREF background);
  // Takes the picture over and repaints.
  void setPicture(Picture&& picture);
  const Picture& picture() const { return picture_; }
  // The colour wherever the picture does not reach or lets it through.
  void setBackground(COLORREF background);
  COLORREF background() const { return background_; }
  // Sizes the window to its picture (when it has one).
  void autoSize();

  std::function<void(UINT button, POINT client)> onMouseDown;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void paint();

  Picture picture_;
  COLORREF background_ = RGB(255, 0, 255);
};

// Draws `picture` at (x, y) of `dc` at its own size, keeping the alpha of pictures
// that have it.
void DrawPicture(HDC dc, const Picture& picture, int x, int y);
// Answers WM_PAINT for `window`: `picture` from the top-left corner of the client
// area at its own size, over `background` wherever the picture does not reach or
// lets it through.
void PaintWindowPicture(HWND window, const Picture& picture, COLORREF background);

}  // namespace ui

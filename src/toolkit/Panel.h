// A plain child window that holds other controls (a page, a side bar). What its
// controls report to their parent (WM_COMMAND, WM_NOTIFY, owner drawing, control
// colours) it passes on to its own parent, so that the form that owns the whole
// arrangement sees it as if the controls were its own children; tk::Window there
// hands the notifications on to the controls' objects.
#pragma once

#include <windows.h>

#include <functional>

#include "sys/Handles.h"
#include "toolkit/Window.h"

namespace tk {

class Panel : public Window {
 public:
  Panel() = default;
  ~Panel() override { destroy(); }

  // A visible child of `parent` (unless `visible` is false).
  bool create(HWND parent, const RECT& bounds, int id = 0, bool visible = true);

  // A background colour of its own (the window's button-face colour otherwise).
  void setBackground(COLORREF colour);
  // Paints the background instead (a skin picture); called for WM_ERASEBKGND.
  std::function<void(HDC dc, const RECT& client)> onPaintBackground;

  void setBounds(int x, int y, int width, int height) {
    MoveWindow(hwnd(), x, y, width, height, TRUE);
  }
  RECT bounds() const;  // in the parent's client coordinates

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  sys::UniqueBrush background_;
};

}  // namespace tk

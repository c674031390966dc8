#include "ui/PictureBox.h"

#include "sys/Handles.h"

namespace ui {

bool PictureBox::create(HWND parent, int id, const RECT& bounds, COLORREF background) {
  background_ = background;
  tk::WindowParams params;
  params.className = "PrunaxisPictureBox";
  params.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  params.parent = parent;
  params.x = bounds.left;
  params.y = bounds.top;
  params.width = bounds.right - bounds.left;
  params.height = bounds.bottom - bounds.top;
  params.background = nullptr;  // painted whole in WM_PAINT
  if (!tk::Window::create(params)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  return true;
}

void PictureBox::setPicture(Picture&& picture) {
  picture_ = std::move(picture);
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureBox::setBackground(COLORREF background) {
  background_ = background;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureBox::autoSize() {
  if (picture_.empty() || !hwnd()) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, picture_.width(), picture_.height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PictureBox::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (onMouseDown) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        onMouseDown(msg, at);
        return 0;
      }
      break;
    default:
      break;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

void PictureBox::paint() {
  PaintWindowPicture(hwnd(), picture_, background_);
}

void DrawPicture(HDC dc, const Picture& picture, int x, int y) {
  if (picture.empty()) return;
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  HGDIOBJ old = SelectObject(source, picture.bitmap());
  if (picture.hasAlpha()) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, picture.width(), picture.height(), source, 0, 0, picture.width(),
               picture.height(), blend);
  } else {
    BitBlt(dc, x, y, picture.width(), picture.height(), source, 0, 0, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

void PaintWindowPicture(HWND window, const Picture& picture, COLORREF background) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  sys::UniqueBrush brush(CreateSolidBrush(background));
  FillRect(dc, &client, brush.get());
  DrawPicture(dc, picture, 0, 0);
  EndPaint(window, &ps);
}

}  // namespace ui

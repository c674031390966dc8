#include "toolkit/Panel.h"

#include "toolkit/Control.h"

namespace tk {
namespace {

// The font a panel was given, for the controls created on it.
constexpr wchar_t kFontProp[] = L"Prunaxis.Font";

}  // namespace

bool Panel::create(HWND parent, const RECT& r, int id, bool visible) {
  WindowParams params;
  params.className = "PrunaxisPanel";
  params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
  params.exStyle = WS_EX_CONTROLPARENT;
  params.x = r.left;
  params.y = r.top;
  params.width = r.right - r.left;
  params.height = r.bottom - r.top;
  params.parent = parent;
  if (!Window::create(params)) return false;
  if (id) SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  if (font) SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return true;
}

void Panel::setBackground(COLORREF colour) {
  background_.reset(CreateSolidBrush(colour));
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

RECT Panel::bounds() const {
  return Control(hwnd()).bounds();
}

LRESULT Panel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HWND parent = GetParent(hwnd());
      if (parent) return SendMessageW(parent, msg, wParam, lParam);
      break;
    }
    case WM_SETFONT:
      // Keep the font, so that controls created on the panel can take it.
      SetPropW(hwnd(), kFontProp, reinterpret_cast<HANDLE>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropW(hwnd(), kFontProp));
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd(), &client);
      auto dc = reinterpret_cast<HDC>(wParam);
      if (onPaintBackground) {
        onPaintBackground(dc, client);
      } else {
        FillRect(dc, &client, background_ ? background_.get() : GetSysColorBrush(COLOR_BTNFACE));
      }
      return TRUE;
    }
    case WM_PRINTCLIENT:
      // Printing a panel (a capture, an animation) draws what painting would.
      if (lParam & PRF_ERASEBKGND) SendMessageW(hwnd(), WM_ERASEBKGND, wParam, 0);
      return 0;
    case WM_NCDESTROY:
      RemovePropW(hwnd(), kFontProp);
      break;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace tk

#include "toolkit/LinkLabel.h"

#include <shellapi.h>
#include <windowsx.h>

#include "sys/Shell.h"
#include "toolkit/WinText.h"

namespace tk {

std::optional<std::string> LinkTargetToOpen(const std::string& target) {
  const size_t first = target.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const size_t last = target.find_last_not_of(" \t");
  return target.substr(first, last - first + 1);
}

bool LinkLabel::create(HWND parent, int id, int x, int y, int height, const std::string& caption) {
  WindowParams params;
  params.className = "PrunaxisLinkLabel";
  params.caption = caption;
  params.style = WS_CHILD | WS_VISIBLE;
  params.exStyle = 0;
  params.x = x;
  params.y = y;
  params.width = 0;
  params.height = height;
  params.parent = parent;
  params.background = nullptr;  // painted in the parent's colours
  if (!Window::create(params)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  rebuildFont();
  fitToText();
  return true;
}

HFONT LinkLabel::baseFont() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void LinkLabel::rebuildFont() {
  LOGFONTW logFont{};
  if (!GetObjectW(baseFont(), sizeof logFont, &logFont)) return;
  logFont.lfUnderline = TRUE;
  underlined_.reset(CreateFontIndirectW(&logFont));
}

void LinkLabel::setCaption(const std::string& caption) {
  setText(caption);
  fitToText();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void LinkLabel::setLinkColour(COLORREF colour) {
  linkColour_ = colour;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void LinkLabel::setHoverColour(COLORREF colour) {
  hoverColour_ = colour;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void LinkLabel::setAutoSize(bool on) {
  autoSize_ = on;
  fitToText();
}

void LinkLabel::fitToText() {
  if (!hwnd() || !autoSize_) return;
  const std::string caption = text();
  int width = 0;
  if (!caption.empty()) {
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, underlined_ ? underlined_.get() : baseFont());
    const SIZE size = toolkit::TextExtentUtf8(dc, caption);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    width = size.cx;
  }
  RECT client{};
  GetClientRect(hwnd(), &client);
  SetWindowPos(hwnd(), nullptr, 0, 0, width, client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LinkLabel::click() {
  if (onClick) {
    onClick();
    return;
  }
  const std::optional<std::string> target = LinkTargetToOpen(target_);
  if (!target) return;
  if (opener_) {
    opener_(*target);
  } else {
    sys::ShellOpen(hwnd(), "open", *target);
  }
}

void LinkLabel::paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  HWND parent = GetParent(hwnd());
  // The parent's label colours give the background (a panel passes the question on
  // to its form); without an answer, the button face.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  const std::string caption = text();
  HGDIOBJ old = SelectObject(dc, underlined_ ? underlined_.get() : baseFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, currentColour());
  toolkit::DrawTextUtf8(dc, caption, &client, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
}

LRESULT LinkLabel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // painted whole in WM_PAINT
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      rebuildFont();
      fitToText();
      if (LOWORD(lParam)) InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      if (GetCapture() == hwnd()) ReleaseCapture();
      RECT client{};
      GetClientRect(hwnd(), &client);
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (PtInRect(&client, p)) click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace tk

#include "toolkit/SidePanel.h"

#include <windowsx.h>

#include <algorithm>

namespace tk {

bool SidePanel::create(HWND parent, const RECT& bounds, int id, int barWidth) {
  barWidth_ = std::max(barWidth, 2);
  expandedWidth_ = std::max<int>(bounds.right - bounds.left, barWidth_);
  if (!Panel::create(parent, bounds, id)) return false;
  RECT inner{0, 0, expandedWidth_ - barWidth_, bounds.bottom - bounds.top};
  return content_.create(hwnd(), inner);
}

RECT SidePanel::barRect() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  client.left = std::max<LONG>(0, client.right - barWidth_);
  return client;
}

RECT SidePanel::hotSpotRect() const {
  RECT bar = barRect();
  const LONG height = std::min<LONG>(kHotSpotHeight, bar.bottom - bar.top);
  bar.top = (bar.bottom - bar.top - height) / 2;
  bar.bottom = bar.top + height;
  return bar;
}

void SidePanel::setExpandedWidth(int width) {
  expandedWidth_ = std::max(width, barWidth_);
  if (!collapsed_ && hwnd()) {
    const RECT r = bounds();
    setBounds(r.left, r.top, expandedWidth_, r.bottom - r.top);
  }
}

void SidePanel::setCollapsed(bool collapse) {
  if (!hwnd() || collapse == collapsed_) return;
  collapsed_ = collapse;
  const RECT r = bounds();
  content_.show(collapse ? SW_HIDE : SW_SHOW);
  setBounds(r.left, r.top, collapse ? barWidth_ : expandedWidth_, r.bottom - r.top);
  InvalidateRect(hwnd(), nullptr, TRUE);
  if (onToggle) onToggle(collapsed_);
}

void SidePanel::onSize(int width, int height) {
  // The form may move and size the panel (a skin does): that is its new width.
  if (!collapsed_ && width > 0) expandedWidth_ = std::max(width, barWidth_);
  if (content_.hwnd()) {
    MoveWindow(content_.hwnd(), 0, 0, std::max(0, width - barWidth_), height, TRUE);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void SidePanel::setBarColours(std::optional<BarColours> colours) {
  barColours_ = colours;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void SidePanel::paintBar(HDC dc) {
  const RECT bar = barRect();
  sys::UniqueBrush face, spotBrush, arrowBrush;
  if (barColours_) {
    face.reset(CreateSolidBrush(barColours_->face));
    spotBrush.reset(CreateSolidBrush(barColours_->spot));
    arrowBrush.reset(CreateSolidBrush(barColours_->arrow));
  }
  FillRect(dc, &bar, face ? face.get() : GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = bar;
  if (!barColours_) DrawEdge(dc, &edge, EDGE_RAISED, BF_LEFT | BF_RIGHT);
  // The hot spot: a darker band with an arrow pointing where the panel will go.
  const RECT spot = hotSpotRect();
  FillRect(dc, &spot, spotBrush ? spotBrush.get() : GetSysColorBrush(COLOR_BTNSHADOW));
  const int cx = (spot.left + spot.right) / 2, cy = (spot.top + spot.bottom) / 2;
  const int half = std::max(1, barWidth_ / 2 - 1);
  POINT arrow[3];
  if (collapsed_) {  // points right: restores
    arrow[0] = {cx - half / 2, cy - half};
    arrow[1] = {cx - half / 2, cy + half};
    arrow[2] = {cx + half / 2 + 1, cy};
  } else {  // points left: collapses
    arrow[0] = {cx + half / 2, cy - half};
    arrow[1] = {cx + half / 2, cy + half};
    arrow[2] = {cx - half / 2 - 1, cy};
  }
  HGDIOBJ oldBrush =
      SelectObject(dc, arrowBrush ? arrowBrush.get() : GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, arrow, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

LRESULT SidePanel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      paintBar(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Panel::handleMessage(msg, wParam, lParam);
      paintBar(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN: {
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const RECT spot = hotSpotRect();
      if (PtInRect(&spot, p)) {
        pressed_ = true;
        SetCapture(hwnd());
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      if (GetCapture() == hwnd()) ReleaseCapture();
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const RECT spot = hotSpotRect();
      if (PtInRect(&spot, p)) toggle();
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd() && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd(), &p);
        const RECT spot = hotSpotRect();
        if (PtInRect(&spot, p)) {
          SetCursor(LoadCursorW(nullptr, IDC_HAND));
          return TRUE;
        }
      }
      break;
  }
  return Panel::handleMessage(msg, wParam, lParam);
}

}  // namespace tk

// The list view's own behaviour on top of the control: notification callbacks,
// the link column (custom draw, hand cursor, click) and the item tips.
#include <windowsx.h>

#include "toolkit/ListView.h"

namespace tk {

// ---- notifications

bool ListView::handleNotify(NMHDR* header, LRESULT* result) {
  if (!header || !hwnd_ || header->hwndFrom != hwnd_) return false;
  if (ownerData_ && answerOwnerData(header, result)) return true;
  switch (header->code) {
    case LVN_ITEMCHANGED:
      if (onItemChanged && !quiet_) {
        if (std::optional<ListItemChange> change = DecodeItemChanged(header)) {
          if (const ListRow* row = ownerData_ ? ownRow(change->item) : nullptr) {
            change->data = row->data;
          }
          onItemChanged(*change);
        }
      }
      return false;
    case LVN_DELETEALLITEMS:
      // Nothing here listens to LVN_DELETEITEM: the control may skip one
      // notification per row when it empties.
      *result = TRUE;
      return true;
    case LVN_COLUMNCLICK:
      if (onColumnClick) onColumnClick(*DecodeColumnClick(header));
      return false;
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK:
    case NM_RDBLCLK:
    case LVN_ITEMACTIVATE:
      if (onActivate) {
        if (std::optional<ListItemActivation> activation = DecodeItemActivation(header)) {
          onActivate(*activation);
        }
      }
      return false;
    case NM_CUSTOMDRAW: {
      std::optional<ListCustomDraw> draw = DecodeListCustomDraw(header);
      if (!draw) return false;
      // Only item stages name a row; the whole list's stages carry item 0.
      const bool itemStage = (draw->stage & CDDS_ITEM) != 0;
      if (const ListRow* row = ownerData_ && itemStage ? ownRow(draw->item) : nullptr) {
        draw->data = row->data;
      }
      if (onCustomDraw) {
        if (std::optional<LRESULT> answer = onCustomDraw(*draw)) {
          *result = *answer;
          return true;
        }
      }
      if (std::optional<LRESULT> answer =
              drawLink(*draw, reinterpret_cast<NMLVCUSTOMDRAW*>(header))) {
        *result = *answer;
        return true;
      }
      return false;
    }
  }
  return false;
}

// ---- link column

void ListView::setLinkColumn(int column, COLORREF colour) {
  linkColumn_ = column;
  linkColour_ = colour;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::rebuildLinkFont() {
  auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW logFont{};
  if (!GetObjectW(font, sizeof logFont, &logFont)) return;
  logFont.lfUnderline = TRUE;
  linkFont_.reset(CreateFontIndirectW(&logFont));
}

std::optional<LRESULT> ListView::drawLink(const ListCustomDraw& draw, NMLVCUSTOMDRAW* nm) {
  if (linkColumn_ < 0) return std::nullopt;
  if (draw.stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
  if (draw.stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) return std::nullopt;
  if (draw.subItem == linkColumn_) {
    // A highlighted row keeps the system's highlight text colour, so that the link
    // stays readable on the selection colour; the underline still marks it.
    const bool highlighted =
        isSelected(draw.item) &&
        (GetFocus() == hwnd_ || (GetWindowLongW(hwnd_, GWL_STYLE) & LVS_SHOWSELALWAYS));
    if (!highlighted) nm->clrText = linkColour_;
    if (linkFont_) SelectObject(draw.hdc, linkFont_.get());
  } else {
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectObject(draw.hdc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  }
  return CDRF_NEWFONT;
}

bool ListView::isOnLink(POINT client, int* item) const {
  if (linkColumn_ < 0 || mode() != ListViewMode::Report) return false;
  const ListHit hit = hitTest(client);
  if (hit.item < 0 || hit.subItem != linkColumn_) return false;
  if (item) *item = hit.item;
  return true;
}

// ---- item tips

void ListView::setItemTips(TipText text, UINT delayMs) {
  tipText_ = std::move(text);
  tipDelay_ = delayMs;
  setItemTipsEnabled(static_cast<bool>(tipText_));
}

void ListView::setItemTipsEnabled(bool enabled) {
  tipsEnabled_ = enabled && tipText_;
  if (tipsEnabled_ && hwnd_) tip_.create(hwnd_);
  if (!tipsEnabled_) cancelTip();
}

void ListView::cancelTip() {
  if (hwnd_) KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
  tipItem_ = -1;
  tip_.hide();
}

void ListView::trackTip(POINT client) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const ListHit hit = hitTest(client);
  tipPoint_ = client;
  if (hit.item == tipItem_) return;
  cancelTip();
  if (hit.item < 0) return;
  tipItem_ = hit.item;
  SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this), tipDelay_, nullptr);
}

void ListView::showTip() {
  KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
  if (!tipsEnabled_ || tipItem_ < 0 || tipItem_ >= count()) return;
  std::string text;
  try {
    text = tipText_(tipItem_);
  } catch (...) {
    text.clear();  // a tip that cannot be built shows nothing
  }
  POINT at = tipPoint_;
  ClientToScreen(hwnd_, &at);
  at.y += GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  tip_.show(text, at);
}

// ---- the control's messages

LRESULT CALLBACK ListView::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
  auto* list = reinterpret_cast<ListView*>(self);
  bool handled = false;
  LRESULT result = 0;
  try {
    result = list->onSubclassMessage(msg, wParam, lParam, &handled);
  } catch (...) {
    handled = false;  // the control goes on as if we were not there
  }
  if (msg == WM_NCDESTROY) {
    list->detach();  // the parent destroyed the control before the object went
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  return handled ? result : DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT ListView::onSubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  if (msg == ResolveImagesMessage()) {
    resolveWantedImages();
    *handled = true;
    return 0;
  }
  switch (msg) {
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        if (isOnLink(p)) {
          SetCursor(LoadCursorW(nullptr, IDC_HAND));
          *handled = true;
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      cancelTip();
      int item = -1;
      const bool onLink = isOnLink({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &item);
      // The control selects the row first (and may track a drag until the button
      // is released); the link's handler then sees the row selected.
      const LRESULT result = DefSubclassProc(hwnd_, msg, wParam, lParam);
      if (onLink && onLinkClick && hwnd_ && item < count()) onLinkClick(item);
      *handled = true;
      return result;
    }
    case WM_MOUSEMOVE:
      if (tipsEnabled_) trackTip({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      cancelTip();
      break;
    case WM_TIMER:
      if (wParam == reinterpret_cast<UINT_PTR>(this)) {
        showTip();
        *handled = true;
        return 0;
      }
      break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KILLFOCUS:
      cancelTip();
      break;
    case WM_SETFONT: {
      const LRESULT result = DefSubclassProc(hwnd_, msg, wParam, lParam);
      rebuildLinkFont();
      *handled = true;
      return result;
    }
  }
  return 0;
}

}  // namespace tk

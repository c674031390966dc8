// State, mouse and keyboard behaviour of the skinned button. Painting lives in
// ArButtonPaint.cpp.
#include "ui/ArButton.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "toolkit/ControlText.h"
#include "toolkit/WinText.h"
#include "ui/ArButtonRouter.h"

namespace ui {

TArCustomButton::TArCustomButton()
    : fontMouseHover_(font_), fontMouseDown_(font_), fontDisabled_(font_) {}

TArCustomButton::~TArCustomButton() {
  // Destroy here, while this class still handles WM_DESTROY (timer, router).
  destroy();
  ArButtonRouter::Remove(this);
}

bool TArCustomButton::Create(HWND parent, int id, int left, int top, int width, int height) {
  tk::WindowParams params;
  params.className = kClassName;
  params.caption = caption_;
  params.style = WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) |
                 (tabStop_ ? WS_TABSTOP : 0) | (enabled_ ? 0 : WS_DISABLED);
  params.x = left;
  params.y = top;
  params.width = width;
  params.height = height;
  params.parent = parent;
  params.background = nullptr;  // painting covers every pixel; nothing to erase
  // No CS_DBLCLKS: a quick second click is a second click.
  params.classStyle = CS_HREDRAW | CS_VREDRAW;
  if (!create(params)) return false;
  SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  return true;
}

void TArCustomButton::onCreate() {
  activeDefault_ = default_;
  ArButtonRouter::Add(this);
}

// --- Properties ---------------------------------------------------------------

void TArCustomButton::SetCaption(const std::string& caption) {
  if (hwnd()) {
    toolkit::SetWindowTextUtf8(hwnd(), caption);  // WM_SETTEXT stores it and repaints
  } else {
    caption_ = caption;
  }
}

void TArCustomButton::SetTextX(int x) {
  if (textX_ == x) return;
  textX_ = x;
  invalidate();
}

void TArCustomButton::SetTextY(int y) {
  if (textY_ == y) return;
  textY_ = y;
  invalidate();
}

void TArCustomButton::SetPictureX(int x) {
  if (pictureX_ == x) return;
  pictureX_ = x;
  invalidate();
}

void TArCustomButton::SetPictureY(int y) {
  if (pictureY_ == y) return;
  pictureY_ = y;
  invalidate();
}

namespace {
// Stores a value and reports whether it changed.
template <typename T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}
}  // namespace

void TArCustomButton::SetTransparent(bool transparent) {
  if (Store(transparent_, transparent)) Repaint();
}

void TArCustomButton::SetTransparentColor(COLORREF color) {
  if (Store(transparentColor_, color)) Repaint();
}

void TArCustomButton::SetEnableTransparentColor(bool enable) {
  if (Store(enableTransparentColor_, enable)) Repaint();
}

void TArCustomButton::SetFocusedRectMargin(int margin) {
  if (Store(focusedRectMargin_, margin)) Repaint();
}

void TArCustomButton::SetTextAlign(TArTextAlign align) {
  if (Store(textAlign_, align)) Repaint();
}

void TArCustomButton::SetPictureAlign(TArPicAlign align) {
  if (Store(pictureAlign_, align)) Repaint();
}

void TArCustomButton::SetMultiLines(bool multiLines) {
  if (Store(multiLines_, multiLines)) Repaint();
}

void TArCustomButton::SetStretch(bool stretch) {
  if (Store(stretch_, stretch)) Repaint();
}

void TArCustomButton::SetDrawFocused(bool drawFocused) {
  if (Store(drawFocused_, drawFocused)) Repaint();
}

void TArCustomButton::SetDrawBorder(bool drawBorder) {
  if (Store(drawBorder_, drawBorder)) Repaint();
}

void TArCustomButton::SetFontMouseHover(const ArFont& font) {
  fontMouseHover_ = font;
  invalidate();
}

void TArCustomButton::SetFontMouseDown(const ArFont& font) {
  fontMouseDown_ = font;
  invalidate();
}

void TArCustomButton::SetFontDisabled(const ArFont& font) {
  fontDisabled_ = font;
  invalidate();
}

void TArCustomButton::SetSkinCaptionColor(ButtonState state, std::optional<COLORREF> color) {
  skinCaptionColors_[static_cast<size_t>(state)] = color;
  invalidate();
}

void TArCustomButton::SetFont(const ArFont& font) {
  font_ = font;
  invalidate();
}

void TArCustomButton::SetColor(COLORREF color) {
  if (Store(color_, color)) invalidate();
}

void TArCustomButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  if (!hwnd() || !GetParent(hwnd())) return;
  // Re-evaluate the default role of every button of the form, as a focus change does.
  const HWND root = GetAncestor(hwnd(), GA_ROOT);
  HWND focus = GetFocus();
  if (focus && GetAncestor(focus, GA_ROOT) != root) focus = nullptr;
  ArButtonRouter::FocusChanged(root, focus);
}

bool TArCustomButton::Enabled() const {
  return hwnd() ? IsWindowEnabled(hwnd()) != FALSE : enabled_;
}

void TArCustomButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd()) EnableWindow(hwnd(), enabled ? TRUE : FALSE);  // WM_ENABLE repaints
}

bool TArCustomButton::Visible() const {
  return hwnd() ? (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0 : visible_;
}

void TArCustomButton::SetVisible(bool visible) {
  visible_ = visible;
  if (hwnd()) ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

bool TArCustomButton::TabStop() const {
  return hwnd() ? (GetWindowLongW(hwnd(), GWL_STYLE) & WS_TABSTOP) != 0 : tabStop_;
}

void TArCustomButton::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (!hwnd()) return;
  LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  style = tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  SetWindowLongW(hwnd(), GWL_STYLE, style);
  invalidate();  // the focus frame depends on it
}

void TArCustomButton::SetBounds(int left, int top, int width, int height) {
  if (hwnd()) MoveWindow(hwnd(), left, top, width, height, TRUE);
}

// --- Helpers --------------------------------------------------------------------

SIZE TArCustomButton::clientSize() const {
  RECT rect{};
  if (hwnd()) GetClientRect(hwnd(), &rect);
  return SIZE{rect.right, rect.bottom};
}

void TArCustomButton::invalidate() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void TArCustomButton::Repaint() {
  if (!hwnd()) return;
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

bool TArCustomButton::hasFocus() const {
  return hwnd() && GetFocus() == hwnd();
}

bool TArCustomButton::canFocus() const {
  if (!hwnd() || !IsWindowVisible(hwnd())) return false;
  for (HWND w = hwnd(); w; w = GetAncestor(w, GA_PARENT)) {
    if (!IsWindowEnabled(w)) return false;
    if (w == GetAncestor(w, GA_ROOT)) break;
  }
  return true;
}

void TArCustomButton::startRepeat() {
  if (repeating_) return;
  repeating_ = setTimer(kRepeatTimerId, static_cast<UINT>(std::max(repeatInterval_, 0)));
}

void TArCustomButton::stopRepeat() {
  if (!repeating_) return;
  killTimer(kRepeatTimerId);
  repeating_ = false;
}

void TArCustomButton::onTimer(UINT_PTR id) {
  if (id == kRepeatTimerId && repeating_ && OnMouseContinuouslyDown) {
    OnMouseContinuouslyDown(*this);
  }
}

void TArCustomButton::mouseEnter() {
  hover_ = true;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = hwnd();
  TrackMouseEvent(&track);
  Repaint();
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TArCustomButton::mouseLeave() {
  hover_ = false;
  pressed_ = false;
  keyPressed_ = false;
  stopRepeat();
  Repaint();
  if (OnMouseExit) OnMouseExit(*this);
}

bool TArCustomButton::wantsDialogKey(WORD key) const {
  const bool claims = (key == VK_RETURN && activeDefault_) || (key == VK_ESCAPE && cancel_);
  return claims && canFocus();
}

bool TArCustomButton::wantsDialogChar(char32_t typed) const {
  // A hidden button (on a page that is not shown, say) is not reachable by its
  // accelerator either.
  return hwnd() && IsWindowEnabled(hwnd()) && IsWindowVisible(hwnd()) &&
         IsAccelerator(typed, caption_);
}

void TArCustomButton::focusChanged(bool focusOnStandardPushButton) {
  activeDefault_ = !focusOnStandardPushButton && default_;
  invalidate();
}

// --- Click ------------------------------------------------------------------------

void TArCustomButton::Click() {
  stopRepeat();
  if (pressed_) {
    pressed_ = false;
    keyPressed_ = false;
    Repaint();
  }
  const HWND self = hwnd();
  const HWND parent = self ? GetParent(self) : nullptr;
  if (parent && modalResult_ != 0) {
    tk::Window* form = tk::Window::FromHandle(GetAncestor(self, GA_ROOT));
    if (form && form != this && form->inModalLoop()) form->endModal(modalResult_);
  }
  if (OnClick) {
    OnClick(*this);
  } else if (parent) {
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED),
                 reinterpret_cast<LPARAM>(self));
  }
}

// --- Mouse ------------------------------------------------------------------------

void TArCustomButton::onLeftButtonDown(WPARAM keys, int x, int y) {
  if (!hover_) mouseEnter();  // the window may have appeared under a still cursor
  pressed_ = true;
  clickArmed_ = true;
  SetCapture(hwnd());
  startRepeat();
  if (TabStop() && canFocus()) SetFocus(hwnd());
  Repaint();
  if (OnMouseDown) OnMouseDown(*this, TMouseButton::mbLeft, keys, x, y);
}

void TArCustomButton::onLeftButtonUp(WPARAM keys, int x, int y) {
  const bool armed = std::exchange(clickArmed_, false);
  if (GetCapture() == hwnd()) ReleaseCapture();
  const SIZE size = clientSize();
  const bool over = x >= 0 && y >= 0 && x < size.cx && y < size.cy;
  if (armed && over) {
    Click();
  } else if (armed) {
    // Released elsewhere: no click, and nothing may keep ticking.
    stopRepeat();
    if (pressed_) {
      pressed_ = false;
      Repaint();
    }
  }
  if (OnMouseUp && hwnd()) OnMouseUp(*this, TMouseButton::mbLeft, keys, x, y);
}

void TArCustomButton::onMouseMove(WPARAM keys, int x, int y) {
  if (IsPointOverButton(x, y, clientSize())) {
    if (!hover_) mouseEnter();
  } else if (hover_) {
    mouseLeave();  // the cursor left while the button holds the capture
  } else if (pressed_ || repeating_) {
    pressed_ = false;
    keyPressed_ = false;
    stopRepeat();
    Repaint();
  }
  if (OnMouseMove && hwnd()) OnMouseMove(*this, keys, x, y);
}

LRESULT TArCustomButton::onMouseButton(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  if (!IsWindowEnabled(hwnd())) return 0;
  switch (msg) {
    case WM_MOUSEMOVE:
      onMouseMove(wParam, x, y);
      return 0;
    case WM_LBUTTONDOWN:
      onLeftButtonDown(wParam, x, y);
      return 0;
    case WM_LBUTTONUP:
      onLeftButtonUp(wParam, x, y);
      return 0;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(*this, TMouseButton::mbRight, wParam, x, y);
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, TMouseButton::mbRight, wParam, x, y);
      break;  // the default turns it into WM_CONTEXTMENU
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(*this, TMouseButton::mbMiddle, wParam, x, y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, TMouseButton::mbMiddle, wParam, x, y);
      break;
  }
  return hwnd() ? defaultProc(msg, wParam, lParam) : 0;
}

// --- Keyboard ---------------------------------------------------------------------

void TArCustomButton::onKey(bool down, WORD key) {
  if (down && OnKeyDown) OnKeyDown(*this, key);
  if (!down && OnKeyUp) OnKeyUp(*this, key);
  if (!hwnd() || (key != VK_SPACE && key != VK_RETURN)) return;
  if (!hasFocus() || !IsWindowEnabled(hwnd())) return;
  if (down) {
    if (!pressed_) {
      pressed_ = true;
      keyPressed_ = true;
      Repaint();
    }
  } else if (pressed_) {
    pressed_ = false;
    keyPressed_ = false;
    Repaint();
    Click();
  }
}

// --- Messages -----------------------------------------------------------------------

LRESULT TArCustomButton::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ArButtonRouter::DialogClickMessage()) {
    Click();
    return 0;
  }
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // painting covers everything, from an off-screen bitmap
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd(), &ps)) {
        PaintTo(dc);
        EndPaint(hwnd(), &ps);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam));
      return 0;

    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return onMouseButton(msg, wParam, lParam);
    case WM_MOUSELEAVE:
      if (hover_) mouseLeave();
      return 0;
    case WM_CAPTURECHANGED:
      // The capture went elsewhere while the left button was held (a window
      // popped up, the button was disabled): the press is over without a click.
      if (clickArmed_ && reinterpret_cast<HWND>(lParam) != hwnd()) {
        clickArmed_ = false;
        stopRepeat();
        if (pressed_) {
          pressed_ = false;
          Repaint();
        }
      }
      return 0;

    case WM_KEYDOWN:
    case WM_KEYUP:
      onKey(msg == WM_KEYDOWN, static_cast<WORD>(wParam));
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_BUTTON;
      // Enter on a focused button that is not the active default presses it like
      // Space; the dialog manager must pass it on instead of treating it as "OK".
      if (const auto* m = reinterpret_cast<const MSG*>(lParam);
          m && (m->message == WM_KEYDOWN || m->message == WM_KEYUP) && m->wParam == VK_RETURN) {
        code |= DLGC_WANTALLKEYS;
      }
      return code;
    }
    case WM_SETFOCUS:
      invalidate();
      break;
    case WM_KILLFOCUS:
      // Space or Enter held while the focus goes elsewhere: the press is over, with
      // no click (its key-up goes to the other window).
      if (keyPressed_ && !clickArmed_) {
        keyPressed_ = false;
        pressed_ = false;
      }
      invalidate();
      break;

    case BM_CLICK:
      if (IsWindowEnabled(hwnd())) Click();
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = defaultProc(msg, wParam, lParam);
      caption_ = toolkit::SetTextMessageText(lParam);
      Repaint();
      return result;
    }
    case WM_SETFONT:
      if (wParam) {
        LOGFONTW logFont{};
        if (GetObjectW(reinterpret_cast<HFONT>(wParam), sizeof logFont, &logFont)) {
          font_.setLogFont(logFont);
        }
      }
      if (lParam) Repaint();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.handle());
    case WM_ENABLE:
      Repaint();
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextPopup) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {  // from the keyboard: below the button
          RECT rect{};
          GetWindowRect(hwnd(), &rect);
          at = POINT{rect.left, rect.bottom};
        }
        if (OnContextPopup(*this, at)) return 0;
      }
      break;
    case WM_DESTROY:
      stopRepeat();
      hover_ = pressed_ = clickArmed_ = keyPressed_ = false;
      ArButtonRouter::Remove(this);
      break;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

// --- TArButton -------------------------------------------------------------------------

void TArButton::SetStatePicture(ButtonState state, const Picture& picture) {
  pictures_[state].assign(picture);
  Repaint();
}

void TArButton::SetStatePicture(ButtonState state, Picture&& picture) {
  pictures_[state] = std::move(picture);
  Repaint();
}

bool TArButton::SelectStatePicture(const Picture*& picture) {
  const Picture* chosen = &pictures_[State()];
  if (chosen->empty()) chosen = &pictures_.normal;
  if (chosen->empty()) return false;
  picture = chosen;
  return true;
}

}  // namespace ui

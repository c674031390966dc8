#include "toolkit/StatusLabel.h"

#include "toolkit/WinText.h"

namespace tk {

StatusLabel::~StatusLabel() {
  if (label_ && IsWindow(label_.hwnd())) DestroyWindow(label_.hwnd());
}

bool StatusLabel::create(HWND parent, int id, int x, int y, int height, const std::string& text) {
  if (label_) return true;
  // SS_NOTIFY: the label takes the mouse, so that its hint can show.
  label_ = Control::Create(parent, "STATIC", id, text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, x, y, 0,
                           height);
  if (!label_) return false;
  fitToText();
  return true;
}

void StatusLabel::setText(const std::string& text) {
  label_.setText(text);
  fitToText();
}

void StatusLabel::fitToText() {
  if (!label_) return;
  const std::string caption = label_.text();
  SIZE size{};
  if (!caption.empty()) {
    HDC dc = GetDC(label_.hwnd());
    auto font = reinterpret_cast<HFONT>(label_.send(WM_GETFONT));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    size = toolkit::TextExtentUtf8(dc, caption);
    SelectObject(dc, old);
    ReleaseDC(label_.hwnd(), dc);
  }
  const RECT r = label_.bounds();
  label_.setBounds(r.left, r.top, size.cx, r.bottom - r.top);
}

void StatusLabel::placeAfter(HWND other, int gap) {
  if (!label_ || !other) return;
  const RECT before = Control(other).bounds();
  const RECT r = label_.bounds();
  label_.setBounds(before.right + gap, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace tk

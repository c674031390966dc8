#include "toolkit/CheckBox.h"

namespace tk {

CheckBox CheckBox::Create(HWND parent, int id, const std::string& text, int x, int y, int width,
                          int height, bool threeState) {
  const DWORD style = WS_TABSTOP | (threeState ? BS_AUTO3STATE : BS_AUTOCHECKBOX);
  return CheckBox(Control::Create(parent, "BUTTON", id, text, style, x, y, width, height).hwnd());
}

}  // namespace tk

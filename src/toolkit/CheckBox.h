// A check box: a thin, copyable view of a BUTTON control that the parent owns.
// Its clicks reach the parent as WM_COMMAND(id, BN_CLICKED); bound to an action,
// it follows the action's checked state (Action::bindControl).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Control.h"

namespace tk {

class CheckBox : public Control {
 public:
  CheckBox() = default;
  explicit CheckBox(HWND hwnd) : Control(hwnd) {}

  // An automatic check box (a click toggles it); three-state when asked for.
  static CheckBox Create(HWND parent, int id, const std::string& text, int x, int y, int width,
                         int height, bool threeState = false);

  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  void setCheckState(int state) const { send(BM_SETCHECK, static_cast<WPARAM>(state)); }
  bool indeterminate() const { return checkState() == BST_INDETERMINATE; }
};

}  // namespace tk

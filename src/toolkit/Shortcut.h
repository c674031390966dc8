// A keyboard shortcut of an action: a virtual key plus Ctrl/Shift/Alt, written in
// menu captions as "F5", "Ctrl+X", "Shift+Del", "Ctrl+Alt+F1".
#pragma once

#include <windows.h>

#include <string>

namespace tk {

struct Shortcut {
  // Modifier bits, the same as the accelerator-table flags.
  static constexpr BYTE kShift = FSHIFT;
  static constexpr BYTE kCtrl = FCONTROL;
  static constexpr BYTE kAlt = FALT;

  WORD key = 0;  // virtual key (VK_F5, 'X', ...); 0 means no shortcut
  BYTE modifiers = 0;

  bool empty() const { return key == 0; }
  bool operator==(const Shortcut&) const = default;
};

// "Ctrl+Shift+X"; empty text for no shortcut. Keys without a name of their own
// are written as the system names them.
std::string ShortcutText(const Shortcut& shortcut);

// The accelerator-table entry that sends `command` for this shortcut.
ACCEL ShortcutAccel(const Shortcut& shortcut, WORD command);

}  // namespace tk

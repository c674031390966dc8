#include "toolkit/Shortcut.h"

#include <cstdio>

#include "sys/Text.h"

namespace tk {
namespace {

std::string KeyName(WORD key) {
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    return std::string(1, static_cast<char>(key));
  }
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
  switch (key) {
    case VK_BACK:
      return "BkSp";
    case VK_TAB:
      return "Tab";
    case VK_RETURN:
      return "Enter";
    case VK_ESCAPE:
      return "Esc";
    case VK_SPACE:
      return "Space";
    case VK_PRIOR:
      return "PgUp";
    case VK_NEXT:
      return "PgDn";
    case VK_END:
      return "End";
    case VK_HOME:
      return "Home";
    case VK_LEFT:
      return "Left";
    case VK_UP:
      return "Up";
    case VK_RIGHT:
      return "Right";
    case VK_DOWN:
      return "Down";
    case VK_INSERT:
      return "Ins";
    case VK_DELETE:
      return "Del";
    case VK_ADD:
      return "Num +";
    case VK_SUBTRACT:
      return "Num -";
    case VK_MULTIPLY:
      return "Num *";
    case VK_DIVIDE:
      return "Num /";
  }
  // Anything else (punctuation keys of the layout): the system's name for it.
  wchar_t name[64] = {};
  LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  if (scan && GetKeyNameTextW(scan, name, 64) > 0) return sys::NarrowZ(name);
  char hex[16];
  std::snprintf(hex, sizeof hex, "Key %02X", key);
  return hex;
}

}  // namespace

std::string ShortcutText(const Shortcut& shortcut) {
  if (shortcut.empty()) return {};
  std::string text;
  if (shortcut.modifiers & Shortcut::kCtrl) text += "Ctrl+";
  if (shortcut.modifiers & Shortcut::kShift) text += "Shift+";
  if (shortcut.modifiers & Shortcut::kAlt) text += "Alt+";
  return text + KeyName(shortcut.key);
}

ACCEL ShortcutAccel(const Shortcut& shortcut, WORD command) {
  ACCEL accel{};
  accel.fVirt = static_cast<BYTE>(FVIRTKEY | (shortcut.modifiers & (FSHIFT | FCONTROL | FALT)));
  accel.key = shortcut.key;
  accel.cmd = command;
  return accel;
}

}  // namespace tk

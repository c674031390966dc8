#include "ui/ArButtonRouter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/ControlText.h"
#include "toolkit/WinText.h"
#include "ui/ArButton.h"

namespace ui {
namespace {

struct ThreadState {
  std::vector<TArCustomButton*> buttons;  // creation order: the first claimant wins
  HHOOK messageHook = nullptr;
  HHOOK cbtHook = nullptr;
};

thread_local ThreadState g_state;

bool InMenuMode() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetCurrentThreadId(), &info)) return false;
  return (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

bool ModifierHeld() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

std::vector<TArCustomButton*> ButtonsOf(HWND root) {
  std::vector<TArCustomButton*> result;
  for (TArCustomButton* button : g_state.buttons) {
    if (button->hwnd() && GetAncestor(button->hwnd(), GA_ROOT) == root) result.push_back(button);
  }
  return result;
}

void Claim(MSG& msg, TArCustomButton* button) {
  msg.hwnd = button->hwnd();
  msg.message = ArButtonRouter::DialogClickMessage();
  msg.wParam = 0;
  msg.lParam = 0;
}

LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && (wParam & PM_REMOVE))
    ArButtonRouter::Route(*reinterpret_cast<MSG*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SETFOCUS && wParam) {
    const auto gaining = reinterpret_cast<HWND>(wParam);
    ArButtonRouter::FocusChanged(GetAncestor(gaining, GA_ROOT), gaining);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ArButtonRouter::Route(MSG& msg) {
  const bool isKey =
      msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
  const bool isChar = msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
  if (!msg.hwnd || (!isKey && !isChar) || InMenuMode()) return;

  const std::vector<TArCustomButton*> buttons = ButtonsOf(GetAncestor(msg.hwnd, GA_ROOT));
  if (buttons.empty()) return;
  const bool focusIsButton = std::any_of(buttons.begin(), buttons.end(),
                                         [&](TArCustomButton* b) { return b->hwnd() == msg.hwnd; });
  // A control that wants the key for itself (a multi-line edit wants Enter, an edit
  // wants typed letters) keeps it; the buttons themselves never hold keys back.
  auto focusWants = [&](LRESULT mask) {
    if (focusIsButton) return false;
    return (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) &
            mask) != 0;
  };

  if (isKey) {
    if (focusWants(DLGC_WANTALLKEYS) || ModifierHeld()) return;
    // A standard push button that holds the focus answers Enter itself (the
    // buttons' default role went with the focus; this also covers a key that was
    // queued before the focus moved).
    if (msg.wParam == VK_RETURN && IsStandardPushButton(msg.hwnd)) return;
    for (TArCustomButton* button : buttons) {
      if (button->wantsDialogKey(static_cast<WORD>(msg.wParam))) {
        Claim(msg, button);
        return;
      }
    }
    return;
  }
  if (msg.message == WM_CHAR && focusWants(DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return;
  for (TArCustomButton* button : buttons) {
    // The hooks are Unicode, so the character is a UTF-16 unit.
    if (button->wantsDialogChar(static_cast<char32_t>(msg.wParam))) {
      Claim(msg, button);
      return;
    }
  }
}

void ArButtonRouter::Add(TArCustomButton* button) {
  auto& buttons = g_state.buttons;
  if (std::find(buttons.begin(), buttons.end(), button) != buttons.end()) return;
  buttons.push_back(button);
  const DWORD thread = GetCurrentThreadId();
  if (!g_state.messageHook) {
    g_state.messageHook = SetWindowsHookExW(WH_GETMESSAGE, &MessageHook, nullptr, thread);
  }
  if (!g_state.cbtHook) g_state.cbtHook = SetWindowsHookExW(WH_CBT, &CbtHook, nullptr, thread);
}

void ArButtonRouter::Remove(TArCustomButton* button) {
  auto& buttons = g_state.buttons;
  std::erase(buttons, button);
  if (!buttons.empty()) return;
  if (g_state.messageHook) UnhookWindowsHookEx(std::exchange(g_state.messageHook, nullptr));
  if (g_state.cbtHook) UnhookWindowsHookEx(std::exchange(g_state.cbtHook, nullptr));
}

void ArButtonRouter::FocusChanged(HWND root, HWND focus) {
  if (!root) return;
  const bool standardPush = focus && IsStandardPushButton(focus);
  for (TArCustomButton* button : ButtonsOf(root)) button->focusChanged(standardPush);
}

UINT ArButtonRouter::DialogClickMessage() {
  static const UINT message = toolkit::RegisteredMessage("Prunaxis.ArButton.DialogClick");
  return message;
}

bool IsStandardPushButton(HWND hwnd) {
  std::string className = toolkit::WindowClassName(hwnd);
  for (char& c : className)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (className != "button") return false;
  const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace ui

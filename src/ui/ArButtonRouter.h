// Form-wide keyboard duties of the skinned buttons, which no single window sees:
// Enter for the active default button, Escape for a Cancel button and caption
// accelerators go to whichever button of the focused window's form claims them,
// and every button of a form learns when the focus moves within it (a standard push
// button taking the focus takes the default role for itself).
//
// Both work through thread hooks, so they hold for every message loop of the
// thread (the toolkit's, a modal one, a test's): a message hook looks at each key
// message as it is taken from the queue and turns a claimed one into a click
// message for the claiming button, and a CBT hook reports focus changes. The hooks
// exist while the thread has at least one button window.
#pragma once

#include <windows.h>

namespace ui {

class TArCustomButton;

struct ArButtonRouter {
  static void Add(TArCustomButton* button);
  static void Remove(TArCustomButton* button);
  // Tells every button of the form `root` that `focus` (may be null) holds the focus.
  static void FocusChanged(HWND root, HWND focus);
  // The message a claimed dialog key or accelerator becomes; the button clicks.
  static UINT DialogClickMessage();
  // Looks at one message on its way out of the queue: Enter or Escape, or a typed
  // character, that a button of the focused window's form claims becomes that
  // button's click message (the message is rewritten in place).
  static void Route(MSG& msg);
};

// Whether `hwnd` is a standard push button (class "Button", push or default push style).
bool IsStandardPushButton(HWND hwnd);

}  // namespace ui

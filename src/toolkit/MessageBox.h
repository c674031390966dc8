// The one place where the program shows a message box. Tests replace the answerer
// so that no test ever waits on a modal window.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace tk {

struct MessageBoxRequest {
  HWND owner;
  std::string text;
  std::string caption;
  UINT flags;  // MB_ICON..., MB_OK, MB_YESNO, ...
};

// Returns what the user (or the installed answerer) chose: IDOK, IDYES, IDNO, ...
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;
// Installs an answerer in place of the real box; an empty one restores the real box.
// Returns the previous answerer.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// What a real box gets before it shows (the skin's colours, say), called with the
// box's window once its controls exist; an empty one leaves boxes as the system
// makes them.
using MessageBoxLook = std::function<void(HWND box)>;
void SetMessageBoxLook(MessageBoxLook look);

// The caption of the boxes that the toolkit shows by itself; the program sets its
// title at start. Until then it is the executable's name.
void SetApplicationTitle(std::string title);
std::string ApplicationTitle();

// The toolkit's standard error message, for an exception that a handler let out:
// its text, an OK button and the error icon.
void ShowExceptionMessage(HWND owner, const std::exception& error);

}  // namespace tk

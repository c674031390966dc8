// Looks at the windows of another process, for end-to-end tests that start a real
// program (see ChildProcess.h, included here) and drive it as a user would.
//
//   ChildProcess app = ChildProcess::Start(ProgramBinDir() + "Prunaxis.exe");
//   WindowProbe probe(app.id());
//   HWND box = probe.waitForWindow(kDialogClass, 10000);    // a message box
//   ASSERT_TRUE(box) << probe.describeSeen();
//   DialogTexts texts = ReadDialog(box);
//   EXPECT_EQ(texts.caption, "Prunaxis");
//   EXPECT_EQ(texts.text, "Cannot write ...");
//   EXPECT_TRUE(texts.hasIcon);
//   PressButton(box, IDOK);
//   EXPECT_TRUE(app.waitOrKill(5000));
//
// Every wait polls at most the given time, so a test never hangs; the probe
// records every visible top-level window it has seen on the way (seen()).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace testing_support {

// The window class of dialog boxes, message boxes included.
inline constexpr char kDialogClass[] = "#32770";

struct SeenWindow {
  HWND hwnd;
  std::string className;
  std::string caption;  // as it was when first seen
};

class WindowProbe {
 public:
  explicit WindowProbe(DWORD processId) : processId_(processId) {}

  // The visible top-level windows of the process now; also records them.
  std::vector<HWND> poll();
  // Waits up to `timeoutMs` for a visible top-level window of the process with this
  // class name (and this caption, unless empty); nullptr on time-out.
  HWND waitForWindow(const std::string& className, DWORD timeoutMs,
                     const std::string& caption = {});
  // Waits until the process shows no window of this class any more.
  bool waitForWindowGone(const std::string& className, DWORD timeoutMs);

  // Every visible top-level window seen by poll() or a wait, first seen first.
  const std::vector<SeenWindow>& seen() const { return seen_; }
  // "class \"caption\"" lines of seen(), for failure messages.
  std::string describeSeen() const;

 private:
  DWORD processId_;
  std::vector<SeenWindow> seen_;
};

// Top-level windows (visible only, unless told) of a process.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly = true);
std::string ClassNameOf(HWND hwnd);
std::string TextOf(HWND hwnd);

// What a message box (or another simple dialog) shows.
struct DialogButton {
  int id;
  std::string text;
};
struct DialogTexts {
  std::string caption;
  std::string text;      // the longest visible static text
  bool hasIcon = false;  // a visible icon static holding an icon
  std::vector<DialogButton> buttons;
};
DialogTexts ReadDialog(HWND dialog);

// Presses the dialog's button with this id (IDOK, IDYES, ...) as a click would:
// posts WM_COMMAND(id, BN_CLICKED) to the dialog. False when there is no such button.
bool PressButton(HWND dialog, int id);

}  // namespace testing_support

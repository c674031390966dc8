// Window base class: one static window procedure finds the object behind an HWND
// and hands it the message. A Window owns its HWND and destroys it when it goes.
// Derived classes that handle WM_DESTROY (onDestroy) call destroy() in their own
// destructor, since the base destructor only reaches the base class's hooks.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/MessageLoop.h"
#include "toolkit/WinText.h"

namespace tk {

struct WindowParams {
  const char* className = nullptr;  // UTF-8; registered on first use, as a Unicode class
  std::string caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND parent = nullptr;  // the owner of a top-level window, the parent of a child
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HICON icon = nullptr;
  UINT classStyle = CS_DBLCLKS;
};

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool create(const WindowParams& params);
  void destroy();

  void show(int cmd = SW_SHOW) { ShowWindow(hwnd_, cmd); }
  void hide() { ShowWindow(hwnd_, SW_HIDE); }
  bool visible() const { return IsWindowVisible(hwnd_) != FALSE; }
  void setText(const std::string& text) { toolkit::SetWindowTextUtf8(hwnd_, text); }
  std::string text() const;

  // Shows the window over `owner`, which stays disabled meanwhile, and runs a message
  // loop until endModal() is called, the window is closed (WM_CLOSE, Escape, a button
  // with id IDCANCEL: result IDCANCEL) or destroyed (IDCANCEL). Then the owner is
  // enabled again (if it was enabled before) and the window hidden, not destroyed.
  // Modal windows nest: one may be shown modally from another. A WM_QUIT that
  // arrives meanwhile ends the loop with IDCANCEL and is posted again for the outer
  // loop. Returns the result, or -1 when the window is missing or already modal.
  int showModal(HWND owner);
  void endModal(int result);
  bool inModalLoop() const { return modal_; }
  int modalResult() const { return modalResult_; }

  // Timers of this window; each tick calls onTimer(id). Setting an id again restarts it.
  bool setTimer(UINT_PTR id, UINT milliseconds) {
    return SetTimer(hwnd_, id, milliseconds, nullptr) != 0;
  }
  void killTimer(UINT_PTR id) { KillTimer(hwnd_, id); }

  // The object behind a window of ours, or nullptr (also for other processes' windows).
  static Window* FromHandle(HWND hwnd);

  // Called by the message loops for every message whose target lies in this
  // top-level window, before dialog keys and dispatching; return true when the
  // message was consumed (an accelerator, typically).
  virtual bool preTranslateMessage(MSG& /*msg*/) { return false; }

 protected:
  // Every message arrives here first; the default handles the On* hooks below.
  // It also hands a control's WM_NOTIFY to the control's object first, when it has
  // one (NotifyReflection.h), and the owner-draw messages of tk::PopupMenu items to
  // the menu: overrides pass the messages they do not handle on to it.
  virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT defaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }

  virtual void onCreate() {}
  // Return true when the command was handled. An unhandled IDCANCEL closes a modal window.
  virtual bool onCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
  virtual LRESULT onNotify(NMHDR* /*header*/, bool* handled) {
    *handled = false;
    return 0;
  }
  virtual void onTimer(UINT_PTR /*id*/) {}
  virtual void onSize(int /*width*/, int /*height*/) {}
  // Return false to keep the window open.
  virtual bool onClose() { return true; }
  virtual void onDestroy() {}

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  bool modalDone_ = false;
  int modalResult_ = 0;
};

}  // namespace tk

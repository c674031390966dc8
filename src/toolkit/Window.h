// Window base class: one static window procedure finds the object behind an HWND
// and hands it the message. A Window owns its HWND and destroys it when it goes.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

struct WindowParams {
  const char* className = nullptr;  // registered on first use
  std::string caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND parent = nullptr;
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
  void setText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
  std::string text() const;

  // Shows the window modally over `owner` (disabled meanwhile) and runs a message
  // loop until endModal() is called or the window is destroyed. Returns the result.
  int showModal(HWND owner);
  void endModal(int result);
  bool inModalLoop() const { return modal_; }
  int modalResult() const { return modalResult_; }

  void setTimer(UINT_PTR id, UINT milliseconds) { SetTimer(hwnd_, id, milliseconds, nullptr); }
  void killTimer(UINT_PTR id) { KillTimer(hwnd_, id); }

  // The object behind a window of ours, or nullptr.
  static Window* FromHandle(HWND hwnd);

 protected:
  // Every message arrives here first; the default handles the On* hooks below.
  virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT defaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }

  virtual void onCreate() {}
  // Return true when the command was handled.
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

// The program's message loop; returns the WM_QUIT exit code. Dialog keys (Tab,
// Enter, Escape) go to the active window's controls.
int RunMessageLoop();
// Handles the messages that are waiting now, without blocking.
void ProcessPendingMessages();

}  // namespace tk

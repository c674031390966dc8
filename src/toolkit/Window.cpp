#include "toolkit/Window.h"

#include <vector>

namespace tk {
namespace {

constexpr char kSelfProp[] = "Prunaxis.Window";

bool EnsureClass(const WindowParams& p, WNDPROC proc) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, p.className, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = p.classStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = p.background;
  wc.hIcon = p.icon;
  wc.lpszClassName = p.className;
  return RegisterClassExA(&wc) != 0;
}

// The object under construction, for the messages that arrive before
// CreateWindowEx returns (WM_NCCREATE, WM_CREATE, ...).
thread_local Window* g_creating = nullptr;

}  // namespace

Window::~Window() {
  destroy();
}

bool Window::create(const WindowParams& p) {
  if (hwnd_) return true;
  const WindowParams& params = p;
  if (!EnsureClass(params, &Window::StaticWndProc)) return false;
  g_creating = this;
  HWND hwnd = CreateWindowExA(params.exStyle, params.className, params.caption.c_str(),
                              params.style, params.x, params.y, params.width, params.height,
                              params.parent, nullptr, GetModuleHandleA(nullptr), this);
  g_creating = nullptr;
  if (!hwnd) return false;
  hwnd_ = hwnd;
  onCreate();
  return true;
}

void Window::destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

std::string Window::text() const {
  int len = GetWindowTextLengthA(hwnd_);
  std::string s(len + 1, '\0');
  len = GetWindowTextA(hwnd_, s.data(), len + 1);
  s.resize(len);
  return s;
}

Window* Window::FromHandle(HWND hwnd) {
  return static_cast<Window*>(GetPropA(hwnd, kSelfProp));
}

int Window::showModal(HWND owner) {
  modal_ = true;
  modalDone_ = false;
  modalResult_ = 0;
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  show(SW_SHOW);
  SetForegroundWindow(hwnd_);

  MSG msg;
  while (!modalDone_ && hwnd_ && IsWindow(hwnd_)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT: hand it on to the outer loop
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  // Re-enable the owner before hiding, so that activation returns to it.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  if (hwnd_ && IsWindow(hwnd_)) hide();
  if (owner) SetActiveWindow(owner);
  modal_ = false;
  return modalResult_;
}

void Window::endModal(int result) {
  modalResult_ = result;
  modalDone_ = true;
  PostMessageA(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
}

LRESULT Window::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      break;
    case WM_NOTIFY: {
      bool handled = false;
      LRESULT r = onNotify(reinterpret_cast<NMHDR*>(lParam), &handled);
      if (handled) return r;
      break;
    }
    case WM_TIMER:
      onTimer(wParam);
      return 0;
    case WM_SIZE:
      onSize(LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_CLOSE:
      if (!onClose()) return 0;
      if (modal_) {
        endModal(IDCANCEL);
        return 0;
      }
      break;
    case WM_DESTROY:
      onDestroy();
      break;
  }
  return defaultProc(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(hwnd);
  if (!self && g_creating) {
    self = g_creating;
    self->hwnd_ = hwnd;
    SetPropA(hwnd, kSelfProp, self);
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    LRESULT r = self->handleMessage(msg, wParam, lParam);
    RemovePropA(hwnd, kSelfProp);
    self->hwnd_ = nullptr;
    if (self->modal_) self->modalDone_ = true;
    return r;
  }
  return self->handleMessage(msg, wParam, lParam);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageA(active, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace tk

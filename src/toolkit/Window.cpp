#include "toolkit/Window.h"

#include <stdexcept>

#include "sys/Text.h"
#include "toolkit/Control.h"
#include "toolkit/MessageBox.h"
#include "toolkit/NotifyReflection.h"
#include "toolkit/PopupMenu.h"

namespace tk {
namespace {

constexpr wchar_t kSelfProp[] = L"Prunaxis.Window";

bool EnsureClass(const WindowParams& p, WNDPROC proc) {
  if (!p.className) return false;
  // A Unicode class: the system then hands its windows wide text and their controls
  // send the W forms of their notifications.
  const std::wstring name = sys::Widen(p.className);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name.c_str(), &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = p.classStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = p.background;
  wc.hIcon = p.icon;
  wc.lpszClassName = name.c_str();
  return RegisterClassExW(&wc) != 0;
}

// The object under construction, for the messages that arrive before
// CreateWindowEx returns (WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE, ...).
thread_local Window* g_creating = nullptr;

}  // namespace

Window::~Window() {
  destroy();
}

bool Window::create(const WindowParams& params) {
  if (hwnd_) return true;
  if (!EnsureClass(params, &Window::StaticWndProc)) return false;
  Window* outer = g_creating;  // a window may create others while it is being created
  g_creating = this;
  const std::wstring className = sys::Widen(params.className);
  const std::wstring caption = sys::Widen(params.caption);
  HWND hwnd = CreateWindowExW(params.exStyle, className.c_str(), caption.c_str(), params.style,
                              params.x, params.y, params.width, params.height, params.parent,
                              nullptr, GetModuleHandleW(nullptr), this);
  g_creating = outer;
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
  return WindowText(hwnd_);
}

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return static_cast<Window*>(GetPropW(hwnd, kSelfProp));
}

int Window::showModal(HWND owner) {
  if (!hwnd_ || modal_) return -1;
  modal_ = true;
  modalDone_ = false;
  modalResult_ = IDCANCEL;  // unless endModal() says otherwise
  const bool disableOwner = owner && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  show(SW_SHOW);
  SetForegroundWindow(hwnd_);

  MSG msg;
  while (!modalDone_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT belongs to the outer loop: post it again and leave
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    DispatchLoopMessage(msg);
  }
  // Enable the owner before hiding, so that the system activates it next.
  if (disableOwner) EnableWindow(owner, TRUE);
  if (hwnd_) hide();
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  modal_ = false;
  return modalResult_;
}

void Window::endModal(int result) {
  modalResult_ = result;
  modalDone_ = true;
  if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the modal loop
}

LRESULT Window::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam), code = HIWORD(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      if (onCommand(id, code, control)) return 0;
      // Escape (IsDialogMessage sends IDCANCEL) and a Cancel button close a modal window.
      if (id == IDCANCEL && modal_ && (!control || code == BN_CLICKED)) {
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      LRESULT r = 0;
      // The control's own object first (a list view drawing its link column).
      if (ReflectNotify(header, &r)) return r;
      bool handled = false;
      r = onNotify(header, &handled);
      if (handled) return r;
      break;
    }
    case WM_MEASUREITEM:
    case WM_DRAWITEM: {
      LRESULT r = 0;
      if (PopupMenu::HandleMenuMessage(msg, wParam, lParam, &r)) return r;
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
  Window* self = static_cast<Window*>(GetPropW(hwnd, kSelfProp));
  if (!self && g_creating && !g_creating->hwnd_) {
    self = g_creating;
    self->hwnd_ = hwnd;
    SetPropW(hwnd, kSelfProp, self);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

  LRESULT result = 0;
  // No exception may unwind through the system's frames: a handler that lets one
  // out gets the standard error message, and the message counts as handled.
  try {
    result = self->handleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    ShowExceptionMessage(GetAncestor(hwnd, GA_ROOT), e);
  } catch (...) {
    ShowExceptionMessage(GetAncestor(hwnd, GA_ROOT), std::runtime_error("Unknown error"));
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kSelfProp);
    self->hwnd_ = nullptr;
    if (self->modal_) {  // the result stays as it was (IDCANCEL unless ended)
      self->modalDone_ = true;
      PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);  // wake the modal loop
    }
  }
  return result;
}

}  // namespace tk

// A non-owning view of a child control (or any window): a thin, copyable wrapper
// around an HWND that the parent window owns and destroys with itself.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/WinText.h"

namespace tk {

// The text of any window of this process, however long.
std::string WindowText(HWND hwnd);
// Whether `window` is of the window class `name` (case does not matter).
bool HasClass(HWND window, const wchar_t* name);
// Whether `window` is a check box or a radio button (of any of their styles).
bool IsCheckOrRadioButton(HWND window);

class Control {
 public:
  Control() = default;
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}

  // Creates a standard control by class name ("BUTTON", "STATIC", "EDIT",
  // "SysListView32", ...) as a visible child of `parent` with the given id; the
  // name and the text are UTF-8. The control takes the parent's font (or the default
  // GUI font). Returns an empty view on failure.
  static Control Create(HWND parent, const char* className, int id, const std::string& text,
                        DWORD style, int x, int y, int width, int height, DWORD exStyle = 0);
  // The same by the system's wide class constant (WC_TABCONTROLW, WC_COMBOBOXEXW, ...).
  static Control Create(HWND parent, const wchar_t* className, int id, const std::string& text,
                        DWORD style, int x, int y, int width, int height, DWORD exStyle = 0);
  // The child of `parent` with this id (empty view when there is none).
  static Control FromId(HWND parent, int id) { return Control(GetDlgItem(parent, id)); }

  HWND hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }
  int id() const { return GetDlgCtrlID(hwnd_); }

  std::string text() const { return WindowText(hwnd_); }
  void setText(const std::string& text) const { toolkit::SetWindowTextUtf8(hwnd_, text); }

  bool enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void setEnabled(bool enabled) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

  // The control's own visible flag (not whether its parent is shown).
  bool visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void setVisible(bool visible) const { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

  // Check boxes and radio buttons: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  int checkState() const { return static_cast<int>(send(BM_GETCHECK)); }
  bool checked() const { return checkState() == BST_CHECKED; }
  void setChecked(bool checked) const { send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }

  // Bounds in the parent's client coordinates.
  RECT bounds() const;
  void setBounds(int x, int y, int width, int height) const {
    MoveWindow(hwnd_, x, y, width, height, TRUE);
  }

  void setFont(HFONT font) const { send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
  void focus() const { SetFocus(hwnd_); }
  LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(hwnd_, msg, wParam, lParam);
  }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace tk

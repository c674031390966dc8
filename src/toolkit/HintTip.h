// The hint of a window: a standard tooltip that shows a fixed text while the mouse
// rests on the window (a status label's full registry name, a link's address).
// The tip window belongs to the object and goes with it.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

class HintTip {
 public:
  HintTip() = default;
  ~HintTip();
  HintTip(const HintTip&) = delete;
  HintTip& operator=(const HintTip&) = delete;

  // Sets the hint of `window`; an empty text removes it. The tip is created on
  // first use. One HintTip serves one window.
  void set(HWND window, const std::string& text);
  const std::string& text() const { return text_; }
  HWND hwnd() const { return tip_; }

 private:
  HWND tip_ = nullptr;
  HWND window_ = nullptr;
  std::string text_;
  bool hasTool_ = false;
};

}  // namespace tk

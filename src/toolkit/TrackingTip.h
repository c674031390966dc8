// A tooltip that we place and show ourselves (a tracking tooltip), for tips whose
// text we compute on the fly: the list view's item tips, which must not wait for a
// notification that some systems never send. The tip window belongs to the
// object and goes with it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace tk {

class TrackingTip {
 public:
  TrackingTip() = default;
  ~TrackingTip();
  TrackingTip(const TrackingTip&) = delete;
  TrackingTip& operator=(const TrackingTip&) = delete;

  // Creates the tip for `owner` (the window whose content it explains). Lines of
  // the text may be separated by CR LF; a line longer than `maxWidth` pixels wraps.
  bool create(HWND owner, int maxWidth = 480);
  void destroy();
  HWND hwnd() const { return tip_; }

  // Shows `text` with the tip's top-left corner at `screen`; an empty text hides it.
  void show(const std::string& text, POINT screen);
  void hide();
  bool shown() const;
  // The text of the tip as last shown (empty when hidden).
  const std::string& text() const { return text_; }

 private:
  void toolInfo(TOOLINFOW& info) const;

  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
  std::string text_;
  bool active_ = false;
};

}  // namespace tk

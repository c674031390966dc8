// A label that looks and acts like a link: its text drawn underlined in the link
// colour (the hover colour while the mouse is over it), the hand cursor, and a
// click that runs onClick, or, without one, opens the label's target with the
// shell's "open" verb when the target, trimmed of blanks, is not empty. The label
// sizes its width to its text, so an empty label offers nothing to click.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "sys/Handles.h"
#include "toolkit/HintTip.h"
#include "toolkit/Window.h"

namespace tk {

// The target that a click opens: the target trimmed of blanks (spaces and tabs),
// or nothing when that is empty.
std::optional<std::string> LinkTargetToOpen(const std::string& target);

class LinkLabel : public Window {
 public:
  using Opener = std::function<void(const std::string& target)>;

  LinkLabel() = default;
  ~LinkLabel() override { destroy(); }

  // A visible child of `parent` at (x, y), `height` pixels high; its width follows
  // its text (unless setAutoSize(false)).
  bool create(HWND parent, int id, int x, int y, int height, const std::string& text = {});

  void setCaption(const std::string& text);
  std::string caption() const { return text(); }
  const std::string& target() const { return target_; }
  void setTarget(std::string target) { target_ = std::move(target); }
  // The tooltip shown while the mouse rests on the label; empty for none.
  void setHint(const std::string& hint) { hint_.set(hwnd(), hint); }
  const std::string& hint() const { return hint_.text(); }

  COLORREF linkColour() const { return linkColour_; }
  void setLinkColour(COLORREF colour);
  COLORREF hoverColour() const { return hoverColour_; }
  void setHoverColour(COLORREF colour);
  bool hot() const { return hot_; }
  // The colour the text is drawn in now.
  COLORREF currentColour() const { return hot_ ? hoverColour_ : linkColour_; }

  void setAutoSize(bool on);
  // Sizes the width to the text now.
  void fitToText();

  // Runs the click: onClick, or opening the target.
  void click();
  std::function<void()> onClick;
  // How the target is opened (the shell by default); tests put in their own.
  void setOpener(Opener opener) { opener_ = std::move(opener); }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void paint(HDC dc);
  void rebuildFont();
  HFONT baseFont() const;

  std::string target_;
  COLORREF linkColour_ = RGB(0, 0, 255);
  COLORREF hoverColour_ = RGB(255, 0, 0);
  bool hot_ = false;
  bool pressed_ = false;
  bool autoSize_ = true;
  HFONT font_ = nullptr;  // set by WM_SETFONT, not owned
  sys::UniqueFont underlined_;
  HintTip hint_;
  Opener opener_;
};

}  // namespace tk

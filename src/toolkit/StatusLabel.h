// A one-line label of a status line whose width follows its text, so that the
// next label can be placed a few pixels after it, and which may carry a hint (a
// tooltip with the full text, say). The object owns the label and its hint.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Control.h"
#include "toolkit/HintTip.h"

namespace tk {

class StatusLabel {
 public:
  StatusLabel() = default;
  ~StatusLabel();
  StatusLabel(const StatusLabel&) = delete;
  StatusLabel& operator=(const StatusLabel&) = delete;

  bool create(HWND parent, int id, int x, int y, int height, const std::string& text = {});
  HWND hwnd() const { return label_.hwnd(); }
  Control control() const { return label_; }

  std::string text() const { return label_.text(); }
  void setText(const std::string& text);
  void setHint(const std::string& hint) { hint_.set(label_.hwnd(), hint); }
  const std::string& hint() const { return hint_.text(); }
  void setVisible(bool visible) const { label_.setVisible(visible); }
  bool visible() const { return label_.visible(); }

  RECT bounds() const { return label_.bounds(); }
  // Moves the label to `gap` pixels right of `other` (parent coordinates), on its own row.
  void placeAfter(HWND other, int gap);
  // Sizes the width to the text now (setText does this by itself).
  void fitToText();

 private:
  Control label_;
  HintTip hint_;
};

}  // namespace tk

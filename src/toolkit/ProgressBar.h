// A progress bar: a thin, copyable view of the control, which the parent owns.
#pragma once

#include <windows.h>

#include "toolkit/Control.h"

namespace tk {

class ProgressBar : public Control {
 public:
  ProgressBar() = default;
  explicit ProgressBar(HWND hwnd) : Control(hwnd) {}

  // A smooth bar from 0 to 100 unless told otherwise.
  static ProgressBar Create(HWND parent, int id, int x, int y, int width, int height,
                            bool smooth = true);

  void setRange(int minimum, int maximum) const;
  int minimum() const;
  int maximum() const;
  // Positions outside the range are clamped to it by the control.
  void setPosition(int position) const;
  int position() const;
  void setStep(int step) const;
  // Moves on by the step; returns the new position.
  int stepIt() const;
};

}  // namespace tk

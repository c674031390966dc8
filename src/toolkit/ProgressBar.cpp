#include "toolkit/ProgressBar.h"

#include <commctrl.h>

namespace tk {

ProgressBar ProgressBar::Create(HWND parent, int id, int x, int y, int width, int height,
                                bool smooth) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&init);
  ProgressBar bar(
      Control::Create(parent, PROGRESS_CLASSW, id, "", smooth ? PBS_SMOOTH : 0, x, y, width, height)
          .hwnd());
  if (bar) bar.setRange(0, 100);
  return bar;
}

void ProgressBar::setRange(int minimum, int maximum) const {
  send(PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

int ProgressBar::minimum() const {
  return static_cast<int>(send(PBM_GETRANGE, TRUE, 0));
}

int ProgressBar::maximum() const {
  return static_cast<int>(send(PBM_GETRANGE, FALSE, 0));
}

void ProgressBar::setPosition(int position) const {
  send(PBM_SETPOS, static_cast<WPARAM>(position));
}

int ProgressBar::position() const {
  return static_cast<int>(send(PBM_GETPOS));
}

void ProgressBar::setStep(int step) const {
  send(PBM_SETSTEP, static_cast<WPARAM>(step));
}

int ProgressBar::stepIt() const {
  send(PBM_STEPIT);
  return position();
}

}  // namespace tk

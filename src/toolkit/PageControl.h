// Pages without visible tabs: child windows of which one at a time is shown,
// filling the control. The program switches pages with its own buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Panel.h"

namespace tk {

class PageControl : public Panel {
 public:
  PageControl() = default;
  ~PageControl() override { destroy(); }

  // Adds a page of our own (a panel) and returns it for its controls.
  Panel& addPage();
  // Adds a window of someone else's as a page; it is made a child of the control.
  int addPage(HWND page);

  int pageCount() const { return static_cast<int>(pages_.size()); }
  HWND pageHandle(int index) const;
  // -1 until a page is added; the first page added becomes the active one.
  int activeIndex() const { return active_; }
  // Shows page `index` and hides the others. False (and no change) for a bad index.
  bool setActive(int index);
  // After the active page changed, with its index.
  std::function<void(int index)> onChange;

 protected:
  void onSize(int width, int height) override;

 private:
  int adopt(HWND page);

  std::vector<HWND> pages_;
  std::vector<std::unique_ptr<Panel>> ownPages_;
  int active_ = -1;
};

}  // namespace tk

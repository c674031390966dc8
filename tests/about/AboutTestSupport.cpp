#include "AboutTestSupport.h"

#include <map>
#include <ostream>
#include <vector>

namespace about_test {
namespace {

std::map<UINT_PTR, DelayedAction*>& Pending() {
  static std::map<UINT_PTR, DelayedAction*> pending;
  return pending;
}

}  // namespace

void WriteSolidPng(const std::string& path, int width, int height, COLORREF colour) {
  ui_test::PngDesc desc;
  desc.width = width;
  desc.height = height;
  desc.colourType = 2;  // 8-bit RGB
  std::vector<unsigned> samples;
  samples.reserve(static_cast<size_t>(width) * height * 3);
  for (int i = 0; i < width * height; ++i) {
    samples.push_back(GetRValue(colour));
    samples.push_back(GetGValue(colour));
    samples.push_back(GetBValue(colour));
  }
  WriteText(path, ui_test::EncodePng(desc, samples));
}

DelayedAction::DelayedAction(UINT ms, std::function<void()> action) : action_(std::move(action)) {
  timer_ = SetTimer(nullptr, 0, ms, &DelayedAction::Tick);
  EXPECT_NE(timer_, 0u);
  if (timer_) Pending()[timer_] = this;
}

DelayedAction::~DelayedAction() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    Pending().erase(timer_);
  }
}

void CALLBACK DelayedAction::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto found = Pending().find(id);
  if (found == Pending().end()) return;
  DelayedAction* self = found->second;
  Pending().erase(found);
  self->timer_ = 0;
  self->ran_ = true;
  if (self->action_) self->action_();
}

Box ChildBox(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "{" << box.left << ", " << box.top << ", " << box.width << ", " << box.height
             << "}";
}

}  // namespace about_test

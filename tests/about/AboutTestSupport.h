// Shared set-up of the splash and about window tests: a program folder of its own
// (Langs\, Skins\) in a temp folder with settings pointing there and both tables at
// their built-in values; a small PNG writer; timers that act inside a modal loop.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "ui/UiTestSupport.h"

namespace about_test {

// The language and skin tests' program folder (ui/UiTestSupport.cpp is built into
// the about tests too).
using ui_test::ProgramFolderTest;
using ui_test::WriteText;

// Writes a PNG of one opaque colour (RGB) to `path`.
void WriteSolidPng(const std::string& path, int width, int height, COLORREF colour);

// Runs `action` once, `ms` milliseconds from now, from whatever message loop is
// running on this thread (a modal one included). At most one at a time per slot.
class DelayedAction {
 public:
  DelayedAction(UINT ms, std::function<void()> action);
  ~DelayedAction();
  DelayedAction(const DelayedAction&) = delete;
  DelayedAction& operator=(const DelayedAction&) = delete;
  bool ran() const { return ran_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  UINT_PTR timer_ = 0;
  std::function<void()> action_;
  bool ran_ = false;
};

// The bounds of a child in its parent's client coordinates: left, top, width, height.
struct Box {
  int left, top, width, height;
  bool operator==(const Box&) const = default;
};
Box ChildBox(HWND child);
std::ostream& operator<<(std::ostream& out, const Box& box);

}  // namespace about_test

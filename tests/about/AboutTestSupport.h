// Shared set-up of the splash and about window tests: a program folder of its own
// (Langs\, Skins\) in a temp folder with AppPaths pointing there and both tables at
// their built-in values; a small PNG writer; timers that act inside a modal loop.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "app/globals.h"
#include "support/Sandbox.h"

namespace about_test {

class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string langs() const { return app::AppPaths.LangsDir; }
  std::string skins() const { return app::AppPaths.SkinsDir; }

  testing_support::TempDir dir_;

 private:
  app::TAppPaths savedPaths_;
};

// Writes a PNG of one opaque colour (RGB) to `path`.
void WriteSolidPng(const std::string& path, int width, int height, COLORREF colour);
void WriteText(const std::string& path, const std::string& text);

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

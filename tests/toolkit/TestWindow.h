// A plain top-level window for the toolkit's GUI tests, whose hooks the tests set.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "toolkit/ActionList.h"
#include "toolkit/Window.h"

namespace toolkit_tests {

// What showModalFor returns when the deadline ended the loop.
inline constexpr int kModalTimedOut = -99;

class TestWindow : public tk::Window {
 public:
  explicit TestWindow(HWND owner = nullptr, const char* caption = "Toolkit test") {
    tk::WindowParams params;
    params.className = "PrunaxisToolkitTestWindow";
    params.caption = caption;
    params.style = WS_OVERLAPPEDWINDOW;
    params.x = 40;
    params.y = 40;
    params.width = 320;
    params.height = 240;
    params.parent = owner;
    create(params);
  }
  ~TestWindow() override { destroy(); }

  // Runs showModal with a deadline, so that a broken modal loop fails the test
  // instead of hanging it.
  int showModalFor(HWND owner, UINT deadlineMs = 30000) {
    setTimer(kDeadlineTimer, deadlineMs);
    int result = showModal(owner);
    if (hwnd()) killTimer(kDeadlineTimer);
    return result;
  }

  // Called first for every message; a value means "handled, return this".
  std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> hook;
  std::function<bool(WORD, WORD, HWND)> command;
  std::function<bool()> closing;  // false keeps the window open
  tk::ActionList* actions = nullptr;
  std::vector<UINT_PTR> ticks;
  int closeRequests = 0;

  bool preTranslateMessage(MSG& msg) override { return actions && actions->translate(hwnd(), msg); }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (hook) {
      if (std::optional<LRESULT> result = hook(msg, wParam, lParam)) return *result;
    }
    return tk::Window::handleMessage(msg, wParam, lParam);
  }
  bool onCommand(WORD id, WORD code, HWND control) override {
    if (command && command(id, code, control)) return true;
    return actions && actions->onCommand(id, code, control);
  }
  void onTimer(UINT_PTR id) override {
    if (id == kDeadlineTimer) {
      endModal(kModalTimedOut);
      return;
    }
    ticks.push_back(id);
  }
  bool onClose() override {
    ++closeRequests;
    return closing ? closing() : true;
  }

 private:
  static constexpr UINT_PTR kDeadlineTimer = 0xDEAD;
};

}  // namespace toolkit_tests

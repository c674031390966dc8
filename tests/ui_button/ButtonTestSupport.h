// Shared pieces of the skinned button's GUI tests: a host form that paints a known
// pattern, pictures of plain colours, message pumping, mouse input that also moves
// the real cursor, and pixel read-back of a rendered button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/ActionList.h"
#include "toolkit/Window.h"
#include "ui/ArButton.h"
#include "ui/Picture.h"

namespace button_tests {

// What showModalFor returns when the deadline ended the loop.
inline constexpr int kModalTimedOut = -99;

// A pixel as the 32-bit read-back holds it: 0x00RRGGBB.
using Pixel = std::uint32_t;
constexpr Pixel Px(COLORREF c) {
  return (static_cast<Pixel>(GetRValue(c)) << 16) | (static_cast<Pixel>(GetGValue(c)) << 8) |
         GetBValue(c);
}

// A top-level popup window at a fixed screen place. It erases with eraseColor and
// paints `rects` over it, in WM_PAINT and WM_PRINTCLIENT alike, as a parent that
// wants transparent children must.
class HostForm : public tk::Window {
 public:
  struct ColorRect {
    RECT rect;
    COLORREF color;
  };

  explicit HostForm(int width = 300, int height = 200, int x = 100, int y = 100);
  ~HostForm() override { destroy(); }

  int showModalFor(UINT deadlineMs = 30000);

  COLORREF eraseColor = RGB(0, 128, 0);
  std::vector<ColorRect> rects;
  std::function<bool(WORD, WORD, HWND)> command;
  tk::ActionList* actions = nullptr;

  bool preTranslateMessage(MSG& msg) override { return actions && actions->translate(hwnd(), msg); }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool onCommand(WORD id, WORD code, HWND control) override;
  void onTimer(UINT_PTR id) override;

 private:
  void paint(HDC dc);
};

// A picture of one opaque colour.
ui::Picture SolidPicture(int width, int height, COLORREF color);
// Sets one pixel (opaque unless alpha says otherwise; colour premultiplied here).
void PutPixel(ui::Picture& picture, int x, int y, COLORREF color, BYTE alpha = 255);
void FillPicture(ui::Picture& picture, const RECT& rect, COLORREF color);

// Handles messages for the given time; the toolkit's loop semantics.
void Pump(int milliseconds);
// Handles messages until `done` holds or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 30000);

// Mouse input at client point (x, y) of `target`: the real cursor moves there too,
// so the system's own hover tracking agrees with the posted messages.
void MouseMove(HWND target, int x, int y, WPARAM keys = 0);
void LeftDown(HWND target, int x, int y);
void LeftUp(HWND target, int x, int y);
void RightDown(HWND target, int x, int y);
void RightUp(HWND target, int x, int y);
// Moves the real cursor away from every test window.
void ParkCursor();

void KeyDown(HWND target, WORD key);
void KeyUp(HWND target, WORD key);
void Char(HWND target, char c);
void SysChar(HWND target, char c);

// The pixels of a rendering, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  Pixel at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Smallest rectangle holding every pixel for which `match` holds; empty when none.
  RECT bounds(const std::function<bool(Pixel)>& match) const;
  int count(const std::function<bool(Pixel)>& match) const;
  int count(Pixel value) const {
    return count([value](Pixel p) { return p == value; });
  }
};

// The button drawn through WM_PRINTCLIENT into a 32-bit bitmap.
Image Render(const ui::TArCustomButton& button);
// What the screen shows of a window's client area now.
Image ScreenShot(HWND hwnd);

// Rectangle helpers for expectations.
std::string Describe(const RECT& r);

}  // namespace button_tests

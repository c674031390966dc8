#include "ButtonTestSupport.h"

#include <algorithm>
#include <cstring>

#include "toolkit/MessageLoop.h"

namespace button_tests {
namespace {

constexpr UINT_PTR kDeadlineTimer = 0xDEAD;

LPARAM Point(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)),
                    static_cast<WORD>(static_cast<SHORT>(y)));
}

void CursorTo(HWND target, int x, int y) {
  POINT p{x, y};
  ClientToScreen(target, &p);
  SetCursorPos(p.x, p.y);
}

void PostMouse(HWND target, UINT msg, WPARAM keys, int x, int y) {
  CursorTo(target, x, y);
  PostMessageA(target, msg, keys, Point(x, y));
  Pump(15);
}

// A top-down 32-bit DIB section selected into a memory DC.
struct DibCanvas {
  DibCanvas(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
    // A colour no test uses, so that unpainted pixels stand out.
    std::fill_n(static_cast<Pixel*>(bits), static_cast<size_t>(width) * height, 0x123456u);
    this->width = width;
    this->height = height;
  }
  ~DibCanvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  Image image() const {
    GdiFlush();
    Image result;
    result.width = width;
    result.height = height;
    const auto* p = static_cast<const Pixel*>(bits);
    result.pixels.assign(p, p + static_cast<size_t>(width) * height);
    for (Pixel& px : result.pixels) px &= 0xFFFFFF;
    return result;
  }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;
  int width = 0, height = 0;
};

}  // namespace

HostForm::HostForm(int width, int height, int x, int y) {
  tk::WindowParams params;
  params.className = "PrunaxisButtonTestHost";
  params.caption = "Button test";
  params.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  params.x = x;
  params.y = y;
  params.width = width;
  params.height = height;
  params.background = nullptr;
  create(params);
  SetForegroundWindow(hwnd());
  UpdateWindow(hwnd());
}

int HostForm::showModalFor(UINT deadlineMs) {
  setTimer(kDeadlineTimer, deadlineMs);
  const int result = showModal(nullptr);
  if (hwnd()) killTimer(kDeadlineTimer);
  return result;
}

void HostForm::onTimer(UINT_PTR id) {
  if (id == kDeadlineTimer) endModal(kModalTimedOut);
}

bool HostForm::onCommand(WORD id, WORD code, HWND control) {
  if (command && command(id, code, control)) return true;
  return actions && actions->onCommand(id, code, control);
}

void HostForm::paint(HDC dc) {
  for (const ColorRect& r : rects) {
    HBRUSH brush = CreateSolidBrush(r.color);
    FillRect(dc, &r.rect, brush);
    DeleteObject(brush);
  }
}

LRESULT HostForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      RECT rect{};
      GetClientRect(hwnd(), &rect);
      HBRUSH brush = CreateSolidBrush(eraseColor);
      FillRect(dc, &rect, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
  }
  return tk::Window::handleMessage(msg, wParam, lParam);
}

ui::Picture SolidPicture(int width, int height, COLORREF color) {
  ui::Picture picture = ui::Picture::Create(width, height);
  FillPicture(picture, RECT{0, 0, width, height}, color);
  picture.updateAlphaFlag();
  return picture;
}

void PutPixel(ui::Picture& picture, int x, int y, COLORREF color, BYTE alpha) {
  auto premultiply = [alpha](BYTE c) { return static_cast<Pixel>(c * alpha / 255); };
  picture.pixels()[y * picture.width() + x] =
      (static_cast<Pixel>(alpha) << 24) | (premultiply(GetRValue(color)) << 16) |
      (premultiply(GetGValue(color)) << 8) | premultiply(GetBValue(color));
}

void FillPicture(ui::Picture& picture, const RECT& rect, COLORREF color) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) PutPixel(picture, x, y, color);
  }
  picture.updateAlphaFlag();
}

void Pump(int milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    tk::ProcessPendingMessages();
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= static_cast<DWORD>(milliseconds)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    tk::ProcessPendingMessages();
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= static_cast<DWORD>(timeoutMs)) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void MouseMove(HWND target, int x, int y, WPARAM keys) {
  PostMouse(target, WM_MOUSEMOVE, keys, x, y);
}
void LeftDown(HWND target, int x, int y) {
  PostMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
}
void LeftUp(HWND target, int x, int y) {
  PostMouse(target, WM_LBUTTONUP, 0, x, y);
}
void RightDown(HWND target, int x, int y) {
  PostMouse(target, WM_RBUTTONDOWN, MK_RBUTTON, x, y);
}
void RightUp(HWND target, int x, int y) {
  PostMouse(target, WM_RBUTTONUP, 0, x, y);
}

void ParkCursor() {
  SetCursorPos(5, 5);
  Pump(10);
}

void KeyDown(HWND target, WORD key) {
  PostMessageA(target, WM_KEYDOWN, key, 1 | (MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16));
  Pump(15);
}
void KeyUp(HWND target, WORD key) {
  PostMessageA(target, WM_KEYUP, key,
               1 | (MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16) | (1u << 30) | (1u << 31));
  Pump(15);
}
void Char(HWND target, char c) {
  PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
  Pump(15);
}
void SysChar(HWND target, char c) {
  PostMessageA(target, WM_SYSCHAR, static_cast<unsigned char>(c), 1 | (1u << 29));
  Pump(15);
}

RECT Image::bounds(const std::function<bool(Pixel)>& match) const {
  RECT r{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!match(at(x, y))) continue;
      r.left = std::min<LONG>(r.left, x);
      r.top = std::min<LONG>(r.top, y);
      r.right = std::max<LONG>(r.right, x + 1);
      r.bottom = std::max<LONG>(r.bottom, y + 1);
    }
  }
  if (r.right == 0) r = RECT{0, 0, 0, 0};
  return r;
}

int Image::count(const std::function<bool(Pixel)>& match) const {
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), match));
}

Image Render(const ui::TArCustomButton& button) {
  RECT client{};
  GetClientRect(button.hwnd(), &client);
  DibCanvas canvas(client.right, client.bottom);
  SendMessageA(button.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
  return canvas.image();
}

Image ScreenShot(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  DibCanvas canvas(client.right, client.bottom);
  HDC dc = GetDC(hwnd);
  BitBlt(canvas.dc, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(hwnd, dc);
  return canvas.image();
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

}  // namespace button_tests

#include "toolkit/RedrawGuard.h"

namespace tk {
namespace {

// The nesting depth lives on the window, so that guards of different owners of
// the same window (a fill inside a language change) nest too.
constexpr wchar_t kDepthProp[] = L"Prunaxis.RedrawDepth";

INT_PTR Depth(HWND hwnd) {
  return reinterpret_cast<INT_PTR>(GetPropW(hwnd, kDepthProp));
}

void SetDepth(HWND hwnd, INT_PTR depth) {
  if (depth > 0) {
    SetPropW(hwnd, kDepthProp, reinterpret_cast<HANDLE>(depth));
  } else {
    RemovePropW(hwnd, kDepthProp);
  }
}

}  // namespace

RedrawGuard::RedrawGuard(HWND hwnd) : hwnd_(IsWindow(hwnd) ? hwnd : nullptr) {
  if (!hwnd_) return;
  const INT_PTR depth = Depth(hwnd_);
  if (depth == 0) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SetDepth(hwnd_, depth + 1);
}

RedrawGuard::~RedrawGuard() {
  if (!hwnd_ || !IsWindow(hwnd_)) return;
  const INT_PTR depth = Depth(hwnd_) - 1;
  SetDepth(hwnd_, depth);
  if (depth > 0) return;
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool RedrawGuard::IsHeld(HWND hwnd) {
  return hwnd && Depth(hwnd) > 0;
}

}  // namespace tk

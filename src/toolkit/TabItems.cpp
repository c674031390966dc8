#include "toolkit/TabItems.h"

#include <commctrl.h>

#include "sys/Text.h"

namespace tk {

int AppendTab(HWND tabs, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = wide.data();
  const auto count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
  return static_cast<int>(SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(count),
                                       reinterpret_cast<LPARAM>(&item)));
}

bool SetTabText(HWND tabs, int index, std::string_view text) {
  std::wstring wide = sys::Widen(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = wide.data();
  return SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::string TabText(HWND tabs, int index) {
  wchar_t buffer[512] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 512;
  if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&item)))
    return std::string();
  return sys::NarrowZ(item.pszText ? item.pszText : buffer);
}

}  // namespace tk

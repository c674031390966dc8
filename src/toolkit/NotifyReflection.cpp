#include "toolkit/NotifyReflection.h"

namespace tk {
namespace {

constexpr wchar_t kHandlerProp[] = L"Prunaxis.NotifyHandler";

}  // namespace

void SetNotifyHandler(HWND control, NotifyHandler* handler) {
  if (!control) return;
  if (handler) {
    SetPropW(control, kHandlerProp, handler);
  } else {
    RemovePropW(control, kHandlerProp);
  }
}

bool ReflectNotify(NMHDR* header, LRESULT* result) {
  if (!header || !header->hwndFrom) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(header->hwndFrom, &process);
  if (process != GetCurrentProcessId()) return false;
  auto* handler = static_cast<NotifyHandler*>(GetPropW(header->hwndFrom, kHandlerProp));
  return handler && handler->reflectNotify(header, result);
}

}  // namespace tk

#include "toolkit/NotifyReflection.h"

namespace tk {
namespace {

constexpr char kHandlerProp[] = "Prunaxis.NotifyHandler";

}  // namespace

void SetNotifyHandler(HWND control, NotifyHandler* handler) {
  if (!control) return;
  if (handler) {
    SetPropA(control, kHandlerProp, handler);
  } else {
    RemovePropA(control, kHandlerProp);
  }
}

bool ReflectNotify(NMHDR* header, LRESULT* result) {
  if (!header || !header->hwndFrom) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(header->hwndFrom, &process);
  if (process != GetCurrentProcessId()) return false;
  auto* handler = static_cast<NotifyHandler*>(GetPropA(header->hwndFrom, kHandlerProp));
  return handler && handler->reflectNotify(header, result);
}

}  // namespace tk

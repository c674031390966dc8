// Notification reflection: a control object that wants the WM_NOTIFY messages of
// its own control (custom draw, item changes) registers itself here, and the
// window that receives them (tk::Window does this first for every WM_NOTIFY, and
// tk::Panel passes them up to such a window) hands them back to it. So a list view
// draws its link column whatever form it sits on.
#pragma once

#include <windows.h>

namespace tk {

class NotifyHandler {
 public:
  // Return true when the notification was handled and *result is the answer the
  // control expects; false lets the receiving window handle it as usual.
  virtual bool reflectNotify(NMHDR* header, LRESULT* result) = 0;

 protected:
  ~NotifyHandler() = default;
};

// Registers (or, with nullptr, removes) the handler of `control`'s notifications.
void SetNotifyHandler(HWND control, NotifyHandler* handler);
// Hands a WM_NOTIFY to the handler of its sender, when this process registered one.
bool ReflectNotify(NMHDR* header, LRESULT* result);

}  // namespace tk

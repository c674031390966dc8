// The main window. For now a plain frame that the program page, the startup page
// and the skinned frame fill in.
#pragma once

#include "toolkit/Window.h"

namespace forms {

// The File menu's Exit item.
inline constexpr WORD kCommandExit = 100;

class TMainForm : public tk::Window {
 public:
  // Creates the window hidden; the caller shows it.
  bool Create();
  // The Exit command: writes both list options back, then closes the window.
  void Exit();

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override;
  void onDestroy() override;
};

}  // namespace forms

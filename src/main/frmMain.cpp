#include "main/frmMain.h"

#include "app/Config.h"
#include "app/globals.h"
#include "sys/Handles.h"

namespace forms {

bool TMainForm::Create() {
  tk::WindowParams params;
  params.className = "TMainForm";
  params.caption = app::kAppTitle;
  params.style = WS_OVERLAPPEDWINDOW;
  params.width = 760;
  params.height = 560;
  if (!create(params)) return false;

  sys::UniqueMenu bar(CreateMenu());
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kCommandExit, "E&xit");
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  if (SetMenu(hwnd(), bar.get())) bar.release();  // the window owns it now
  return true;
}

void TMainForm::Exit() {
  app::WriteHideSysPatch(app::HideSysPatch);
  app::WriteHideScreenSaver(app::HideScreenSaver);
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

bool TMainForm::onCommand(WORD id, WORD, HWND) {
  if (id == kCommandExit) {
    Exit();
    return true;
  }
  return false;
}

void TMainForm::onDestroy() {
  PostQuitMessage(0);
}

}  // namespace forms

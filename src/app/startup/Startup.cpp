#include "app/startup/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include "app/Config.h"
#include "app/startup/Registration.h"
#include "app/globals.h"
#include "main/frmMain.h"
#include "main/frmSplash.h"
#include "sys/ComInit.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Window.h"
#include "ui/multiLangs.h"
#include "ui/multiSkins.h"

namespace app {
namespace {

void InitApplicationObject() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&icc);
  tk::SetApplicationTitle(kAppTitle);  // caption of the standard error message
}

}  // namespace

int RunPrunaxis() {
  sys::ComApartment com;  // uninitialised on return only if this succeeded

  if (!LoadStartupConfig()) return 1;

  InitApplicationObject();

  std::string failure = RegisterComponentLibrary(kInventoryLibrary);
  if (!failure.empty()) {
    tk::ShowMessageBox(nullptr, failure, kAppTitle, MB_OK | MB_ICONERROR);
    return 1;
  }

  // Their outcomes need no handling: both tables always hold usable values.
  ui::LoadSkinTable();
  ui::LoadLanguageTable();

  forms::TMainForm mainForm;
  if (!mainForm.Create()) return 1;  // created hidden
  forms::ShowSplash();

  mainForm.show(SW_SHOW);
  return tk::RunMessageLoop();
}

}  // namespace app

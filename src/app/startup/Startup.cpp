#include "app/startup/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include "app/startup/Registration.h"
#include "main/frmMain.h"
#include "main/frmSplash.h"
#include "settings/Product.h"
#include "settings/Settings.h"
#include "sys/ComInit.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Window.h"
#include "ui/DialogSkin.h"
#include "ui/multiLangs.h"
#include "ui/multiSkins.h"

namespace app {
namespace {

void InitApplicationObject() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&icc);
  tk::SetApplicationTitle(settings::kAppTitle);  // caption of the standard error message
}

}  // namespace

int RunPrunaxis() {
  sys::ComApartment com;  // uninitialised on return only if this succeeded

  // The one set of paths and options of the run; everything below borrows it.
  settings::TSettings settings;
  if (!settings.load()) return 1;

  InitApplicationObject();

  std::string failure = RegisterComponentLibrary(kInventoryLibrary);
  if (!failure.empty()) {
    tk::ShowMessageBox(nullptr, failure, settings::kAppTitle, MB_OK | MB_ICONERROR);
    return 1;
  }

  // Their outcomes need no handling: both tables always hold usable values.
  ui::LoadSkinTable(settings);
  ui::LoadLanguageTable(settings);
  // Boxes take the skin's colours as it stands when they show.
  tk::SetMessageBoxLook([](HWND box) { ui::SkinDialog(box); });

  forms::TMainForm mainForm(settings);
  if (!mainForm.Create()) return 1;  // created hidden
  forms::ShowSplash(settings);

  mainForm.show(SW_SHOW);
  return tk::RunMessageLoop();
}

}  // namespace app

#include "app/globals.h"

namespace app {

TAppPaths AppPaths;
bool HideScreenSaver = kDefaultHideScreenSaver;
bool HideSysPatch = kDefaultHideSysPatch;

}  // namespace app

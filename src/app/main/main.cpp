#include <windows.h>

#include "app/startup/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return app::RunPrunaxis();
}

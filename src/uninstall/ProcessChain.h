// Waiting for an uninstaller's whole hand-over chain: many uninstallers start a copy of
// themselves (or msiexec, or both one after the other) and end at once, so the launched
// process ending says little. The chain is the launched process and every process that
// it or one of its descendants started, followed until none of them is left.
#pragma once

#include <windows.h>

#include <vector>

#include "sys/Handles.h"

namespace uninstall {

// One process of a fresh snapshot with the id of the process it inherited from (which
// the system keeps also after that parent has ended).
struct ListedProcess {
  DWORD id = 0;
  DWORD parentId = 0;
};

// Every process of a fresh snapshot; empty when no snapshot can be taken.
std::vector<ListedProcess> ListProcesses();

struct ChainEnd {
  // False when a wait failed: the chain may still be running.
  bool ended = false;
  // How many processes the chain had, the launched one included.
  size_t processCount = 0;
  // Informative only: uninstallers disagree on what their codes mean.
  DWORD launchedExitCode = 0;
  DWORD lastExitCode = 0;  // of the process that ended last
};

// Waits until `launched` and all of its descendants have ended. Takes the handle,
// which needs SYNCHRONIZE and query rights (a CreateProcess handle has them).
ChainEnd WaitForProcessChain(sys::UniqueHandle launched);

}  // namespace uninstall

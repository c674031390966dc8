// The program's start-up sequence, from COM initialisation to the end of the
// message loop.
#pragma once

namespace app {

// Returns the process exit code: 0 after a normal run, 1 when start-up stopped.
int RunPrunaxis();

}  // namespace app

#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite under Wine.
# Extra arguments go to ctest (e.g. -R Registry).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="${PRUNAXIS_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build"
cd "$build"
# Two tests at a time: programs that touch a shared part of the prefix hold a resource
# lock for it, and those that need the display's focus or cursor run alone. A test
# that fails fails the run: there are no retries. (Sources.UseOnlyWideSystemCalls among
# the tests keeps the ANSI system calls out of src/.)
exec ctest --output-on-failure -j2 "$@"

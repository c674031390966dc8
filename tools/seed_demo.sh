#!/usr/bin/env bash
# Seeds a Wine prefix with the demo's sample programs: several installed samples (one
# per-user, one system patch), Run entries in HKCU and HKLM, one entry parked under
# Run_Disable, a start-up folder shortcut and the sample screen saver in the system
# folder; and a sample program removed earlier whose traces remain, with its scan
# record in the program's "Back up\scans\" (BUILD_DIR/bin, the portable copy's
# settings folder), so that the removed programs window lists it. Running it again
# gives the same state.
#
# usage: tools/seed_demo.sh [BUILD_DIR]
#   BUILD_DIR   the build folder with fixtures/ and tools/ (default: $PRUNAXIS_BUILD_DIR or build)
#   WINEPREFIX  the prefix to seed (default: BUILD_DIR/demo-prefix); it must exist
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-${PRUNAXIS_BUILD_DIR:-$root/build}}" && pwd)

export WINEPREFIX="${WINEPREFIX:-$build/demo-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

seeder="$build/tools/SeedDemo.exe"
if [ ! -f "$seeder" ] || [ ! -f "$build/fixtures/SampleSetup.exe" ]; then
  echo "seed_demo.sh: build first: $seeder or the fixtures are missing" >&2
  exit 1
fi
if [ ! -d "$WINEPREFIX/drive_c/windows/system32" ]; then
  echo "seed_demo.sh: no Wine prefix at $WINEPREFIX (scripts/run.sh creates it)" >&2
  exit 1
fi

# Wine sees the Linux root as drive Z:.
fixtures_win="Z:$(printf '%s' "$build/fixtures" | tr '/' '\\')"
scans_win="Z:$(printf '%s' "$build/bin/Back up/scans" | tr '/' '\\')"
{
  wine "$seeder" seed "$fixtures_win" && wine "$seeder" seed-removed "$scans_win"
} >"$build/demo-seed.log" 2>&1 || {
  cat "$build/demo-seed.log" >&2
  exit 1
}

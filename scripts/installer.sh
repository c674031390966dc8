#!/usr/bin/env bash
# Builds the setup program: installs what is missing, builds, and writes
# dist/Prunaxis-<version>-setup.exe (compiled by NSIS's makensis from
# installer/Prunaxis.nsi; it installs the portable zip's files). The build folder
# is $PRUNAXIS_BUILD_DIR or build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="${PRUNAXIS_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
rm -f "$build"/dist/Prunaxis-*-setup.exe  # only this build's setup program is copied below
cmake --build "$build" --target installer
mkdir -p "$root/dist"
for setup in "$build"/dist/Prunaxis-*-setup.exe; do
  cp "$setup" "$root/dist/"
  printf 'installer: %s\n' "$root/dist/$(basename "$setup")"
done

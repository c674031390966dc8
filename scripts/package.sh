#!/usr/bin/env bash
# Builds the portable zip of the program folder: installs what is missing, builds,
# and writes dist/Prunaxis-<version>-portable.zip (exe, Rostrel.dll, Langs\ with the
# help file, Skins\). The build folder is $PRUNAXIS_BUILD_DIR or build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="${PRUNAXIS_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
rm -f "$build"/dist/Prunaxis-*-portable.zip  # only this build's zip is copied below
cmake --build "$build" --target portable
mkdir -p "$root/dist"
for zip in "$build"/dist/Prunaxis-*-portable.zip; do
  cp "$zip" "$root/dist/"
  printf 'package: %s\n' "$root/dist/$(basename "$zip")"
done

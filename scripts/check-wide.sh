#!/usr/bin/env bash
# Fails when src/ uses an ANSI (A) form of a system call, message, structure or
# interface that has a wide (W) twin in the MinGW headers. Names outside the ANSI
# code page are lost in A calls, so the program speaks to the system in W forms only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
src="${CHECK_WIDE_SRC:-$root/src}"
include="${MINGW_INCLUDE:-/usr/share/mingw-w64/include}"
if [ ! -d "$include" ]; then
  echo "check-wide: MinGW headers not found in $include" >&2
  exit 2
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Every identifier the headers spell with a trailing W, as its A twin.
grep -rhoE '\b[A-Za-z_][A-Za-z0-9_]*W\b' "$include" | sed 's/W$/A/' | sort -u >"$tmp/twins"
# Identifiers in our sources that end in A; comments and strings count too, which
# keeps the rule simple: write "the ANSI form", not its name.
grep -rnoE '\b[A-Za-z_][A-Za-z0-9_]*A\b' "$src" --include='*.cpp' --include='*.h' \
  --include='*.rc' --include='*.in' | sed "s|^$root/||" >"$tmp/uses" || true
awk -F: 'NR==FNR { twin[$1] = 1; next } ($3 in twin) { print }' "$tmp/twins" "$tmp/uses" \
  >"$tmp/found"
if [ -s "$tmp/found" ]; then
  echo "check-wide: ANSI forms in src/ (use the W form):" >&2
  sed 's/^/  /' "$tmp/found" >&2
  exit 1
fi

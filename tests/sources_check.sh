#!/usr/bin/env bash
# The wide-forms check itself: it must reject an ANSI call and accept its W twin.
set -euo pipefail
check="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf 'void f() { RegOpenKeyExW(0, L"x", 0, 0, 0); DATA; }\n' >"$tmp/good.cpp"
CHECK_WIDE_SRC="$tmp" bash "$check"
printf 'void g() { SendMessageA(0, LVM_GETITEMTEXTA, 0, 0); }\n' >"$tmp/bad.cpp"
if out=$(CHECK_WIDE_SRC="$tmp" bash "$check" 2>&1); then
  echo "the check accepted ANSI forms" >&2
  exit 1
fi
for name in SendMessageA LVM_GETITEMTEXTA; do
  grep -q "$name" <<<"$out" || { echo "the check did not name $name" >&2; exit 1; }
done

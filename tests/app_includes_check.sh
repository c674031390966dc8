#!/usr/bin/env bash
# The start-up include check itself: it must reject an app/ header below start-up
# and accept one inside src/app/ and its tests.
set -euo pipefail
check="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/src/app/startup" "$tmp/src/ui" "$tmp/tests/app" "$tmp/tests/ui"
printf '#include "app/startup/Startup.h"\n' >"$tmp/src/app/startup/Startup.cpp"
printf '#include "app/startup/Registration.h"\n' >"$tmp/tests/app/RegistrationTest.cpp"
printf '#include "settings/Settings.h"\n' >"$tmp/src/ui/Good.cpp"
CHECK_APP_ROOT="$tmp" bash "$check"
printf '#include "ui/Good.h"\n  #  include "app/globals.h"\n' >"$tmp/src/ui/Bad.cpp"
printf '#include <app/Config.h>\n' >"$tmp/tests/ui/BadTest.cpp"
if out=$(CHECK_APP_ROOT="$tmp" bash "$check" 2>&1); then
  echo "the check accepted app/ headers outside start-up" >&2
  exit 1
fi
for name in src/ui/Bad.cpp:2 tests/ui/BadTest.cpp:1; do
  grep -q "$name" <<<"$out" || { echo "the check did not name $name" >&2; exit 1; }
done
grep -q 'Good.cpp\|Startup.cpp\|RegistrationTest.cpp' <<<"$out" &&
  { echo "the check named an allowed file" >&2; exit 1; }
exit 0

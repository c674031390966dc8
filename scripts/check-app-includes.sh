#!/usr/bin/env bash
# Fails when a file outside the composition root includes one of its headers:
# src/app/ (start-up) makes the settings and the windows and hands the settings
# down; nothing below it reaches back up for them. Only src/app/ itself and its
# tests (tests/app/) may include "app/..." headers.
set -euo pipefail
root="${CHECK_APP_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}"
found=$(cd "$root" &&
  grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]app/' \
    --include='*.cpp' --include='*.h' --include='*.rc' --include='*.in' \
    src tests bench tools 2>/dev/null | grep -vE '^(src/app|tests/app)/' || true)
if [ -n "$found" ]; then
  echo "check-app-includes: only start-up includes app/ headers:" >&2
  sed 's/^/  /' <<<"$found" >&2
  exit 1
fi

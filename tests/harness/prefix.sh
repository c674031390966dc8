#!/usr/bin/env bash
# prefix.sh start|stop BUILD_DIR
# start: a fresh Wine prefix under BUILD_DIR, an Xvfb display of its own and one
#        persistent wineserver, described in BUILD_DIR/harness/env.sh for wine-run.
# stop:  ends the wineserver and the display.
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
harness="$build/harness"
mkdir -p "$harness"

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko prompts, and no desktop menu entries for the shortcuts tests write
# (saving a .lnk otherwise starts winemenubuilder and waits for it).
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
export XDG_DATA_HOME="$harness/xdg-data"    # the Recycle Bin lands here
export LANG=en_US.UTF-8

stop() {
  if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -f "$harness/xvfb.pid" ]; then
    kill "$(cat "$harness/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$harness/xvfb.pid"
  fi
  rm -f "$harness/env.sh"
}

free_display() {
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return; fi
  done
  echo "prefix.sh: no free X display" >&2
  exit 1
}

start_body() {
  stop
  rm -rf "$WINEPREFIX" "$XDG_DATA_HOME"
  mkdir -p "$XDG_DATA_HOME" "$WINEPREFIX"

  local n; n=$(free_display)
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$harness/xvfb.log" 2>&1 &
  echo $! >"$harness/xvfb.pid"
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

  # One wineserver session for the whole run: fixes its DISPLAY and makes each
  # test program start in milliseconds.
  wineserver -p
  # -u on the empty folder: "-i" here would run a second initialisation next to the
  # loader's own, leaving two service managers that lock each other's database
  # (COM servers that need RpcSs then stall).
  wineboot -u >"$harness/wineboot.log" 2>&1
  # The user folders Wine linked to the Unix home become real folders of the prefix
  # before any test deletes there.
  bash "$(dirname "${BASH_SOURCE[0]}")/sandbox-prefix.sh" "$WINEPREFIX" ||
    { echo "prefix.sh: the prefix could not be sandboxed" >&2; return 1; }
  # Without a window manager Wine waits on every hide unless it manages windows itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A shortcut saved in the Start menu starts the desktop menu builder even with the
  # override above, which then writes menu files into the Unix home: disabled here too.
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d "" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

  cat >"$harness/env.sh" <<ENV
export WINEPREFIX="$WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES"
export XDG_DATA_HOME="$XDG_DATA_HOME"
export LANG=en_US.UTF-8
export DISPLAY=":$n"
ENV
}

# The daemons started here must not hold CTest's output pipes open, or CTest
# waits for them: everything goes to a log, shown when the start fails.
start() {
  if ! (start_body) >"$harness/start.log" 2>&1 </dev/null; then
    cat "$harness/start.log" >&2
    exit 1
  fi
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: prefix.sh start|stop BUILD_DIR" >&2; exit 2 ;;
esac

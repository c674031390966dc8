#!/usr/bin/env bash
# The README's run command: installs what is missing, builds, prepares a demo Wine
# prefix with sample programs and starts Prunaxis in it.
#   With $DISPLAY: Prunaxis runs on that display; the script ends when the program does.
#   Without:       it runs on an Xvfb of its own, twice: once in the default skin and
#                  once in the dark one. Each time it waits for the main window, saves
#                  screenshots of its windows to BUILD/screenshots/ (demo.png, menu.png,
#                  ...; the dark skin's as dark-demo.png, ...) and ends everything.
# The build folder is $PRUNAXIS_BUILD_DIR or build/; the prefix is BUILD/demo-prefix,
# with a wineserver session of its own (the tests use BUILD/wineprefix).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="${PRUNAXIS_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build"
build=$(cd "$build" && pwd)

log() { printf 'run: %s\n' "$*" >&2; }

export WINEPREFIX="$build/demo-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no Mono, Gecko or menu entries
export XDG_DATA_HOME="$build/demo-xdg"                            # the demo's Recycle Bin
export LANG=en_US.UTF-8
mkdir -p "$XDG_DATA_HOME" "$build/screenshots"

xvfb_pid=""
app_pid=""
finish() {
  if [ -n "$app_pid" ]; then kill "$app_pid" >/dev/null 2>&1 || true; fi
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" >/dev/null 2>&1 || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap finish EXIT

free_display() {
  for n in $(seq 150 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return; fi
  done
  return 1
}

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  n=$(free_display) || { log "no free X display number"; exit 1; }
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$build/demo-xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if [ ! -e "/tmp/.X11-unix/X$n" ]; then
    log "Xvfb did not start:"; cat "$build/demo-xvfb.log" >&2; exit 1
  fi
fi

# A session left from an earlier run may be bound to another display.
wineserver -k >/dev/null 2>&1 || true
mkdir -p "$WINEPREFIX"
wineserver -p
# The marker is written only after a complete wineboot: an interrupted one is redone.
if [ ! -f "$WINEPREFIX/.prunaxis-demo" ]; then
  log "creating the demo prefix $WINEPREFIX (the first time takes a while)"
  wineboot -u >"$build/demo-wineboot.log" 2>&1
  touch "$WINEPREFIX/.prunaxis-demo"
fi
# Every time, also for a prefix an older run made: the user folders Wine links to the
# Unix home become real folders of the prefix, so the demo never deletes the user's own.
if ! bash "$root/tests/harness/sandbox-prefix.sh" "$WINEPREFIX"; then
  log "the demo prefix could not be sandboxed; not starting"
  exit 1
fi

# Without a window manager Wine waits on every hidden window unless it manages the
# windows itself; with one, windows get their usual frames.
x11_key='HKCU\Software\Wine\X11 Driver'
if [ "$headless" = 1 ] || ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  wine reg add "$x11_key" /v Managed /d N /f >/dev/null 2>&1
else
  wine reg delete "$x11_key" /v Managed /f >/dev/null 2>&1 || true
fi
if [ "$headless" = 1 ]; then
  # Nobody could answer a crash dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
fi

bash "$root/tools/seed_demo.sh" "$build"
log "demo prefix ready: $WINEPREFIX"

program="$build/bin/Prunaxis.exe"
if [ "$headless" = 0 ]; then
  log "starting Prunaxis on $DISPLAY"
  wine "$program" || log "Prunaxis ended with exit code $?"
  exit 0
fi

shots="$build/screenshots"
demo() { wine "$build/tools/SeedDemo.exe" "$@"; }
shoot() { sleep "${2:-1}"; import -window root "$shots/$1.png"; echo "Screenshot: $shots/$1.png"; }

# The skin is the one Config.ini names, as View > Skins writes it. The user's own
# choice is put back when the script ends.
config="$build/bin/Config.ini"
skin_in_config() { [ -f "$config" ] && sed -n 's/^SkinFile=\([^\r]*\)\r\{0,1\}$/\1/p' "$config" | head -n 1; }
use_skin() {
  if [ ! -f "$config" ]; then
    printf '[config]\r\nSkinFile=%s\r\n' "$1" >"$config"
  elif [ "$(head -c 2 "$config" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    return 1  # a UTF-16 file (a language named in another script): left alone
  elif grep -q '^SkinFile=' "$config"; then
    sed -i "s/^SkinFile=[^\r]*/SkinFile=$1/" "$config"
  else
    sed -i "s/^\[config\]\r\{0,1\}$/&\nSkinFile=$1\r/" "$config"
  fi
}
users_skin=$(skin_in_config || true)
restore_skin() { if [ -n "$users_skin" ]; then use_skin "$users_skin" || true; fi; }
trap 'restore_skin; finish' EXIT

# One run of the program: splash, both pages, a menu, the View menu's Skins
# submenu, the about window, the print page, the details window, the backup's
# progress window, the removed programs window and the leftover scan window; the
# screenshots' names start with $1.
tour() {
  local p="$1"
  wine "$program" >"$build/demo-prunaxis.log" 2>&1 &
  app_pid=$!
  # The splash shows for a second and a half before the main window.
  if demo wait-window TSplashForm 120000; then shoot "${p}splash" 0.3; fi
  if ! demo wait-window TMainForm 120000; then
    import -window root "$shots/${p}demo-failed.png" || true
    log "the main window did not appear; the screen is in $shots/${p}demo-failed.png"
    return 1
  fi
  shoot "${p}demo" 2
  # The File menu under its button (control id 102), closed again with Escape.
  demo post-click TMainForm 102 && shoot "${p}menu" 1
  demo post-key '#32768' 0x1B || true
  sleep 0.5
  # The View menu (103) with its last item, Skins, opened (End, then Right).
  if demo post-click TMainForm 103; then
    sleep 1
    demo post-key '#32768' 0x23 || true
    sleep 0.3
    demo post-key '#32768' 0x27 || true
    shoot "${p}skins-menu" 1
  fi
  for _ in 1 2 3; do demo post-key '#32768' 0x1B || true; sleep 0.3; done
  # Help > About (command 229), then the startup page (command 231).
  demo post-command TMainForm 229 && demo wait-window TAboutForm 10000 && shoot "${p}about" 1
  demo close-window TAboutForm || true
  sleep 0.5
  demo post-command TMainForm 231 && shoot "${p}startup" 2
  # Back on the program page (230), File > Export Program List (217): the print page.
  demo post-command TMainForm 230 || true
  sleep 1
  if demo post-command TMainForm 217 && demo wait-window PrunaxisPrintListForm 10000; then
    shoot "${p}print" 1
  fi
  demo close-window PrunaxisPrintListForm || true
  sleep 0.5
  # A sample's row selected, Show Details (203): the details window.
  if demo select-row TMainForm "Sample Notes" && demo post-command TMainForm 203 &&
    demo wait-window TDetailsForm 10000; then
    shoot "${p}details" 1
  fi
  demo close-window TDetailsForm || true
  sleep 0.5
  # File > Create Backup (216), Yes (6) to its question. The progress window stays
  # up at 100% while it reports the outcome: that box is moved below it, shot with
  # it and answered (OK, 1).
  if demo post-command TMainForm 216 && demo wait-window '#32770' 10000 &&
    demo post-click '#32770' 6 && demo wait-window PrunaxisProgressForm 10000 &&
    demo wait-window '#32770' 120000; then
    demo move-below '#32770' PrunaxisProgressForm || true
    shoot "${p}progress" 1
  fi
  demo post-click '#32770' 1 || true
  sleep 1
  # Tools > Scan leftovers of removed programs (235) with the removed sample's row
  # chosen; Scan (702) opens the leftover scan, shot once its search has ended and
  # Delete (606) is enabled. Nothing is deleted: both windows are closed.
  if demo post-command TMainForm 235 && demo wait-window TRemovedProgramsForm 10000; then
    demo select-row TRemovedProgramsForm "Sample Paint" || true
    shoot "${p}removed" 1
    if demo post-click TRemovedProgramsForm 702 && demo wait-window TScanForm 10000; then
      demo wait-enabled TScanForm 606 120000 || log "the leftover scan found nothing to delete"
      shoot "${p}scan" 1
    fi
    demo close-window TScanForm || true
    sleep 1
    demo close-window TRemovedProgramsForm || true
    sleep 0.5
  fi

  wine "$build/tools/SeedDemo.exe" close-window TMainForm || true
  for _ in $(seq 1 150); do
    kill -0 "$app_pid" >/dev/null 2>&1 || break
    sleep 0.2
  done
  if kill -0 "$app_pid" >/dev/null 2>&1; then
    log "Prunaxis did not end; stopping it"
    kill "$app_pid" >/dev/null 2>&1 || true
    wait "$app_pid" 2>/dev/null || true
  fi
  app_pid=""
}

status=0
if use_skin Default.ini; then
  tour "" || status=1
  if [ -f "$build/bin/Skins/Dark.ini" ] && use_skin Dark.ini; then
    tour dark- || status=1
  fi
else
  log "Config.ini is not in the code page; showing the skin it names"
  tour "" || status=1
fi
exit "$status"

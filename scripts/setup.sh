#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on Debian 12.
# Idempotent: when everything is in place it prints nothing and changes nothing.
set -euo pipefail

DEPS_DIR="${PRUNAXIS_DEPS_DIR:-/var/cache/prunaxis-deps}"
LIBPNG_ORIG="libpng1.6_1.6.39.orig.tar.gz"
LIBPNG_SHA256="a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

log() { printf 'setup: %s\n' "$*" >&2; }

packages=(
  cmake make ninja-build
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev mingw-w64-tools
  wine wine64 wine32:i386
  xvfb xauth x11-utils imagemagick
  googletest libz-mingw-w64-dev
  clang-format zip unzip
  fp-utils  # chmcmd, the compiler of the help file
  nsis      # makensis, the compiler of the setup program
  locales   # en_US.UTF-8, below
)

need_update=0
need_install=()

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture"
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  log "adding a deb-src source for Debian's source packages"
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    | $SUDO tee /etc/apt/sources.list.d/prunaxis-src.sources >/dev/null
  need_update=1
fi

for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    need_install+=("$p")
  fi
done

# The source index is needed for `apt-get source`; a missing one means a fresh update.
if [ ! -f "$DEPS_DIR/$LIBPNG_ORIG" ] && ! ls /var/lib/apt/lists/*_source_Sources >/dev/null 2>&1; then
  need_update=1
fi

if [ "${#need_install[@]}" -gt 0 ] || [ "$need_update" = 1 ]; then
  log "apt-get update"
  $SUDO apt-get update -qq >/dev/null
fi

if [ "${#need_install[@]}" -gt 0 ]; then
  log "installing: ${need_install[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
    "${need_install[@]}" >/dev/null
fi

# libpng: Debian's source package, cross-built by our own build.
if [ ! -f "$DEPS_DIR/$LIBPNG_ORIG" ]; then
  log "fetching the libpng1.6 source package into $DEPS_DIR"
  $SUDO mkdir -p "$DEPS_DIR"
  # apt fetches as its own user when it can write there.
  if id _apt >/dev/null 2>&1; then $SUDO chown _apt "$DEPS_DIR"; fi
  (cd "$DEPS_DIR" && $SUDO apt-get source --download-only -qq libpng1.6=1.6.39-2 >/dev/null 2>&1 ||
    $SUDO apt-get source --download-only -qq libpng1.6 >/dev/null)
fi
if ! echo "$LIBPNG_SHA256  $DEPS_DIR/$LIBPNG_ORIG" | sha256sum -c --status; then
  log "checksum mismatch for $DEPS_DIR/$LIBPNG_ORIG; removing it"
  $SUDO rm -f "$DEPS_DIR/$LIBPNG_ORIG"
  exit 1
fi

# Wine names Unix files in the charset of the process's locale: without a UTF-8
# locale every name outside ASCII fails to be created. Tests and the demo run with
# LANG=en_US.UTF-8.
if ! locale -a 2>/dev/null | grep -qiE '^en_US\.utf-?8$'; then
  log "generating the en_US.UTF-8 locale"
  if [ -f /etc/locale.gen ] && grep -qE '^# *en_US.UTF-8 UTF-8' /etc/locale.gen; then
    $SUDO sed -i -E 's/^# *(en_US.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qE '^en_US.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'en_US.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi

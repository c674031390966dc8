#!/usr/bin/env bash
# sandbox-prefix.sh PREFIX
# A new Wine prefix links the user folders (Desktop, Documents, Downloads, Music,
# Pictures, Videos, Templates) to the Unix home folder: a program that deletes there
# deletes the developer's own files. This replaces every symbolic link below
# PREFIX/drive_c/users that leads out of the prefix with a real, empty folder of the
# same name. Only the link goes; what it pointed at is never touched. Each new folder
# gets a marker file, since Wine turns an EMPTY folder back into a link when it
# renews its shell folders. Safe to run again on a prefix it has already sandboxed.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1/drive_c" ]; then
  echo "usage: sandbox-prefix.sh PREFIX (a Wine prefix with a drive_c folder)" >&2
  exit 2
fi
prefix=$(cd "$1" && pwd -P)
users="$prefix/drive_c/users"
[ -d "$users" ] || exit 0
marker=".sandboxed"

inside() {
  case "$1" in
    "$prefix" | "$prefix"/*) return 0 ;;
    *) return 1 ;;
  esac
}

failed=0
replaced=0
# find lists links without following them, so nothing outside is ever entered. Links
# and where they lead are all taken before anything changes: a link to a link that is
# replaced below still led outside.
mapfile -d '' links < <(find "$users" -mindepth 1 -type l -print0)
targets=()
for link in "${links[@]}"; do targets+=("$(readlink -m -- "$link")"); done
for i in "${!links[@]}"; do
  link=${links[$i]}
  target=${targets[$i]}
  if inside "$target"; then continue; fi
  # rm on the link's own name (no trailing slash) removes the link, never its target.
  if ! rm -f -- "$link" || [ -L "$link" ] || [ -e "$link" ]; then
    echo "sandbox-prefix.sh: cannot remove the link $link -> $target" >&2
    failed=1
    continue
  fi
  if [ -f "$target" ]; then
    # Wine links folders only; a link to a file becomes an empty file of that name.
    if ! : >"$link"; then
      echo "sandbox-prefix.sh: cannot make the file $link" >&2
      failed=1
      continue
    fi
  elif ! mkdir -- "$link" || ! printf 'A real folder in place of a link to %s.\n' "$target" \
      >"$link/$marker"; then
    echo "sandbox-prefix.sh: cannot make the folder $link" >&2
    failed=1
    continue
  fi
  replaced=$((replaced + 1))
done

# The folders Wine links, when an earlier run (or a user) left them empty: without a
# file in them Wine would link them again.
for folder in "$users"/*/{Desktop,Documents,Downloads,Music,Pictures,Videos,Templates} \
    "$users"/*/AppData/Roaming/Microsoft/Windows/Templates; do
  case "$folder" in "$users"/Public/*) continue ;; esac  # Wine links no public folder
  if [ -d "$folder" ] && [ ! -L "$folder" ] && [ -z "$(ls -A -- "$folder")" ]; then
    printf 'Kept as a real folder.\n' >"$folder/$marker" || failed=1
  fi
done

# Whatever happened above, no link out of the prefix may be left.
while IFS= read -r -d '' link; do
  target=$(readlink -m -- "$link")
  if ! inside "$target"; then
    echo "sandbox-prefix.sh: $link still leads out of the prefix, to $target" >&2
    failed=1
  fi
done < <(find "$users" -mindepth 1 -type l -print0)

if [ "$failed" != 0 ]; then exit 1; fi
if [ "$replaced" != 0 ]; then echo "sandbox-prefix.sh: $replaced link(s) replaced in $users"; fi
exit 0

#!/usr/bin/env bash
# no-links-out.sh PREFIX
# Fails when a symbolic link below PREFIX/drive_c/users leads out of the prefix: the
# user folders of a test or demo prefix must never reach the developer's own files.
set -euo pipefail
prefix=$(cd "$1" && pwd -P)
users="$prefix/drive_c/users"
[ -d "$users" ] || { echo "no users folder in $prefix" >&2; exit 1; }
found=0
while IFS= read -r -d '' link; do
  target=$(readlink -m -- "$link")
  case "$target" in
    "$prefix" | "$prefix"/*) ;;
    *) echo "leads out of the prefix: ${link#"$prefix"/} -> $target" >&2; found=1 ;;
  esac
done < <(find "$users" -mindepth 1 -type l -print0)
# The folders Wine links by default are real folders here.
for folder in "$users"/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
  case "$folder" in "$users"/Public/*) continue ;; esac
  if [ -e "$folder" ] && { [ -L "$folder" ] || [ ! -d "$folder" ]; }; then
    echo "not a real folder: ${folder#"$prefix"/}" >&2
    found=1
  fi
done
exit "$found"

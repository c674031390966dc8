#!/usr/bin/env bash
# sandbox-prefix-test.sh SANDBOX_SCRIPT WORK_DIR
# Runs the prefix sandboxing on a made-up prefix whose user folders link out of it, and
# checks that exactly the outward links became real folders, that nothing outside was
# touched, and that a second run changes nothing.
set -euo pipefail
script=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd -P)
fail() { echo "FAIL: $*" >&2; exit 1; }

home="$work/home"
mkdir -p "$home/Pictures" "$home/Music"
echo precious >"$home/precious.txt"
echo precious >"$home/Pictures/photo.jpg"
echo notes >"$home/notes.txt"
prefix="$work/prefix"
user="$prefix/drive_c/users/dev"
mkdir -p "$user/AppData/Roaming/Microsoft/Windows" "$user/Contacts" "$user/Documents" \
  "$prefix/drive_c/users/Public/Music" "$prefix/drive_c/inside"
ln -s "$home" "$user/Desktop"                          # absolute, to a folder outside
ln -s ../../../../home/Pictures "$user/Pictures"       # relative, to a folder outside
ln -s "$home" "$user/AppData/Roaming/Microsoft/Windows/Templates"  # deeper down
ln -s "$work/nowhere" "$user/Videos"                   # dangling, outside
ln -s "$home/notes.txt" "$user/notes.txt"              # a file outside
ln -s "$prefix/drive_c/inside" "$user/Inside"          # stays inside: kept
ln -s "$user/Desktop" "$user/Music"                    # inside, but on to the home folder
ln -s "$user/Music" "$user/Downloads"                  # and a chain of them

listing() { (cd "$1" && find . -printf '%p %y %s\n' | LC_ALL=C sort); }
home_before=$(listing "$home")

out=$(bash "$script" "$prefix") || fail "the first run failed: $out"
[ "$(listing "$home")" = "$home_before" ] || fail "the home folder changed"
for folder in Desktop Pictures Videos Music Downloads AppData/Roaming/Microsoft/Windows/Templates; do
  [ -d "$user/$folder" ] && [ ! -L "$user/$folder" ] || fail "$folder is not a real folder"
  [ -f "$user/$folder/.sandboxed" ] || fail "$folder has no marker"
  [ "$(ls -A "$user/$folder")" = ".sandboxed" ] || fail "$folder holds more than the marker"
done
[ -f "$user/notes.txt" ] && [ ! -L "$user/notes.txt" ] && [ ! -s "$user/notes.txt" ] ||
  fail "the link to a file outside is not an empty file"
[ -L "$user/Inside" ] && [ "$(readlink "$user/Inside")" = "$prefix/drive_c/inside" ] ||
  fail "a link inside the prefix was changed"
# Wine would link an empty Documents folder again; the public folders it leaves alone.
[ -f "$user/Documents/.sandboxed" ] || fail "the empty Documents folder has no marker"
[ -z "$(ls -A "$prefix/drive_c/users/Public/Music")" ] || fail "a public folder was written"
[ -z "$(ls -A "$user/Contacts")" ] || fail "Contacts was written"
[ -z "$(find "$prefix" -type l ! -path "$user/Inside")" ] || fail "links are left"

prefix_after=$(listing "$prefix")
out=$(bash "$script" "$prefix") || fail "the second run failed: $out"
[ -z "$out" ] || fail "the second run reported: $out"
[ "$(listing "$prefix")" = "$prefix_after" ] || fail "the second run changed the prefix"
[ "$(listing "$home")" = "$home_before" ] || fail "the home folder changed on the second run"

# No prefix, no changes.
if bash "$script" "$work/home" 2>/dev/null; then fail "a folder without drive_c was taken"; fi
[ "$(listing "$home")" = "$home_before" ] || fail "the home folder changed"

rm -rf "$work"
echo "sandbox-prefix.sh: all checks passed"

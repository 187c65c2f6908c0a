#!/usr/bin/env bash
# The program's --help and --version from outside, with no display at all.
#   program-cli.sh KAMELUNE KAMELUNE_TABLE
set -uo pipefail
kamelune=$1
table=$2
failed=0
fail() { echo "FAILED: $*"; failed=1; }
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

out=$("${nodisplay[@]}" "$kamelune" --version 2>&1) || fail "--version exited $?"
for want in "Kamelune 0.8C" "Qt 6." "libjpeg-turbo 2."; do
  grep -qF "$want" <<<"$out" || fail "--version lacks '$want': $out"
done
out=$("${nodisplay[@]}" "$kamelune" --help 2>&1) || fail "--help exited $?"
grep -qF "Usage: kamelune [FOLDER | PICTURE]" <<<"$out" || fail "--help: $out"
# A mistake on the command line: the reason and the usage, exit 2, no display needed.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf 'not a picture' >"$tmp/notes.txt"
for args in "--frobnicate" "$tmp/missing" "$tmp/notes.txt"; do
  out=$("${nodisplay[@]}" "$kamelune" "$args" 2>&1)
  rc=$?
  [ "$rc" -eq 2 ] || fail "kamelune $args exited $rc: $out"
  grep -qF "Usage: kamelune [FOLDER | PICTURE]" <<<"$out" || fail "kamelune $args: no usage: $out"
  grep -q "^kamelune: " <<<"$out" || fail "kamelune $args: no reason: $out"
done
out=$("$table" --help 2>&1) || fail "kamelune-table --help exited $?"
grep -qF "Usage: kamelune-table" <<<"$out" || fail "kamelune-table --help: $out"

[ "$failed" -eq 0 ] && echo "command lines: all cases passed"
exit "$failed"

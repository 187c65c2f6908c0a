#!/usr/bin/env bash
# kamelune-table from outside: failures are reported with their reason and a non-zero status, the
# output is valid UTF-8 whatever bytes the file names hold, and every sample picture reads as the
# golden table says.
#   table-tool.sh KAMELUNE_TABLE SAMPLES GOLDEN   (UPDATE_GOLDEN=1 writes GOLDEN anew)
set -uo pipefail
tool=$1
samples=$2
golden=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# expect STATUS MESSAGE ARGS...: the tool exits with STATUS and says MESSAGE on standard error.
expect() {
  local status=$1 message=$2
  shift 2
  "$tool" "$@" >"$dir/out" 2>"$dir/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "$* exited $got, not $status"
  grep -qF -- "$message" "$dir/err" || fail "$* said '$(cat "$dir/err")', not '$message'"
}

mkdir "$dir/pics"
cp "$samples/exif-org/canon-ixus.jpg" "$dir/pics/$(printf 'caf\xe9.jpg')" # Latin-1, not UTF-8
cp "$samples/Canon_40D.jpg" "$dir/pics/日本.jpg"
touch "$dir/file"

expect 2 "cannot read folder $dir/missing: no such folder" "$dir/missing"
expect 2 "cannot read folder $dir/file: not a folder" "$dir/file"
expect 2 "usage: kamelune-table" "$dir/pics" "$dir/pics"
"$tool" "$dir/pics" >/dev/full 2>"$dir/err"
[ $? -eq 1 ] || fail "a write to /dev/full did not exit 1"
grep -qF "cannot write the table: No space left on device" "$dir/err" ||
  fail "/dev/full: '$(cat "$dir/err")'"

"$tool" "$dir/pics" >"$dir/out" || fail "the folder was not read"
iconv -f UTF-8 -t UTF-8 "$dir/out" >/dev/null || fail "the output is not UTF-8"
grep -qF 'caf\xe9.jpg' "$dir/out" || fail "the Latin-1 name is not escaped"
grep -qF '日本.jpg' "$dir/out" || fail "the UTF-8 name is not kept"

# --modern: the columns of today's items too, after the 77 of the catalogue.
"$tool" --modern "$samples/gps" >"$dir/modern" || fail "--modern did not read the folder"
[ "$(head -1 "$dir/modern" | awk -F'\t' '{print NF}')" -eq 97 ] || fail "--modern: not 97 columns"
head -1 "$dir/modern" | grep -qF 'GPSLatitude' || fail "--modern: no GPSLatitude column"
[ "$(head -1 "$dir/out" | awk -F'\t' '{print NF}')" -eq 77 ] || fail "without --modern: not 77 columns"

# Every item of every sample, as the program reads it by default, and with today's items, the EXIF
# block after a JFIF header and whole notes. The golden's camera items agreed with exiftool's raw values when it was made.
{
  "$tool" --all "$samples" | head -1
  for opts in "--all" "--all --modern --after-jfif --full"; do
    for d in "$samples" "$samples"/*/; do
      echo "# $opts ${d#"$samples"}"
      "$tool" $opts "$d" | tail -n +2
    done
  done
} >"$dir/samples.tsv"
if [ "${UPDATE_GOLDEN:-}" = 1 ]; then cp "$dir/samples.tsv" "$golden"; fi
diff "$golden" "$dir/samples.tsv" >"$dir/diff" ||
  fail "the samples differ from $golden: $(head -c 2000 "$dir/diff")"

# --count and --where against exiftool's own values of the same pictures (the EXIF block after a
# JFIF header read too, as exiftool reads it).
expect 2 "no such item: Nothing" --count Nothing "$samples"
expect 2 "項目がわかりません: Nothing" --where 'Nothing>1' "$samples"
if command -v exiftool >/dev/null; then
  exiftool -q -T -Model "$samples"/*.jpg | sed 's/^-$/---/' | sort | uniq -c |
    sed -E 's/^ *([0-9]+) (.*)$/\2\t\1/' | sort >"$dir/exiftool-models"
  "$tool" --after-jfif --count Model "$samples" | cut -f1,2 | sort >"$dir/models"
  diff "$dir/exiftool-models" "$dir/models" >"$dir/diff" ||
    fail "--count Model differs from exiftool's models: $(cat "$dir/diff")"
  exiftool -q -T -if '$EXIF:ISO and $EXIF:ISO >= 200 and $EXIF:FNumber < 5.6' -FileName \
    "$samples"/*.jpg | sort >"$dir/exiftool-where"
  "$tool" --after-jfif --where 'ISO>=200 AND "F Number"<5.6' "$samples" | tail -n +2 | cut -f3 |
    sort >"$dir/where"
  [ -s "$dir/where" ] || fail "--where found no picture"
  diff "$dir/exiftool-where" "$dir/where" >"$dir/diff" ||
    fail "--where differs from exiftool's choice: $(cat "$dir/diff")"
fi

if [ "$(id -u)" -ne 0 ]; then
  mkdir -m 0 "$dir/closed"
  expect 2 "cannot read folder $dir/closed: permission denied" "$dir/closed"
fi

[ "$failed" -eq 0 ] && echo "kamelune-table: all cases passed"
exit "$failed"

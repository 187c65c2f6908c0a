#!/usr/bin/env bash
# kamelune-table --raw-heic on RAW files of each maker's layout (made from the sample JPEGs by
# make_raw_shapes) and on HEIC files (made from them with heif-enc, in TEST_DATA/heic): every
# item as the same camera JPEG gives it, and the camera items as exiftool reads them.
#   raw-heic-table.sh KAMELUNE_TABLE MAKE_RAW_SHAPES TEST_DATA
set -uo pipefail
tool=$1
make=$2
data=$3
samples=$data/samples
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

mkdir "$dir/pictures" "$dir/jpeg"
shapes=(Canon_40D:cr2 Canon_40D:CR3 Nikon_D70:nef gps/DSCN0010:nrw Olympus_C8080WZ:orf
  Panasonic_DMC-FZ30:rw2 Pentax_K10D:pef Fujifilm_FinePix_E500:raf Canon_PowerShot_S40:dng
  Sony_HDR-HC3:arw Samsung_Digimax_i50_MP3:srw)
for s in "${shapes[@]}"; do
  stem=${s%%:*}
  ext=${s##*:}
  "$make" "$dir/pictures" "$samples/$stem.jpg:${ext,,}" || fail "make_raw_shapes $s"
  [ "$ext" = "${ext,,}" ] || mv "$dir/pictures/${stem##*/}.${ext,,}" "$dir/pictures/${stem##*/}.$ext"
  cp "$samples/$stem.jpg" "$dir/jpeg/"
done
cp "$data"/heic/*.heic "$dir/pictures/"
cp "$samples/orientation/landscape_6.jpg" "$dir/jpeg/"
printf 'not a picture' >"$dir/pictures/broken.nef"

# Without the option the folder has no picture; with it, every file is a row.
[ "$("$tool" "$dir/pictures" | wc -l)" -eq 1 ] || fail "without --raw-heic the files are listed"
"$tool" --raw-heic --modern --full "$dir/pictures" >"$dir/raw.tsv" || fail "--raw-heic failed"
[ "$(wc -l <"$dir/raw.tsv")" -eq 17 ] || fail "--raw-heic: not 16 rows: $(cut -f3 "$dir/raw.tsv")"
grep -qP '\tbroken\.nef\t.*\tNot JPEG\t' "$dir/raw.tsv" || fail "broken.nef is not 'Not JPEG'"

# Each file's items are its JPEG's (the EXIF block after the JPEG's JFIF header), but for the
# name, the kind and the size.
"$tool" --after-jfif --modern --full "$dir/jpeg" >"$dir/jpeg.tsv" || fail "the JPEGs were not read"
items() { # the row of a picture, without number, name, kind and size
  awk -F'\t' -v name="$2" '$3 == name { $1 = $3 = $53 = $56 = ""; print }' OFS='\t' "$1"
}
for name in $(tail -n +2 "$dir/raw.tsv" | cut -f3); do
  [ "$name" = broken.nef ] && continue
  jpeg=$(items "$dir/jpeg.tsv" "${name%.*}.jpg")
  [ -n "$jpeg" ] || fail "no JPEG row for $name"
  [ "$(items "$dir/raw.tsv" "$name")" = "$jpeg" ] || fail "$name: the items differ from its JPEG's"
  awk -F'\t' -v name="$name" '$3 == name && $53 != "EXIF" { exit 1 }' "$dir/raw.tsv" ||
    fail "$name: the kind is not EXIF"
done

# The camera items against exiftool's EXIF values: maker, model, date, exposure, F number, ISO
# and focal length (Kamelune's texts as the table shows them, numbers compared as numbers).
if command -v exiftool >/dev/null; then
  exiftool -q -T -n -FileName -EXIF:Make -EXIF:Model -EXIF:DateTimeOriginal -EXIF:ExposureTime \
    -EXIF:FNumber -EXIF:ISO -EXIF:FocalLength "$dir/pictures" | sort >"$dir/exiftool.tsv"
  awk -F'\t' 'NR > 1 { print $3, $5, $6, $25, $20, $21, $23, $38 }' OFS='\t' "$dir/raw.tsv" |
    sort >"$dir/kamelune.tsv"
  join -t $'\t' "$dir/exiftool.tsv" "$dir/kamelune.tsv" | awk -F'\t' '
    function text(s) { sub(/\\0.*/, "", s); sub(/ +$/, "", s); return s == "---" ? "-" : s }
    function number(s, q) {
      sub(/mm$/, "", s)
      if (s == "---" || s == "-") return "-"
      if (split(s, q, "/") == 2) return q[2] ? q[1] / q[2] : "-"
      return s + 0
    }
    function same(a, b) { return a == "-" || b == "-" ? a == b : (a - b) ^ 2 <= (0.011 * a) ^ 2 }
    $1 != "broken.nef" {
      checked++
      for (k = 2; k <= 4; ++k)
        if (text($(k + 7)) != $k) { print $1 ": column " k ": " $(k + 7) " vs " $k; bad = 1 }
      for (k = 5; k <= 8; ++k)
        if (!same(number($k), number($(k + 7)))) { print $1 ": column " k ": " $(k + 7) " vs " $k; bad = 1 }
    }
    END { if (checked != 15) { print "compared " checked " files, not 15"; bad = 1 }; exit bad }' ||
    fail "the camera items differ from exiftool's"
fi

[ "$failed" -eq 0 ] && echo "kamelune-table --raw-heic: all cases passed"
exit "$failed"

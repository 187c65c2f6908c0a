#!/usr/bin/env bash
# Makes the Debian package kamelune_<version>_amd64.deb and checks it: its control data and
# contents (dpkg-deb), lintian (no error), the AppStream data (appstreamcli) and the manual pages
# (man, no warning).
#   scripts/package.sh         from a Release build in build/release (with Debian's hardening
#                              flags), made first
#   scripts/package.sh DIR     from a build folder under build/ that is built already (./test
#                              checks the package of build/main)
# Writes only into the build folder: the package lands in DIR/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
case "$(realpath -m "$build")" in
  "$PWD"/build/*) ;;
  *) echo "package.sh: the build folder must lie under build/: $build" >&2; exit 2 ;;
esac
if [ $# -eq 0 ]; then
  ./scripts/setup.sh all
  launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_DIR="${CCACHE_DIR:-$PWD/build/ccache}" CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  fi
  # Debian's flags decide the optimisation (-O2), as in Debian's own packages; symbols bound at
  # start as well (-z now).
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_C_FLAGS_RELEASE=-DNDEBUG -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now" >/dev/null
  cmake --build "$build" --target kamelune kamelune-table default_pkm install_files
fi

out=$(realpath -m "$build/package")
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/kamelune_*_amd64.deb)
failed=0
fail() { echo "package.sh: $*" >&2; failed=1; }

dpkg-deb --info "$deb" >"$out/info"
dpkg-deb --contents "$deb" >"$out/contents"
cat "$out/info"
for f in usr/bin/kamelune usr/bin/kamelune-table usr/share/applications/kamelune.desktop \
  usr/share/icons/hicolor/scalable/apps/kamelune.svg usr/share/icons/hicolor/48x48/apps/kamelune.png \
  usr/share/icons/hicolor/256x256/apps/kamelune.png usr/share/kamelune/Default.pkm \
  usr/share/metainfo/org.kamelune.kamelune.metainfo.xml usr/share/man/man1/kamelune.1.gz \
  usr/share/man/man1/kamelune-table.1.gz usr/share/doc/kamelune/copyright \
  usr/share/doc/kamelune/changelog.Debian.gz; do
  grep -q " \./$f\$" "$out/contents" || fail "not in the package: /$f"
done
# Found by dpkg-shlibdeps in the programs, not written by hand.
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libjpeg62-turbo libheif1 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

dpkg-deb --extract "$deb" "$out/root"
appstreamcli validate --no-net "$out/root/usr/share/metainfo/org.kamelune.kamelune.metainfo.xml" ||
  fail "appstreamcli refused the AppStream data"
for page in "$out"/root/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns of $(basename "$page"): $warnings"
done
"$out/root/usr/bin/kamelune-table" --help >/dev/null || fail "the packaged kamelune-table does not run"

# Errors fail; the warnings and notes are printed for the reader.
lintian --fail-on error "$deb" | tee "$out/lintian" || fail "lintian reports an error"
[ "$failed" -eq 0 ] && echo "package.sh: $deb"
exit "$failed"

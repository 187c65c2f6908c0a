#!/usr/bin/env bash
# Installs what is missing, only when something is, so that a repeated run costs a dpkg query.
#   setup.sh program   what building and running the program needs
#   setup.sh all       that, and what the tests and the benchmarks need (the default)
set -euo pipefail

program=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev qt6-svg-dev
  libjpeg62-turbo-dev libheif-dev
  fonts-ipafont-gothic qt6-translations-l10n
)
tests=(
  libgtest-dev libgmock-dev qt6-base-private-dev
  xvfb xauth x11-apps imagemagick chromium desktop-file-utils e2fsprogs
  clang libclang-rt-14-dev
  libimage-exiftool-perl exiv2 libvips-tools libheif-examples heif-thumbnailer
  gcovr ccache
  dpkg-dev lintian appstream
)

packages=("${program[@]}")
case "${1:-all}" in
  program) ;;
  all) packages+=("${tests[@]}") ;;
  *) echo "usage: $0 [program|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

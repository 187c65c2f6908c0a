#!/usr/bin/env bash
# Configures (once) and builds one of the build folders incrementally.
#   main:     the program, its tests and benchmarks (g++)
#   sanitize: the Qt-free libraries and their tests under ASan and UBSan, and the fuzz targets
#             (clang)
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-main}
case "$kind" in
  main)
    dir=build/main
    args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc)
    if [ -f build/sanitize/tests/core_tests ]; then
      args+=(-DKAMELUNE_SANITIZE_DIR="$PWD/build/sanitize")
    fi
    ;;
  sanitize)
    dir=build/sanitize
    args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DKAMELUNE_CORE_ONLY=ON
          -DKAMELUNE_SANITIZE=ON -DKAMELUNE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug)
    ;;
  *) echo "usage: $0 main|sanitize" >&2; exit 2 ;;
esac
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
elif [ "$kind" = main ]; then
  # Picks up a sanitizer build that appeared since the first configure.
  cmake -S . -B "$dir" "${args[@]}" >/dev/null
fi
cmake --build "$dir" -- -j"$(nproc)" | grep -v -E '^\[[0-9]+/[0-9]+\] ' || true
test "${PIPESTATUS[0]}" -eq 0

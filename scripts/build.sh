#!/usr/bin/env bash
# Configures (once) and builds one of the build folders incrementally, showing its progress.
#   program:  build/main, only the program and what it links
#   main:     build/main, the program, its tests and benchmarks (g++)
#   sanitize: build/sanitize, the Qt-free libraries and their tests under ASan and UBSan, and the
#             fuzz targets (clang)
#   gui-asan: build/gui-asan, the window tests under ASan and UBSan (clang)
#   tsan:     build/tsan, the Qt-free tests under ThreadSanitizer, for the worker-thread jobs
#   coverage: build/coverage, the plain libraries' tests with line coverage (g++ --coverage;
#             atomic counters, as the folder read and the thumbnail jobs run threads)
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-main}
targets=()
case "$kind" in
  program | main)
    dir=build/main
    args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc)
    if [ -f build/sanitize/tests/core_tests ]; then
      args+=(-DKAMELUNE_SANITIZE_DIR="$PWD/build/sanitize")
    fi
    if [ -f build/gui-asan/tests/gui_tests ]; then
      args+=(-DKAMELUNE_GUI_ASAN_DIR="$PWD/build/gui-asan")
    fi
    if [ -f build/tsan/tests/core_tests ]; then
      args+=(-DKAMELUNE_TSAN_DIR="$PWD/build/tsan")
    fi
    if [ "$kind" = program ]; then targets=(--target kamelune); fi
    ;;
  sanitize)
    dir=build/sanitize
    args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DKAMELUNE_CORE_ONLY=ON
          -DKAMELUNE_SANITIZE=ON -DKAMELUNE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug)
    ;;
  gui-asan)
    dir=build/gui-asan
    args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DKAMELUNE_SANITIZE=ON
          -DCMAKE_BUILD_TYPE=Debug)
    targets=(--target gui_tests)
    ;;
  tsan)
    dir=build/tsan
    args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DKAMELUNE_CORE_ONLY=ON
          -DKAMELUNE_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    targets=(--target core_tests)
    ;;
  coverage)
    dir=build/coverage
    args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc -DCMAKE_BUILD_TYPE=Debug
          "-DCMAKE_CXX_FLAGS=--coverage -fprofile-update=atomic"
          -DCMAKE_EXE_LINKER_FLAGS=--coverage)
    targets=(--target core_tests tools_tests)
    ;;
  *) echo "usage: $0 program|main|sanitize|gui-asan|tsan|coverage" >&2; exit 2 ;;
esac
if [ ! -f "$dir/build.ninja" ]; then
  echo "build: configuring $dir (the first build of the program takes about two minutes)"
  cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
elif [ "$kind" = program ] || [ "$kind" = main ]; then
  # Picks up a sanitizer build, or test libraries, that appeared since the first configure.
  cmake -S . -B "$dir" "${args[@]}" >/dev/null
fi
cmake --build "$dir" "${targets[@]}" -- -j"$(nproc)"

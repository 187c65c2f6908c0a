#!/usr/bin/env bash
# Configures (once) and builds one of the build folders incrementally, showing its progress.
#   program:  build/main, only the program and what it links
#   main:     build/main, the program, its tests and benchmarks (g++)
#   asan:     build/asan, every library with the plain and window tests and the fuzz targets under
#             AddressSanitizer and UndefinedBehaviorSanitizer (clang)
#   tsan:     build/tsan, the job tests (worker threads) under ThreadSanitizer (clang)
#   coverage: build/coverage, the plain libraries' tests with line coverage (g++ --coverage;
#             atomic counters, as the folder read and the thumbnail jobs run threads)
# Compilers go through ccache when it is there; KAMELUNE_FUZZ_SECONDS (default 15) is how long
# each fuzz target runs in the test command.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-main}
targets=()
case "$kind" in
  program | main)
    dir=build/main
    args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc
          -DKAMELUNE_FUZZ_SECONDS="${KAMELUNE_FUZZ_SECONDS:-15}")
    if [ -f build/asan/tests/core_tests ]; then
      args+=(-DKAMELUNE_SANITIZE_DIR="$PWD/build/asan")
    fi
    if [ -f build/tsan/tests/job_tests ]; then
      args+=(-DKAMELUNE_TSAN_DIR="$PWD/build/tsan")
    fi
    if [ "$kind" = program ]; then targets=(--target kamelune); fi
    ;;
  asan)
    dir=build/asan
    args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DKAMELUNE_SANITIZE=ON
          -DKAMELUNE_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug)
    targets=(--target core_tests gui_tests fuzz_exif_reader fuzz_thumbnail_decoder)
    ;;
  tsan)
    dir=build/tsan
    args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DKAMELUNE_CORE_ONLY=ON
          -DKAMELUNE_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    targets=(--target job_tests)
    ;;
  coverage)
    dir=build/coverage
    args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc -DCMAKE_BUILD_TYPE=Debug
          "-DCMAKE_CXX_FLAGS=--coverage -fprofile-update=atomic"
          -DCMAKE_EXE_LINKER_FLAGS=--coverage)
    targets=(--target core_tests tools_tests)
    ;;
  *) echo "usage: $0 program|main|asan|tsan|coverage" >&2; exit 2 ;;
esac
if command -v ccache >/dev/null 2>&1; then
  args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  # The cache lives in the build folder (nothing is written outside the clone), unless the user
  # keeps one of their own; paths are hashed relative to the clone.
  export CCACHE_DIR="${CCACHE_DIR:-$PWD/build/ccache}" CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$dir/build.ninja" ]; then
  echo "build: configuring $dir (the first build of the program takes about two minutes)"
  cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
elif [ "$kind" = program ] || [ "$kind" = main ]; then
  # Picks up a sanitizer build, or test libraries, that appeared since the first configure.
  cmake -S . -B "$dir" "${args[@]}" >/dev/null
fi
cmake --build "$dir" "${targets[@]}" -- -j"$(nproc)"

#!/usr/bin/env bash
# Runs one fuzz target for a bounded time: first over the regression corpus of earlier crashes
# (each must pass), then fuzzing from the samples for SECONDS seconds.
set -euo pipefail
fuzzer=$1
seconds=$2
source_dir=$3
name=$(basename "$fuzzer")
regressions="$source_dir/tests/fuzz-regressions/${name#fuzz_}"
work=$(dirname "$fuzzer")/corpus-$name
mkdir -p "$work"

if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
  find "$regressions" -type f ! -name README -print0 | xargs -0 -r "$fuzzer" -runs=0
fi

seeds=()
seeds+=("$source_dir/tests/data/samples" "$source_dir/tests/data/raw-seeds" "$source_dir/tests/data/heic")
[ -d "$regressions" ] && seeds+=("$regressions")

# New crashes land beside the build, to be copied into the regression corpus.
"$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=5 -rss_limit_mb=1024 \
  -artifact_prefix="$(dirname "$fuzzer")/crash-" "$work" "${seeds[@]}" 2>&1 | tail -n 5

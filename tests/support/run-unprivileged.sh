#!/usr/bin/env bash
# Runs tests of permissions as the unprivileged user "nobody" (root ignores permissions). The
# build may live where that user cannot enter (a home folder of mode 0700), so the test binary
# runs from a copy in a world-reachable temporary folder, with a copy of the test data (the case
# tables are read as the binary starts).
#   run-unprivileged.sh BINARY DATA_DIR GTEST_FILTER
set -uo pipefail
binary=$1
data=$2
filter=$3
name=$(basename "$binary")
for base in "${TMPDIR:-/tmp}" /tmp /var/tmp /dev/shm; do
  place=$(mktemp -d "$base/kamelune-unprivileged.XXXXXX" 2>/dev/null) || continue
  chmod 0755 "$place" && cp "$binary" "$place/$name" && chmod 0755 "$place/$name" &&
    mkdir -m 1777 "$place/tmp" && cp -r "$data" "$place/data" && chmod -R a+rX "$place/data" ||
    { rm -rf "$place"; continue; }
  # A folder nobody cannot enter, or one mounted noexec, will not do.
  if runuser -u nobody -- env KAMELUNE_TEST_DATA="$place/data" "$place/$name" --gtest_list_tests >/dev/null 2>&1; then
    runuser -u nobody -- env TMPDIR="$place/tmp" KAMELUNE_TEST_DATA="$place/data" \
      "$place/$name" --gtest_filter="$filter"
    status=$?
    rm -rf "$place"
    exit $status
  fi
  rm -rf "$place"
done
echo "skipped: no folder that the user nobody can run programs from"
exit 77

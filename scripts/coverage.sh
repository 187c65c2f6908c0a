#!/usr/bin/env bash
# Line coverage of the plain libraries by the plain tests (the Qt-free tests and the tools'),
# per library. Builds build/coverage with g++ --coverage, runs the tests, prints one line a
# library and the total. Only build/coverage's counts are read, whatever other builds hold.
# gcovr's report goes to a file inside build/coverage: gcovr tries its --output path by creating
# and unlinking it, so a system path such as /dev/null would be deleted when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh all
./scripts/build.sh coverage >/dev/null
find build/coverage -name '*.gcda' -delete
# Tests of permissions skip when run as root; the rest run as they do in ./test.
(cd build/coverage/tests && ./core_tests --gtest_brief=1 >/dev/null && ./tools_tests --gtest_brief=1 >/dev/null)
printf '%-12s %8s %14s\n' library lines covered
for lib in exif platform catalogue thumbnails present tools; do
  summary=$(gcovr --root . --object-directory build/coverage --filter "$lib/" build/coverage \
    --exclude 'platform/qt/' --exclude 'tests/' --print-summary --output build/coverage/report.txt 2>/dev/null |
    grep '^lines:')
  # "lines: 93.2% (1234 out of 1324)"
  percent=$(awk '{print $2}' <<<"$summary")
  counts=$(sed -E 's/.*\(([0-9]+) out of ([0-9]+)\).*/\1\/\2/' <<<"$summary")
  printf '%-12s %8s %14s\n' "$lib" "$percent" "$counts"
done
total=$(gcovr --root . --object-directory build/coverage build/coverage \
  --filter 'exif/|platform/|catalogue/|thumbnails/|present/|tools/' \
  --exclude 'platform/qt/' --exclude 'tests/' --print-summary --output build/coverage/report.txt 2>/dev/null | grep '^lines:')
printf '%-12s %8s %14s\n' all "$(awk '{print $2}' <<<"$total")" \
  "$(sed -E 's/.*\(([0-9]+) out of ([0-9]+)\).*/\1\/\2/' <<<"$total")"

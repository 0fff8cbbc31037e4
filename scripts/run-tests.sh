#!/usr/bin/env bash
# Runs the test suites of the given presets; every suite runs, and the
# script fails when any of them failed.
#   run-tests.sh native win64
set -u
cd "$(dirname "$0")/.."
failed=()
echo "=== format"
scripts/check-format.sh || failed+=(format)
for preset in "$@"; do
  echo "=== tests: $preset"
  ctest --preset "$preset" --timeout 600 || failed+=("$preset")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "all tests passed: format $*"

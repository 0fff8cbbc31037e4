#!/bin/sh
# Runs one libFuzzer target for a given time on a copy of its seed corpus
# (tests/fuzz/corpus/TARGET), so the committed seeds stay as they are.
# Inputs that crash are kept in BUILD_DIR/fuzz-artifacts/TARGET/.
#
# usage: scripts/fuzz.sh TARGET SECONDS [BUILD_DIR]   (default build/native)
set -eu

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET SECONDS [BUILD_DIR]" >&2
  exit 2
fi
target=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$root/build/native}
program=$build/bin/$target
if [ ! -x "$program" ]; then
  echo "$0: $program not built (native preset, clang)" >&2
  exit 2
fi

artifacts=$build/fuzz-artifacts/$target
mkdir -p "$artifacts"
work=$(mktemp -d "${TMPDIR:-/tmp}/$target.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/corpus"
seeds=$root/tests/fuzz/corpus/$target
if [ -d "$seeds" ]; then
  cp "$seeds"/* "$work/corpus/" 2>/dev/null || true
fi

# Leaks are real faults here too; slow inputs count as failures.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus"

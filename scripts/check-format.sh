#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format makes of it,
# and names the files. `scripts/check-format.sh --fix` formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$formatter" ]; then
  echo "check-format: clang-format is not installed (scripts/bootstrap.sh installs it)" >&2
  exit 1
fi
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null ||
                       find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if [ "${1:-}" = "--fix" ]; then
  "$formatter" -i "${sources[@]}"
  exit 0
fi
unformatted=()
for file in "${sources[@]}"; do
  if ! "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1; then
    unformatted+=("$file")
  fi
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "check-format: not formatted (run scripts/check-format.sh --fix):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: ${#sources[@]} files formatted"

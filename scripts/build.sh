#!/usr/bin/env bash
# Configures (first time) and builds the given CMake presets.
#   build.sh native win64 win32
set -eu
cd "$(dirname "$0")/.."
for preset in "$@"; do
  if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset"
  fi
  cmake --build --preset "$preset"
done

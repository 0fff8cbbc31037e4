#!/usr/bin/env bash
# Installs what the build needs and prepares the third-party libraries for
# the Windows targets. Quick and safe to run before every build: each step
# checks first and only does what is missing.
#   scripts/bootstrap.sh
# Results go to build/deps: src/<package> (Debian sources), <triple>/{include,lib}
# (static libraries for each mingw target) and logs/ (one log per step).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps_scripts=$root/scripts/deps
deps_dir=$root/build/deps
src_dir=$deps_dir/src
logs_dir=$deps_dir/logs
jobs=2
targets=(x86_64-w64-mingw32 i686-w64-mingw32)
source_packages=(zlib libpng1.6 pugixml duktape)

. "$deps_scripts/common.sh"
. "$deps_scripts/packages.sh"
. "$deps_scripts/sources.sh"

# Every expected failure names its log; this catches the unexpected ones.
set -E
trap 'fail "unexpected failure in ${BASH_SOURCE[0]#"$root/"} line $LINENO (logs in ${logs_dir#"$root/"})"' ERR

# build_library TRIPLE LIBRARY SOURCE-PACKAGE [LIBRARY-IT-NEEDS...]
# Runs scripts/deps/<library>.sh unless the stamp says the same recipe,
# source, compiler and dependencies were built before.
build_library() {
  local triple=$1 lib=$2 pkg=$3
  shift 3
  local prefix=$deps_dir/$triple
  local recipe=$deps_scripts/$lib.sh
  local toolchain=$root/cmake/toolchains/mingw-${triple%%-*}.cmake
  local stamp=$prefix/stamps/$lib
  local inputs=("$recipe" "$toolchain" "$root/cmake/toolchains/mingw-common.cmake")
  [ -f "$deps_scripts/$lib/CMakeLists.txt" ] && inputs+=("$deps_scripts/$lib/CMakeLists.txt")
  local dep
  for dep in "$@"; do
    inputs+=("$prefix/stamps/$dep")
  done
  local key
  key="$(content_key "${inputs[@]}") $pkg $(source_version "$pkg") gcc $compiler_version"
  stamp_is_current "$stamp" "$key" && return 0

  local work=$deps_dir/work/$triple/$lib
  local log=$logs_dir/$triple-$lib.log
  say "building $lib for $triple"
  rm -rf "$work" "$stamp"
  mkdir -p "$work" "$prefix/include" "$prefix/lib"
  : >"$log"
  run_step "$log" "building $lib for $triple" \
    env TRIPLE="$triple" PREFIX="$prefix" SRC="$src_dir/$pkg" WORK="$work" JOBS="$jobs" \
        TOOLCHAIN="$toolchain" RECIPES="$deps_scripts" bash "$recipe"
  write_stamp "$stamp" "$key"
}

build_target() {
  local triple=$1
  compiler_version=$("$triple-gcc-posix" -dumpfullversion 2>/dev/null) ||
    fail "$triple-gcc-posix does not run"
  build_library "$triple" zlib zlib
  build_library "$triple" minizip zlib zlib
  build_library "$triple" libpng libpng1.6 zlib
  build_library "$triple" pugixml pugixml
  build_library "$triple" duktape duktape
}

started=$SECONDS
mkdir -p "$src_dir" "$logs_dir"
# Builds run this script concurrently; one at a time works on build/deps.
exec 9>"$deps_dir/lock"
if ! flock -n 9; then
  say "waiting for another bootstrap run to finish"
  flock 9
fi

install_missing_packages
fetch_sources "${source_packages[@]}"
for triple in "${targets[@]}"; do
  build_target "$triple"
done
say "dependencies ready ($((SECONDS - started)) s)"

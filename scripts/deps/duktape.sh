# Static Duktape from the tarball's prepared sources (src/: duktape.c with
# its default duk_config.h), built with our small CMake project.
# Environment: TRIPLE PREFIX SRC WORK JOBS TOOLCHAIN RECIPES
set -eu
cmake -S "$RECIPES/duktape" -B "$WORK" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DDUKTAPE_SOURCE_DIR="$SRC/src"
cmake --build "$WORK" -j "$JOBS"
cmake --install "$WORK"

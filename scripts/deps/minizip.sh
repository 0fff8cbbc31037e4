# Static minizip from zlib's contrib/minizip, built with our small CMake project.
# Environment: TRIPLE PREFIX SRC WORK JOBS TOOLCHAIN RECIPES
set -eu
cmake -S "$RECIPES/minizip" -B "$WORK" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" \
  -DMINIZIP_SOURCE_DIR="$SRC/contrib/minizip" -DZLIB_INCLUDE_DIR="$PREFIX/include"
cmake --build "$WORK" -j "$JOBS"
cmake --install "$WORK"

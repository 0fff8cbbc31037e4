# Static pugixml with its own CMake project.
# Environment: TRIPLE PREFIX SRC WORK JOBS TOOLCHAIN
set -eu
cmake -S "$SRC" -B "$WORK" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR=lib \
  -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
cmake --build "$WORK" -j "$JOBS"
cmake --install "$WORK"

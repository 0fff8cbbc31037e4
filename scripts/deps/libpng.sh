# Static libpng against our zlib, without its tests and tools.
# Environment: TRIPLE PREFIX SRC WORK JOBS TOOLCHAIN
set -eu
cmake -S "$SRC" -B "$WORK" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR=lib \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_INCLUDE_DIR="$PREFIX/include" -DZLIB_LIBRARY="$PREFIX/lib/libz.a"
cmake --build "$WORK" -j "$JOBS"
cmake --install "$WORK"

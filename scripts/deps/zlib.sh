# Static zlib for one mingw target, with zlib's own configure (built out of tree).
# Environment: TRIPLE PREFIX SRC WORK JOBS
set -eu
cd "$WORK"
CHOST=$TRIPLE CC=$TRIPLE-gcc-posix AR=$TRIPLE-ar RANLIB=$TRIPLE-ranlib CFLAGS=-O2 \
  "$SRC/configure" --static --prefix="$PREFIX" --libdir="$PREFIX/lib" --includedir="$PREFIX/include"
make -j"$JOBS" libz.a
make install-libs install

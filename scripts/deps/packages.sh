# The machine packages the build needs (sourced by bootstrap.sh).

qorva_packages=(
  # Windows cross compilers (posix thread model) and their binutils
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  # running and screenshotting the Windows programs
  wine wine64 xvfb xauth imagemagick x11-utils
  # build tools
  cmake ninja-build make pkgconf
  # tests: GoogleTest, and clang with the sanitizer runtime and symbolizer
  googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev llvm
  # the format check
  clang-format
  # a private sound server for the wave-input tests, and the tones played into it
  pulseaudio pulseaudio-utils sox
  # fetching and unpacking the third-party sources
  dpkg-dev xz-utils ca-certificates
  # third-party libraries for the native build
  libpng-dev zlib1g-dev libminizip-dev libpugixml-dev duktape-dev
  # header-only JSON, shared by the native and the Windows builds
  nlohmann-json3-dev
)

# Prints the packages that are not installed, one per line.
missing_packages() {
  local installed p
  # dpkg-query fails when it has never heard of one of the packages; what it
  # printed for the others still counts.
  installed=$({ dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${qorva_packages[@]}" 2>/dev/null || true; } |
              awk '$2 == "ii" { print $1 }')
  for p in "${qorva_packages[@]}"; do
    if ! grep -qxF -- "$p" <<<"$installed"; then
      echo "$p"
    fi
  done
}

install_missing_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  [ "${#missing[@]}" -eq 0 ] && return 0
  local log=$logs_dir/apt-install.log
  say "installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
    fail "missing packages (${missing[*]}); run this script as root"
  fi
  run_step "$log" "apt-get update" as_root apt-get update
  run_step "$log" "installing packages" as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
}

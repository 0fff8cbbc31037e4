# Fetches Debian source packages through an apt configuration private to the
# build tree, so the machine's own apt lists, cache and hooks are left alone
# (sourced by bootstrap.sh).

apt_dir=$deps_dir/apt

# The machine's apt sources, turned into deb-src entries. The archive
# addresses and keys come from the machine at run time, never from this repository.
write_private_sources() {
  local codename=""
  if [ -r /etc/os-release ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  fi
  local f list=$apt_dir/sources.list.d/machine.sources
  if ! {
    if [ -f /etc/apt/sources.list ]; then
      echo "#qorva-file list"; cat /etc/apt/sources.list; echo
    fi
    for f in /etc/apt/sources.list.d/*.list; do
      if [ -f "$f" ]; then echo "#qorva-file list"; cat "$f"; echo; fi
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      if [ -f "$f" ]; then echo "#qorva-file sources"; cat "$f"; echo; fi
    done
  } | awk -v codename="$codename" -f "$deps_scripts/apt-sources.awk" >"$list"; then
    fail "reading the machine's apt sources failed"
  fi
  [ -s "$list" ] ||
    fail "no Debian archive found in the machine's apt sources (/etc/apt/sources.list, /etc/apt/sources.list.d)"
}

write_private_apt_config() {
  mkdir -p "$apt_dir"/{sources.list.d,lists/partial,cache/archives/partial,downloads}
  : >"$apt_dir/sources.list"
  : >"$apt_dir/status"
  # Read after the machine's configuration: keeps its proxies and checks but
  # drops the hooks that would act on the machine's apt state after an update.
  cat >"$apt_dir/apt.conf" <<'CONF'
#clear APT::Update::Pre-Invoke;
#clear APT::Update::Post-Invoke;
#clear APT::Update::Post-Invoke-Success;
#clear DPkg::Pre-Invoke;
#clear DPkg::Post-Invoke;
#clear DPkg::Pre-Install-Pkgs;
APT::Get::Only-Source "true";
CONF
  # apt drops to its sandbox user for downloads, which cannot write into a
  # build tree owned by root; say so instead of warning on every file.
  if [ "$(id -u)" -eq 0 ]; then
    echo 'APT::Sandbox::User "root";' >>"$apt_dir/apt.conf"
  fi
  write_private_sources
}

private_apt_options() {
  printf '%s\n' -c "$apt_dir/apt.conf" \
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" \
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d" \
    -o "Dir::State=$apt_dir" \
    -o "Dir::State::Lists=$apt_dir/lists" \
    -o "Dir::State::status=$apt_dir/status" \
    -o "Dir::State::extended_states=$apt_dir/extended_states" \
    -o "Dir::Cache=$apt_dir/cache"
}

private_apt_get() {
  local opts
  mapfile -t opts < <(private_apt_options)
  apt-get "${opts[@]}" "$@"
}

private_apt_cache() {
  local opts
  mapfile -t opts < <(private_apt_options)
  apt-cache "${opts[@]}" "$@"
}

# Versions of a source package the private index knows, newest first.
source_versions() {
  local versions v
  versions=$({ private_apt_cache showsrc "$1" 2>/dev/null || true; } |
             awk '/^Version: / { print $2 }' | sort -u)
  # Debian version order needs dpkg's comparison: a simple insertion sort.
  local sorted=()
  for v in $versions; do
    local i=0
    while [ $i -lt ${#sorted[@]} ] && dpkg --compare-versions "${sorted[$i]}" gt "$v"; do
      i=$((i + 1))
    done
    sorted=("${sorted[@]:0:$i}" "$v" "${sorted[@]:$i}")
  done
  if [ ${#sorted[@]} -gt 0 ]; then printf '%s\n' "${sorted[@]}"; fi
}

# Downloads the newest version of PKG that the archive actually serves (a
# mirror may list a version whose files it does not carry) into DIR.
download_source() {
  local pkg=$1 dir=$2 log=$3 versions v newest=""
  mapfile -t versions < <(source_versions "$pkg")
  if [ ${#versions[@]} -eq 0 ]; then
    private_apt_cache showsrc "$pkg" >>"$log" 2>&1 || true
    fail "source package $pkg is not in the archive, see $log"
  fi
  for v in "${versions[@]}"; do
    [ -n "$newest" ] || newest=$v
    rm -rf "$dir" && mkdir -p "$dir"
    echo "== $pkg $v" >>"$log"
    if (cd "$dir" && private_apt_get source --download-only "$pkg=$v") >>"$log" 2>&1; then
      [ "$v" = "$newest" ] ||
        say "warning: the archive does not serve $pkg $newest; using the older $v" \
            "(remove build/deps/src/$pkg.stamp to try again)"
      return 0
    fi
  done
  fail "downloading source package $pkg failed, see $log"
}

# Unpacks PKG into src/PKG once; the stamp records the Debian version.
unpack_source() {
  local pkg=$1 log=$2
  local dir=$apt_dir/downloads/$pkg dsc="" f
  for f in "$dir"/*.dsc; do
    if [ -f "$f" ]; then dsc=$f; fi
  done
  [ -n "$dsc" ] || fail "no .dsc for $pkg, see $log"
  rm -rf "$dir/unpacked" "$src_dir/$pkg"
  run_step "$log" "unpacking $pkg" dpkg-source -x "$dsc" "$dir/unpacked"
  mv "$dir/unpacked" "$src_dir/$pkg"
  write_stamp "$src_dir/$pkg.stamp" "$(awk '/^Version: / { print $2; exit }' "$dsc")"
}

fetch_sources() {
  local pkg missing=()
  for pkg in "$@"; do
    [ -s "$src_dir/$pkg.stamp" ] && [ -d "$src_dir/$pkg" ] || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "fetching sources: ${missing[*]}"
  write_private_apt_config
  local log=$logs_dir/apt-update.log
  : >"$log"
  # Another archive in the machine's list may fail; what matters is whether
  # the source packages can be found afterwards.
  if ! private_apt_get update >>"$log" 2>&1; then
    say "warning: apt-get update reported errors, see $log"
  fi
  for pkg in "${missing[@]}"; do
    log=$logs_dir/fetch-$pkg.log
    : >"$log"
    download_source "$pkg" "$apt_dir/downloads/$pkg" "$log"
    unpack_source "$pkg" "$log"
  done
}

# The Debian version a source tree was unpacked from.
source_version() { cat "$src_dir/$1.stamp"; }

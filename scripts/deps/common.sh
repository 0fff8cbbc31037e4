# Helpers shared by the bootstrap's steps (sourced).

say() { echo "bootstrap: $*"; }
fail() { echo "bootstrap: $*" >&2; exit 1; }

# run_step LOG WHAT COMMAND...
# Appends everything COMMAND prints to LOG; when it fails, names the log in one line and stops.
run_step() {
  local log=$1 what=$2
  shift 2
  if ! "$@" >>"$log" 2>&1; then
    fail "$what failed, see $log"
  fi
}

# as_root COMMAND...: the package manager needs root; CI already is root.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    return 1
  fi
}

# Stamp files hold a key describing everything a result was made from, so a
# changed recipe, source or compiler makes the step run again.
stamp_is_current() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }
write_stamp() { mkdir -p "$(dirname "$1")" && printf '%s\n' "$2" >"$1"; }
content_key() { { cat "$@" 2>/dev/null || true; } | sha256sum | cut -c1-16; }

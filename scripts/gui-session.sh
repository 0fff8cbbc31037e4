# shellcheck shell=bash
# Runs one Windows GUI program of a build under Wine for run-editor.sh and
# run-installer.sh (sourced from the repository root). The caller sets
# gui_script, the name its messages start with, then calls in this order:
#   gui_prepare BUILD           private Wine prefix in BUILD/run-wine
#   gui_run_on_display PROGRAM  with a DISPLAY: runs PROGRAM there until it is
#                               closed, and never returns
#   gui_start_session PROGRAM   without one: a private Xvfb display and
#                               wineserver, stopped when the script exits, and
#                               PROGRAM started in the background
#   gui_wait_for_window TITLE   waits for a window of that title, then lets it
#                               paint; 1 when none appeared in 30 s
#   gui_screenshot FILE         saves the whole screen to FILE, prints its path
#   gui_stop_session            ends the program and its Wine session
# A program that ends before its window appears, or a screenshot that fails,
# ends the script with status 1.

gui_prepare() {
  WINE_SESSION_DIR="$1/run-wine"
  mkdir -p "$WINE_SESSION_DIR"
  . scripts/wine-env.sh
}

gui_run_on_display() {
  [ -n "${DISPLAY:-}" ] || return 0
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >"$WINE_SESSION_DIR/wineboot.log" 2>&1
  exec wine "$1"
}

gui_start_session() {
  gui_program_name=$(basename "$1")
  scripts/wine-session.sh start "$WINE_SESSION_DIR" >/dev/null || exit 1
  trap 'scripts/wine-session.sh stop "$WINE_SESSION_DIR"' EXIT
  DISPLAY=$(cat "$wine_session_display_file")
  export DISPLAY
  wine "$1" &
  gui_program_pid=$!
}

gui_wait_for_window() {
  local shown=1 status
  for _ in $(seq 1 60); do
    if ! kill -0 "$gui_program_pid" 2>/dev/null; then
      wait "$gui_program_pid"
      status=$?
      echo "$gui_script: $gui_program_name ended early with status $status" >&2
      exit 1
    fi
    if command -v xwininfo >/dev/null && xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\""; then
      shown=0
      break
    fi
    sleep 0.5
  done
  sleep 2
  return "$shown"
}

gui_screenshot() {
  if ! import -display "$DISPLAY" -window root "$1" 2>"$WINE_SESSION_DIR/import.log"; then
    echo "$gui_script: screenshot failed (see $WINE_SESSION_DIR/import.log)" >&2
    exit 1
  fi
  echo "Screenshot saved: $1"
}

gui_stop_session() {
  wineserver -k >/dev/null 2>&1
  wait "$gui_program_pid" 2>/dev/null
}

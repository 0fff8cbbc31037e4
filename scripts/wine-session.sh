#!/usr/bin/env bash
# Starts or stops the shared Wine session of a test run: one Xvfb display and
# one persistent wineserver, with a Wine prefix inside the build tree.
#   wine-session.sh start DIR
#   wine-session.sh stop DIR
set -u
action=${1:?start or stop}
WINE_SESSION_DIR=${2:?session directory}
mkdir -p "$WINE_SESSION_DIR"
WINE_SESSION_DIR=$(cd "$WINE_SESSION_DIR" && pwd)
. "$(dirname "$0")/wine-env.sh"

free_display() {
  local n
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"; return 0
    fi
  done
  return 1
}

start() {
  stop >/dev/null 2>&1
  local n
  n=$(free_display) || { echo "wine-session: no free X display" >&2; exit 1; }
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$WINE_SESSION_DIR/xvfb.log" 2>&1 &
  echo $! >"$wine_session_xvfb_pid_file"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  if [ ! -e "/tmp/.X11-unix/X$n" ]; then
    echo "wine-session: Xvfb did not start (see $WINE_SESSION_DIR/xvfb.log)" >&2
    exit 1
  fi
  echo ":$n" >"$wine_session_display_file"
  export DISPLAY=":$n"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$WINE_SESSION_DIR/wineboot.log" 2>&1
  fi
  wineserver -p >/dev/null 2>&1
  # Wait until the prefix is ready for programs.
  wine cmd /c exit >/dev/null 2>&1 || true
  echo "wine-session: display :$n, prefix $WINEPREFIX"
}

stop() {
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -f "$wine_session_xvfb_pid_file" ]; then
    kill "$(cat "$wine_session_xvfb_pid_file")" >/dev/null 2>&1 || true
    rm -f "$wine_session_xvfb_pid_file"
  fi
  rm -f "$wine_session_display_file"
  return 0
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac

#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code on.
#   wine-run.sh [--session DIR] PROGRAM.exe [ARGS...]
# Uses the running session in DIR (see wine-session.sh); without one, it
# starts a session for this run alone and stops it afterwards.
set -u
here=$(cd "$(dirname "$0")" && pwd)
WINE_SESSION_DIR=${WINE_SESSION_DIR:-}
if [ "${1:-}" = "--session" ]; then
  WINE_SESSION_DIR=$2
  shift 2
fi
WINE_SESSION_DIR=${WINE_SESSION_DIR:-$here/../build/wine}
mkdir -p "$WINE_SESSION_DIR"
WINE_SESSION_DIR=$(cd "$WINE_SESSION_DIR" && pwd)
. "$here/wine-env.sh"

own_session=0
if [ ! -f "$wine_session_display_file" ] || \
   ! kill -0 "$(cat "$wine_session_xvfb_pid_file" 2>/dev/null)" 2>/dev/null; then
  "$here/wine-session.sh" start "$WINE_SESSION_DIR" >/dev/null || exit 1
  own_session=1
  trap '"$here/wine-session.sh" stop "$WINE_SESSION_DIR"' EXIT
fi
export DISPLAY
DISPLAY=$(cat "$wine_session_display_file")

wine "$@"
status=$?
exit $status

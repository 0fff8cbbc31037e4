#!/usr/bin/env bash
# Starts the sample installer sample-setup.exe of a win64 build (build/win64
# unless QORVA_BUILD_DIR names another) under Wine. With a DISPLAY it runs on
# that display until closed; without one it runs under Xvfb, saves a
# screenshot of its window (build/installer-screenshot.png unless
# QORVA_SCREENSHOT names another file), prints its path and closes it.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/${QORVA_BUILD_DIR:-build/win64}"
installer="$build/bin/sample-setup.exe"
if [ ! -f "$installer" ]; then
  echo "run-installer: $installer is missing; build the win64 preset first" >&2
  exit 1
fi
echo "Starting sample-setup.exe"

WINE_SESSION_DIR="$build/run-wine"
mkdir -p "$WINE_SESSION_DIR"
. scripts/wine-env.sh

if [ -n "${DISPLAY:-}" ]; then
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >"$WINE_SESSION_DIR/wineboot.log" 2>&1
  exec wine "$installer"
fi

scripts/wine-session.sh start "$WINE_SESSION_DIR" >/dev/null || exit 1
trap 'scripts/wine-session.sh stop "$WINE_SESSION_DIR"' EXIT
DISPLAY=$(cat "$wine_session_display_file")
export DISPLAY
wine "$installer" &
installer_pid=$!

# Wait for the window to be mapped, then let it paint.
shot="$root/${QORVA_SCREENSHOT:-build/installer-screenshot.png}"
rm -f "$shot"
shown=0
for _ in $(seq 1 60); do
  if ! kill -0 "$installer_pid" 2>/dev/null; then
    wait "$installer_pid"
    echo "run-installer: sample-setup.exe ended early with status $?" >&2
    exit 1
  fi
  if command -v xwininfo >/dev/null && xwininfo -root -tree 2>/dev/null | grep -q '"Qorva Setup"'; then
    shown=1
    break
  fi
  sleep 0.5
done
sleep 2
if ! import -display "$DISPLAY" -window root "$shot" 2>"$WINE_SESSION_DIR/import.log"; then
  echo "run-installer: screenshot failed (see $WINE_SESSION_DIR/import.log)" >&2
  exit 1
fi
echo "Screenshot saved: $shot"
wineserver -k >/dev/null 2>&1
wait "$installer_pid" 2>/dev/null
if [ "$shown" != 1 ]; then
  echo "run-installer: the installer window did not appear (see the screenshot)" >&2
  exit 1
fi
exit 0

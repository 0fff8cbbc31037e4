#!/usr/bin/env bash
# Starts QorvaEditor.exe of a win64 build (build/win64 unless QORVA_BUILD_DIR
# names another) under Wine. With a DISPLAY it runs on that display until
# closed; without one it runs under Xvfb, saves a screenshot (build/
# screenshot.png unless QORVA_SCREENSHOT names another file), prints its path
# and closes the editor.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/${QORVA_BUILD_DIR:-build/win64}"
editor="$build/bin/QorvaEditor.exe"
if [ ! -f "$editor" ]; then
  echo "run-editor: $editor is missing; build the win64 preset first" >&2
  exit 1
fi
echo "Starting QorvaEditor.exe"

WINE_SESSION_DIR="$build/run-wine"
mkdir -p "$WINE_SESSION_DIR"
. scripts/wine-env.sh

if [ -n "${DISPLAY:-}" ]; then
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >"$WINE_SESSION_DIR/wineboot.log" 2>&1
  exec wine "$editor"
fi

scripts/wine-session.sh start "$WINE_SESSION_DIR" >/dev/null || exit 1
trap 'scripts/wine-session.sh stop "$WINE_SESSION_DIR"' EXIT
DISPLAY=$(cat "$wine_session_display_file")
export DISPLAY
wine "$editor" &
editor_pid=$!

# Wait for the window to be mapped, then let it paint.
shot="$root/${QORVA_SCREENSHOT:-build/screenshot.png}"
rm -f "$shot"
for _ in $(seq 1 60); do
  if ! kill -0 "$editor_pid" 2>/dev/null; then
    wait "$editor_pid"
    echo "run-editor: QorvaEditor.exe ended early with status $?" >&2
    exit 1
  fi
  if command -v xwininfo >/dev/null && xwininfo -root -tree 2>/dev/null | grep -q '"QorvaEditor"'; then
    break
  fi
  sleep 0.5
done
sleep 2
if ! import -display "$DISPLAY" -window root "$shot" 2>"$WINE_SESSION_DIR/import.log"; then
  echo "run-editor: screenshot failed (see $WINE_SESSION_DIR/import.log)" >&2
  exit 1
fi
echo "Screenshot saved: $shot"
wineserver -k >/dev/null 2>&1
wait "$editor_pid" 2>/dev/null
exit 0

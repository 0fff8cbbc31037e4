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

gui_script=run-editor
. scripts/gui-session.sh
gui_prepare "$build"
gui_run_on_display "$editor"

shot="$root/${QORVA_SCREENSHOT:-build/screenshot.png}"
rm -f "$shot"
gui_start_session "$editor"
gui_wait_for_window "QorvaEditor"
gui_screenshot "$shot"
gui_stop_session
exit 0

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

gui_script=run-installer
. scripts/gui-session.sh
gui_prepare "$build"
gui_run_on_display "$installer"

shot="$root/${QORVA_SCREENSHOT:-build/installer-screenshot.png}"
rm -f "$shot"
gui_start_session "$installer"
gui_wait_for_window "Qorva Setup"
shown=$?
gui_screenshot "$shot"
gui_stop_session
if [ "$shown" != 0 ]; then
  echo "run-installer: the installer window did not appear (see the screenshot)" >&2
  exit 1
fi
exit 0

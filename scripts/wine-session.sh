#!/usr/bin/env bash
# Starts or stops the shared Wine session of a test run: one Xvfb display,
# one persistent wineserver, with a Wine prefix inside the build tree, and a
# private PulseAudio server whose null sink's monitor is the default source,
# so Wine's default wave-input device records what is played into the sink.
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

start_sound() {
  if ! command -v pulseaudio >/dev/null 2>&1; then
    echo "wine-session: no pulseaudio, programs find no sound device" >&2
    return 0
  fi
  mkdir -p "$qorva_sound_dir/runtime" "$qorva_sound_dir/home"
  chmod 700 "$qorva_sound_dir/runtime"
  rm -f "$qorva_sound_dir/native"
  # Its own home and runtime folder: nothing of the user's setup is read or
  # written, and no desktop server is asked to start.
  HOME="$qorva_sound_dir/home" XDG_RUNTIME_DIR="$qorva_sound_dir/runtime" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
      -L "module-native-protocol-unix socket=$qorva_sound_dir/native auth-anonymous=1" \
      -L "module-null-sink sink_name=qorva_sink" \
      >"$qorva_sound_dir/pulseaudio.log" 2>&1 &
  echo $! >"$qorva_sound_pid_file"
  for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! pactl set-default-source qorva_sink.monitor >/dev/null 2>&1 ||
     ! pactl set-default-sink qorva_sink >/dev/null 2>&1; then
    echo "wine-session: the sound server did not start (see $qorva_sound_dir/pulseaudio.log)" >&2
    return 1
  fi
}

stop_sound() {
  if [ -f "$qorva_sound_pid_file" ]; then
    kill "$(cat "$qorva_sound_pid_file")" >/dev/null 2>&1 || true
    rm -f "$qorva_sound_pid_file"
  fi
  rm -f "$qorva_sound_dir/native"
}

start() {
  stop >/dev/null 2>&1
  start_sound || exit 1
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
  stop_sound
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

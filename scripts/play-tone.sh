#!/usr/bin/env bash
# Plays a sine tone into a Wine session's sound server while a command runs,
# then stops it; passes the command's exit code on.
#   play-tone.sh SESSION-DIR FREQUENCY COMMAND [ARGS...]
# The command sees the frequency as QORVA_TEST_TONE_HZ. The tone is at half
# scale, 16-bit mono at 11025 samples per second, what the wave-input tests
# record.
set -u
here=$(cd "$(dirname "$0")" && pwd)
WINE_SESSION_DIR=$(cd "${1:?session directory}" && pwd)
frequency=${2:?frequency in Hz}
shift 2
. "$here/wine-env.sh"

tone="$qorva_sound_dir/tone-$frequency.wav"
if [ ! -f "$tone" ]; then
  sox -n -r 11025 -c 1 -b 16 "$tone" synth 20 sine "$frequency" vol 0.5 || exit 1
fi
( while paplay "$tone" 2>/dev/null; do :; done ) &
player=$!
trap 'pkill -P "$player" 2>/dev/null; kill "$player" 2>/dev/null' EXIT
# The stream is running before the recording starts.
sleep 0.5
QORVA_TEST_TONE_HZ=$frequency "$@"

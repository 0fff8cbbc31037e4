# Shared settings for running Windows programs under Wine (sourced).
# WINE_SESSION_DIR must be set by the caller.
export WINEPREFIX="$WINE_SESSION_DIR/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: they would wait for a person.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine_session_display_file="$WINE_SESSION_DIR/display"
wine_session_xvfb_pid_file="$WINE_SESSION_DIR/xvfb.pid"

# Wave input: Wine's PulseAudio driver talks to the session's own server
# (wine-session.sh). QORVA_SOUND=off runs a program as on a machine without
# any sound device: no server, and Wine's audio drivers disabled.
qorva_sound_dir="$WINE_SESSION_DIR/pulse"
if [ "${QORVA_SOUND:-on}" = off ]; then
  export PULSE_SERVER="unix:$qorva_sound_dir/no-server"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winepulse.drv,winealsa.drv,wineoss.drv="
else
  export PULSE_SERVER="unix:$qorva_sound_dir/native"
fi
qorva_sound_pid_file="$qorva_sound_dir/pulseaudio.pid"

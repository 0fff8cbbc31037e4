# Shared settings for running Windows programs under Wine (sourced).
# WINE_SESSION_DIR must be set by the caller.
export WINEPREFIX="$WINE_SESSION_DIR/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: they would wait for a person.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine_session_display_file="$WINE_SESSION_DIR/display"
wine_session_xvfb_pid_file="$WINE_SESSION_DIR/xvfb.pid"

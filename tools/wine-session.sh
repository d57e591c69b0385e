# Sourced by the build and test scripts: a Wine prefix of the project's own
# and a private virtual display.
#   wine_session_start [--keep-display]  exports WINEPREFIX, WINEDEBUG, DISPLAY
#   wine_session_stop                     stops what wine_session_start started

BREVOLT_ROOT=${BREVOLT_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$BREVOLT_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Creates the prefix once. Without a window manager Wine waits for one each
# time a window closes unless windows are unmanaged; a crash dialog would
# leave a crashed test waiting forever.
wine_prefix_ready() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.brevolt-ready" ]; then
      echo "Creating the Wine prefix in $WINEPREFIX (about 20 s, once)"
      DISPLAY= wineboot -i >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.brevolt-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

wine_display_start() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  BREVOLT_XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

wine_session_start() {
  wine_prefix_ready || return 1
  if [ "${1:-}" = "--keep-display" ] && [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  wine_display_start
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${BREVOLT_XVFB_PID:-}" ]; then
    kill "$BREVOLT_XVFB_PID" 2>/dev/null || true
    wait "$BREVOLT_XVFB_PID" 2>/dev/null || true
    unset BREVOLT_XVFB_PID
  fi
}

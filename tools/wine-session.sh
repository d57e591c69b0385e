# Sourced by the build and test scripts: a Wine prefix of the project's own
# and a private virtual display.
#   wine_session_start [--keep-display]  exports WINEPREFIX, WINEDEBUG, DISPLAY
#   wine_session_stop                     stops what wine_session_start started
#   wine_display_start, wine_prefix_ready the two halves of wine_session_start
# It also tells which Windows build this machine can run:
#   BREVOLT_WINDOWS_BITS  32 where the kernel runs 32-bit code, else 64
#   BREVOLT_WINE          the Wine loader for that build

BREVOLT_ROOT=${BREVOLT_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$BREVOLT_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Some virtual machines run 64-bit code only, and 32-bit Wine cannot start
# there. A 93-byte i386 program that exits at once tells.
runs_32bit_code() {
  local probe status
  mkdir -p "$BREVOLT_ROOT/build"
  probe=$(mktemp "$BREVOLT_ROOT/build/probe32.XXXXXX") || return 1
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  return $status
}

# Where 32-bit code runs, Wine runs the 32-bit exe that ships; elsewhere a
# 64-bit build of the same sources runs under 64-bit Wine, in a prefix of its own.
if runs_32bit_code; then
  BREVOLT_WINDOWS_BITS=32
  BREVOLT_WINE=wine
else
  BREVOLT_WINDOWS_BITS=64
  BREVOLT_WINE=/usr/lib/wine/wine64
  export WINELOADER=$BREVOLT_WINE WINEARCH=win64
  WINEPREFIX=$WINEPREFIX-64
fi

# Creates the prefix once. Without a window manager Wine waits for one each
# time a window closes unless windows are unmanaged; a crash dialog would
# leave a crashed test waiting forever.
wine_prefix_ready() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.brevolt-ready" ]; then
      echo "Creating the Wine prefix in $WINEPREFIX (about 20 s, once)"
      DISPLAY= "$BREVOLT_WINE" wineboot -i >/dev/null 2>&1
      "$BREVOLT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      "$BREVOLT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      "$BREVOLT_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.brevolt-ready"
    fi
    wine_prefix_fonts
  ) 9>"$WINEPREFIX.lock"
}

# Wine finds fonts only in the prefix and through fontconfig, so without this
# "MS Shell Dlg" (the face of DEFAULT_GUI_FONT) falls back to a sans face some
# 20 % wider than a Windows dialog font, and fixed layouts clip their
# captions. Prefixes made before this step are brought up to date here too.
wine_prefix_fonts() {
  [ -f "$WINEPREFIX/.brevolt-fonts" ] && return 0
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/" || return 1
  "$BREVOLT_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v 'MS Shell Dlg' /d 'MS Sans Serif' /f >/dev/null 2>&1 || return 1
  wineserver -w
  touch "$WINEPREFIX/.brevolt-fonts"
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

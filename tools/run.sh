#!/usr/bin/env bash
# Builds the release brevolt.exe (build/win32/brevolt.exe) and starts it under Wine;
# with --native, builds the Linux program (build/native/brevolt) and starts that.
# With a display (DISPLAY set) the program runs there until you quit it.
# Without one it runs on a virtual display, a screenshot of the window is
# saved to build/brevolt.png, and the program is ended.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/win32
had_display=${DISPLAY:-}

"$root/tools/deps.sh"
# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"

# Saves a screenshot of the program's window, found by its title, and a
# margin of the desktop around it.
screenshot() { # log of the program
  local window= shot=$root/build/brevolt.png
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Brevolt by ' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "The Brevolt window did not appear; see $1" >&2
    exit 1
  fi
  sleep 1 # let the first paint finish
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))" +repage "$shot"
  echo "No display: ran Brevolt on a virtual one and saved a screenshot to $shot"
}

if [ "${1:-}" = "--native" ]; then
  # The same tree as the tests use: AddressSanitizer and UBSan compiled in.
  cmake -S "$root" -B "$root/build/native" >/dev/null
  cmake --build "$root/build/native" --target brevolt -j2 >/dev/null
  program=$root/build/native/brevolt
  echo "Built $program"
  # GTK keeps its caches until the process ends; they are no leaks of ours.
  export ASAN_OPTIONS=detect_leaks=0
  if [ -n "$had_display" ]; then
    exec "$program"
  fi
  wine_display_start
  trap wine_session_stop EXIT
  "$program" >"$root/build/brevolt-run.log" 2>&1 &
  screenshot "$root/build/brevolt-run.log"
  exit 0
fi
# Release, also where an earlier configure chose another build type: the
# exe left behind is the stripped one that ships.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target brevolt -j2 >/dev/null
exe=$build/brevolt.exe
echo "Built $exe (stripped release build)"

if [ "$BREVOLT_WINDOWS_BITS" = 64 ]; then
  # 32-bit Wine cannot start where the kernel runs 64-bit code only.
  cmake -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/win64" --target brevolt -j2 >/dev/null
  exe=$root/build/win64/brevolt.exe
  echo "This machine runs 64-bit code only: running the 64-bit build $exe of the same program"
fi
wine_session_start --keep-display

if [ -n "$had_display" ]; then
  # The configuration files go to the current directory, as on Windows.
  exec "$BREVOLT_WINE" "$exe"
fi

trap wine_session_stop EXIT
log=$root/build/brevolt-run.log
"$BREVOLT_WINE" "$exe" >"$log" 2>&1 &
screenshot "$log"

#!/usr/bin/env bash
# Builds the release brevolt.exe (build/win32/brevolt.exe) and starts it under Wine.
# With a display (DISPLAY set) the program runs there until you quit it.
# Without one it runs on a virtual display, a screenshot of the window is
# saved to build/brevolt.png, and the program is ended.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/win32

"$root/tools/deps.sh"
# Release, also where an earlier configure chose another build type: the
# exe left behind is the stripped one that ships.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target brevolt -j2 >/dev/null
exe=$build/brevolt.exe
echo "Built $exe (stripped release build)"

had_display=${DISPLAY:-}
# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"
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
shot=$root/build/brevolt.png
log=$root/build/brevolt-run.log
"$BREVOLT_WINE" "$exe" >"$log" 2>&1 &
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Brevolt by ' 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The Brevolt window did not appear; see $log" >&2
  exit 1
fi
sleep 1 # let the first paint finish
eval "$(xdotool getwindowgeometry --shell "$window")"
# The window and a margin of the desktop around it.
import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))" +repage "$shot"
echo "No display: ran Brevolt on a virtual one and saved a screenshot to $shot"

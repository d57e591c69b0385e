#!/usr/bin/env bash
# Builds the release brevolt.exe (build/win32/brevolt.exe) and starts it under Wine;
# with --native, builds the Linux program (build/release/brevolt) and starts
# that, installing only what it needs: no Wine, no MinGW, no test tools;
# with --web, builds the page (build/web-release/brevolt.html) with Emscripten
# and opens it in your browser.
# With a display (DISPLAY set) the program runs there until you quit it.
# Without one it runs on a virtual display, a screenshot of the window is
# saved to build/brevolt.png, and the program is ended (the page's is taken
# in headless chromium).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/win32
had_display=${DISPLAY:-}

case ${1:-} in
  --native) task=native ;;
  --web) task=web ;;
  *) task=windows ;;
esac
"$root/tools/deps.sh" "$task"
# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"

# Saves a screenshot of the program's window, found by its title, once it is
# up and has painted, then ends the program.
screenshot() { # pid of the program, its log, its build folder
  local shot=$root/build/brevolt.png title version
  version=$(sed -n 's/^version=//p' "$3/generated/package.env") # major.minor.build
  title="Brevolt by \"Oskerand\" v${version%.*}, Build ${version##*.}"
  local window=
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      echo "Brevolt ended before its window appeared; see $2" >&2
      exit 1
    fi
    window=$(xwininfo -name "$title" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p') || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "The Brevolt window did not appear; see $2" >&2
    exit 1
  fi
  sleep 1 # let the first paint finish
  import -window "$window" "$shot"
  echo "No display: ran Brevolt on a virtual one and saved a screenshot to $shot"
}

if [ "$task" = web ]; then
  build=$root/build/web-release
  export NODE_PATH=/usr/share/nodejs # Debian's Emscripten looks for its Node modules there
  # The web build's own default build type: the page as it ships.
  emcmake cmake -S "$root" -B "$build" -DBREVOLT_BACKEND=web -U CMAKE_BUILD_TYPE >/dev/null
  cmake --build "$build" --target brevolt_page -j2 >/dev/null
  page=$build/brevolt.html
  echo "Built $page (the release page, one self-contained file)"
  if [ -n "$had_display" ]; then
    for opener in xdg-open sensible-browser; do
      command -v "$opener" >/dev/null && exec "$opener" "$page"
    done
    echo "Found no way to open a browser: open file://$page in yours"
    exit 0
  fi
  shot=$root/build/brevolt.png
  /usr/bin/python3 - "$root/tools" "$page" "$shot" <<'EOF'
import sys
sys.path.insert(0, sys.argv[1])
from chromium import Chromium
browser = Chromium()
browser.navigate(sys.argv[2])
# The window is up and drawn in its own font.
browser.wait_for("document.fonts.ready.then(() => !!document.querySelector("
                 "'[data-window=\"0\"] [data-gadget=\"30\"]'))")
browser.screenshot(sys.argv[3])
browser.close()
EOF
  echo "No display: opened the page in headless chromium and saved a screenshot to $shot"
  exit 0
fi

if [ "$task" = native ]; then
  # The release build players get; the tests use build/native, with sanitizers.
  cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DBREVOLT_SANITIZE=OFF >/dev/null
  cmake --build "$root/build/release" --target brevolt -j2 >/dev/null
  program=$root/build/release/brevolt
  echo "Built $program (release build)"
  if [ -n "$had_display" ]; then
    exec "$program"
  fi
  wine_display_start
  trap 'kill %1 2>/dev/null; wine_session_stop' EXIT
  "$program" >"$root/build/brevolt-run.log" 2>&1 &
  screenshot $! "$root/build/brevolt-run.log" "$root/build/release"
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
screenshot $! "$log" "$build"

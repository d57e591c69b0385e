#!/usr/bin/env bash
# Measures what "small and fast" means for brevolt.exe, the Linux program and
# the page, and prints one table, each figure beside a reference measured in
# the same run. Reports, never judges: the exit code is 0 whenever every
# measurement could be taken.
#   tools/bench.sh [START-UP RUNS]   (runs of each program, default 15)
# Release builds in build/bench-native, build/bench-win32 and build/bench-web
# (another prefix than build/bench with BREVOLT_BENCH_PREFIX); the Linux
# programs and, under Wine, the Windows ones run on a private display, the
# page in headless chromium.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-15}

"$root/tools/deps.sh" || { echo "could not install the build tools"; exit 1; }

prefix=${BREVOLT_BENCH_PREFIX:-build/bench}
native=$prefix-native
win32=$prefix-win32
work=$prefix-work
release=(-DBREVOLT_BENCH=ON -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG")

build() { # dir, targets, -- cmake arguments...
  local dir=$1 targets=()
  shift
  while [ "$1" != "--" ]; do targets+=("$1"); shift; done
  shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" "${release[@]}" "$@" >"$dir.configure.log" 2>&1 ||
      { cat "$dir.configure.log"; return 1; }
  fi
  cmake --build "$dir" -j 2 --target "${targets[@]}" 2>&1 | grep -E 'error|warning' | head -20
  return "${PIPESTATUS[0]}"
}

# A prefix of the benchmark's own: stopping it cannot touch other sessions.
export WINEPREFIX=${WINEPREFIX:-$root/build/bench-wineprefix}
# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"
# Size and imports are the 32-bit exe's; Wine runs what this machine can run.
wine_build=$prefix-win$BREVOLT_WINDOWS_BITS

echo "building release programs (native and Windows)..."
build "$native" script_bench brevolt minimal_window_gtk plain_controls_gtk startup_bench_x11 -- \
  -DBREVOLT_SANITIZE=OFF || exit 1
build "$win32" brevolt minimal_window plain_controls startup_bench script_bench -- \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" || exit 1
if [ "$BREVOLT_WINDOWS_BITS" = 64 ]; then
  build "$wine_build" brevolt minimal_window plain_controls startup_bench script_bench -- \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" || exit 1
  mkdir -p "$wine_build/stripped"
  for exe in brevolt.exe bench/minimal_window.exe bench/plain_controls.exe; do
    x86_64-w64-mingw32-strip -o "$wine_build/stripped/$(basename "$exe")" "$wine_build/$exe"
  done
fi

rows=()

# Size and imports of the stripped executables.
mkdir -p "$win32/stripped"
for exe in brevolt.exe bench/minimal_window.exe bench/plain_controls.exe; do
  i686-w64-mingw32-strip -o "$win32/stripped/$(basename "$exe")" "$win32/$exe"
done
program=$(stat -c %s "$win32/stripped/brevolt.exe")
minimal=$(stat -c %s "$win32/stripped/minimal_window.exe")
rows+=("$(awk -v p="$program" -v m="$minimal" 'BEGIN {
  printf "brevolt.exe size (release, stripped)|%.1f KB|%.1f KB minimal window|%.2f|-", p/1024, m/1024, p/m }')")
imports() { i686-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { printf "%s%s", sep, $3; sep = " " }'; }
program_imports=$(imports "$win32/stripped/brevolt.exe")
minimal_imports=$(imports "$win32/stripped/minimal_window.exe")
runtime=$(tr ' ' '\n' <<<"$program_imports" | grep -iE '^(libgcc|libstdc|libwinpthread|mingw)' | tr '\n' ' ')
rows+=("brevolt.exe DLL imports|$(wc -w <<<"$program_imports") DLLs|$(wc -w <<<"$minimal_imports") DLLs minimal window|-|system DLLs only: $([ -z "$runtime" ] && echo yes || echo "NO: $runtime")")

echo "measuring natively..."
mkdir -p "$work"
for section in save add compose; do
  while IFS= read -r row; do rows+=("$row"); done < <("$native/bench/script_bench" $section "$work")
done

echo "measuring the Linux programs ($runs start-ups of each program)..."
wine_display_start || { echo "Xvfb could not start"; exit 1; }
trap wine_session_stop EXIT
for reference in "minimal_window_gtk|bare GTK window|-|-" \
                 "plain_controls_gtk|same controls, plain GTK|-|<= 1.10"; do
  IFS='|' read -r program name start_target memory_target <<<"$reference"
  measured=$("$native/bench/startup_bench_x11" "$runs" "$native/brevolt" "$native/bench/$program" \
    "$name" "$start_target" "$memory_target") ||
    { echo "start-up and memory against $name could not be measured"; continue; }
  while IFS= read -r row; do rows+=("$row"); done <<<"$measured"
done

echo "measuring the page in headless chromium ($runs start-ups of each page)..."
web=$prefix-web
export NODE_PATH=/usr/share/nodejs # Debian's Emscripten looks for its Node modules there
# The page as it ships: the web build's own default build type.
if { [ -f "$web/CMakeCache.txt" ] ||
     emcmake cmake -S . -B "$web" -DBREVOLT_BACKEND=web >"$web.configure.log" 2>&1; } &&
   cmake --build "$web" -j 2 --target brevolt_page >"$web.build.log" 2>&1; then
  page=$web/brevolt.html
  rows+=("$(awk -v raw="$(stat -c %s "$page")" -v packed="$(gzip -9 -n -c "$page" | wc -c)" '
    BEGIN { printf "page size, gzipped (brevolt.html: script, wasm, font)|%.1f KB|%.1f KB raw|-|<= 64 KB",
            packed / 1024, raw / 1024 }')")
  while IFS= read -r row; do rows+=("$row"); done < <(/usr/bin/python3 bench/page_bench.py \
    "$page" bench/plain_controls.html "$runs")
else
  echo "the page could not be built; see $web.configure.log and $web.build.log"
fi

echo "measuring $BREVOLT_WINDOWS_BITS-bit programs under Wine ($runs start-ups of each program)..."
wine_prefix_ready || { echo "Wine could not start"; exit 1; }
start_up() { # reference, its name, target
  "$BREVOLT_WINE" "$wine_build/bench/startup_bench.exe" "$runs" \
    "$("$BREVOLT_WINE" winepath -w "$wine_build/stripped/brevolt.exe")" \
    "$("$BREVOLT_WINE" winepath -w "$wine_build/$1")" "$2" "$3" 2>/dev/null | tr -d '\r'
}
for reference in "stripped/minimal_window.exe|minimal window|<= 1.15" \
                 "stripped/plain_controls.exe|same controls, plain Win32|-"; do
  IFS='|' read -r exe name target <<<"$reference"
  row=$(start_up "$exe" "$name" "$target")
  [ -n "$row" ] && rows+=("$row") || echo "start-up against $name could not be measured"
done
for section in save add compose; do
  while IFS= read -r row; do rows+=("$row"); done < <(cd "$work" &&
    "$BREVOLT_WINE" "$root/$wine_build/bench/script_bench.exe" $section . 2>/dev/null | tr -d '\r')
done

echo
printf '%s\n' "figure|value|reference|ratio|target" "${rows[@]}" | column -t -s '|'
echo
echo "brevolt.exe imports: $program_imports"
echo "minimal window imports: $minimal_imports"

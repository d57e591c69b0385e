#!/usr/bin/env bash
# Builds the native, the Windows and the web builds and runs every test:
# natively under AddressSanitizer/UBSan (the Linux program too, driven through
# its accessibility tree), under Wine (the 32-bit exe, or a 64-bit build of
# it where the machine runs 64-bit code only), both on a private Xvfb, and
# the page in headless chromium.
# Ends with one summary line; exit code 0 only when everything passed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/tools/deps.sh" || { echo "TESTS FAILED: could not install the build tools"; exit 1; }

# A prefix of the test run's own: stopping it cannot touch other sessions.
export WINEPREFIX="$root/build/test-wineprefix"
# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"
# shellcheck source=tests/e2e/environment.sh
source "$root/tests/e2e/environment.sh"

native=build/native
windows=build/win$BREVOLT_WINDOWS_BITS
toolchain=$root/cmake/mingw-$([ "$BREVOLT_WINDOWS_BITS" = 32 ] && echo i686 || echo x86_64).cmake
mkdir -p build
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() { # dir, target ("all" for every one), extra cmake arguments...
  local dir=$1 target=$2
  shift 2
  # Configured on every run, with the project's default build type (release
  # for Windows), so a tree configured earlier with another one tests the
  # exe that ships.
  # configure_with=emcmake for the web build.
  ${configure_with:-} cmake -S . -B "$dir" -U CMAKE_BUILD_TYPE "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" --target "$target" -j "$jobs" 2>&1 | grep -E 'error|warning|Error' | head -40
  return "${PIPESTATUS[0]}"
}

failures=()
total=0
summary=()

# Runs one test program, counts what GoogleTest reports as passed.
run_suite() { # name, seconds allowed, command...
  local name=$1 seconds=$2
  shift 2
  local log="build/$name.log"
  echo "== $name"
  timeout -k 10 "$seconds" "$@" >"$log" 2>&1
  local status=$?
  grep -E '^\[  (FAILED|PASSED|SKIPPED) |^\[==========\]|^\[  FAILED  \]|^Ran |^(OK|FAILED)' "$log" |
    sort -u | tail -n 30
  local passed
  passed=$(grep -oE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -n 1)
  # Python's unittest says how many ran, and OK only when all passed.
  if [ -z "$passed" ] && [ "$status" -eq 0 ] && grep -q '^OK' "$log"; then
    passed=$(grep -oE '^Ran [0-9]+' "$log" | grep -oE '[0-9]+$')
  fi
  passed=${passed:-0}
  if [ "$status" -ne 0 ]; then
    [ "$status" -eq 124 ] && echo "$name: timed out after $seconds s"
    grep -E 'Failure|FAILED|ERROR|Error|runtime error|Sanitizer' "$log" | head -n 20
    failures+=("$name (exit $status, log $log)")
  fi
  total=$((total + passed))
  summary+=("$name $passed")
}

echo "== building natively ($native)"
if configure_and_build "$native" all; then
  [ -x "$native/tests/unit_tests" ] && run_suite native-unit 120 "$native/tests/unit_tests"
  [ -x "$native/tests/core_tests" ] && run_suite native-core 120 "$native/tests/core_tests"
else
  failures+=("native build")
fi

# The exe that ships is 32-bit and imports nothing but the system's DLLs.
if [ "$BREVOLT_WINDOWS_BITS" = 64 ]; then
  echo "== building the 32-bit brevolt.exe (build/win32); this machine runs 64-bit code only"
  if configure_and_build build/win32 brevolt -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"; then
    headers=$(i686-w64-mingw32-objdump -p build/win32/brevolt.exe)
    others=$(grep 'DLL Name' <<<"$headers" | grep -v -i -E ' (kernel32|user32|gdi32|comctl32|shell32|msvcrt)\.dll$')
    if ! grep -q 'file format pei-i386' <<<"$headers" || [ -n "$others" ]; then
      failures+=("build/win32/brevolt.exe: not 32-bit, or imports $others")
    fi
  else
    failures+=("32-bit Windows build")
  fi
fi

# Builds both packages and checks them as players get them (lintian, the
# desktop entry, the metainfo); the Linux tests below start the packaged program.
run_suite package 600 ./tools/package.sh
package=$(ls "$root"/dist/brevolt_*.deb 2>/dev/null | head -n 1)

echo "== building for $BREVOLT_WINDOWS_BITS-bit Windows ($windows)"
windows_built=
if configure_and_build "$windows" all -DCMAKE_TOOLCHAIN_FILE="$toolchain"; then
  windows_built=yes
else
  failures+=("Windows build")
fi

if wine_display_start; then
  trap 'e2e_environment_stop; wine_session_stop' EXIT
  e2e_environment_start
  export BREVOLT_EXPECTED="$root/tests/e2e/expected"
  # The toolkit's contract against GTK, on the same display as the program.
  if [ -x "$native/tests/contract_tests" ]; then
    run_suite native-contract 120 env ASAN_OPTIONS=detect_leaks=0 NO_AT_BRIDGE=1 "$native/tests/contract_tests"
  else
    failures+=("the GTK contract tests $native/tests/contract_tests were not built")
  fi
  if [ -x "$native/brevolt" ]; then
    # GTK and fontconfig keep their caches until the process ends; leaks are
    # the unit tests' business.
    run_suite native-gtk 300 env ASAN_OPTIONS=detect_leaks=0 BREVOLT_PROGRAM="$root/$native/brevolt" \
      BREVOLT_PACKAGE="$package" \
      dbus-run-session -- /usr/bin/python3 tests/e2e/brevolt_gtk_test.py
  else
    failures+=("the Linux program $native/brevolt was not built")
  fi
  if [ -n "$windows_built" ] && wine_prefix_ready; then
    export BREVOLT_EXE="$root/$windows/brevolt.exe"
    for suite in unit_tests gui_tests e2e_tests; do
      [ -f "$windows/tests/$suite.exe" ] &&
        run_suite "wine-${suite%_tests}" "$([ "$suite" = e2e_tests ] && echo 300 || echo 120)" \
          "$BREVOLT_WINE" "$windows/tests/$suite.exe"
    done
  elif [ -n "$windows_built" ]; then
    failures+=("the Wine prefix could not be made")
  fi
else
  failures+=("Xvfb could not start")
fi

# The page needs no display: headless chromium draws it, driven over the
# DevTools protocol with real mouse and key input.
echo "== building the page (build/web)"
export NODE_PATH=/usr/share/nodejs # Debian's Emscripten looks for its Node modules there
if configure_with=emcmake configure_and_build build/web all -DBREVOLT_BACKEND=web; then
  # The toolkit's contract as a GoogleTest page; the runner feeds it the real
  # input it asks for.
  if [ -f build/web/tests/contract_tests.html ]; then
    run_suite web-contract 300 /usr/bin/python3 tests/support/run_page_test.py \
      build/web/tests/contract_tests.html
  else
    failures+=("the contract tests page build/web/tests/contract_tests.html was not built")
  fi
  run_suite web-page 300 env BREVOLT_PAGE="$root/build/web/brevolt.html" \
    BREVOLT_EXPECTED="$root/tests/e2e/expected" /usr/bin/python3 tests/e2e/brevolt_web_test.py
else
  failures+=("web build")
fi

echo
if [ ${#failures[@]} -eq 0 ] && [ "$total" -gt 0 ]; then
  echo "ALL TESTS PASSED: $total tests (${summary[*]})"
  exit 0
fi
echo "TESTS FAILED: ${failures[*]:-no tests ran} ($total passed: ${summary[*]})"
exit 1

#!/usr/bin/env bash
# The long soak: one brevolt.exe under Wine takes a long run of random user
# operations, each checked against the test's own model of the program.
#   tools/soak.sh [operations] [seed]
# Defaults: 2000 operations and the test's fixed seed. The seed used is
# printed; give it again to repeat a failing run exactly. Exit code 0 when
# the soak passed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/win32
operations=${1:-2000}
seed=${2:-}

"$root/tools/deps.sh" || exit 1
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null || exit 1
cmake --build "$build" --target brevolt e2e_tests -j2 >/dev/null || exit 1

# A prefix of its own, so stopping it cannot touch a test run beside it.
export WINEPREFIX=${WINEPREFIX:-$root/build/soak-wineprefix}
# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"
# shellcheck source=tests/e2e/environment.sh
source "$root/tests/e2e/environment.sh"
wine_session_start || exit 1
trap 'e2e_environment_stop; wine_session_stop' EXIT
e2e_environment_start

export BREVOLT_EXE=$build/brevolt.exe
export BREVOLT_SOAK_OPERATIONS=$operations
[ -n "$seed" ] && export BREVOLT_SOAK_SEED=$seed
# Some 50 operations a second under Wine; the limit leaves room for a slow machine.
timeout -k 10 $((120 + operations / 5)) \
  wine "$build/tests/e2e_tests.exe" --gtest_filter='*Soak*' 2>&1 | grep -v '^Running main()'
status=${PIPESTATUS[0]}
[ "$status" -eq 124 ] && echo "The soak did not finish in time."
exit "$status"

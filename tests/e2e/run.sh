#!/usr/bin/env bash
# Runs the end-to-end tests of a Windows build under Wine on a private display.
#   tests/e2e/run.sh [build folder] [GoogleTest arguments...]
# The build folder defaults to build/win32; the screenshot goes to build/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/win32}
shift || true

# shellcheck source=tools/wine-session.sh
source "$root/tools/wine-session.sh"
# shellcheck source=tests/e2e/environment.sh
source "$root/tests/e2e/environment.sh"
wine_session_start
e2e_environment_start
trap 'e2e_environment_stop; wine_session_stop' EXIT

export BREVOLT_EXE="$build/brevolt.exe"
export BREVOLT_BUILD="$root/build"
timeout -k 10 600 wine "$build/tests/e2e_tests.exe" "$@"

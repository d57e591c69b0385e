#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan
# and runs each for the given number of seconds, one after another.
#   tools/fuzz.sh SECONDS [compose|registry|file_writer ...]
# New inputs collect in build/fuzz/corpus/<target>, findings in
# build/fuzz/findings/. The committed corpus (tests/fuzz/corpus/<target>)
# seeds each run and is replayed by the test command; add a finding there,
# once fixed, to keep it as a regression test.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(compose registry file_writer)

"$root/tools/deps.sh" clang libclang-rt-14-dev || { echo "could not install clang's fuzzer runtime"; exit 1; }

build=build/fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DBREVOLT_FUZZ=ON >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
fi
cmake --build "$build" -j 2 --target "${targets[@]/%/_fuzz}" 2>&1 | grep -E 'error|warning' | head -40
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz build failed"; exit 1; }

mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  echo "== $target for $seconds s (log $log)"
  nice "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=20 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
    "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1
  status=$?
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | tr '\n' ' '
  echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
  if [ "$status" -ne 0 ]; then
    grep -E 'invariant broken|ERROR|SUMMARY|Test unit written' "$log" | head -n 10
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "FUZZING FOUND PROBLEMS: ${failed[*]} (inputs in $build/findings/)"
  exit 1
fi
echo "FUZZING CLEAN: ${targets[*]}, $seconds s each"

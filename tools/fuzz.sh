#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan
# and runs each for the given number of seconds, one after another.
#   tools/fuzz.sh SECONDS [compose|registry|file_writer ...]
# New inputs collect in build/fuzz/corpus/<target>, findings in
# build/fuzz/findings/. The committed corpus (tests/fuzz/corpus/<target>)
# seeds each run and is replayed by the test command; add a finding there,
# once fixed, to keep it as a regression test.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ $# -gt 0 ] || targets=(compose registry file_writer)

tools/deps.sh clang libclang-rt-14-dev || { echo "could not install clang's fuzzer runtime"; exit 1; }
build=build/fuzz
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DBREVOLT_FUZZ=ON >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j 2 --target "${targets[@]/%/_fuzz}" 2>&1 | grep -E 'error|warning' | head -40
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz build failed"; exit 1; }

mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target" log="$build/$target.log"
  mkdir -p "$corpus"
  echo "== $target for $seconds s (log $log)"
  nice "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1 ||
    { grep -E 'invariant broken|ERROR|SUMMARY|Test unit written' "$log" | head -n 10; failed+=("$target"); }
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | tr '\n' ' '
  echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
[ ${#failed[@]} -eq 0 ] || { echo "FUZZING FOUND PROBLEMS: ${failed[*]} (inputs in $build/findings/)"; exit 1; }
echo "FUZZING CLEAN: ${targets[*]}, $seconds s each"

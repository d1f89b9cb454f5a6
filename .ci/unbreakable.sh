#!/usr/bin/env bash
# Hostile-input stage: every test under AddressSanitizer and UndefinedBehaviorSanitizer,
# each fuzz target for a bounded time, and the end-to-end tests with every started vintrel
# under valgrind. Expects .ci/run to have run apt-get update.
#
# VINTREL_FUZZ_SECONDS sets the time per fuzz target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends \
  cmake make g++ libgtest-dev clang-14 libclang-rt-14-dev valgrind >/dev/null

fuzz_seconds=${VINTREL_FUZZ_SECONDS:-60}

echo "== every test under AddressSanitizer and UndefinedBehaviorSanitizer (g++)"
cmake --workflow --preset sanitize

echo "== fuzz targets, ${fuzz_seconds} s each (clang++ 14, libFuzzer, sanitizers)"
cmake --workflow --preset fuzz
fuzz_dir=build/fuzz/fuzz
if [[ -x $fuzz_dir/fuzz_evaluate ]]; then
  for target in evaluate parse_real parse_integer command_line; do
    # New inputs go to a scratch folder; the seeds in the repository are only read.
    work=build/fuzz/work/$target
    mkdir -p "$work" build/fuzz/artifacts
    log=build/fuzz/work/$target.log
    if ! "$fuzz_dir/fuzz_$target" -max_total_time="$fuzz_seconds" -timeout=30 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/artifacts/$target-" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
      tail -n 60 "$log"
      echo "fuzz_$target failed; the input is in build/fuzz/artifacts/," \
        "and $fuzz_dir/fuzz_${target}_replay reproduces it"
      exit 1
    fi
    echo "fuzz_$target: $(grep -E '^#[0-9]+.*DONE' "$log" | tail -n 1)"
  done
else
  echo "libFuzzer is not available with this compiler: fuzz targets skipped"
fi

echo "== memcheck: the end-to-end tests, every vintrel they start under valgrind"
cmake --preset memcheck
cmake --build --preset memcheck
logs=build/memcheck/valgrind
rm -rf "$logs"
mkdir -p "$logs"
failed=0
for test in end_to_end_test hostile_test; do
  # A child that valgrind finds at fault exits with 99, which its test reports as a wrong
  # status; a fault in the test program itself makes it exit with 99 too.
  valgrind --trace-children=yes --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --log-file="$logs/$test.%p.log" "build/memcheck/tests/$test" --gtest_brief=1 || failed=1
done
checked=$( (grep -l 'Command: .*/vintrel' "$logs"/*.log || true) | wc -l)
faulty=$(grep -lE 'ERROR SUMMARY: [1-9]' "$logs"/*.log || true)
if [[ -n $faulty ]]; then
  for log in $faulty; do
    cat "$log"
  done
  failed=1
fi
echo "memcheck: $checked runs of vintrel checked, $(echo -n "$faulty" | grep -c . || true) with errors"
if [[ $checked -eq 0 || $failed -ne 0 ]]; then
  echo "memcheck failed"
  exit 1
fi

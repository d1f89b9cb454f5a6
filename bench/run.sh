#!/usr/bin/env bash
# Builds the Release executable and the floor (a static program that does nothing) and
# prints one table: for each case, the instructions of a whole run of vintrel and of the
# floor under callgrind, their wall-time medians measured in alternating pairs (with the
# ratio of the medians and the median of the ratios within each pair), the peak resident
# memory of each, the write calls of vintrel and the system calls it makes beyond the
# floor's. A last row runs the floor against itself: its ratios show the noise of the
# machine. Then the real-number reader against strtod and std::from_chars.
#
#   bench/run.sh            PAIRS=3000 bench/run.sh   (pairs of runs per case; default 1000)
#
# Needs cmake, g++, valgrind, strace and libbenchmark-dev.
set -euo pipefail
cd "$(dirname "$0")/.."

PAIRS=${PAIRS:-1000}

missing=()
for tool in cmake valgrind strace; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]} > 0)); then
  echo "bench/run.sh: missing ${missing[*]}; on Debian: apt-get install cmake g++ valgrind strace libbenchmark-dev" >&2
  exit 2
fi

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

BUILD=build/bench
VINTREL=$BUILD/vintrel
FLOOR=$BUILD/vintrel_floor
SIDE_BY_SIDE=$BUILD/bench/side_by_side
EXPR=$(command -v expr)
TRACES=$(mktemp -d)
trap 'rm -rf "$TRACES"' EXIT

# Instructions of a whole run, from the exec to the exit. The exit status is the
# program's own (1 when a comparison holds), not a failure.
instructions() {
  local report
  report=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null) || true
  sed -n 's/.*Collected : //p' <<<"$report"
}

# System call names of one run, one per line, in order.
syscalls() {
  strace -f -qq -o "$TRACES/trace" "$@" >/dev/null || true
  sed -E -n 's/^([0-9]+ +)?([a-z_0-9]+)\(.*/\2/p' "$TRACES/trace"
}

# The calls of the first list beyond those of the second, counted: "rt_sigaction write".
extra_syscalls() {
  local extra
  extra=$(diff <(sort <<<"$1") <(sort <<<"$2") | sed -n 's/^< //p' | sort | uniq -c | awk '{print $2 ($1 > 1 ? "x" $1 : "")}' | paste -sd' ' -)
  echo "${extra:-none}"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

printf '| case | instructions vintrel | floor | ratio | wall median vintrel | floor | ratio | median pair ratio | peak RSS vintrel | floor | writes | system calls beyond the floor'"'"'s |\n'
printf '|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|\n'

worst_instructions=0
worst_wall=0
worst_wall_medians=0
worst_memory=-999999
write_goal=met
syscall_goal=met

# row LABEL PROGRAM ARGUMENTS...: measures PROGRAM and the floor with the same arguments.
row() {
  local label=$1 program=$2
  shift 2
  local own floor
  own=$(instructions "$program" "$@")
  floor=$(instructions "$FLOOR" "$@")
  local floor_us own_us medians_ratio wall_ratio floor_kib own_kib
  read -r floor_us own_us medians_ratio wall_ratio floor_kib own_kib < <("$SIDE_BY_SIDE" "$PAIRS" "$FLOOR" "$program" "$@")
  local own_calls floor_calls writes extra
  own_calls=$(syscalls "$program" "$@")
  floor_calls=$(syscalls "$FLOOR" "$@")
  writes=$(grep -c '^write$' <<<"$own_calls" || true)
  extra=$(extra_syscalls "$own_calls" "$floor_calls")
  local instruction_ratio
  instruction_ratio=$(ratio "$own" "$floor")
  printf '| %s | %s | %s | %s | %s µs | %s µs | %s | %s | %s KiB | %s KiB | %s | %s |\n' "$label" "$own" "$floor" \
    "$instruction_ratio" "$own_us" "$floor_us" "$medians_ratio" "$wall_ratio" "$own_kib" "$floor_kib" "$writes" "$extra"
  if [[ $program == "$VINTREL" ]]; then
    worst_instructions=$(awk -v a="$worst_instructions" -v b="$instruction_ratio" 'BEGIN { print (b > a ? b : a) }')
    worst_wall=$(awk -v a="$worst_wall" -v b="$wall_ratio" 'BEGIN { print (b > a ? b : a) }')
    worst_wall_medians=$(awk -v a="$worst_wall_medians" -v b="$medians_ratio" 'BEGIN { print (b > a ? b : a) }')
    worst_memory=$((own_kib - floor_kib > worst_memory ? own_kib - floor_kib : worst_memory))
    [[ $writes == 1 ]] || write_goal="missed"
    [[ $extra == "rt_sigaction write" ]] || syscall_goal="missed ($label: $extra)"
  fi
}

DIGITS_300=$(printf '1234567890%.0s' {1..30})

row '`gt 10 9.5 bigger yes no`' "$VINTREL" gt 10 9.5 bigger yes no
row '`+ 7 5 total`' "$VINTREL" + 7 5 total
row '`roundup 2.5 n`' "$VINTREL" roundup 2.5 n
row '`rounddown 2.5 n`' "$VINTREL" rounddown 2.5 n
row '`round 2.5 n`' "$VINTREL" round 2.5 n
row '`assign a&b=c v`' "$VINTREL" assign 'a&b=c' v
row '`frobnicate 1 2` (error line)' "$VINTREL" frobnicate 1 2
row '`lt <300 digits> 1e300`' "$VINTREL" lt "$DIGITS_300" 1e300
row '`expr 7 + 5` (for comparison)' "$EXPR" 7 + 5
row 'the floor against itself (the noise)' "$FLOOR" + 7 5 total

echo
echo "Pairs per case: $PAIRS. Goals over the vintrel rows:"
awk -v r="$worst_instructions" 'BEGIN { printf "- instructions at most 1.12 x the floor: worst %.3f, %s\n", r, (r <= 1.12 ? "met" : "missed") }'
awk -v r="$worst_wall" -v m="$worst_wall_medians" 'BEGIN {
  printf "- wall time at most 1.05 x the floor: worst median pair ratio %.3f, %s (worst ratio of the medians %.3f)\n",
         r, (r <= 1.05 ? "met" : "missed"), m }'
awk -v d="$worst_memory" 'BEGIN { printf "- peak memory at most the floor + 64 KiB: worst %+d KiB, %s\n", d, (d <= 64 ? "met" : "missed") }'
echo "- exactly one write per run: $write_goal"
echo "- no system call beyond the floor's but rt_sigaction (SIGPIPE): $syscall_goal"

echo
echo "Real-number reader on the same texts, CPU time (median of 5 repetitions):"
"$BUILD/bench/parse_real_bench" --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '$1 ~ /_median"$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      cpu[name] = $4; texts = $NF; order[++n] = name
    }
    END {
      for (i = 1; i <= n; ++i) printf "- %s: %.1f ns per text (%d texts)\n", order[i], cpu[order[i]] / texts, texts
      printf "- parse_real / strtod: %.2f (goal below 1); parse_real / from_chars: %.2f (goal at most 1.5)\n",
             cpu["parse_real"] / cpu["strtod"], cpu["parse_real"] / cpu["from_chars"]
    }'

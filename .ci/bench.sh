#!/usr/bin/env bash
# The benchmarks are not run in CI (their figures need a quiet machine and take minutes);
# this stage only checks that the bench preset still builds, warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libbenchmark-dev >/dev/null

echo "== bench: the floor, side_by_side and parse_real_bench build (not run)"
cmake --preset bench -DVINTREL_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build --preset bench

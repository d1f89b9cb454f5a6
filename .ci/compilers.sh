#!/usr/bin/env bash
# The second compiler: builds and tests the ci preset (warnings as errors) with clang++
# as well; the main stage uses g++.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang >/dev/null
fi

echo "== clang: build and test (warnings as errors) with $(clang++ --version | head -n 1)"
cmake --workflow --preset ci-clang

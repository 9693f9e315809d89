#!/usr/bin/env bash
# Installs what is missing, builds Kovra and runs every test: first the
# normal build, then each fuzz target for a short while on its seeds, then
# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer
# (--quick skips both of those passes).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

run_suite() {  # build-dir, extra cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" > /dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure --no-tests=error -j "$jobs")
}

run_suite build
if [ "${1:-}" != "--quick" ]; then
  bash fuzz/run.sh "${KOVRA_FUZZ_SECONDS:-20}"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite build-asan -DKOVRA_SANITIZE=ON -DKOVRA_BENCH=OFF
fi

#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60) on a
# copy of its seed corpus and the end-to-end tests' files, in a scratch
# directory.
#   fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}; shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_position_file fuzz_script fuzz_sgf)

KOVRA_FUZZ=1 bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVRA_FUZZ=ON -DKOVRA_GUI=OFF -DKOVRA_TESTS=OFF -DKOVRA_BENCH=OFF > /dev/null
cmake --build build-fuzz -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]}"

root=$PWD
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  mkdir -p "$work/corpus"
  cp "$root/fuzz/corpus/$t/"* "$work/corpus/" 2>/dev/null || true
  # The end-to-end scripts, and the position files they read and write, are
  # seeds as they stand.
  case $t in
    fuzz_script) seeds=$(find "$root/tests/e2e" -name '*.script') ;;
    *) seeds=$(find "$root/tests/e2e" "$root/examples" -type f -name '*.txt') ;;
  esac
  n=0
  for f in $seeds; do cp "$f" "$work/corpus/e2e-$((n++))"; done
  echo "== $t for ${seconds}s"
  (cd "$work" && "$root/build-fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$root/build-fuzz/$t-" corpus > "$work/log" 2>&1) || {
    tail -n 60 "$work/log"; echo "$t: FAILED (artifact in build-fuzz/)"; exit 1; }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$work/log" | sed "s/^/$t: /"
  rm -rf "$work"
done

#!/bin/bash
# Speed-up of kovra-solve's worker threads: --all-moves on one problem and a
# batch of problem files, each with -j 1 and -j 2, best of REPEATS runs
# (wall clock), with the load average seen before the runs.
# Usage: bench/parallel.sh [KOVRA_SOLVE] [REPEATS]
set -u
solve=${1:-build/kovra-solve}
repeats=${2:-5}
problems=$(dirname "$0")/problems

# Best wall-clock milliseconds of the command over the repeats.
best_ms() {
    local best=0 start end ms
    for ((r = 0; r < repeats; r++)); do
        start=$(date +%s%N)
        "$@" >/dev/null || return 1
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        if [ "$best" -eq 0 ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best"
}

measure() {
    local name=$1
    shift
    local one two
    one=$(best_ms "$solve" -j 1 "$@") || { echo "$name: kovra-solve failed"; return; }
    two=$(best_ms "$solve" -j 2 "$@") || { echo "$name: kovra-solve failed"; return; }
    printf '%-34s %8d %8d %8s\n' "$name" "$one" "$two" "$(echo "scale=2; $one / $two" | bc)"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %8s %8s %8s\n' "case" "-j 1 ms" "-j 2 ms" "speed-up"
measure "all-moves edge-13 kill" --all-moves "$problems/edge-13.txt"
measure "all-moves corner-13 live" --all-moves --live "$problems/corner-13.txt"
measure "batch of 9 files, kill" "$problems"/*.txt
measure "batch of 9 files, live" --live "$problems"/*.txt
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

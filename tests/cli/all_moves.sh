#!/bin/bash
# kovra-solve --all-moves on the examples, both commands: the expected lines
# (one solution, two, none, a pass, ko as the best, a missing file, SGF
# problems with their points in the file's letters too, one answered by
# its second reading), the same output with one worker and with two, and
# the refused worker counts.
# Usage: all_moves.sh KOVRA_SOLVE EXAMPLES_DIR EXPECTED
set -u
solve=$1 examples=$2 expected=$3
cd "$examples" || exit 1
run() {
    "$solve" "$@" --all-moves corner-bent-three.txt second-line-seven.txt \
        second-line-eight.txt corner-bent-four.txt missing.txt plain-bent-three.sgf \
        plain-edge-ko.sgf
    echo "exit $?"
    "$solve" "$@" --all-moves --live corner-bent-three.txt ko-retake.txt
}
out1=$(run -j 1) out2=$(run -j2)
failed=0
[ "$out1" == "$(cat "$expected")" ] || { echo "FAIL: -j 1 output differs"; diff <(echo "$out1") "$expected"; failed=1; }
[ "$out1" == "$out2" ] || { echo "FAIL: -j 2 output differs from -j 1"; diff <(echo "$out1") <(echo "$out2"); failed=1; }
for bad in "-j 0" "-j 65" "-j x" "-j"; do
    $solve $bad corner-bent-three.txt >/dev/null 2>&1
    [ $? -eq 2 ] || { echo "FAIL: $bad is not refused"; failed=1; }
done
exit $failed

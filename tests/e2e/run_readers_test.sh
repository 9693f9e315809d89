#!/bin/bash
# kovra-solve's choice of reader and the ways a problem is named: a position
# file past the table's 15 candidates goes to the wide reader, --reader
# chooses, a posed problem's second reading, standard input, one problem of
# a collection, a directory.
# Usage: run_readers_test.sh KOVRA_SOLVE EXAMPLES_DIR
set -u
solve=$1 examples=$2
cd "$examples" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# check NAME EXPECTED_STATUS EXPECTED_STDOUT COMMAND...
check() {
    local name=$1 rc=$2 want=$3; shift 3
    local got
    got=$("$@" 2>/dev/null); local status=$?
    [ "$status" -eq "$rc" ] || fail "$name: exit status $status, expected $rc"
    [ "$got" == "$want" ] || fail "$name: got [$got], expected [$want]"
}

check sixteen_wide 0 "corner-eye-sixteen.txt: life=131139/1125252" \
    "$solve" corner-eye-sixteen.txt
check sixteen_table 1 "corner-eye-sixteen.txt: error: 16 candidate points; the table reader holds 15" \
    "$solve" --reader table corner-eye-sixteen.txt
check table_default 0 "corner-bent-four.txt: koh=26/52" "$solve" corner-bent-four.txt
# The first moves read alone after the whole reading, on the table it
# filled: the same counters with one worker or two.
for jobs in 1 2; do
    check wide_ko_j$jobs 0 "corner-bent-four.txt: koh=31/82
  (1,1) life=2/2
  (1,2) koh=2/2
  (1,3) life=2/2
  (2,1) life=2/2
unique: (1,2)" "$solve" --reader wide --all-moves -j $jobs corner-bent-four.txt
done
check stdin_position 0 "-: death=5/10" sh -c "'$solve' - <corner-bent-three.txt"
check stdin_sgf 0 "-#1: death=5/10
-#2: life=2/4
-#3: life=0/0" sh -c "'$solve' - <bent-three-collection.sgf"
check six_targets_table 1 "bent-three-collection.sgf#3: error: 6 targets (at most 5)" \
    "$solve" --reader table bent-three-collection.sgf#3
check one_of_many 0 "bent-three-collection.sgf#2: life=2/4" "$solve" bent-three-collection.sgf#2
check none_such 1 "bent-three-collection.sgf#7: error: no problem 7 (the file holds 3)" \
    "$solve" bent-three-collection.sgf#7
check directory 1 ".: error: Is a directory" "$solve" .
# A collection's answers: one file each in a directory (named from GN),
# never one file taking each problem in turn.
out=$(mktemp -d "${TMPDIR:-/tmp}/kovra_out_XXXXXX") || exit 1
trap 'rm -rf "$out"' EXIT
"$solve" --sgf-out "$out/answers/" --svg "$out/answers/" bent-three-collection.sgf >/dev/null 2>&1 ||
    fail "collection into a directory: exit status $?"
for name in Bent_three__Black_first Bent_three__White_first Too_many_targets; do
    grep -q "GN\[" "$out/answers/$name.sgf" 2>/dev/null || fail "no $name.sgf written"
    grep -q "<svg" "$out/answers/$name.svg" 2>/dev/null || fail "no $name.svg written"
done
grep -q "PL\[W\]" "$out/answers/Bent_three__White_first.sgf" || fail "answers written to the wrong names"
"$solve" --sgf-out "$out/one.sgf" bent-three-collection.sgf >/dev/null 2>&1
[ $? -eq 2 ] && [ ! -e "$out/one.sgf" ] || fail "a collection into one file is not refused"
"$solve" --sgf-out "$out/one.sgf" bent-three-collection.sgf#2 >/dev/null 2>&1 && [ -s "$out/one.sgf" ] ||
    fail "one problem of a collection into one file"
# A posed problem whose side to play fails or only wins a ko is read again
# by the wide reader with more room: it answers when it does better (here
# Go's rules kill where the table reader's own call it a ko), and the first
# answer stands when it does not. --reader table reads the posed problem only.
check second_reading 0 "plain-edge-ko.sgf: death=117/335" "$solve" plain-edge-ko.sgf
check second_reading_table 0 "plain-edge-ko.sgf: koh=265/559" "$solve" --reader table plain-edge-ko.sgf
# Black lives only by taking White's eb, which the posing counts as frame:
# the try with a ring more and the weak frame open to capture answers.
echo '(;FF[4]SZ[19]PL[B]AB[ba][bb][ac][bc][bd][cd][dd][ed]AW[cb][eb][cc][fc][ad][fd][ae][be][ce][de][ee])' \
    >"$out/weak-frame.sgf"
check second_reading_weak_frame 0 "$out/weak-frame.sgf: life=2862/17548" "$solve" "$out/weak-frame.sgf"
echo '(;FF[4]SZ[19]PL[W]AB[pa][pb][pc][qc][qd][rd][sd][sa]AW[qa][qb][rb][rc][sc])' >"$out/dead.sgf"
check second_reading_no_better 0 "$out/dead.sgf: death=5/10" "$solve" "$out/dead.sgf"
for bad in "--reader" "--reader tables" "--memory 0" "--memory x" "--memory 2000000"; do
    $solve $bad corner-bent-three.txt >/dev/null 2>&1
    [ $? -eq 2 ] || fail "$bad is not refused"
done
exit $failed

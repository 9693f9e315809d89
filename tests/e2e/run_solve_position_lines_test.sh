#!/bin/bash
# Position files with lines that mean nothing: a target on an empty point or
# on a black stone is refused with its line number; lines that nothing is
# read from are named on standard error, and the file is read as before.
# Usage: run_solve_position_lines_test.sh KOVRA_SOLVE EXAMPLES_DIR
set -u
solve=$1 examples=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_solve_lines_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# The example's target (line 16) is the white stone at row 2, column 2.
original=$examples/corner-bent-three.txt
[ "$(sed -n 16p "$original")" = 'x  2  2' ] || { echo "FAIL: the example changed"; exit 1; }

# check NAME FILE_TEXT STDOUT STDERR: one run on the file, exit status 1
# when the line says error, else 0.
check() {
    local name=$1 text=$2 stdout=$3 stderr=$4
    printf '%s\n' "$text" >"$name.txt"
    "$solve" "$name.txt" >out 2>err
    local rc=$? expected_rc=0
    case "$stdout" in *': error: '*) expected_rc=1 ;; esac
    [ "$rc" -eq "$expected_rc" ] || fail "$name: exit status $rc"
    [ "$(cat out)" = "$stdout" ] || fail "$name: standard output: $(cat out)"
    [ "$(cat err)" = "$stderr" ] || fail "$name: standard error: $(cat err)"
}

body=$(sed 16d "$original")
check empty_point "$body
x  1  1" 'empty_point.txt: error: line 16: target on an empty point' ''
check black_stone "$body
x  1  4" 'black_stone.txt: error: line 16: target on a black stone' ''
# A pass line as Save writes it (a blank letter) is read and means nothing.
check skipped_lines "hello
$(sed -n 1p "$original")
   0  0
$(sed 1d "$original")
q  1  1
b 12  1
f  3  4 5" 'skipped_lines.txt: death=5/10' 'skipped_lines.txt: line 1: not a record
skipped_lines.txt: line 19: unknown record
skipped_lines.txt: line 20: off the board
skipped_lines.txt: line 21: not a record'

[ $failed -eq 0 ] && echo ok
exit $failed

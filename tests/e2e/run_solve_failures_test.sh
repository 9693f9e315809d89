#!/bin/bash
# kovra-solve where output is lost, input never ends or would keep it
# waiting, memory runs out, an output would overwrite an input or another
# output, a read is stopped, and a stop signal comes while it waits.
# Usage: run_solve_failures_test.sh KOVRA_SOLVE EXAMPLES_DIR LONG_PROBLEM MEDIUM_PROBLEM
set -u
solve=$1 examples=$2 long=$3 medium=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_solve_failures_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
cp "$examples/corner-bent-three.txt" p.txt
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# expect NAME RC STDERR_PATTERN COMMAND...: the exit status and a line of standard error.
expect() {
    local name=$1 rc=$2 pattern=$3; shift 3
    "$@" >out 2>err; local got=$?
    [ "$got" -eq "$rc" ] || fail "$name: exit status $got, expected $rc"
    [ -z "$pattern" ] || grep -q -- "$pattern" err || fail "$name: no '$pattern' on standard error: $(cat err)"
}

# Lost output: the verdict still comes, one note on standard error says
# what was lost, and the run fails.
expect trace_full 1 'cannot write the trace file' "$solve" --trace /dev/full p.txt
grep -qx 'p.txt: death=5/10' out || fail "trace_full: verdict missing"
expect trace_not_created 1 'nodir/db.txt: cannot create the trace file' "$solve" --trace nodir/db.txt p.txt
grep -qx 'p.txt: death=5/10' out || fail "trace_not_created: verdict missing"
[ "$(grep -c 'trace file' err)" -eq 1 ] || fail "trace_not_created: $(cat err)"
expect stdout_full 1 'cannot write the output' sh -c "'$solve' p.txt >/dev/full"
# Endless input ends at once (a time limit guards the test itself).
expect dev_zero 1 '' timeout 10 "$solve" /dev/zero
grep -qx '/dev/zero: error: no target stones' out || fail "dev_zero: $(cat out)"
# The trace would overwrite an input, under another name too.
ln -s p.txt q.txt
expect trace_input 2 'error: the trace file is also an input' "$solve" --trace q.txt p.txt
[ "$(cat p.txt)" = "$(cat "$examples/corner-bent-three.txt")" ] || fail "trace_input: input changed"
expect svg_input 2 'error: the output file is also an input' "$solve" --svg q.txt p.txt
[ "$(cat p.txt)" = "$(cat "$examples/corner-bent-three.txt")" ] || fail "svg_input: input changed"
# Out of memory (a sanitized build cannot start under a memory limit at all).
if ! ldd "$solve" | grep -q 'libasan'; then
    expect no_memory 2 'kovra-solve: out of memory' sh -c "ulimit -v 16384; exec '$solve' p.txt"
    # A collection is read one problem at a time: 300,000 empty game trees
    # (900 kB) fit in 200 MB, which holding them all would take many times over.
    head -c 900000 /dev/zero | tr '\0' '.' | sed 's/.../(;)/g' >empty.sgf
    expect collection_memory 1 '' sh -c "ulimit -v 204800; exec '$solve' -j 1 empty.sgf"
    [ "$(wc -l <out)" -eq 300000 ] || fail "collection_memory: $(wc -l <out) lines, $(tail -1 err)"
    rm empty.sgf
fi

# Stopped reads keep the previous trace and leave no temporary file.
echo old >db.txt
expect timeout 1 '' "$solve" --timeout 0.05 "$long" p.txt
grep -qx "$long: cancelled" out || fail "timeout: $(cat out)"
grep -qx 'p.txt: death=5/10' out || fail "timeout: the next file was not solved"
expect timeout_trace 1 '' "$solve" --timeout 0.05 --trace db.txt "$long"
[ "$(cat db.txt)" = old ] || fail "timeout: the old trace was not kept"
"$solve" --trace db.txt "$long" >out 2>err & pid=$!
sleep 0.2
kill -INT $pid
wait $pid; rc=$?
[ "$rc" -eq 130 ] || fail "sigint: exit status $rc"
grep -qx "$long: cancelled" out || fail "sigint: $(cat out)"
[ "$(cat db.txt)" = old ] || fail "sigint: the old trace was not kept"
[ "$(ls)" = "$(printf 'db.txt\nerr\nout\np.txt\nq.txt')" ] || fail "files left: $(ls | tr '\n' ' ')"
expect trace_kept 0 '' "$solve" --trace db.txt p.txt
[ "$(head -c 3 db.txt)" != old ] || fail "trace not written"

# A time limit too large for the clock to count is no limit (the reading
# must last past its first look at the clock, after 4096 positions).
for limit in 1e10 inf 1e300; do
    expect "timeout_$limit" 0 '' "$solve" --timeout "$limit" "$medium"
    grep -qx "$medium: life=15043/34413" out || fail "timeout $limit: $(cat out)"
done
# The help text lost is lost output.
expect help_full 1 'cannot write the output' sh -c "'$solve' --help >/dev/full"
# Two outputs in one file, or in the file standard output goes to, are
# refused before anything is read; devices take several.
expect same_outputs 2 'error: --sgf-out and --svg name the same file' \
    "$solve" --sgf-out o.sgf --svg ./o.sgf p.txt
expect trace_and_svg 2 'error: --trace and --svg name the same file' \
    "$solve" --trace db.txt --svg "$PWD/db.txt" p.txt
[ ! -e o.sgf ] || fail "same_outputs: o.sgf was written"
expect output_on_stdout 2 'error: --svg writes the file of standard output' \
    sh -c "'$solve' --svg o.txt p.txt >o.txt"
expect devices_shared 0 '' "$solve" --sgf-out /dev/null --svg /dev/null p.txt

# Nothing waits on a pipe made by mkfifo: as an input it is refused at once,
# as an output before anything is read (a time limit guards the test; it
# kills, as a program stuck in an open may take no other signal).
mkfifo ff ff.sgf
expect pipe_input 1 '' timeout -s KILL 10 "$solve" ff ff.sgf p.txt
grep -qx 'ff: error: cannot open: a pipe' out || fail "pipe_input: $(cat out)"
grep -qx 'ff.sgf: error: cannot open: a pipe' out || fail "pipe_input: $(cat out)"
grep -qx 'p.txt: death=5/10' out || fail "pipe_input: the next file was not solved"
for option in --trace --sgf-out --svg; do
    expect "pipe_output$option" 2 "error: $option ff is a pipe" \
        timeout -s KILL 10 "$solve" "$option" ff p.txt
done

# A stop signal ends the program whatever it waits on: here a write to
# standard output, a pipe that nobody reads and that --pose of a large
# collection fills. The time limit (which passes the signal on) kills the
# program should it never end.
for i in $(seq 300); do cat "$examples/plain-bent-three.sgf"; done >many.sgf
exec 3<>ff  # the pipe's reader, which never reads
for signal in INT:130 TERM:143; do
    timeout -s KILL 10 "$solve" --pose many.sgf >ff 2>err & pid=$!
    sleep 0.2
    kill -"${signal%:*}" $pid
    wait $pid; rc=$?
    [ "$rc" -eq "${signal#*:}" ] || fail "SIG${signal%:*} while blocked: exit status $rc"
done
exec 3<&-

[ $failed -eq 0 ] && echo ok
exit $failed

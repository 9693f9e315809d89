#!/bin/bash
# A solver run where "db.txt" cannot be created (a directory stands there,
# which stops root too): the verdict and the summary come as usual, one line
# on standard error and the status bar say that the trace was not written,
# and the script fails (exit status 1) as its trace is lost.
# Usage: run_no_trace_test.sh KOVRA SCRIPT
set -u
kovra=$1 script=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_e2e_no_trace_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir db.txt || exit 1
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$kovra" --script "$script" \
    >"$work/.stdout" 2>"$work/.stderr"
rc=$?
failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ "$rc" -eq 1 ] || fail "exit status $rc"
grep -qx 'status: death=5/10' "$work/.stderr" || fail "no verdict in the status bar"
[ "$(grep '^status: ' "$work/.stderr" | tail -1)" = 'status: db.txt could not be written' ] ||
    fail "the status bar does not say that db.txt was lost"
[ "$(cat "$work/.stdout")" = "         5/10result = 9------------" ] || fail "summary: $(cat "$work/.stdout")"
notes=$(grep -v -E '^(status|msgbox|state|script): ' "$work/.stderr" | grep -c 'db.txt')
[ "$notes" -eq 1 ] || fail "$notes lines about db.txt on standard error"
grep 'db.txt' "$work/.stderr" | grep -q 'trace' || fail "the line does not mention the trace"
[ -d db.txt ] && [ -z "$(ls -A db.txt)" ] || fail "db.txt was changed"

[ $failed -eq 0 ] && echo "ok"
exit $failed

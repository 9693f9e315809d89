#!/bin/bash
# Scripts that cannot be read, endless ones, a snapshot that cannot be
# written, and a script read from standard input.
# Usage: run_unreadable_test.sh KOVRA
set -u
kovra=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_e2e_unreadable_XXXXXX") || exit 1
errors=$(mktemp) || exit 1
trap 'rm -rf "$work" "$errors"' EXIT
cd "$work" || exit 1
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$kovra" "$@"; }
failed=0

for script in "$work/no-such.script" "$work"; do
    report=$(run --script "$script" 2>&1 >/dev/null | grep '^script: ')
    rc=$?
    run --script "$script" >/dev/null 2>&1
    rc=$?
    [ "$rc" -eq 2 ] || { echo "FAIL: exit status $rc for $script"; failed=1; }
    [ "$report" = "script: cannot open $script" ] || { echo "FAIL: got '$report'"; failed=1; }
done

# Standard input: the same events, and no position file appears uninvited.
report=$(printf 'menu BlackS\nat 1 1\nstate\n' | run --script - 2>&1 >/dev/null | grep -E '^(status|state): ')
expected="status: Welcome to Quillmere
status: put B stones
state: mode='b' hist=1 base=0 moves=0 black=0 white=0 targets=0 groups=0 ready=0 exhaust=1 result=0 side=' ' refused=0 ply=0 file=movesx.txt"
[ "$report" = "$expected" ] || { echo "FAIL: standard input script gave:"; echo "$report"; failed=1; }
[ -z "$(ls -A "$work")" ] || { echo "FAIL: files were written: $(ls -A "$work")"; failed=1; }

# Endless input: a line past the limit, or an endless stream of non-events,
# stops at once with exit 2 (a time limit guards the test itself).
check() {  # NAME EXPECTED_REPORT COMMAND...
    local name=$1 expected=$2; shift 2
    "$@" >/dev/null 2>"$errors"
    rc=$?
    report=$(grep '^script: ' "$errors")
    [ "$rc" -eq 2 ] || { echo "FAIL: $name: exit status $rc"; failed=1; }
    [ "$report" = "$expected" ] || { echo "FAIL: $name: got '$report'"; failed=1; }
}
check dev_zero 'script: line 1: longer than 4096 characters' timeout 20 env QT_QPA_PLATFORM=offscreen "$kovra" --script /dev/zero
check yes 'script: line 1: unknown event: y' sh -c "yes | timeout 20 env QT_QPA_PLATFORM=offscreen '$kovra' --script -"
# A snapshot on a full disk fails and leaves no file claiming success.
check snapshot_full 'script: line 1: cannot write: /dev/full' sh -c "echo 'snapshot /dev/full' | QT_QPA_PLATFORM=offscreen '$kovra' --script -"
[ -z "$(ls -A "$work")" ] || { echo "FAIL: files were written: $(ls -A "$work")"; failed=1; }

[ $failed -eq 0 ] && echo "ok"
exit $failed

#!/bin/bash
# The window with files that are not what they seem: a position file that is
# a named pipe (Restore says "file not opened" at once and keeps the
# position), db.txt as a pipe (the trace is lost, and said to be), files
# named at start that are no problem file (each says why),
# a script that a snapshot would overwrite, and reports that are lost.
# A time limit guards every run, so a wait that never ends fails the test.
# Usage: run_window_files_test.sh KOVRA DEMO_SCRIPT
set -u
kovra=$1 demo=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_e2e_window_files_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 20 "$kovra" "$@"; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }
reports() { grep -aE '^(status|state|script|kovra): ' "$1"; }

# Restore from a named pipe.
mkfifo movesx.txt
printf 'menu BlackS\nat 1 1\nmenu Restore\nstate\n' >restore.script
run --script restore.script >/dev/null 2>err
rc=$?
[ "$rc" -eq 0 ] || fail "restore: exit status $rc"
[ "$(reports err | tail -2)" = "status: file not opened
state: mode='b' hist=1 base=0 moves=0 black=0 white=0 targets=0 groups=0 ready=0 exhaust=1 result=0 side=' ' refused=0 ply=0 file=movesx.txt" ] ||
    fail "restore: $(reports err)"
rm movesx.txt

# A db.txt that is a pipe is not created, and not waited on: the verdict
# comes, the status bar says the trace was lost, and the script fails.
mkfifo db.txt
run --script "$demo" >/dev/null 2>err
rc=$?
[ "$rc" -eq 1 ] || fail "db.txt pipe: exit status $rc"
grep -aq '^db.txt: cannot create the trace file' err || fail "db.txt pipe: no note on standard error"
reports err | grep -qx 'status: db.txt could not be written' || fail "db.txt pipe: $(reports err)"
rm db.txt

# Files named at start that are not opened, each with its reason, on
# standard error and in the status bar; the window goes on.
: >empty.script
echo 'b  1  1' >notes.txt
mkdir folder
mkfifo pipe pipe.sgf
for case in 'notes.txt:not an SGF file (.sgf)' 'folder:a directory' \
            '/dev/zero:not an SGF file (.sgf)' 'pipe:a pipe' 'pipe.sgf:a pipe'; do
    file=${case%%:*} why=${case#*:}
    run --script empty.script "$file" >/dev/null 2>err
    rc=$?
    [ "$rc" -eq 0 ] || fail "$file: exit status $rc"
    [ "$(reports err)" = "status: Welcome to Quillmere
kovra: $file: not opened: $why
status: $(basename "$file"): not opened: $why" ] || fail "$file: $(reports err)"
done

# A snapshot over the script being played, named or on standard input.
echo 'snapshot self.script' >self.script
cp self.script expected.script
run --script self.script >/dev/null 2>err
rc=$?
[ "$rc" -eq 2 ] || fail "self: exit status $rc"
[ "$(reports err | tail -1)" = 'script: line 1: the output file is also an input: self.script' ] ||
    fail "self: $(reports err)"
run --script - <self.script >/dev/null 2>err
[ "$(reports err | tail -1)" = 'script: line 1: the output file is also an input: self.script' ] ||
    fail "self on standard input: $(reports err)"
cmp -s self.script expected.script || fail "the script was overwritten"

# Reports lost on standard error, or the solver's prints on standard output.
run --script restore.script >/dev/null 2>/dev/full
rc=$?
[ "$rc" -eq 1 ] || fail "standard error lost: exit status $rc"
run --script "$demo" >/dev/full 2>/dev/null
rc=$?
[ "$rc" -eq 1 ] || fail "standard output lost: exit status $rc"

[ $failed -eq 0 ] && echo ok
exit $failed

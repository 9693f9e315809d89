#!/bin/bash
# Plays one script in an empty working directory and compares what came out
# with the expectations next to it:
#   NAME.stdout   standard output, byte for byte
#   NAME.stderr   the report lines of standard error, in order
#   NAME.files/   files that must exist afterwards with exactly this content
#   NAME.in/      (optional) files copied into the working directory first
#   NAME.rc       (optional) the exit status, 0 when absent
#   NAME.absent   (optional) names that must not exist afterwards
#   NAME.pixels   (optional) pixel checks of the snapshots (kovra_pixel_check)
# Usage: run_script_test.sh KOVRA PIXEL_CHECK DIR NAME
set -u
kovra=$1 pixel_check=$2 dir=$3 name=$4
base=$dir/$name
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_e2e_${name}_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $name: $*"; failed=1; }

if [ -d "$base.in" ]; then
    cp -r "$base.in/." "$work/" || exit 1
fi
# Always off screen, whatever display the test runs under.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    "$kovra" --script "$base.script" >"$work/.stdout" 2>"$work/.stderr")
rc=$?
expected_rc=0
[ -f "$base.rc" ] && expected_rc=$(cat "$base.rc")
[ "$rc" -eq "$expected_rc" ] || fail "exit status $rc, expected $expected_rc"

cmp -s "$work/.stdout" "$base.stdout" || {
    fail "standard output differs"
    diff "$base.stdout" "$work/.stdout" | head -20
}

# The report lines: messages, state lines, and the 11 grid lines after a
# board or groups header; toolkit warnings are left out.
awk '
    grid > 0 { print; grid--; next }
    /^(board|groups):$/ { print; grid = 11; next }
    /^(status|msgbox|state|script): / { print }
' "$work/.stderr" >"$work/.report"
cmp -s "$work/.report" "$base.stderr" || {
    fail "report lines differ (expected < > got)"
    diff "$base.stderr" "$work/.report" | head -40
}

if [ -d "$base.files" ]; then
    for expected in "$base.files"/*; do
        [ -e "$expected" ] || continue
        file=$(basename "$expected")
        if [ ! -f "$work/$file" ]; then
            fail "missing file $file"
        elif ! cmp -s "$expected" "$work/$file"; then
            fail "file $file differs"
            diff "$expected" "$work/$file" | head -20
        fi
    done
fi

if [ -f "$base.absent" ]; then
    while read -r file; do
        [ -n "$file" ] && [ -e "$work/$file" ] && fail "$file should not exist"
    done <"$base.absent"
fi

if [ -f "$base.pixels" ]; then
    "$pixel_check" "$base.pixels" "$work" || fail "pixel checks"
fi

[ $failed -eq 0 ] && echo "ok: $name"
exit $failed

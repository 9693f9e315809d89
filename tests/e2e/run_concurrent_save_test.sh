#!/bin/bash
# Two programs save different positions to movesx.txt 200 times each while
# the file is read over and over: every read must show one whole position.
# Usage: run_concurrent_save_test.sh KOVRA
set -u
kovra=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_e2e_saves_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# A: one black stone; B: a longer position, so that a torn file shows.
{ echo "menu BlackS"; echo "at 1 1"; for i in $(seq 200); do echo "menu Save"; done; } >a.script
{ echo "menu WhiteS"; for c in 1 2 3 4 5 6 7 8 9; do echo "at $c 5"; done
  for i in $(seq 200); do echo "menu Save"; done; } >b.script
a='b  1  1'
b=$(for c in 1 2 3 4 5 6 7 8 9; do printf 'w  5  %d\n' "$c"; done)
export QT_QPA_PLATFORM=offscreen
"$kovra" --script a.script 2>a.err & pa=$!
"$kovra" --script b.script 2>b.err & pb=$!
reads=0 torn=0
while kill -0 "$pa" 2>/dev/null || kill -0 "$pb" 2>/dev/null; do
    if [ -e movesx.txt ]; then
        text=$(cat movesx.txt)
        reads=$((reads + 1))
        if [ "$text" != "$a" ] && [ "$text" != "$b" ]; then
            torn=$((torn + 1))
            echo "torn read: $(printf '%s' "$text" | head -c 80 | tr '\n' '|')"
        fi
    fi
done
wait "$pa"; ra=$?
wait "$pb"; rb=$?
failed=0
[ "$ra" -eq 0 ] && [ "$rb" -eq 0 ] || { echo "FAIL: exit status $ra/$rb"; failed=1; }
grep -q 'file not opened' a.err b.err && { echo "FAIL: a save failed"; failed=1; }
[ "$torn" -eq 0 ] || { echo "FAIL: $torn torn reads of $reads"; failed=1; }
text=$(cat movesx.txt)
[ "$text" = "$a" ] || [ "$text" = "$b" ] || { echo "FAIL: final file is neither"; failed=1; }
leftover=$(ls | grep -c '^movesx\.txt\.')
[ "$leftover" -eq 0 ] || { echo "FAIL: $leftover temporary files left"; failed=1; }
[ $failed -eq 0 ] && echo "ok: $reads reads"
exit $failed

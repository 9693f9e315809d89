#!/bin/bash
# kovra-solve with SGF: every example problem solved from its position file
# and from the SGF written for it gives the same verdict; collections, broken
# files, --kill, the wrong first moves --all-moves adds to the written
# tree (a second solution is none of them), the goproblems style, the SVG
# diagram (well-formed XML) and bad option values.
# Usage: run_sgf_cli_test.sh KOVRA_SOLVE EXAMPLES_DIR
set -u
solve=$1 examples=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_sgf_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
expect() {  # expect WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
}

for file in "$examples"/*.txt; do
    for mode in --kill --live; do
        want=$("$solve" $mode --sgf-out rt.sgf "$file" | sed 's/^.*: //')
        [ -n "$want" ] || fail "no verdict for $file"
        got=$("$solve" $mode rt.sgf | sed 's/^.*: //')
        expect "round trip $(basename "$file") $mode" "$want" "$got"
        # the written file's own PL gives the same command
        got=$("$solve" rt.sgf | sed 's/^.*: //')
        expect "PL of $(basename "$file") $mode" "$want" "$got"
    done
done

"$solve" --sgf-out one.sgf "$examples/corner-bent-three.txt" >/dev/null
sed 's/PL\[B\]/PL[W]/' one.sgf >live.sgf
{ cat one.sgf live.sgf; echo '(;SZ[20])'; } >c.SGF
printf '(;AB[aa]\n(;B[bb]' >bad.sgf
out=$("$solve" c.SGF bad.sgf; echo "rc=$?")
expect collection "c.SGF#1: death=5/10
c.SGF#2: life=2/4
c.SGF#3: error: SZ: board size '20' (at most 19)
bad.sgf: error: byte 16: expected ')'
rc=1" "$out"
expect "--kill over PL[W]" "live.sgf: death=5/10" "$("$solve" --kill live.sgf)"
"$solve" --sgf-out x.sgf c.SGF >/dev/null 2>&1
expect "--sgf-out FILE on a collection is refused" 2 $?

# --all-moves adds each wrong first move with its refutation, the pass too;
# the tree limit caps it all; without --all-moves the tree is as before.
tree() {  # the written tree: what follows the root comment
    "$solve" "$@" --sgf-out t.sgf "$examples/corner-bent-three.txt" >/dev/null
    local text=$(cat t.sgf)
    text=${text#*.]}
    echo "${text#$'\n'}"
}
bent="(;B[aa]
(;W[ba];B[ab]C[Correct])
(;W[ab];B[ba]C[Correct]))"
expect "tree without --all-moves" "${bent#(}" "$(tree)"
expect "--all-moves tree" "$bent
(;B[ba]C[Wrong: (1,2) life=2/4];W[aa]C[Wrong])
(;B[ab]C[Wrong: (2,1) life=2/4];W[aa]C[Wrong]))" "$(tree --all-moves -j 2)"
expect "--all-moves read back" "t.sgf: death=5/10" "$("$solve" t.sgf)"
expect "--all-moves tree limit" "$bent
(;B[ba]C[Wrong: (1,2) life=2/4
Cut by the tree limit.]))" "$(tree --all-moves --tree-limit 6)"
grep -q 'stops at 6 moves' t.sgf || fail "no tree limit note"
expect "--all-moves --live" "(;W[aa]C[Correct])
(;W[ba]C[Wrong: (1,2) death=3/5];B[aa];W[ab];B[aa]C[Wrong])
(;W[ab]C[Wrong: (2,1) death=3/5];B[aa];W[ba];B[aa]C[Wrong])
(;W[]C[Wrong: pass death=7/12];B[aa]
(;W[ba];B[ab]C[Wrong])
(;W[ab];B[ba]C[Wrong])))" "$(tree --all-moves --live -j 1)"

# Two first moves kill the seven stones: the second is no wrong move.
"$solve" --all-moves --sgf-out seven.sgf "$examples/second-line-seven.txt" >/dev/null
grep -q 'C\[Wrong: (1,8)' seven.sgf && fail "--all-moves writes the second solution as Wrong"
expect "goproblems style" ";B[aa]
(;W[ba];B[ab]C[RIGHT])
(;W[ab];B[ba]C[RIGHT]))" "$(tree --sgf-style goproblems)"

"$solve" --svg d.svg one.sgf >/dev/null || fail "--svg"
xmllint --noout d.svg || fail "the SVG is no well-formed XML"
grep -q '<title>Black D11</title>' d.svg || fail "the SVG names no stone"
grep -q '>f</text>' d.svg && fail "candidates drawn without --svg-candidates"
"$solve" --svg d.svg --svg-candidates one.sgf >/dev/null
grep -q '>f</text>' d.svg || fail "--svg-candidates draws no candidates"

for args in "--tree-limit x one.sgf" "--tree-limit" "--kill --live one.sgf" "--svg a --svg b one.sgf one.sgf" "--sgf-style x one.sgf"; do
    "$solve" $args >/dev/null 2>&1
    expect "exit status of $args" 2 $?
done

[ $failed -eq 0 ] && echo "ok: kovra-solve SGF"
exit $failed

#!/bin/bash
# Runs every example of the README as written: a block indented by four
# spaces whose first line starts with "$ build/". Each "$ " line is a
# command, run by bash in a scratch folder where build/ and examples/ are
# the project's; the lines up to the next command are its standard output,
# where a line "..." stands for any number of lines.
# Usage: run_readme_test.sh README BUILD_DIR EXAMPLES_DIR
set -u
readme=$1 build=$2 examples=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/kovra_readme_XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
ln -s "$build" "$work/build" && ln -s "$examples" "$work/examples" || exit 1
failed=0 ran=0

# The examples, one line each: "C<TAB>command", "O<TAB>output line", "E" at
# the end of each block.
extract() {
    awk '
        function flush() { if (inblock) print "E"; inblock = 0 }
        /^    / {
            line = substr($0, 5)
            if (!inblock && prev_blank && line ~ /^\$ build\//) inblock = 1
            if (inblock) {
                if (line ~ /^\$ /) print "C\t" substr(line, 3); else print "O\t" line
            }
            prev_blank = 0
            next
        }
        /^$/ { prev_blank = 1; next }
        { flush(); prev_blank = 0 }
        END { flush() }
    ' "$1"
}

# matches EXPECTED_FILE ACTUAL_FILE: the expected lines, "..." any lines.
matches() {
    awk -v expected="$1" '
        BEGIN { while ((getline l < expected) > 0) e[++n] = l }
        { a[++m] = $0 }
        # expected lines from i on against actual lines from j on
        function match_at(i, j,    k) {
            if (i > n) return j > m
            if (e[i] == "...") {
                for (k = j; k <= m + 1; k++)
                    if (match_at(i + 1, k)) return 1
                return 0
            }
            return j <= m && e[i] == a[j] && match_at(i + 1, j + 1)
        }
        END { exit match_at(1, 1) ? 0 : 1 }
    ' "$2"
}

run_command() {  # runs $command, compares with $work/.expected
    [ -n "$command" ] || return
    ran=$((ran + 1))
    (cd "$work" && bash -c "$command") >"$work/.actual" 2>"$work/.stderr"
    if ! matches "$work/.expected" "$work/.actual"; then
        echo "FAIL: \$ $command"
        diff "$work/.expected" "$work/.actual" | head -20
        failed=1
    fi
    command=
    : >"$work/.expected"
}

command=
: >"$work/.expected"
while IFS= read -r line; do
    case $line in
    C$'\t'*) run_command; command=${line#C$'\t'} ;;
    O$'\t'*) printf '%s\n' "${line#O$'\t'}" >>"$work/.expected" ;;
    E) run_command ;;
    esac
done < <(extract "$readme")

[ $ran -gt 0 ] || { echo "FAIL: no example found"; exit 1; }
[ $failed -eq 0 ] && echo "ok: $ran README commands"
exit $failed

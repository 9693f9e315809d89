#!/usr/bin/env python3
"""Turns problem files in JSON ({"AB": [...], "AW": [...], "SZ": "19",
"C": "...", "SOL": [["B", "ba", ...], ...]}) into one SGF collection for
kovra-sgf-measure: each correct first move becomes a variation marked
C[Correct], the first of them the main line.

    bench/json_to_sgf.py OUT.sgf Prob0001.json Prob0009.json ...
"""
import json
import sys


def tree(path):
    with open(path, encoding="utf-8") as f:
        d = json.load(f)
    text = "(;FF[4]GM[1]SZ[%s]" % d.get("SZ", "19")
    for key in ("AB", "AW"):
        if d.get(key):
            text += key + "".join("[%s]" % p for p in d[key])
    text += "".join("(;%s[%s]C[Correct])" % (s[0], s[1]) for s in d.get("SOL", []))
    return text + ")"


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(tree(p) for p in sys.argv[2:]) + "\n")

#!/usr/bin/env python3
"""Lists the book problems a book check missed, by cause.

    python3 ../shared/tools/book-check.py build/kovra-solve --keep DIR
    python3 scripts/book-misses.py DIR [--times]

For each volume kept in DIR, the problem numbers whose book move is not
among the winning first moves, grouped as the closing notes count them:
refused (posing gave an error), unfinished (cancelled, exhausted or
undecided), ko (the book's move among the ko moves, or not), fails (no
first move works) and other moves (the side to play succeeds, but not with
the book's move). --times adds each volume's reading time: the sum, and
the part spent in first moves the time limit stopped.
Standard library only; the book files and the check's parsing come from
book-check.py, found beside the books.
"""
import importlib.util
import json
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, '..', '..', 'shared', 'tools', 'book-check.py')
MS = r'\((\d+(?:\.\d+)?) ms\)'


def load_check(path):
    spec = importlib.util.spec_from_file_location('book_check', path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def cause(out, book):
    """The miss's cause, or None when the book's move wins."""
    if out is None:
        return 'unfinished'
    if out['line'].startswith('error:'):
        return 'refused'
    word = re.match(r'^(death|life|koh)\b', out['line'])
    if not word:
        return 'unfinished'
    if word.group(1) == 'koh':
        ko_moves = {m for m, v in out['moves'] if v.startswith('koh')}
        return 'ko, book move' if ko_moves & set(book) else 'ko, other'
    if set(book) & set(out['solutions']):
        return None
    return 'other moves' if out['solutions'] else 'fails'


def seconds(texts):
    return sum(float(x) for t in texts for x in re.findall(MS, t)) / 1000


def main(args):
    if not args or args[0].startswith('-'):
        print(__doc__)
        return 2
    keep = args[0]
    check = load_check(CHECK)
    books = os.path.join(os.path.dirname(CHECK), '..', 'books')
    for vol in sorted(f[:-4] for f in os.listdir(books) if f.endswith('.sgf')):
        kept = os.path.join(keep, vol, 'outputs.json')
        if not os.path.exists(kept):
            continue
        outputs = json.load(open(kept, encoding='utf-8'))
        problems = check.trees(open(os.path.join(books, vol + '.sgf'), encoding='utf-8').read())
        misses = {}
        for n, tree in enumerate(problems, 1):
            name = '%04d.sgf' % n
            if not os.path.exists(os.path.join(keep, vol, name)):
                continue  # a check run with --every
            c = cause(outputs.get(name), check.root_and_answers(tree)[2])
            if c:
                misses.setdefault(c, []).append(n)
        print('%s: %d misses' % (vol, sum(len(v) for v in misses.values())))
        for c in sorted(misses):
            print('  %-13s %4d  %s' % (c, len(misses[c]), ' '.join(map(str, misses[c]))))
        if '--times' in args:
            lines = [o['line'] for o in outputs.values()]
            moves = [v for o in outputs.values() for _, v in o['moves']]
            stopped = [v for v in moves if v.startswith('cancelled')]
            print('  reading time %.0f s (first moves %.0f s, of which %.0f s in moves the limit stopped)'
                  % (seconds(lines + moves), seconds(moves), seconds(stopped)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

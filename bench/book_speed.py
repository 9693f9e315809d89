#!/usr/bin/env python3
"""How fast kovra-solve reads the slow book problems, and whether two builds agree.

    python3 ../shared/tools/book-check.py build/kovra-solve --keep DIR
    python3 bench/book_speed.py DIR KOVRA_SOLVE [OTHER_KOVRA_SOLVE]
                                [--ms LO:HI] [--every N] [--timeout S]

Picks from a kept book check the problems whose whole reading took LO to HI
milliseconds (default 500:8000) and that ended in a verdict, every Nth of
them (default 8), and reads each again with the build(s) given: the whole
reading only, one worker (-j 1), --time, --timeout S (default 30). Prints
per problem the verdict, the positions expanded and the milliseconds of each
build, a mark where the verdicts differ, and the sums. (Where the side to
play fails or wins a ko, the time includes the readings with more room, and
the positions are the last reading's.)

A change that only makes the search faster keeps every verdict and every
counter; one that changes the search's path changes the counters, and its
sums say whether it reads fewer positions in less time. The check itself
cannot tell: a few problems at its 10-second edge come and go from run to
run. Keep the machine otherwise idle while it runs.
Standard library only.
"""
import json
import os
import re
import subprocess
import sys

LINE = re.compile(r'^\S+: (\w+)(?:=(\d+)/\d+)?.*?(?:\((\d+(?:\.\d+)?) ms\))?$')


def opt(args, name, default):
    return args[args.index(name) + 1] if name in args else default


def slow_problems(keep, lo, hi, every):
    """Problem files of the kept check whose whole reading took lo..hi ms."""
    picked = []
    for vol in sorted(os.listdir(keep)):
        kept = os.path.join(keep, vol, 'outputs.json')
        if not os.path.exists(kept):
            continue
        for name, out in sorted(json.load(open(kept, encoding='utf-8')).items()):
            m = re.match(r'^(?:death|life|koh)=\S+ \((\d+(?:\.\d+)?) ms\)', out['line'])
            if m and lo <= float(m.group(1)) <= hi:
                picked.append(os.path.join(keep, vol, name))
    return picked[::every]


def read(solve, path, timeout):
    """-> (verdict, positions expanded, ms) of the whole reading."""
    r = subprocess.run([os.path.abspath(solve), '-j', '1', '--time', '--timeout', str(timeout),
                        os.path.basename(path)], cwd=os.path.dirname(path), capture_output=True, text=True)
    first = (r.stdout.splitlines() or [''])[0]
    m = LINE.match(first)
    if not m:
        return 'error', 0, timeout * 1000.0
    ms = float(m.group(3)) if m.group(3) else timeout * 1000.0
    return m.group(1), int(m.group(2) or 0), ms


def main(args):
    flags = {'--ms', '--every', '--timeout'}
    plain = [a for k, a in enumerate(args) if a not in flags and (k == 0 or args[k - 1] not in flags)]
    if len(plain) < 2 or plain[0].startswith('-'):
        print(__doc__)
        return 2
    keep, builds = plain[0], plain[1:3]
    lo, hi = (float(x) for x in opt(args, '--ms', '500:8000').split(':'))
    every, timeout = int(opt(args, '--every', '8')), float(opt(args, '--timeout', '30'))
    problems = slow_problems(keep, lo, hi, every)
    sums = [[0, 0.0] for _ in builds]
    differ = 0
    for path in problems:
        row = [read(b, path, timeout) for b in builds]
        mark = '' if len({v for v, _, _ in row}) == 1 else '  verdicts differ'
        differ += bool(mark)
        cells = '  '.join('%-9s %10d %8.0f' % r for r in row)
        print('%-28s %s%s' % (os.path.relpath(path, keep), cells, mark), flush=True)
        for s, (_, n, ms) in zip(sums, row):
            s[0] += n
            s[1] += ms
    print('%d problems' % len(problems) + ''.join(
        '; %s: %d positions, %.1f s' % (b, n, ms / 1000) for b, (n, ms) in zip(builds, sums)) +
          ('; %d verdicts differ' % differ if len(builds) > 1 else ''))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

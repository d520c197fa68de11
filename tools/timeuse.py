#!/usr/bin/env python3
"""Time use of each engine in a match harness PGN (../shared/match writes a
move's time in its comment, "{+0.35/12 0.98s}"): per engine the moves timed,
the average seconds a move, the longest move, and the share of its clock
(base plus the increments of its moves) spent over a game, median and range
over the games.

    tools/timeuse.py games.pgn [more.pgn ...]
"""

import re
import statistics
import sys

TAG = re.compile(r'^\[(\w+) "(.*)"\]$')
MOVE_TIME = re.compile(r'\{[^}]*?(\d+(?:\.\d+)?)s\}')
COMMENT = re.compile(r'\{([^}]*)\}')


def games(paths):
    for path in paths:
        with open(path) as f:
            text = f.read()
        for block in re.split(r'\n(?=\[Event )', text):
            tags = dict(TAG.match(line).groups() for line in block.splitlines() if TAG.match(line))
            if tags:
                yield tags, block[block.find('\n\n'):]


def side_times(movetext):
    """The seconds of White's and of Black's timed moves, in order."""
    times = ([], [])
    ply = 0
    for comment in COMMENT.findall(movetext):
        if comment.strip() != 'book':
            m = re.search(r'(\d+(?:\.\d+)?)s$', comment.strip())
            if m:
                times[ply % 2].append(float(m.group(1)))
        ply += 1
    return times


def clock_of(control):
    m = re.fullmatch(r'(?:(\d+)/)?(\d+(?:\.\d+)?)(?:\+(\d+(?:\.\d+)?))?', control)
    if not m:
        return None
    return float(m.group(2)), float(m.group(3) or 0)


def main(paths):
    per_engine = {}
    for tags, movetext in games(paths):
        times = side_times(movetext)
        clock = clock_of(tags.get('TimeControl', ''))
        for side, name in enumerate((tags.get('White'), tags.get('Black'))):
            record = per_engine.setdefault(name, {'moves': [], 'shares': []})
            record['moves'].extend(times[side])
            if clock and times[side]:
                base, increment = clock
                budget = base + increment * len(times[side])
                record['shares'].append(sum(times[side]) / budget)
    for name, record in sorted(per_engine.items()):
        moves = record['moves']
        if not moves:
            continue
        line = '%-24s %5d moves  %.3f s a move  longest %.2f s' % (name, len(moves), statistics.mean(moves),
                                                                   max(moves))
        shares = record['shares']
        if shares:
            line += '  clock spent: median %.0f%% (%.0f%%..%.0f%%) over %d games' % (
                100 * statistics.median(shares), 100 * min(shares), 100 * max(shares), len(shares))
        print(line)


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    main(sys.argv[1:])

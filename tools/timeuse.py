#!/usr/bin/env python3
"""Time use of each engine in a match PGN (../shared/match writes a move's time
in its comment, "{+0.35/12 0.98s}", XBoard with -pgnExtendedInfo "{+0.35/12 0.9}"):
per engine the moves timed, the average seconds a move, the longest move, and the
share of its clock (base plus the increments of its moves) spent over a game,
median and range over the games.

    tools/timeuse.py games.pgn [more.pgn ...]
"""

import re
import statistics
import sys

TAG = re.compile(r'^\[(\w+) "(.*)"\]$')
TOKEN = re.compile(r'\{[^}]*\}|[^\s{]+')
MOVE_NUMBER = re.compile(r'\d+\.+')
RESULTS = ('1-0', '0-1', '1/2-1/2', '*')
SCORE_DEPTH = re.compile(r'[-+]?\d+(?:\.\d+)?/\d+')
SECONDS = re.compile(r'\d+(?:\.\d+)?s?')


def games(paths):
    for path in paths:
        with open(path) as f:
            text = f.read()
        for block in re.split(r'\n(?=\[Event )', text):
            tags = dict(TAG.match(line).groups() for line in block.splitlines() if TAG.match(line))
            if tags:
                yield tags, block[block.find('\n\n'):]


def plies(movetext):
    """Each move of a PGN movetext as its comment, in order (None for a move without one).
    A second comment after a move, the reason the game ended, belongs to no move."""
    comments = []
    commented = True
    for token in TOKEN.findall(movetext):
        if token.startswith('{'):
            if not commented:
                comments[-1] = token[1:-1].strip()
                commented = True
        elif not MOVE_NUMBER.fullmatch(token) and token not in RESULTS:
            comments.append(None)
            commented = False
    return comments


def move_seconds(comment):
    """The seconds a move took from its comment: the match harness writes "+0.35/12 0.98s"
    or "0.07s", XBoard "+0.35/12 0.9" (score and depth alone: no time); None without one."""
    words = (comment or '').split()
    if words and SCORE_DEPTH.fullmatch(words[0]):
        words = words[1:]
    if len(words) == 1 and SECONDS.fullmatch(words[0]):
        return float(words[0].rstrip('s'))
    return None


def side_times(movetext):
    """The seconds of White's and of Black's timed moves, in order."""
    times = ([], [])
    for ply, comment in enumerate(plies(movetext)):
        seconds = move_seconds(comment)
        if seconds is not None:
            times[ply % 2].append(seconds)
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

#!/usr/bin/env python3
"""tools/soak's summary of a recorded run (tests/data/soak): every fault is found, of
the right kind, at the right game and log line, and the incomplete batch is left out.

The run holds a harness batch of four games in which the harness's scripted engine
stands in Ravok's place: it plays an illegal move (game 1), exits with code 3 (game 2),
stops answering (game 3), and in game 4 claims a draw in mid-game, then goes on
thinking aloud past its clock; an XBoard batch in which the first engine, run through
polyglot, dies at its fourth move and XBoard scores the game as lost on time; and a
batch stopped half-way, whose crash must not be counted.

    soak_summary_test.py SOAK_SCRIPT RUN_FOLDER
"""
import re
import subprocess
import sys


def expect(condition, message):
    if not condition:
        print("FAILED:", message)
        sys.exit(1)


def faults_of(lines, title):
    """The count line and the (kind, where) of each listed fault under the title."""
    start = next(i for i, line in enumerate(lines) if line.startswith(title + ':'))
    counts = lines[start].split(': ', 1)[1]
    listed = []
    for detail, where in zip(lines[start + 1::2], lines[start + 2::2]):
        if not detail.startswith('  ') or not where.startswith('      '):
            break
        listed.append((detail.strip().split(':')[0], where.strip()))
    return counts, listed


def main(script, run_folder):
    result = subprocess.run([sys.executable, script, '--summary-only', run_folder],
                            capture_output=True, text=True, timeout=60)
    expect(result.returncode == 0, 'exit status %d: %s' % (result.returncode, result.stderr))
    lines = result.stdout.splitlines()
    text = result.stdout

    expect('5 games played in 2 complete batches, 5 scored, 0 unfinished; 1 batches incomplete' in text,
           'the game and batch counts:\n' + text)
    expect(re.search(r'^  all +5 +\+0 +=0 +-5 ', text, re.M), "Ravok's results: five losses")

    counts, listed = faults_of(lines, 'Faults of Ravok')
    expect(counts == 'illegal move 1, forfeit 1, crash 2, protocol error 0, false claim 1, stall 1',
           'the counts of Ravok\'s faults: ' + counts)
    harness = 'batches/0000-xboard-fairymax-10+0.1-ponder-off/'
    xboard = 'batches/0001-uci-stockfish-40per60-ponder-off/'
    wanted = [
        ('illegal move', harness + 'games.pgn game 1, ' + harness + 'logs/game-0001.log line 48'),
        ('forfeit', harness + 'games.pgn game 4, ' + harness + 'logs/game-0004.log line 51'),
        ('crash', harness + 'games.pgn game 2, ' + harness + 'logs/game-0002.log line 48'),
        ('crash', xboard + 'games.pgn game 1, ' + xboard + 'xboard-debug.log line 293'),
        ('false claim', harness + 'games.pgn game 4, ' + harness + 'logs/game-0004.log line 40'),
        ('stall', harness + 'games.pgn game 3, ' + harness + 'logs/game-0003.log line 47'),
    ]
    expect(listed == wanted, 'the faults listed:\n%s' % '\n'.join(map(str, listed)))

    counts, listed = faults_of(lines, 'Faults of the opponents')
    expect(counts == 'illegal move 0, forfeit 0, crash 0, protocol error 0, false claim 0, stall 0' and not listed,
           'faults of the opponents: ' + counts)

    # Opening moves are not Ravok's; the XBoard game's first move has a score but no time.
    expect(re.search(r'^  10\+0\.1 +8 +0\.105 +0\.19 +0 +' + re.escape(harness + 'games.pgn game 3'), text, re.M),
           'seconds a move at 10+0.1:\n' + text)
    expect(re.search(r'^  40 in 1 min +2 +0\.600 +0\.80 +1 ', text, re.M), 'seconds a move at 40 in 1 min:\n' + text)
    print('soak summary: all checks passed')


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])

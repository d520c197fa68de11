"""The summary of a soak run: games, Ravok's results, the faults of Ravok and of its
opponents, Ravok's seconds a move at each control."""

import os
import statistics

from soak_logs import KINDS

CONTROL_NAMES = {'10+0.1': '10+0.1', '5+0': '5+0', '40/60': '40 in 1 min', '60+1': '1+1'}


def print_summary(out, settings, batches):
    """Prints the summary of the complete batches; file names are relative to `out`."""
    short = lambda text: text.replace(os.path.join(out, ''), '')  # noqa: E731
    complete = [b for b in batches if b.complete]
    games = [(b, g) for b in complete for g in b.read_games()]
    scored = [(b, g) for b, g in games if g.ravok_score is not None]
    print()
    print('=== Soak of %s (%s, sha256 %s) in %s' % (
        settings.get('version', 'Ravok'), settings.get('engine_given', '?'), settings.get('sha256', '?')[:12], out))
    print('%d games played in %d complete batches, %d scored, %d unfinished; %d batches incomplete (not read)' % (
        len(games), len(complete), len(scored), len(games) - len(scored), len(batches) - len(complete)))
    print_results(scored)
    for who, title in (('ravok', 'Faults of Ravok'), ('opponent', 'Faults of the opponents')):
        print_faults(title, [(b, f) for b, g in games for f in g.faults if f.who == who], short)
    print_unfinished([(b, g) for b, g in games if g.unfinished], short)
    print_seconds(games, short)
    return 0


def result_row(label, pairs):
    scores = [g.ravok_score for _, g in pairs]
    wins, draws, losses = scores.count(1.0), scores.count(0.5), scores.count(0.0)
    share = 100 * sum(scores) / len(scores) if scores else 0
    return '  %-22s %5d  +%-4d =%-4d -%-4d %5.1f%%' % (label, len(scores), wins, draws, losses, share)


def print_results(scored):
    print()
    print("Ravok's results          games  wins  draws losses score")
    print(result_row('all', scored))
    groups = (
        ('control', lambda b: CONTROL_NAMES[b.entry['control']], CONTROL_NAMES.values()),
        ('opponent', lambda b: b.entry['opponent'], None),
        ('protocol', lambda b: '%s, ponder %s' % (b.entry['protocol'], 'on' if b.entry['ponder'] else 'off'), None),
    )
    for _, key, order in groups:
        labels = list(order) if order else sorted({key(b) for b, _ in scored})
        for label in labels:
            pairs = [(b, g) for b, g in scored if key(b) == label]
            if pairs:
                print(result_row(label, pairs))


def print_faults(title, faults, short):
    print()
    counts = ', '.join('%s %d' % (kind, sum(f.kind == kind for _, f in faults)) for kind in KINDS)
    print('%s: %s' % (title, counts))
    for kind in KINDS:
        for batch, fault in [(b, f) for b, f in faults if f.kind == kind]:
            opponent = ' (%s)' % batch.entry['opponent'] if fault.who == 'opponent' else ''
            print('  %s%s: %s\n      %s' % (kind, opponent, fault.detail, short(fault.where)))


def print_unfinished(unfinished, short):
    if unfinished:
        print()
        print('Unfinished games (no result): %d' % len(unfinished))
        for batch, game in unfinished:
            print('  %s game %d: %s' % (short(batch.pgn), game.number, game.unfinished))


def print_seconds(games, short):
    print()
    print("Ravok's seconds a move  moves  average  longest  untimed  longest move in")
    for control, name in CONTROL_NAMES.items():
        timed, untimed, longest, where = [], 0, 0.0, ''
        for batch, game in games:
            if batch.entry['control'] != control:
                continue
            seconds, missing = game.ravok_seconds()
            timed.extend(seconds)
            untimed += missing
            if seconds and max(seconds) > longest:
                longest, where = max(seconds), '%s game %d' % (short(batch.pgn), game.number)
        if timed or untimed:
            average = statistics.mean(timed) if timed else 0.0
            print('  %-20s %6d  %7.3f  %7.2f  %7d  %s' % (name, len(timed), average, longest, untimed, where))

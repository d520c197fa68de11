"""Reading a soak batch: its games, Ravok's results and move times, and the faults in
the logs of the match harness (../shared/match) or of XBoard (../shared/xboard).

Fault kinds, each found for Ravok and for its opponent:
- illegal move: the referee (the harness, XBoard) refused a move and forfeited the game;
- forfeit: lost on time while still answering;
- crash: the process died (the harness saw the exit; under XBoard, polyglot's
  "child exited" or soak_wrap.py's "# soak: engine exited" line in the debug log);
- protocol error: a legal move called illegal, a failed handshake, a protocol warning of
  the harness; for Ravok also every complaint it made about a command (xboard "Error"
  or "Illegal move" lines, UCI "info string" lines) and anything it wrote to stderr;
- false claim: an engine's own result line ("1-0 {White mates}") that disagrees with
  the referee's result or comes while the game goes on; XBoard's "False win claim";
- stall: lost because no move came and the engine had stopped answering: since it was
  asked to move it printed nothing at all, or nothing for STALL_SILENCE seconds before
  the game was ended (or it did not quit when told).
A game without a result (a harness error, a match that XBoard never finished) is no
fault of either engine by itself: it is listed as unfinished, with the reason.
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import timeuse  # noqa: E402  (the PGN reader shared with tools/timeuse.py)

KINDS = ('illegal move', 'forfeit', 'crash', 'protocol error', 'false claim', 'stall')
STALL_SILENCE = 5.0
CLAIM = re.compile(r'^(1-0|0-1|1/2-1/2)(?:\s|$)')
SCORES = {'1-0': (1.0, 0.0), '0-1': (0.0, 1.0), '1/2-1/2': (0.5, 0.5)}


class Fault:
    def __init__(self, who, kind, detail, where):
        self.who = who          # 'ravok' or 'opponent'
        self.kind = kind        # one of KINDS
        self.detail = detail
        self.where = where      # the game and the log line, as paths


class Game:
    def __init__(self, batch, number, ravok_white, result, plies, opening_plies):
        self.batch = batch
        self.number = number
        self.ravok_white = ravok_white
        self.result = result
        self.plies = plies      # the comment of each move, timeuse.plies()
        self.opening_plies = opening_plies
        self.faults = []
        self.unfinished = None  # why the game has no result

    @property
    def ravok_score(self):
        scores = SCORES.get(self.result)
        return None if scores is None else scores[0 if self.ravok_white else 1]

    def ravok_seconds(self):
        """Seconds of Ravok's moves after the opening, and how many of them had no time."""
        own = [c for ply, c in enumerate(self.plies)
               if ply >= self.opening_plies and (ply % 2 == 0) == self.ravok_white]
        seconds = [timeuse.move_seconds(c) for c in own]
        return [s for s in seconds if s is not None], sum(s is None for s in seconds)


def read_pgn(path):
    return list(timeuse.games([path])) if os.path.exists(path) else []


# ---- the match harness: games.pgn, logs/game-NNNN.log; Ravok is engine A ----

HARNESS_LINE = re.compile(r'^\S+ \+\s*([\d.]+) (\S+)\s+(.*)$')
ON_MOVE_LOSS = re.compile(r'^(White|Black) \((.*?)\) (.*)$')


def harness_log(path):
    """(seconds, tag, text, line number) of each line of a harness game log."""
    entries = []
    with open(path, errors='replace') as f:
        for number, line in enumerate(f, 1):
            m = HARNESS_LINE.match(line.rstrip('\n'))
            if m:
                entries.append((float(m.group(1)), m.group(2), m.group(3), number))
    return entries


def read_harness_batch(batch):
    games = []
    for tags, movetext in read_pgn(os.path.join(batch.folder, 'games.pgn')):
        number = int(tags.get('Round', len(games) + 1))
        log = os.path.join(batch.folder, 'logs', 'game-%04d.log' % number)
        entries = harness_log(log) if os.path.exists(log) else []
        header = next((text for _, tag, text, _ in entries if tag == '**' and text.startswith('game ')), None)
        ravok_white = 'White A ' in header if header else number % 2 == 1
        plies = timeuse.plies(movetext)
        book = next((ply for ply, c in enumerate(plies) if c != 'book'), len(plies))
        game = Game(batch, number, ravok_white, tags.get('Result', '*'), plies, book)
        game.faults = HarnessGameReader(game, entries, log).faults()
        if game.result == '*':
            game.unfinished = tags.get('TerminationDetails', 'no result')
        games.append(game)
    return games


class HarnessGameReader:
    def __init__(self, game, entries, log):
        self.game = game
        self.log = log
        end = next((i for i, e in enumerate(entries) if e[1] == '**' and e[2].startswith('result ')), len(entries))
        self.play = entries[:end]
        self.end = entries[end] if end < len(entries) else None
        self.after = entries[end + 1:]
        self.found = []

    def who(self, engine):
        return 'ravok' if engine == 'A' else 'opponent'

    def add(self, engine, kind, detail, line):
        where = '%s game %d, %s line %d' % (self.game.batch.pgn, self.game.number, self.log, line)
        self.found.append(Fault(self.who(engine), kind, detail, where))

    def faults(self):
        for seconds, tag, text, line in self.play:
            self.read_line(tag, text, line)
        self.read_claims()
        if self.end:
            self.read_end()
        return self.found

    def read_line(self, tag, text, line):
        m = re.match(r'^([AB]): protocol warning: (.*)$', text)
        if tag == '**' and m:
            return self.add(m.group(1), 'protocol error', m.group(2), line)
        m = re.match(r'^([AB]) failed at (.*)$', text)
        if tag == '**' and m:
            crashed = 'process exited' in text or 'could not run' in text
            return self.add(m.group(1), 'crash' if crashed else 'protocol error', 'failed at ' + m.group(2), line)
        if tag == 'A<' and text.startswith('info string '):
            return self.add('A', 'protocol error', 'complained: ' + text, line)
        if tag == 'A!' and not text.startswith('stdin: '):
            return self.add('A', 'protocol error', 'wrote to stderr: ' + text, line)

    def read_claims(self):
        result = self.end[2].split()[1] if self.end else '*'
        for i, (_, tag, text, line) in enumerate(self.play):
            m = CLAIM.match(text) if tag.endswith('<') else None
            if not m:
                continue
            later_moves = [e for e in self.play[i + 1:] if e[1].endswith('<') and re.match(r'(best)?move ', e[2])]
            if m.group(1) != result:
                self.add(tag[0], 'false claim', '"%s", but the referee gave %s' % (text, result), line)
            elif later_moves:
                self.add(tag[0], 'false claim', '"%s" while the game went on' % text, line)

    def read_end(self):
        _, _, text, line = self.end
        m = re.match(r'^result (\S+) \(([^)]*)\): (.*)$', text)
        if not m:
            return
        termination, reason = m.group(2), m.group(3)
        if termination == 'unterminated':
            return
        loser = ON_MOVE_LOSS.match(reason)
        if not loser:
            return
        white_lost = loser.group(1) == 'White'
        engine = 'A' if white_lost == self.game.ravok_white else 'B'
        what = loser.group(3)
        if termination == 'rules infraction':
            self.add(engine, 'illegal move', what, line)
        elif termination == 'time forfeit':
            stalled = 'no move within' in what and self.stalled(engine)
            self.add(engine, 'stall' if stalled else 'forfeit', what + (stalled or ''), line)
        elif termination == 'abandoned' and ('process exited' in what or 'could not run' in what):
            self.add(engine, 'crash', what, line)
        elif termination == 'abandoned' and 'failed at' not in what:
            self.add(engine, 'protocol error', what, line)

    def stalled(self, engine):
        """Why the engine counts as stalled when the harness stopped waiting for its move,
        or None when it was still answering."""
        heard = [e[0] for e in self.play if e[1] == engine + '<']
        asked = [e[0] for e in self.play if e[1] == engine + '>']
        ended = self.end[0]
        killed = any(e[1] == engine + '*' and e[2].startswith('killing') for e in self.after)
        if asked and (not heard or heard[-1] < asked[-1]):
            return '; silent since it was asked to move (%.1f s)' % (ended - asked[-1])
        if heard and ended - heard[-1] >= STALL_SILENCE:
            return '; silent for the last %.1f s' % (ended - heard[-1])
        if killed:
            return '; did not quit when told and was killed'
        return None


# ---- XBoard: games.pgn, xboard-debug.log, xboard-stderr.log; Ravok is the first engine ----

XBOARD_LINE = re.compile(r'^(\d+) ([<>])(first|second)\s*: ?(.*)$')
NEW_GAME = re.compile(r'^New game \((\d+)\): .*\(([wb])\)\s*$')
GAME_ENDS = re.compile(r'^GameEnds\(\d+, (.*), \d+\)$')
CRASH_NOTE = re.compile(r'^(?:tellusererror POLYGLOT: pipex_exit\(\): .*child exited with (?:status [1-9]\d*|signal .*?)\.?'
                        r'|# soak: engine exited .*)$')


def xboard_sections(path):
    """The debug log cut into games: {game number: [(ms, direction, engine, text, line)]},
    with the lines before the first game under 0. Lines without a time (xboard's own
    notes such as GameEnds) have ms None and engine None."""
    sections = {0: []}
    current = 0
    if not os.path.exists(path):
        return sections, {}
    first_white = {}
    with open(path, errors='replace') as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip('\n')
            m = NEW_GAME.match(line)
            if m:
                current = int(m.group(1))
                first_white[current] = m.group(2) == 'w'
                sections[current] = []
                continue
            m = XBOARD_LINE.match(line)
            if m:
                sections[current].append((int(m.group(1)), m.group(2), m.group(3), m.group(4), number))
            else:
                sections[current].append((None, None, None, line, number))
    return sections, first_white


def read_xboard_batch(batch):
    debug = os.path.join(batch.folder, 'xboard-debug.log')
    sections, first_white = xboard_sections(debug)
    pgn_games = read_pgn(os.path.join(batch.folder, 'games.pgn'))
    games = []
    for number in range(1, batch.games + 1):
        entries = sections.get(number, [])
        if number == 1:
            entries = sections[0] + entries
        recorded = number <= len(pgn_games)
        tags, movetext = pgn_games[number - 1] if recorded else ({}, '')
        ravok_white = first_white.get(number, number % 2 == 1)
        game = Game(batch, number, ravok_white, tags.get('Result', '*'), timeuse.plies(movetext), batch.opening_plies)
        game.faults = XboardGameReader(game, entries, debug, movetext if recorded else None).faults()
        if game.result == '*':
            game.unfinished = 'XBoard did not finish the game (%s)' % batch_failure(batch)
        games.append(game)
    return games


def batch_failure(batch):
    """XBoard's or the match script's last words on a match that did not finish."""
    path = os.path.join(batch.folder, 'xboard-stderr.log')
    lines = open(path, errors='replace').read().splitlines() if os.path.exists(path) else []
    useful = [l for l in lines if l.strip() and not l.startswith(('ALSA', 'aplay'))]
    return useful[-1] if useful else 'no message'


class XboardGameReader:
    def __init__(self, game, entries, debug, movetext):
        self.game = game
        self.entries = entries
        self.debug = debug
        self.movetext = movetext
        self.found = []

    def add(self, engine, kind, detail, line):
        where = '%s game %d, %s line %d' % (self.game.batch.pgn, self.game.number, self.debug, line)
        self.found.append(Fault('ravok' if engine == 'first' else 'opponent', kind, detail, where))

    def faults(self):
        crashed = set()
        for ms, direction, engine, text, line in self.entries:
            if direction != '<':
                continue
            if CRASH_NOTE.match(text):
                crashed.add(engine)
                self.add(engine, 'crash', text, line)
            elif engine == 'first' and re.match(r'^(Error|Illegal move)\b', text):
                self.add(engine, 'protocol error', 'complained: ' + text, line)
        reason = self.end_reason()
        if self.movetext is not None and reason:
            self.read_end(reason, crashed)
        return self.found

    def end_reason(self):
        final = re.search(r'\{([^{}]*)\}\s*(?:1-0|0-1|1/2-1/2|\*)\s*$', self.movetext or '')
        if final:
            return final.group(1)
        return next((m.group(1) for e in self.entries for m in [GAME_ENDS.match(e[3])] if m and m.group(1) not in ('(null)', '')),
                    None)

    def loser(self):
        if self.game.result not in ('1-0', '0-1'):
            return None
        white_lost = self.game.result == '0-1'
        return 'first' if white_lost == self.game.ravok_white else 'second'

    def read_end(self, reason, crashed):
        line = self.result_line()
        loser = self.loser()
        if loser and re.search(r'Forfeit due to (invalid|illegal) move', reason):
            self.add(loser, 'illegal move', reason, line)
        elif loser and 'False illegal-move claim' in reason:
            self.add(loser, 'protocol error', reason, line)
        elif loser and re.search(r'False (win|draw) claim', reason):
            self.add(loser, 'false claim', reason, line)
        elif loser and 'wins on time' in reason and loser not in crashed:
            stalled = self.stalled(loser)
            self.add(loser, 'stall' if stalled else 'forfeit', reason + (stalled or ''), line)
        if 'claim' not in reason:
            self.read_claims()

    def result_line(self):
        return next((e[4] for e in self.entries if e[1] == '>' and e[3].startswith('result ')),
                    self.entries[-1][4] if self.entries else 0)

    def read_claims(self):
        for ms, direction, engine, text, line in self.entries:
            m = CLAIM.match(text) if direction == '<' else None
            if m and m.group(1) != self.game.result:
                self.add(engine, 'false claim', '"%s", but the game ended %s' % (text, self.game.result), line)

    def stalled(self, engine):
        """Why the engine that lost on time counts as stalled, or None when it was still answering."""
        ended = next((e[0] for e in self.entries if e[1] == '>' and e[3].startswith('result ')), None)
        if ended is None:
            return None
        before = [e for e in self.entries if e[0] is not None and e[0] <= ended and e[2] == engine]
        heard = [e[0] for e in before if e[1] == '<']
        asked = [e[0] for e in before if e[1] == '>' and not e[3].startswith('result ')]
        if asked and (not heard or heard[-1] < asked[-1]):
            return '; silent since it was asked to move (%.1f s)' % ((ended - asked[-1]) / 1000)
        if heard and ended - heard[-1] >= STALL_SILENCE * 1000:
            return '; silent for the last %.1f s' % ((ended - heard[-1]) / 1000)
        return None


def polyglot_complaints(batch):
    """Ravok's UCI complaints ("info string") and its exit as polyglot logged them, for a
    batch where XBoard ran Ravok through polyglot."""
    path = os.path.join(batch.folder, 'polyglot-first.log')
    found = []
    if not os.path.exists(path):
        return found
    with open(path, errors='replace') as f:
        for number, line in enumerate(f, 1):
            m = re.match(r'^\S+ Engine->Adapter: (info string .*)$', line.rstrip('\n'))
            if m:
                found.append(Fault('ravok', 'protocol error', 'complained: ' + m.group(1), '%s line %d' % (path, number)))
    return found

"""The play mode, `ravok play`, driven through pipes (and a pseudo-terminal
for the thinking line and the chess symbols): games in standard notation
with the board and clocks, the message for each kind of bad line, input
typed while Ravok thinks, undo and redo, saved and loaded games, results in
words."""

import fcntl
import os
import pty
import pwd
import re
import select
import shutil
import struct
import sys
import termios
import tempfile
import time

from session_driver import EMULATOR, SessionError, Skipped, engine_command, run_tests

PROMPT = re.compile(r"(Your move)?> \Z")
START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"


def play(start, locale="C", level="1", word="play"):
    """A play session in the locale, at the level, at its first prompt."""
    os.environ.pop("LC_CTYPE", None)
    os.environ["LC_ALL"] = locale
    os.environ["LANG"] = locale
    s = start(word)
    to_prompt(s)
    if level:
        say(s, "level " + level)
    return s


def to_prompt(s, timeout=20):
    """Everything up to the next prompt, which is consumed too."""
    s._wait_for(lambda: PROMPT.search(s.pending), timeout, "the prompt")
    m = PROMPT.search(s.pending)
    text, s.pending = s.pending[:m.start()], ""
    return text


def say(s, line, timeout=20):
    """Sends the line at the prompt; what came back up to the next prompt,
    after the echo of the line."""
    s.send(line)
    text = to_prompt(s, timeout)
    echo = re.sub(r"[\x00-\x1f\x7f]", "?", line[:200]) + ("..." if len(line) > 200 else "") + "\n"
    if not text.startswith(echo):
        raise SessionError("expected the echo of %r, got %r" % (line, text[:200]))
    return text[len(echo):]


def expect_in(text, *parts):
    for part in parts:
        if part not in text:
            raise SessionError("expected %r in\n%s" % (part, text))


def moves_of(s):
    text = say(s, "moves")
    return "" if text == "No moves yet.\n" else text


def play_one_of(s, candidates):
    """Plays the first candidate that is legal, else the move `hint` gives
    (a weak level's random reply may give check); returns it and the
    reply."""
    for move in candidates:
        text = say(s, move)
        if not text.startswith("Illegal move ") and not text.startswith("Your kept"):
            return move, text
    hint = re.search(r"Hint: (\S+) ", say(s, "hint"))
    if hint:
        return hint.group(1), say(s, hint.group(1))
    raise SessionError("none of %r was legal, and no hint" % (candidates,))


def test_short_game_in_san_with_board_and_clocks(start):
    s = play(start)
    text = say(s, "time 5+3")
    expect_in(text, "Time control 5+3: both clocks start at 5:00.")
    text = say(s, "e4")
    expect_in(text, "Ravok plays 1... ", "   a  b  c  d  e  f  g  h\n",
              "4  .  .  .  .  P  .  .  .  4\n", "1  R  N  B  Q  K  B  N  R  1\n", "White to move (you).\n")
    if not re.search(r"\n1\. e4 \S+\nWhite to move \(you\)\.\nClocks \(5\+3\): you 5:0\d, Ravok 5:0\d\.\n$", text):
        raise SessionError("no move list, side to move and clocks at the end of\n" + text)
    # The last move stands between brackets; the person's own pieces at the
    # bottom.
    if not re.search(r"\[[pnbrqk]\]", text) or text.count("[") != 2:
        raise SessionError("Ravok's move is not marked in\n" + text)
    played = ["e4"]
    for candidates in (["Nf3", "Nc3", "d3"], ["Bc4", "Be2", "Bd3", "a3"], ["Nc3", "Na3", "h3"]):
        move, text = play_one_of(s, candidates)
        played.append(move)
        expect_in(text, "Ravok plays %d... " % len(played), "Clocks (5+3): you ")
    lines = moves_of(s)
    if not re.fullmatch(r"1\. e4 \S+ 2\. %s \S+ 3\. %s \S+ 4\. %s \S+\n" % tuple(map(re.escape, played[1:])), lines):
        raise SessionError("move list %r for %r" % (lines, played))
    text = say(s, "clock")
    if not re.fullmatch(r"Clocks \(5\+3\): you 5:\d\d, Ravok 5:\d\d\.\n", text):
        raise SessionError("clock line %r" % text)
    s.send("quit")
    if s.wait_exit() != 0:
        raise SessionError("play mode ended with a failure status")


def test_each_bad_line_named_and_the_game_unchanged(start):
    s = play(start)
    checks = [
        ("", "Type a move, or help for the commands.\n"),
        ("hello", "Unknown command: hello. Type help for the commands.\n"),
        ("N", "Not a move: N. Moves are written e4, Nf3, exd5, O-O, e8=Q or e2e4 (piece letters K Q R B N in capitals).\n"),
        ("exd", "Not a move: exd. Moves are written e4, Nf3, exd5, O-O, e8=Q or e2e4 (piece letters K Q R B N in capitals).\n"),
        ("bye", "Unknown command: bye. Type help for the commands.\n"),
        ("e9", "Not a move: e9. Moves are written e4, Nf3, exd5, O-O, e8=Q or e2e4 (piece letters K Q R B N in capitals).\n"),
        ("Nf5", "Illegal move Nf5: no knight can go to f5.\n"),
        ("e5", "Illegal move e5: no pawn can go to e5.\n"),
        ("e2e5", "Illegal move e2e5: the pawn on e2 cannot go to e5.\n"),
        ("e7e5", "Illegal move e7e5: the pawn on e7 is not yours.\n"),
        ("O-O", "Illegal move O-O: castling is not allowed now: pieces stand between your king and rook.\n"),
        ("e4 e5", "One move at a time, please: e4 is followed by more.\n"),
        ("\x01\x1b[A", "Unknown command: ??[A. Type help for the commands.\n"),
        ("x" * 5000, "Unknown command: %s.... Type help for the commands.\n" % ("x" * 40)),
        ("level 42", "There is no level 42: the levels are 1 to 10 (or full); level alone lists them.\n"),
        ("time 5x", "Cannot read the time control 5x: the time must be minutes (5) or minutes:seconds (0:30), "
                    "more than nothing and at most 24 hours.\n"),
        ("time 5+y", "Cannot read the time control 5+y: the increment after + must be seconds (3 or 0.5), "
                     "at most an hour.\n"),
        ("new purple", "new takes white or black: new black lets Ravok move first.\n"),
        ("undo 3", "undo takes nothing after it: help lists the commands.\n"),
        ("hint 0", "hint takes a number from 1 to 10 after it: hint 3 shows the three best moves.\n"),
        ("hint 3 4", "hint takes a number from 1 to 10 after it: hint 3 shows the three best moves.\n"),
        ("undo", "Nothing to take back: you have made no move yet.\n"),
        ("redo", "Nothing to play again: redo replays what undo took back.\n"),
        ("board purple", "board takes unicode or ascii: board ascii shows letters.\n"),
        ("save", "save needs a file name: save game.pgn\n"),
        ("load", "load needs a PGN file or a FEN: load game.pgn\n"),
        ("save /no/such/folder/game.pgn",
         "The game is not saved: cannot write /no/such/folder/game.pgn: No such file or directory.\n"),
        ("load /no/such/game.pgn",
         "Nothing loaded: cannot read /no/such/game.pgn: No such file or directory. The game is as it was.\n"),
        ("load rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 x",
         "Nothing loaded: in the FEN, the move number (sixth field) must be a number from 1 on, not 'x'. "
         "The game is as it was.\n"),
        ("load 8/8/8/8/8/8/8/8 w - - 0 1", "Nothing loaded: in the FEN, White has no king. The game is as it was.\n"),
        ("load 4k3/8/8/8/8/8/8/4K3", "Nothing loaded: the FEN has only the board: the side to move (w or b), "
                                     "the castling rights (KQkq, some of them, or -) and the en-passant square "
                                     "(- or a square such as e3) must follow it. The game is as it was.\n"),
        ("load 4k3/8/8/8/8/8/8/4K3 w KQ -", "Nothing loaded: in the FEN, the castling rights (third field) give K, "
                                            "but White has no king on e1 and rook on h1 to castle with. "
                                            "The game is as it was.\n"),
    ]
    for line, reply in checks:
        text = say(s, line)
        if not text.startswith(reply):
            raise SessionError("%r: expected %r, got %r" % (line[:50], reply, text[:300]))
    if moves_of(s) != "":
        raise SessionError("a bad line changed the game")
    # hint N: the N best moves, different, each with its score, best first.
    hints = re.fullmatch(r"Hints: (\S+) \(([+-]\d+\.\d\d)\), (\S+) \(([+-]\d+\.\d\d)\), (\S+) \(([+-]\d+\.\d\d)\)\.\n",
                         say(s, "hint 3"))
    if not hints or len({hints.group(1), hints.group(3), hints.group(5)}) != 3 or \
            not float(hints.group(2)) >= float(hints.group(4)) >= float(hints.group(6)):
        raise SessionError("hint 3 gave %r" % (hints and hints.group(0)))
    # Ambiguity, a pinned piece, a missing promotion piece: in set-up
    # positions.
    say(s, "load 8/P6k/8/8/8/8/3r4/R1N1K1N1 w - - 0 1")
    for line, reply in [("Ne2", "Ambiguous move Ne2: Nce2 or Nge2?\n"),
                        ("a8", "Incomplete move a8: say which piece the pawn becomes: a8=Q, a8=R, a8=B or a8=N.\n"),
                        ("Kd2", None)]:
        text = say(s, line)
        if reply is not None and text != reply:
            raise SessionError("%r: expected %r, got %r" % (line, reply, text))
    say(s, "load 7k/4r3/8/8/8/8/4N3/4K3 w - - 0 1")
    text = say(s, "Nc3")
    if text != "Illegal move Nc3: your king would be in check.\n":
        raise SessionError("pinned knight: %r" % text)
    # Small letters: a pawn's or a bishop's capture asks which; a capture
    # with its en-passant mark is played.
    say(s, "load 4k3/8/8/3pP3/8/2n5/1P1B4/4K3 w - d6 0 1")
    text = say(s, "bxc3")
    if text != "Ambiguous move bxc3: the pawn's capture (type b2c3) or the bishop's (type Bxc3)?\n":
        raise SessionError("both readings: %r" % text)
    expect_in(say(s, "exd6 e.p."), "Ravok plays 1... ")
    if not moves_of(s).startswith("1. exd6 "):
        raise SessionError("exd6 e.p. not played")


def test_lines_from_a_pipe_taken_in_order(start):
    """Lines that come from a pipe wait for the one before: each move for
    Ravok's answer, quit and the end of the input after the last answer."""
    s = play(start)
    s.send("e4\nd4\nNf3\nmoves\nquit")
    if s.wait_exit(timeout=30) != 0:
        raise SessionError("play mode ended with a failure status")
    text = "> " + s.pending
    position = 0
    for number, move in enumerate(["e4", "d4", "Nf3"], 1):
        echo = text.find("> %s\n" % move, position)
        if echo < 0:
            raise SessionError("%s was not taken in order:\n%s" % (move, text))
        answer = re.compile(r"Ravok plays %d\.\.\. \S+\n|Illegal move %s: .+\n" % (number, move))
        m = answer.search(text, echo)
        if not m or "> " in text[echo + 2:m.start()]:
            raise SessionError("%s got no answer before the next line:\n%s" % (move, text))
        position = m.end()
    lines = text[text.index("> moves\n", position):]
    if not re.match(r"> moves\n1\. e4 \S+ 2\. d4 \S+ 3\. Nf3 \S+\nYour move> quit\n\Z", lines) and "Illegal" not in text:
        raise SessionError("the moves are not all played:\n" + text)
    # The end of the input comes after Ravok's answer too.
    s = play(start)
    s.send("e4\nNf3")
    s.close_input()
    if s.wait_exit(timeout=30) != 0 or not re.search(r"Ravok plays 2\.\.\. \S+\n", s.pending):
        raise SessionError("the end of the input came before the answer:\n" + s.pending)


def test_undo_and_redo(start):
    s = play(start)
    say(s, "d4")
    move, _ = play_one_of(s, ["Nf3", "Nc3"])
    before = moves_of(s)
    text = say(s, "undo")
    m = re.match(r"Took back (%s \S+)\.\n" % move, text)
    if not m or "White to move (you)." not in text:
        raise SessionError("undo: %r" % text)
    after_undo = moves_of(s)
    if not before.startswith(after_undo.rstrip("\n")) or move in after_undo:
        raise SessionError("undo left %r of %r" % (after_undo, before))
    text = say(s, "redo")
    if not text.startswith("Played again: %s.\n" % m.group(1)) or moves_of(s) != before:
        raise SessionError("redo: %r" % text)
    say(s, "undo")
    say(s, "undo")
    text = say(s, "undo")
    if text != "Nothing to take back: you have made no move yet.\n":
        raise SessionError("undo at the start: %r" % text)
    say(s, "e4")
    if say(s, "redo") != "Nothing to play again: redo replays what undo took back.\n":
        raise SessionError("redo after a new move")


def test_save_then_load_gives_the_same_game(start):
    folder = tempfile.mkdtemp(prefix="ravok-play-")
    try:
        s = play(start)
        say(s, "time 5+3")
        for candidates in (["e4"], ["Nf3", "Nc3"], ["Bc4", "Be2", "a3"]):
            play_one_of(s, candidates)
        game = moves_of(s)
        first, second = os.path.join(folder, "game.pgn"), os.path.join(folder, "again.pgn")
        expect_in(say(s, "save " + first), "Saved the game to %s.\n" % first)
        say(s, "new black")
        # The login name: $USER, or under Wine the account's, which Wine
        # gives Windows programs as USERNAME.
        user = (pwd.getpwuid(os.getuid()).pw_name if EMULATOR else os.environ.get("USER")) or "You"
        if not say(s, "load " + first).startswith("Loaded %s: 6 moves; you play White, named %s in the file.\n"
                                                  % (first, user)):
            raise SessionError("load")
        if moves_of(s) != game:
            raise SessionError("the loaded game differs: %r, %r" % (moves_of(s), game))
        say(s, "save " + second)
        with open(first) as f, open(second) as g:
            saved, again = f.read(), g.read()
        if saved != again:
            raise SessionError("saved twice differently:\n%s\n%s" % (saved, again))
        for tag in ['[Event "Ravok game"]', '[Round "-"]', '[White "%s"]' % user, '[Black "Ravok"]',
                    '[Result "*"]', '[TimeControl "300+3"]']:
            expect_in(saved, tag)
        if "[SetUp" in saved or not re.search(r'\[Date "\d{4}\.\d\d\.\d\d"\]', saved):
            raise SessionError("tags:\n" + saved)
        # A game from a set-up position keeps it; a file with an illegal
        # move is refused whole.
        say(s, "load 4k3/8/8/8/8/8/4P3/4K3 b - - 0 40")
        play_one_of(s, ["Kd7", "Ke7", "Kf7"])
        say(s, "save " + first)
        with open(first) as f:
            expect_in(f.read(), '[SetUp "1"]', '[FEN "4k3/8/8/8/8/8/4P3/4K3 b - - 0 40"]', '[White "Ravok"]',
                      "\n40... K")
        bad = os.path.join(folder, "bad.pgn")
        with open(bad, "w") as f:
            f.write('[Event "x"]\n\n1. e4 e5 2. Nf3 Nf6 3. Ke3 *\n')
        before = moves_of(s)
        text = say(s, "load " + bad)
        if text != "Nothing loaded: %s: move 3. Ke3 is not legal: no king can go to e3. The game is as it was.\n" % bad:
            raise SessionError("bad PGN: %r" % text)
        if moves_of(s) != before:
            raise SessionError("a refused load changed the game")
        # A game the person won, saved and loaded again, is still theirs.
        say(s, "load 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1")
        expect_in(say(s, "Ra8#"), "Checkmate. You win.")
        say(s, "save " + first)
        text = say(s, "load " + first)
        if not text.startswith("Loaded %s: 1 move; you play White, named %s in the file.\n" % (first, user)) \
                or "\nCheckmate. You win.\n" not in text:
            raise SessionError("the won game loaded again: %r" % text)
        say(s, "save " + second)
        with open(second) as f:
            expect_in(f.read(), '[White "%s"]' % user, '[Black "Ravok"]', '[Result "1-0"]')
        # Another program's game between two others: their result and names.
        other = os.path.join(folder, "other.pgn")
        with open(other, "w") as f:
            f.write('[Event "Casual"]\n[White "Me"]\n[Black "Bot"]\n[Result "0-1"]\n[PlyCount "4"]\n'
                    '[ECO "C20"]\n\n1. e4 e5 2. Qh5 Nc6 0-1\n')
        text = say(s, "load " + other)
        if not text.startswith("Loaded %s: 4 moves; you play White, the side to move.\n" % other) \
                or "\nThe game is over: Bot won.\n" not in text:
            raise SessionError("another program's game: %r" % text)
        say(s, "save " + second)
        with open(second) as f:
            saved = f.read()
        expect_in(saved, '[Event "Casual"]', '[White "Me"]', '[Black "Bot"]', '[Result "0-1"]', '[ECO "C20"]')
        if "PlyCount" in saved:
            raise SessionError("a stale ply count kept:\n" + saved)
        # A set-up mate or stalemate credits nobody.
        expect_in(say(s, "load R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"), "Checkmate: Black is mated.\n")
        expect_in(say(s, "load k7/8/1Q6/8/8/8/8/6K1 b - - 0 1"), "Stalemate: draw.\n")
    finally:
        shutil.rmtree(folder)


def test_boards_ascii_unicode_and_flipped(start):
    s = play(start, locale="en_US.UTF-8")
    rank = "2  \u2659  \u2659  \u2659  \u2659  \u2659  \u2659  \u2659  \u2659  2".encode("utf-8").decode("latin-1")
    expect_in(say(s, "board"), rank)
    text = say(s, "board ascii")
    expect_in(text, "\n8  r  n  b  q  k  b  n  r  8\n", "\n1  R  N  B  Q  K  B  N  R  1\n")
    text = say(s, "flip")
    if not text.startswith("\n   h  g  f  e  d  c  b  a\n1  R  N  B  K  Q  B  N  R  1\n"):
        raise SessionError("flipped board:\n" + text)
    s = play(start, locale="C", word="p")
    expect_in(say(s, "new black"), "you play Black", "\n   h  g  f  e  d  c  b  a\n", "White to move (Ravok).\n",
              "Ravok plays 1. ", "Black to move (you).\n")


def test_results_in_words(start):
    s = play(start)
    say(s, "load 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1")
    text = say(s, "Ra8#")
    if not text.rstrip("\n").endswith("Checkmate. You win."):
        raise SessionError("mate: %r" % text)
    if say(s, "e4") != "The game is over: new starts another, undo takes moves back.\n":
        raise SessionError("a move after the end")
    expect_in(say(s, "hint"), "The game is over")
    say(s, "undo")
    text = say(s, "resign")
    if text != "You resigned: Ravok wins.\n":
        raise SessionError("resign: %r" % text)
    say(s, "load k7/8/2K5/8/8/8/8/1Q6 w - - 0 1")
    text = say(s, "Qb6")
    if not text.rstrip("\n").endswith("Stalemate: draw."):
        raise SessionError("stalemate: %r" % text)
    # The person's clock runs out while they think: the flag falls without
    # a line typed.
    say(s, "new")
    say(s, "time 0:01+0")
    text = to_prompt(s, timeout=10)
    if text != "\nYour time ran out: Ravok wins.\n":
        raise SessionError("flag: %r" % text)
    # Against a bare king the same fall is a draw.
    say(s, "load 4k3/8/8/8/8/8/R7/K7 w - - 0 1")
    say(s, "time 0:01+0")
    text = to_prompt(s, timeout=10)
    if text != "\nYour time ran out, but Ravok could never checkmate with what it has: draw.\n":
        raise SessionError("flag against a bare king: %r" % text)
    folder = tempfile.mkdtemp(prefix="ravok-play-")
    try:
        path = os.path.join(folder, "flag.pgn")
        say(s, "save " + path)
        with open(path) as f:
            expect_in(f.read(), '[Result "1/2-1/2"]', '[Termination "time forfeit"]')
    finally:
        shutil.rmtree(folder)
    # Undo takes back the fall alone; the game goes on without a clock.
    text = say(s, "undo")
    if not text.startswith("Took back the fall of your flag: the game goes on without a clock (time sets one).\n") \
            or "White to move (you).\n" not in text:
        raise SessionError("undo after the flag: %r" % text)
    time.sleep(1.2)
    expect_in(say(s, "clock"), "No clock")
    text = say(s, "Ra7")
    if "Ravok plays 1... K" not in text or "time ran out" in text:
        raise SessionError("the game after the fall taken back: %r" % text)


def test_levels_vary_and_judge_honestly(start):
    """At a level each new game draws fresh chance moves; the thinking
    line's score and the answer to a draw offer are Ravok's own judgement,
    without the random bonus that picked its move."""
    s = play(start)
    games = set()
    for _ in range(3):
        for candidates in (["e4"], ["a3"], ["h3", "h4"]):
            play_one_of(s, candidates)
        games.add(moves_of(s))
        say(s, "new")
    if len(games) == 1:
        raise SessionError("three games at level 1 went the same way: %r" % games)
    say(s, "load 8/8/8/4k3/8/8/8/KNN5 b - - 0 1")
    text = say(s, "Kd5")
    if not re.search(r"Ravok thinks: depth \d+  0\.00  ", text):
        raise SessionError("two knights against a bare king are no advantage:\n" + text)
    # A bare king against king and rook: after two moves of Ravok's that
    # were not ahead, the offer is taken as at full strength.
    say(s, "load 8/8/8/4k3/8/8/R7/K7 w - - 0 1")
    say(s, "Kb2")
    say(s, "Kc2")
    text = say(s, "draw")
    if text != "Ravok accepts your draw offer.\nDraw by agreement.\n":
        raise SessionError("draw offer in a lost position: %r" % text)


def test_full_strength_ponders_silently(start):
    """At full strength Ravok thinks on the person's time: the reply it
    expects, another move, and a command all work as without pondering."""
    s = play(start, level=None)
    say(s, "time 0:30+0")
    text = say(s, "e4")
    m = re.search(r"Ravok thinks: depth \d+  \S+  \S+ (\S+)", text)
    if not m:
        raise SessionError("no final thinking line with a reply in\n" + text)
    time.sleep(0.3)
    expect_in(say(s, "help"), "  undo (back, takeback)")
    text = say(s, m.group(1))
    expect_in(text, "Ravok plays 2... ")
    move, text = play_one_of(s, ["a3", "h3", "a4"])
    expect_in(text, "Ravok plays 3... ")
    if "Ravok thinks" in text.split("Ravok plays")[1]:
        raise SessionError("pondering shows its thinking")


class Screen:
    """What a person sees of the output: the rows of a terminal as the
    cursor moves and the text is erased. Knows the sequences the play mode
    and its line editor write; any other is a failure."""

    def __init__(self, data, columns):
        self.rows, self.row, self.column = [""], 0, 0
        i = 0
        while i < len(data):
            m = re.match(r"\x1b\[(\d*)([A-DGJK])", data[i:])
            if m:
                self._control(int(m.group(1) or "0"), m.group(2))
                i += m.end()
                continue
            ch = data[i]
            i += 1
            if ch == "\r":
                self.column = 0
            elif ch == "\n":
                self._move_to(self.row + 1, self.column)
            elif ch == "\b":
                self.column = max(0, self.column - 1)
            elif ch == "\x07":
                pass
            elif ch < " " or ch == "\x7f":
                raise SessionError("unknown control %r near %r" % (ch, data[max(0, i - 40):i + 10]))
            else:
                if self.column >= columns:
                    self._move_to(self.row + 1, 0)
                self._put(ch)

    def _move_to(self, row, column):
        self.row, self.column = max(0, row), max(0, column)
        while len(self.rows) <= self.row:
            self.rows.append("")

    def _put(self, ch):
        line = self.rows[self.row].ljust(self.column)
        self.rows[self.row] = line[:self.column] + ch + line[self.column + 1:]
        self.column += 1

    def _control(self, n, code):
        if code == "A":
            self._move_to(self.row - max(n, 1), self.column)
        elif code == "B":
            self._move_to(self.row + max(n, 1), self.column)
        elif code == "C":
            self.column += max(n, 1)
        elif code == "D":
            self.column = max(0, self.column - max(n, 1))
        elif code == "G":
            self.column = max(n, 1) - 1
        elif code == "K":
            self.rows[self.row] = self.rows[self.row][:self.column]
        elif code == "J":
            self.rows[self.row] = self.rows[self.row][:self.column]
            del self.rows[self.row + 1:]

    def last_rows(self, count):
        rows = list(self.rows)
        while len(rows) > 1 and rows[-1] == "" and len(rows) - 1 > self.row:
            rows.pop()
        return [row.rstrip() for row in rows[-count:]]


class Terminal:
    """The play mode in a pseudo-terminal of 100 columns (an xterm), what it
    writes kept whole. LINE_EDITOR is set when the binary was built with
    the line editor (the test's environment says so)."""

    COLUMNS = 100

    def __init__(self, locale="C.UTF-8"):
        binary = sys.argv[1]
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 40, self.COLUMNS, 0, 0))
            os.environ.pop("LC_ALL", None)
            os.environ.pop("LC_CTYPE", None)
            os.environ["LANG"] = locale
            os.environ["TERM"] = "xterm"
            command = engine_command(binary, "play")
            os.execvp(command[0], command)
        self.output = b""
        self.mark = 0

    def type(self, data):
        os.write(self.fd, data.encode())

    def read_until(self, pattern, timeout=20):
        """Reads until the output since the mark matches; the match."""
        deadline = time.monotonic() + timeout
        while True:
            m = re.search(pattern, self.output[self.mark:])
            if m:
                return m
            if time.monotonic() > deadline:
                raise SessionError("waited for %r, got %r" % (pattern, self.output[-800:]))
            if select.select([self.fd], [], [], 0.05)[0]:
                try:
                    self.output += os.read(self.fd, 65536)
                except OSError:
                    raise SessionError("the terminal closed while waiting for %r" % pattern)

    def text(self):
        """The output since the mark, without the cursor's movements."""
        return re.sub(r"\x1b\[\d*[A-DGJK]|[\r\b\x07]", "", self.output[self.mark:].decode("utf-8"))

    def screen(self, end=None):
        """The screen after the output up to `end` (all of it by default)."""
        return Screen(self.output[:end].decode("utf-8"), self.COLUMNS)

    def set_mark(self):
        self.mark = len(self.output)

    def close(self):
        os.close(self.fd)
        try:
            _, status = os.waitpid(self.pid, 0)
            return status
        except ChildProcessError:
            return None

    def kill(self):
        try:
            os.kill(self.pid, 9)
            os.waitpid(self.pid, 0)
        except (ProcessLookupError, ChildProcessError):
            pass


def in_terminal(test):
    """Runs the test on a fresh terminal session and ends it afterwards."""
    def run(start):
        if EMULATOR:
            raise Skipped("under Wine a terminal is Wine's console, which draws the screen its own way")
        t = Terminal()
        try:
            test(t)
        finally:
            t.kill()
            try:
                os.close(t.fd)
            except OSError:
                pass
    run.__doc__ = test.__doc__
    return run


@in_terminal
def test_thinking_line_and_symbols_in_a_terminal(t):
    """In a terminal: chess symbols under a UTF-8 locale and the thinking
    rewritten in place on one line."""
    t.read_until(rb"Your move> $")
    expect_in(t.text(), "1  \u2656  \u2658  \u2657  \u2655  \u2654  \u2657  \u2658  \u2656  1")
    t.type("time 0:20+0\n")
    t.read_until(rb"both clocks start at 0:20.\r\n.*Your move> $")
    t.set_mark()
    t.type("e4\n")
    t.read_until(rb"(?s)Ravok plays 1\.\.\. .*Your move> $")
    if not re.search(rb"\rRavok thinks: depth \d+  [-+]?\d\.\d\d  \S.*?\x1b\[K", t.output[t.mark:]):
        raise SessionError("no thinking line rewritten in place: %r" % t.output[t.mark:t.mark + 400])
    t.type("quit\n")
    _, status = os.waitpid(t.pid, 0)
    if status != 0:
        raise SessionError("exit status %d" % status)


@in_terminal
def test_input_typed_while_ravok_thinks(t):
    """Lines typed together with a move arrive while Ravok thinks on it:
    answered at once, kept for after its move, or the search stops."""
    t.read_until(rb"Your move> $")
    t.type("level 1\n")
    t.read_until(rb"from its next move\.\r\n.*Your move> $")
    t.set_mark()
    t.type("e4\nNc3\nNf3\nclock\nhint\nfoo\n")
    t.read_until(rb"(?s)Hint: .*Your move> $")
    text = t.text()
    expect_in(text, "Kept Nc3: played after Ravok's move if it is legal then.\n",
              "Kept Nf3 instead of Nc3: played after Ravok's move if it is legal then.\n",
              "No clock: time 5+3 sets five minutes each and three seconds a move.\n",
              "Kept: hint, done after Ravok's move.\n", "Unknown command: foo. Type help for the commands.\n",
              "Your kept move: Nf3.\n", "Ravok plays 2... ")
    if not re.search(r"Ravok plays 1\.\.\. \S+\n", text) or text.index("Your kept move: Nf3.") > text.index("Hint: "):
        raise SessionError("the kept move or the kept hint went missing or out of order:\n" + text)
    # A command that stops the search: the kept move goes, the person's
    # move is taken back.
    t.type("new\n")
    t.read_until(rb"New game: .*(?s:.*)Your move> $")
    t.set_mark()
    t.type("d4\nNf3\nundo\n")
    t.read_until(rb"(?s)Took back d4\.\r\n.*Your move> $")
    text = t.text()
    expect_in(text, "Kept Nf3", "Your kept move Nf3 is dropped.\n", "White to move (you).\n")
    if "Ravok plays" in text:
        raise SessionError("Ravok moved after all:\n" + text)
    # A time control waits for Ravok's move; quit leaves at once.
    t.set_mark()
    t.type("d4\ntime 1+0\n")
    t.read_until(rb"(?s)Time control 1\+0: both clocks start at 1:00\.\r\n.*Your move> $")
    expect_in(t.text(), "Kept: time 1+0, done after Ravok's move.\n")
    t.type("e4\nquit\n")
    _, status = os.waitpid(t.pid, 0)
    if status != 0:
        raise SessionError("quit while thinking failed: status %d" % status)


@in_terminal
def test_line_typed_while_ravok_thinks_survives(t):
    """Letters typed while Ravok thinks stay the person's line: entered after
    its move they make the move. With the line editor they stay in sight
    under the thinking line as it is rewritten, come back after the prompt
    when Ravok has moved, and the line can be edited and recalled."""
    editor = os.environ.get("RAVOK_LINE_EDITOR")
    t.read_until(rb"Your move> $")
    t.type("e4\n")
    t.read_until(rb"Ravok thinks: depth")
    t.type("Nf")
    t.set_mark()
    if editor:
        t.read_until(rb"Ravok thinks: depth")
        m = t.read_until(rb"Ravok thinks: depth[^\n]*\n(?:\r\x1b\[J)?Nf")
        rows = t.screen(t.mark + m.end()).last_rows(2)
        if not rows[0].startswith("Ravok thinks: depth ") or rows[1] != "Nf":
            raise SessionError("the line typed is not under the thinking line: %r" % rows)
    t.read_until(rb"(?s)Ravok plays 1\.\.\. .*Your move> " + (rb"Nf$" if editor else rb"$"))
    if editor and t.screen().last_rows(1) != ["Your move> Nf"]:
        raise SessionError("the line typed is not after the prompt: %r" % t.screen().last_rows(3))
    t.type("3\n")
    t.read_until(rb"(?s)Ravok plays 2\.\.\. .*Your move> $")
    t.set_mark()
    t.type("moves\n")
    t.read_until(rb"(?s)1\. e4 \S+ 2\. Nf3 \S+\r\n.*Your move> $")
    if not editor:
        return
    # The up arrow brings back the last line; the left arrow moves into it.
    t.set_mark()
    t.type("\x1b[A\n")
    t.read_until(rb"(?s)Your move> moves\r\n1\. e4 .*Your move> $")
    t.set_mark()
    t.type("lp\x1b[D\x1b[Dhe\n")
    t.read_until(rb"(?s)Type a move as e4.*quit \(exit\) +leave\r\n.*Your move> $")
    screen = t.screen()
    if "Your move> help" not in screen.rows:
        raise SessionError("the edited line is not written back: %r" % screen.last_rows(25))


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

"""The engine's answers to draw offers and its resignation."""

import re
import sys

from session_driver import edit_position, play_first_legal, run_tests

PLAYED = r"Ravok played: (\S+) \(time used: (\d+) sec\)"
XBOARD_MOVE = r"move [a-h][1-8][a-h][1-8][qrbn]?"

# The engine (Black) is a rook up: it declines.
AHEAD = (["Ke1", "Nb1"], ["Ke8", "Rh8", "Nb8"])
# The engine (Black) is a bishop down: after two such moves it accepts.
BEHIND = (["Kg1", "Rf1", "Bc1", "Pf2", "Pg2", "Ph2"], ["Kg8", "Rf8", "Pf7", "Pg7", "Ph7"])
BEHIND_MOVES = ["g1h1", "h1g1", "h2h3", "g2g3"]

# The engine (Black) has a lone king against queen, two rooks and pawns.
# White's heavy pieces stay boxed in behind their pawns and only the pawns
# of the e- to h-files move, so White can neither mate nor stalemate by
# accident and no position repeats.
HOPELESS = (["Ka1", "Qb1", "Rc1", "Rd1"] + ["P%s2" % f for f in "abcdefgh"], ["Ke8"])
HOPELESS_MOVES = ["%s%d%s%d" % (f, r, f, r + 1) for r in (2, 3, 4, 5) for f in "hgfe"] + ["d1e1", "e1d1"]


def console_position(start, position):
    s = start()
    s.expect("white 1> ")
    for line, reply in [("easy", "pondering disabled\n"), ("sd 3", "")]:
        s.send(line)
        s.expect(reply + "white 1> ")
    edit_position(s, position[0], console=True, black_pieces=position[1])
    s.skip_to(r"      a   b   c   d   e   f   g   h")
    s.expect("white 1> ")
    return s


def xboard_position(start, position):
    s = start("xboard")
    for line in ["new", "easy", "nopost", "sd 3"]:
        s.send(line)
    edit_position(s, position[0], console=False, black_pieces=position[1])
    return s


def console_engine_move(s, candidates):
    play_first_legal(s, candidates, console=True)
    skipped, m = s.skip_to(PLAYED)
    return skipped, m


def test_console_declines_when_ahead(start):
    s = console_position(start, AHEAD)
    s.send("draw")
    s.expect("Guest has offered a draw\nwhite 1> ")
    play_first_legal(s, ["b1c3"], console=True)
    skipped, _ = s.skip_to(r"Ravok declines remis offer")
    line = s.read_line()
    if not re.fullmatch(PLAYED, line):
        raise AssertionError("expected the engine's move after declining, got %r" % line)
    s.expect("white 2> ")


def test_xboard_declines_silently(start):
    s = xboard_position(start, AHEAD)
    s.send("draw")
    s.send("b1c3")
    line = s.read_line()
    if not re.fullmatch(XBOARD_MOVE, line):
        raise AssertionError("expected only the move, got %r" % line)
    s.expect_quiet(0.3)


def test_console_accepts_when_behind(start):
    s = console_position(start, BEHIND)
    for _ in range(2):
        console_engine_move(s, BEHIND_MOVES)
        s._wait_for(lambda: s.pending.endswith("> "), 10, "prompt")
        s.pending = ""
    s.send("draw")
    s.expect("Guest has offered a draw\n")
    s._wait_for(lambda: s.pending.endswith("> "), 10, "prompt")
    s.pending = ""
    play_first_legal(s, BEHIND_MOVES, console=True)
    skipped, _ = s.skip_to(r"Ravok accepts remis offer")
    s.expect("game over: 1/2-1/2 draw by mutal agreement\n")
    if any(re.fullmatch(PLAYED, line) for line in skipped):
        raise AssertionError("a move was played before accepting")
    s._wait_for(lambda: s.pending.endswith("> "), 10, "prompt")
    prompt = s.pending
    s.pending = ""
    s.send("go")
    s.expect("game over: 1/2-1/2 draw by mutal agreement\n" + prompt)


def test_xboard_accepts_with_offer_draw_then_moves(start):
    s = xboard_position(start, BEHIND)
    for _ in range(2):
        play_first_legal(s, BEHIND_MOVES, console=False)
        s.skip_to(XBOARD_MOVE)
    s.send("draw")
    play_first_legal(s, BEHIND_MOVES, console=False)
    s.expect("offer draw\n")
    line = s.read_line()
    if not re.fullmatch(XBOARD_MOVE, line):
        raise AssertionError("expected the move after the acceptance, got %r" % line)


def test_xboard_resigns_after_ten_losing_moves(start):
    s = xboard_position(start, HOPELESS)
    for move_number in range(1, 11):
        play_first_legal(s, HOPELESS_MOVES, console=False)
        line = s.read_line()
        if not re.fullmatch(XBOARD_MOVE, line):
            raise AssertionError("move %d: expected the engine's move, got %r" % (move_number, line))
        if move_number < 10:
            s.expect_quiet(0.05)
    s.expect("resign\n")


def test_console_resigns_after_ten_losing_moves(start):
    s = console_position(start, HOPELESS)
    for move_number in range(1, 11):
        skipped, _ = console_engine_move(s, HOPELESS_MOVES)
        if any("resigned" in line for line in skipped):
            raise AssertionError("resigned before the tenth move")
        if move_number < 10:
            s._wait_for(lambda: s.pending.endswith("> "), 10, "prompt")
            if "resign" in s.pending:
                raise AssertionError("resigned after move %d" % move_number)
            s.pending = ""
    s.expect("Ravok has resigned\n")
    # The winner is the side to move, White; the reason text names the side
    # to move as well.
    s.expect("game over: 1-0 black resigned\n")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

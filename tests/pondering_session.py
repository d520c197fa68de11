"""Pondering: the expected move turns the ponder search into the real
search, another move replaces it, and commands end it cleanly."""

import re
import sys

from session_driver import INITIAL_PLACEMENT, SEARCH_ABORTED, board_text, edit_position, run_tests

PLAYED = r"Ravok played: (\S+) \(time used: (\d+) sec\)"
PONDER_HEADER = r"depth (\d+) \(Ravok played ([A-H][1-8][A-H][1-8]) expected move ([A-H][1-8][A-H][1-8])\)"


def console_after_first_move(start, first_move="e2e4", settings=("st 1",)):
    """Console game: the engine answers the first move and starts pondering;
    returns the session and the expected move in coordinate form."""
    s = start()
    s.expect("white 1> ")
    for line in settings:
        s.send(line)
        s.expect("white 1> ")
    s.send(first_move)
    s.skip_to(PLAYED, timeout=20)
    _, header = s.skip_to(PONDER_HEADER)
    return s, header.group(3).lower()


def test_ponder_hit(start):
    s, expected = console_after_first_move(start)
    s.skip_to(r"depth 4.*")   # pondering has got going
    s.send(expected)
    s.skip_to(r"predicted move made\.")
    skipped, m = s.skip_to(PLAYED, timeout=20)
    headers = [line for line in skipped if line.startswith("depth")]
    # The search goes on: no fresh start at depth 2, and no ponder note.
    if any(line == "depth 2" or "expected move" in line for line in headers):
        raise AssertionError("a new search started after the hit: %r" % headers)
    # The engine ponders on again after its reply.
    s.skip_to(PONDER_HEADER)
    s.send("quit")
    if s.wait_exit() != 0:
        raise AssertionError("exit status")


def test_other_move_replaces_the_ponder_search(start):
    s = start()
    s.expect("white 1> ")
    s.send("st 1")
    s.expect("white 1> ")
    s.send("go")   # the engine plays White
    s.skip_to(PLAYED, timeout=20)
    _, header = s.skip_to(PONDER_HEADER)
    other = "a7a6" if header.group(3).lower() != "a7a6" else "h7h6"
    s.send(other)
    skipped, _ = s.skip_to(r"depth 2")
    if "search aborted" not in skipped:
        raise AssertionError("the ponder search was not ended: %r" % skipped)
    skipped, _ = s.skip_to(PLAYED, timeout=20)
    if any("expected move" in line for line in skipped):
        raise AssertionError("still pondering: %r" % skipped)
    s.skip_to(PONDER_HEADER)


def test_commands_while_pondering(start):
    s, expected = console_after_first_move(start)
    s.send("?")
    s.skip_to(r"Error \(command not legal now\): \?")
    s.send("e7e5")   # the engine's side: not legal for White
    s.skip_to(r"Illegal move: e7e5")
    s.send("level 40 5 0")
    s.skip_to(r"Error \(command not legal now\): level 40 5 0")
    s.send("force")
    s.skip_to(SEARCH_ABORTED)
    s.expect("white 2> ")
    s.send("e2e4")   # no such move any more: e2e4 was played
    s.expect("Illegal move: e2e4\nwhite 2> ")

    s, expected = console_after_first_move(start)
    s.send("new")
    s.skip_to(SEARCH_ABORTED)
    s.expect("white 1> ")
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT) + "white 1> ")

    s, expected = console_after_first_move(start)
    s.send("undo")   # takes the engine's move back; it now plays White
    s.skip_to(SEARCH_ABORTED)
    s.expect("black 1> ")
    s.send("display")
    s.expect(board_text("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR") + "black 1> ")


def test_go_while_pondering_plays_the_side_to_move(start):
    s = start("xboard")
    for line in ["new", "hard", "nopost", "st 1", "e2e4"]:
        s.send(line)
    if not s.read_line().startswith("move "):
        raise AssertionError("no answer")
    s.drain(0.3)
    s.send("go")   # the engine now plays White as well: it moves for White
    line = s.read_line()
    if not re.fullmatch(r"move [a-h][1-8][a-h][1-8]", line):
        raise AssertionError("expected White's move, got %r" % line)


def test_xboard_pondering(start):
    s = start("xboard")
    for line in ["new", "hard", "nopost", "st 1", "e2e4"]:
        s.send(line)
    if not s.read_line().startswith("move "):
        raise AssertionError("no answer")
    s.drain(0.3)
    s.send("?")
    s.expect("Error (command not legal now): ?\n")
    s.send("d2d4")
    line = s.read_line(timeout=20)
    if not re.fullmatch(r"move [a-h][1-8][a-h][1-8]", line):
        raise AssertionError("expected the engine's move, got %r" % line)
    s.send("exit")   # leaves xboard mode, the pondering goes on
    s.send("quit")
    if s.wait_exit() != 0:
        raise AssertionError("exit status")


def test_result_ends_the_ponder_search(start):
    s = start("xboard")
    for line in ["new", "hard", "nopost", "st 1", "e2e4"]:
        s.send(line)
    if not s.read_line().startswith("move "):
        raise AssertionError("no answer")
    s.drain(0.3)
    s.send("result 1-0 {White resigns}")
    s.expect_quiet(0.5)
    s.send("go")
    s.expect("1-0 {unknown reason}\n")


def test_pondering_complete_then_expected_move(start):
    # White to play and mate in two: the ponder search finds the mate after
    # the forced reply and ends by itself; the reply is then answered at once.
    s = start()
    s.expect("white 1> ")
    s.send("st 5")
    s.expect("white 1> ")
    edit_position(s, ["Kf6", "Ra1"], console=True, black_pieces=["Kh8"])
    s.expect(board_text("7k/8/5K2/8/8/8/8/R7") + "white 1> ")
    s.send("go")
    s.skip_to(PLAYED, timeout=20)
    _, header = s.skip_to(PONDER_HEADER)
    s.skip_to(r"pondering complete\.", timeout=20)
    s.expect("black 1> ")
    s.send(header.group(3).lower())
    s.expect("predicted move made.\n")
    _, m = s.skip_to(PLAYED)
    if int(m.group(2)) > 1:
        raise AssertionError("the answer was not immediate")
    s.expect("game over: 1-0 white mates\n")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

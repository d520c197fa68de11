"""Analysis mode: searching without playing, following the game, and the
ways out of it."""

import re
import sys

from session_driver import SEARCH_ABORTED, board_text, edit_position, run_tests

POST_LINE = r"(\d+) (-?\d+) (\d+) (\d+)( [a-h][1-8][a-h][1-8][qrbn]?)+"
STATUS = r"stat01: \d+ \d+ \d+ \d+ \d+"


def console_analysis(start):
    s = start()
    s.expect("white 1> ")
    s.send("analyze")
    s.expect("depth 2\n")
    s.skip_to(r"depth 4")
    return s


def test_analysis_follows_the_game(start):
    s = console_analysis(start)
    s.send(".")
    s.skip_to(STATUS)
    s.send("level 40 5 0")   # accepted during an analysis
    s.send(".")
    skipped, _ = s.skip_to(STATUS)
    if any(line.startswith("Error") for line in skipped):
        raise AssertionError("level refused during the analysis: %r" % skipped)
    s.send("?")
    s.skip_to(r"Error \(command not legal now\): \?")
    s.send("e2e4")
    skipped, _ = s.skip_to(r"depth 2")
    if skipped[-1:] != ["search aborted"]:
        raise AssertionError("the analysis did not restart at once: %r" % skipped)
    s.send("e2e4")   # White's move, Black is to move now
    s.skip_to(r"Illegal move: e2e4")
    s.send("go")     # restarts, does not move
    skipped, _ = s.skip_to(r"depth 2")
    if "restarting analyze" not in skipped:
        raise AssertionError("no restart message: %r" % skipped)
    s.send("undo")
    s.skip_to(r"depth 2")
    s.send("exit")
    s.skip_to(SEARCH_ABORTED)
    s.expect("white 1> ")
    s.send("?")   # idle again, and playing nobody's move
    s.expect("Error (command not legal now): ?\nwhite 1> ")


def test_analysis_ends_with_the_game(start):
    s = start()
    s.expect("white 1> ")
    s.send("force")
    s.expect("white 1> ")
    moves = ["g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"]
    for i, move in enumerate(moves):
        s.send(move)
        s.expect(("black" if i % 2 == 0 else "white") + " %d> " % ((i + 1) // 2 + 1))
    s.send("analyze")
    s.skip_to(r"depth 3")
    s.send("f6g8")   # the third repetition ends the game and the analysis
    s.skip_to(r"game over: 1/2-1/2 draw by repetition")
    s.expect("search aborted\nwhite 5> ")
    s.send("e2e4")
    s.expect("Illegal move: e2e4\nwhite 5> ")


def test_new_restarts_the_analysis(start):
    s = console_analysis(start)
    s.send("e2e4")
    s.skip_to(r"depth 3")
    s.send("new")
    s.skip_to(r"depth 2")
    s.send("display")
    _, m = s.skip_to(r"  2 \|.*")
    if m.group(0) != "  2 | *P| *P| *P| *P| *P| *P| *P| *P|":
        raise AssertionError("the game was not reset: %r" % m.group(0))
    s.send("exit")
    s.skip_to(SEARCH_ABORTED)
    s.expect("white 1> ")


def test_analysis_complete_and_restart(start):
    s = start()
    s.expect("white 1> ")
    edit_position(s, ["Kg6", "Ra1"], console=True, black_pieces=["Kh8"])
    s.expect(board_text("7k/8/6K1/8/8/8/8/R7") + "white 1> ")
    s.send("analyze")
    s.skip_to(r"analyze complete\.", timeout=20)
    s.expect("white 1> ")
    s.send(".")
    line = s.read_line()
    if not re.fullmatch(STATUS, line):
        raise AssertionError("status line %r" % line)
    s.expect("white 1> ")
    s.send("go")
    s.expect("restarting analyze\n")
    s.skip_to(r"analyze complete\.", timeout=20)
    s.expect("white 1> ")
    s.send("a1a8")   # the game ends: analysis mode is left
    s.expect("game over: 1-0 white mates\nblack 1> ")


def test_xboard_analysis(start):
    s = start("xboard")
    for line in ["new", "post", "analyze"]:
        s.send(line)
    _, m = s.skip_to(POST_LINE)
    if m.group(1) != "2":
        raise AssertionError("first post line at depth %s" % m.group(1))
    s.send(".")
    s.skip_to(STATUS)
    s.send("eval")   # borrows the search position and gives it back
    s.skip_to(r"Value: -?\d+")
    s.send("sd 4")   # a setting changes nothing for the running analysis
    _, m = s.skip_to(POST_LINE)
    if not re.fullmatch(r"[a-h][12]", m.group(0).split()[4][:2]):
        raise AssertionError("the analysis lost its position: %r" % m.group(0))
    s.send("e2e4")
    _, m = s.skip_to(r"2 " + POST_LINE[len(r"(\d+) "):])
    if not re.fullmatch(r"[a-h][78]", m.group(0).split()[4][:2]):
        raise AssertionError("analysis of the wrong side to move: %r" % m.group(0))
    s.send("exit")
    s.drain(0.3)
    s.send("?")
    s.expect("Error (command not legal now): ?\n")
    # Still in xboard mode: "exit" left only the analysis.
    s.send("quit")
    if s.wait_exit() != 0:
        raise AssertionError("exit status")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

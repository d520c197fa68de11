"""xboard dialogue without searches: silence where the console talks, the
result lines, the settings and the protocol's own words."""

import sys

from session_driver import HELP_LINES, INITIAL_PLACEMENT, board_text, run_tests


def xboard(start, by_argument=True):
    if by_argument:
        return start("xboard")
    s = start()
    s.expect("white 1> ")
    s.send("xboard")
    s.expect("\n")
    return s


def probe(s):
    """A command whose reply marks that everything before it was silent."""
    s.send("?")
    s.expect("Error (command not legal now): ?\n")


def test_no_prompt_and_silent_confirmations(start):
    s = xboard(start)
    for line in ["", "   ", "new", "draw", "force", "easy", "hard", "pondering on", "post", "nopost",
                 "history", "random", "sd 4", "st 1", "level 40 5 0", "tb", "undo", "xboard",
                 "e2e4", "e7e5"]:
        s.send(line)
    probe(s)
    s.expect_quiet(0.3)


def test_xboard_by_argument_and_by_command(start):
    s = xboard(start, by_argument=False)
    s.send("xboard")   # already on: no empty line this time
    probe(s)
    s = start("hash", "1", "pawnhash", "1", "xboard")
    probe(s)
    s = start("XBOARD")   # capitals are no option: console mode
    s.expect("white 1> ")


def test_exit_leaves_xboard_mode(start):
    s = xboard(start)
    s.send("exit")
    s.expect("white 1> ")
    s.send("xboard")
    s.expect("\n")
    probe(s)


def test_help_and_display_in_both_modes(start):
    s = xboard(start)
    s.send("help")
    s.expect("".join(line + "\n" for line in HELP_LINES))
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT))
    s.send("eval")
    line = s.read_line()
    if not line.startswith("Value: "):
        raise AssertionError("eval printed %r" % line)


def test_result_lines(start):
    s = xboard(start)
    s.send("force")
    for move in ["f2f3", "e7e5", "g2g4", "d8h4"]:
        s.send(move)
    s.expect("0-1 {black mates}\n")
    s.send("go")
    s.expect("0-1 {black mates}\n")
    s.send("new")
    s.send("result 1/2-1/2 {agreed}")
    s.send("go")
    s.expect("1/2-1/2 {unknown reason}\n")
    s.send("new")
    s.send("result *")   # too few words
    s.expect("Illegal move: result *\n")
    s.send("result * {stopped}")
    s.send("go")
    s.expect(" {unknown reason}\n")


def test_errors_and_illegal_moves(start):
    s = xboard(start)
    s.send("e2e5")
    s.expect("Illegal move: e2e5\n")
    s.send("bk 3000")
    s.expect("Illegal move: bk 3000\n")
    s.send(".")
    s.expect("Error (command not legal now): .\n")
    s.send("force")
    s.send("draw")
    s.expect("Error (command not legal now): draw\n")
    s.send("pondering off!")
    s.expect("Illegal move: pondering off!\n")


def test_white_black_failures(start):
    s = xboard(start)
    s.send("force")
    for move in ["e2e4", "f7f6", "d1h5"]:
        s.send(move)
    s.send("white")
    s.expect("Error (black king would be in check): white\n")
    s.send("black")
    probe(s)


def test_end_of_input(start):
    s = xboard(start)
    s.send("force")
    s.close_input()
    status = s.wait_exit()
    if status != 0:
        raise AssertionError("exit status %r" % status)


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

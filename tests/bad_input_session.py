"""Lines that no person or program should send: each gets the reply of the
command loop and leaves the game and the settings as they were."""

import re
import sys

from session_driver import INITIAL_PLACEMENT, board_text, run_tests

# (line as bytes, expected reply line or None for no reply)
BAD_LINES = [
    (b"sd 99999999999", "Illegal move: sd 99999999999"),
    (b"sd 4294967297", "Illegal move: sd 4294967297"),
    (b"sd -1", "Illegal move: sd -1"),
    (b"sd 37", "Illegal move: sd 37"),
    (b"depth", "Illegal move: depth"),
    (b"st -5", "Illegal move: st -5"),
    (b"abstime", "Illegal move: abstime"),
    (b"vartime -99999999999", "Illegal move: vartime -99999999999"),
    (b"level 40 x 0", "Error (invalid command): level 40 x 0"),
    (b"level 40 5:xx 0", "Error (invalid command): level 40 5:xx 0"),
    (b"level 40 99999999999 0", "Error (invalid command): level 40 99999999999 0"),
    (b"level 40 5", "Illegal move: level 40 5"),
    (b"level -1 5 0", "Illegal move: level -1 5 0"),
    (b"level 40 0:00 0", "Illegal move: level 40 0:00 0"),
    (b"hash 64", "Illegal move: hash 64"),
    (b"pawnhash", "Illegal move: pawnhash"),
    (b"sd 99\r", "Illegal move: sd 99"),  # a carriage return before the line end is dropped
    (b"sd\t5", "Illegal move: sd\t5"),
    (b"e2e4\r", None),    # extra characters after a move are ignored
    (b"\x00\x01\xff\xfe", "Illegal move: \x00\x01\xff\xfe"),
    (b"e2", "Illegal move: e2"),
    (b"z9z9", "Illegal move: z9z9"),
    (b"GO", "Illegal move: GO"),
    (b"result", "Illegal move: result"),
    (b"result 1-0", "Illegal move: result 1-0"),
    (b"pondering", "Illegal move: pondering"),
]


def check_untouched(s, prompt):
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT) + prompt)


def test_bad_lines_console(start):
    s = start()
    s.expect("white 1> ")
    s.send("force")
    s.expect("white 1> ")
    for line, reply in BAD_LINES:
        if reply is None:
            continue
        s.send_raw(line + b"\n")
        s.expect(reply + "\nwhite 1> ")
    check_untouched(s, "white 1> ")


def test_bad_lines_xboard(start):
    s = start("xboard")
    s.send("force")
    for line, reply in BAD_LINES:
        if reply is None:
            continue
        s.send_raw(line + b"\n")
        s.expect(reply + "\n")
    check_untouched(s, "")


def test_move_with_carriage_return(start):
    # Only the first four or five characters of a move word count.
    s = start("xboard")
    s.send("force")
    s.send_raw(b"e2e4\r\n")
    s.send("display")
    s.expect(board_text("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"))


def test_very_long_lines(start):
    s = start("xboard")
    s.send("force")
    long_word = "x" * 200000
    s.send(long_word)
    s.expect("Illegal move: " + long_word + "\n", timeout=20)
    s.send(" ".join(["w"] * 50000))
    s.expect("Illegal move:" + " w" * 50000 + "\n", timeout=20)
    check_untouched(s, "")


def test_bad_settings_change_nothing(start):
    # The depth set before the bad lines still holds: one iteration shown
    # as depth 2, and no clock limits from a refused "level".
    s = start()
    s.expect("white 1> ")
    s.send("easy")
    s.expect("pondering disabled\nwhite 1> ")
    s.send("sd 2")
    s.expect("white 1> ")
    for line in ["sd 99999999999", "sd 4294967297", "level 40 x 0", "st -1"]:
        s.send(line)
        s.read_line()
        s.expect("white 1> ")
    s.send("e2e4")
    skipped, _ = s.skip_to(r"Ravok played: .* \(time used: \d+ sec\)", timeout=30)
    depths = [line for line in skipped if line.startswith("depth")]
    if depths != ["depth 2"]:
        raise AssertionError("iteration headers %r" % depths)
    s.expect("white 2> ")


def test_input_ends_in_the_middle_of_a_line(start):
    s = start("xboard")
    s.send("force")
    s.send_raw(b"e2e")
    s.close_input()
    s.expect("Illegal move: e2e\n")
    status = s.wait_exit()
    if status != 0:
        raise AssertionError("exit status %r" % status)


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

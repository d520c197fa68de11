"""Protocol version 1 and the console stay as they were: a session made only
of the commands Ravok has always understood gives, byte for byte, the output
it gave before the protocol-2 commands existed (only the elapsed time of the
thinking lines is masked, as it depends on the wall clock)."""

import re
import sys

from session_driver import run_tests

# (line sent, regular expression of the output line to wait for or None).
# The engine's moves are waited for, so that no line arrives during a search
# by accident.
STEPS = [
    ("easy", None), ("help", None), ("hint", None), ("e2e5", None), ("foo bar", None),
    ("xboard", None),
    ("new", None), ("easy", None), ("sd 3", None), ("post", None),
    ("hint", None), ("bk", None), ("O-O", None), ("e2e5", None), ("E2E9", None),
    ("sd 99", None), ("st -1", None), ("level 40 5", None), ("level 40 x 0", None),
    ("result 1-0", None), ("pondering maybe", None), (".", None), ("?", None),
    ("e2e4", r"move \S+"),
    ("undo", None), ("undo", None), ("tb", None),
    ("force", None), ("d2d4", None), ("d7d5", None), ("go", r"move \S+"),
    ("new", None),
    # Mate in one from an edited position: the thinking lines keep the
    # search's own mate scores under protocol version 1.
    ("edit", None), ("#", None), ("Kg1", None), ("Ra1", None), ("c", None),
    ("Kg8", None), ("Pf7", None), ("Pg7", None), ("Ph7", None), (".", None),
    ("go", r"1-0 \{white mates\}"),
    ("go", None), ("display", None),
    ("exit", None), ("hint", None), ("quit", None),
]

POST_LINE = re.compile(r"^(\d+ -?\d+ )(\d+)( \d+ .*)$", re.M)


def masked(text):
    return POST_LINE.sub(lambda m: m.group(1) + "T" + m.group(3), text)


def run_session(start):
    s = start()
    for line, wait in STEPS:
        s.send(line)
        if wait:
            s._wait_for(lambda: re.search("^" + wait + "$", s.pending, re.M), 30, wait)
    if s.wait_exit(30) != 0:
        raise AssertionError("exit status %r" % s.proc.returncode)
    return masked(s.pending)


# Recorded from the engine before the protocol-2 commands were added.
EXPECTED = (
    'white 1> pondering disabled\n'
    'white 1> \n'
    'analyze.........activates analyze mode (exit to leave)\n'
    'go..............ravok should play active side\n'
    'ponder on|off...set pondering\n'
    'display.........display board\n'
    'edit............edit position (end to leave edit move)\n'
    'tb..............takes back last move\n'
    'new.............starts new game\n'
    'vartime.........sets variable time limit\n'
    'abstime.........sets absolute time limit\n'
    'depth...........sets maximum search depth\n'
    '?...............ravok should move now\n'
    'quit............terminates programm\n'
    '\n'
    'white 1> Illegal move: hint\n'
    'white 1> Illegal move: e2e5\n'
    'white 1> Illegal move: foo bar\n'
    'white 1> \n'
    'Illegal move: hint\n'
    'Illegal move: bk\n'
    'Illegal move: O-O\n'
    'Illegal move: e2e5\n'
    'Illegal move: E2E9\n'
    'Illegal move: sd 99\n'
    'Illegal move: st -1\n'
    'Illegal move: level 40 5\n'
    'Error (invalid command): level 40 x 0\n'
    'Illegal move: result 1-0\n'
    'Illegal move: pondering maybe\n'
    'Error (command not legal now): .\n'
    'Error (command not legal now): ?\n'
    '2 -226 T 32 g8h6 d2d4\n'
    '2 -113 T 100 g8f6 b1c3\n'
    '2 -112 T 183 f7f5 e4f5\n'
    '2 -95 T 247 e7e5 d2d4 e5d4 d1d4\n'
    '2 -27 T 330 d7d5 b1c3\n'
    '3 -18 T 544 d7d5 d2d4 d5e4\n'
    '3 -17 T 757 g8f6 d2d4 f6e4\n'
    'move g8f6\n'
    '2 -14 T 33 b1c3 g8f6\n'
    '2 0 T 112 g1f3 g8f6\n'
    '2 18 T 136 e2e4 d5e4\n'
    '2 22 T 210 c2c4 d5c4\n'
    '3 34 T 503 c2c4 e7e5 d4e5\n'
    '2 31999 T 1 a1a8\n'
    'move a1a8\n'
    '1-0 {white mates}\n'
    '1-0 {white mates}\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  8 | *R|   |   |   |   |   | K |   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  7 |   |   |   |   |   | P | P | P |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  6 |   |   |   |   |   |   |   |   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  5 |   |   |   |   |   |   |   |   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  4 |   |   |   |   |   |   |   |   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  3 |   |   |   |   |   |   |   |   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  2 |   |   |   |   |   |   |   |   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '  1 |   |   |   |   |   |   | *K|   |\n'
    '    +---+---+---+---+---+---+---+---+\n'
    '      a   b   c   d   e   f   g   h\n'
    'black 1> Illegal move: hint\n'
    'black 1> '
)


def test_original_session_is_unchanged(start):
    got = run_session(start)
    if got != EXPECTED:
        import difflib
        diff = "\n".join(difflib.unified_diff(EXPECTED.split("\n"), got.split("\n"), "before", "now", lineterm=""))
        raise AssertionError("the output changed:\n" + diff)


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[2] == "--record":
        from session_driver import Session
        session = Session(sys.argv[1])
        try:
            print(repr(run_session(lambda *args: session)))
        finally:
            session.kill()
        sys.exit(0)
    sys.exit(run_tests(globals()))

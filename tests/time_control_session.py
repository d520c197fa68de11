"""Clocks under "level" in console mode: a side whose clock runs out loses
on time."""

import sys
import time

from session_driver import run_tests

WHITE_MOVES = ["e2e4", "d2d4", "g1f3", "b1c3", "f1e2", "c1e3", "a2a3", "h2h3", "b2b3", "g2g3",
               "d1d2", "a1b1", "h1g1", "c2c3", "f2f3"]


def test_opponent_loses_on_time(start):
    s = start()
    s.expect("white 1> ")
    s.send("level 0 0:02 0")
    s.expect("white 1> ")
    time.sleep(3.5)
    s.send("e2e4")
    s.expect("Guest has lost on time.\ngame over: 0-1 white has lost on time\n"
             "Illegal move: e2e4\nwhite 1> ")


def test_engine_loses_on_time(start):
    s = start()
    s.expect("white 1> ")
    s.send("easy")
    s.expect("pondering disabled\nwhite 1> ")
    s.send("level 0 0:01 0")
    s.expect("white 1> ")
    for move in WHITE_MOVES:
        s.send(move)
        line = ""
        while not (line.startswith("Ravok played") or line == "Ravok has lost on time."):
            line = s.read_line(timeout=10)
            if line.startswith("Illegal move") or "white" in line and "> " in line:
                break
        if line == "Ravok has lost on time.":
            s.expect("game over: 1-0 black has lost on time\nsearch aborted\n")
            s.expect("black %d> " % (WHITE_MOVES.index(move) + 1))
            return
        s._wait_for(lambda: s.pending.endswith("> "), 10, "prompt")
        s.pending = ""
    raise AssertionError("the engine's flag never fell")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

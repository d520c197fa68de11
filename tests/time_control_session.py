"""Time and depth limits in whole processes: the flag falls for a side whose
clock runs out, the engine itself keeps time on a tiny clock, "st 1" gives a
second to the millisecond, "st 0" none, "sd 1" the shallowest search, and the game ends
for lack of material only where no mate is possible."""

import re
import sys
import time

from session_driver import run_tests

def test_opponent_loses_on_time(start):
    s = start()
    s.expect("white 1> ")
    s.send("level 0 0:02 0")
    s.expect("white 1> ")
    time.sleep(2.5)
    s.send("e2e4")
    s.expect("Guest has lost on time.\ngame over: 0-1 white has lost on time\n"
             "Illegal move: e2e4\nwhite 1> ")


def expected_reply(output):
    """The reply that the engine expects after its move, from its last
    thinking line that starts with that move, as a coordinate move
    ("Bc1-e3" gives "c1e3", "e7-e8Q" gives "e7e8q")."""
    played = re.search(r"Ravok played: (\S+)", output).group(1)
    for line in reversed(output.split("\n")):
        words = [w for w in line.split(" (")[0].split() if not re.fullmatch(r"[?!]+", w)]
        if line.endswith(" kn") and len(words) >= 2 and words[0] == played:
            m = re.fullmatch(r"[NBRQK]?([a-h][1-8])[-x]([a-h][1-8])([NBRQ]?)", words[1])
            return m.group(1) + m.group(2) + m.group(3).lower()
    return None


def test_engine_keeps_time_on_a_one_second_clock(start):
    """One second for the whole game and no increment: every reply comes
    before the engine's clock runs out. White plays the replies the engine
    expects."""
    s = start()
    s.expect("white 1> ")
    s.send("easy")
    s.expect("pondering disabled\nwhite 1> ")
    s.send("level 0 0:01 0")
    s.expect("white 1> ")
    move = "e2e4"
    for number in range(1, 21):
        s.send(move)
        s._wait_for(lambda: re.search(r"(^|\n)[a-z]+ \d+> $", s.pending), 10, "the reply to " + move)
        if "lost on time" in s.pending:
            raise AssertionError("a flag fell: %r" % s.pending[-300:])
        if "game over" in s.pending:
            return  # ended on the board, in time
        if not s.pending.endswith("white %d> " % (number + 1)):
            raise AssertionError("no reply to %s: %r" % (move, s.pending[-300:]))
        move = expected_reply(s.pending)
        s.pending = ""
        if move is None:
            raise AssertionError("no expected reply after move %d" % number)


def test_st_one_gives_a_second(start):
    s = start("xboard")
    s.send("st 1")
    s.send("sd 36")
    for move in ["e2e4", "d2d4"]:
        s.send(move)
        began = time.monotonic()
        s.skip_to(r"move \S+", timeout=5)
        took = time.monotonic() - began
        if not 0.8 <= took <= 1.3:
            raise AssertionError("the move came after %.3f s" % took)


def test_st_zero_leaves_the_depth_limit_alone(start):
    """"st 0" sets no time limit: "sd 2" alone ends the search. "st -1" and
    bad clock-rule settings are refused."""
    s = start("xboard")
    s.send("protover 2")
    s.skip_to("feature done=1")
    s.send("easy")
    s.send("post")
    s.send("st 0")
    s.send("sd 2")
    s.send("e2e4")
    skipped, _ = s.skip_to(r"move \S+", timeout=10)
    if not skipped or not re.match(r"\s*2 ", skipped[-1]):
        raise AssertionError("the last thinking line is not at depth 2: %r" % skipped)
    for words, reason in [("st -1", "invalid command"), ("option Time Rule=fast", "invalid command"),
                          ("option Time Rule", "invalid command"), ("option Hurry=1", "unknown option")]:
        s.send(words)
        s.expect("Error (%s): %s\n" % (reason, words))
    s.send("option Time Rule=increment")
    s.send("ping 7")
    s.expect("pong 7\n")


def test_sd_one_prints_one_iteration(start):
    s = start()
    s.expect("white 1> ")
    s.send("sd 1")
    s.expect("white 1> ")
    s.send("e2e4")
    s.expect("depth 2\n")
    skipped, _ = s.skip_to(r"Ravok played: .*")
    if any(line.startswith("depth") for line in skipped):
        raise AssertionError("more than one iteration: %r" % skipped)


def test_insufficient_material_only_without_mate(start):
    s = start("xboard")
    s.send("force")
    for fen, ends in [("4k3/8/8/8/8/8/8/1N2K3 w - - 0 1", True),          # knight alone
                      ("4k3/8/3b4/8/8/8/8/2B1K3 w - - 0 1", True),        # bishops on one colour
                      ("4k3/8/3b4/8/8/8/8/1N2K3 w - - 0 1", False),       # knight against bishop
                      ("4k3/8/4b3/8/8/8/8/2B1K3 w - - 0 1", False)]:      # bishops on both colours
        s.send("setboard " + fen)
        s.send("go")
        if ends:
            s.expect("1/2-1/2 {insufficient material}\n")
        else:
            s.skip_to(r"move \S+")
        s.send("force")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

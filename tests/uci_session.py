"""UCI dialogue: the switch into it, the searches and their limits, the
reports, the commands during a search, and bad input of every kind."""

import os
import re
import resource
import sys
import time

from session_driver import EMULATOR, SessionError, run_tests

HANDSHAKE = [
    "id name Ravok",
    "id author the Ravok developers",
    "option name Hash type spin default 24 min 1 max 65536",
    "option name Clear Hash type button",
    "option name Ponder type check default false",
    "option name Move Overhead type spin default 30 min 0 max 5000",
    "option name Time Rule type combo default increment var classic var increment",
    "option name Search type combo default selective var classic var selective",
    "option name Evaluation type combo default tuned var classic var tuned",
    "option name Threads type spin default 1 min 1 max 256",
    "option name MultiPV type spin default 1 min 1 max 256",
    "option name UCI_Chess960 type check default false",
    "option name UCI_ShowWDL type check default false",
    "option name UCI_LimitStrength type check default false",
    "option name UCI_Elo type spin default 1970 min 130 max 1970",
    "uciok",
]

MOVE = r"[a-h][1-8][a-h][1-8][qrbn]?"
BEST_LINE = re.compile(r"info depth (\d+) score (cp -?\d+|mate -?\d+) nodes (\d+) nps (\d+) time (\d+) pv((?: %s)+)"
                       % MOVE)
PROGRESS = re.compile(r"info depth (\d+) nodes (\d+) nps (\d+) time (\d+) hashfull (\d+)")
BESTMOVE = r"bestmove (%s|0000)(?: ponder (%s))?" % (MOVE, MOVE)

START_MOVES = {f + "2" + f + r for f in "abcdefgh" for r in "34"} | {"b1a3", "b1c3", "g1f3", "g1h3"}
MATE_IN_ONE = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"   # a1a8 mates
MATED = "7k/5QQ1/8/8/8/8/8/K7 b - - 0 1"             # Black is mated
STALEMATE = "7k/8/8/8/8/5q2/6r1/7K w - - 0 1"        # White has no move


def uci(start, *args):
    s = start("uci", *args)
    s.send("uci")
    s.expect_lines(*HANDSHAKE)
    return s


def ready(s):
    """Everything sent before has been answered: the next line is readyok."""
    s.send("isready")
    s.expect_lines("readyok")


def search(s, go, timeout=20):
    """Sends the go command and reads up to its bestmove; returns the info
    lines and the bestmove match."""
    s.send(go)
    return s.skip_to(BESTMOVE, timeout=timeout)


def best_lines(lines):
    return [BEST_LINE.fullmatch(line) for line in lines if BEST_LINE.fullmatch(line)]


def assert_no_bestmove(s, seconds):
    text = s.drain(seconds)
    if "bestmove" in text:
        raise AssertionError("bestmove before stop: %r" % text)


# --- the switch ----------------------------------------------------------

def test_uci_as_first_command_switches(start):
    # The console's prompt is ended, then the dialogue is UCI's alone.
    s = start()
    s.expect("white 1> ")
    s.send("uci")
    s.expect("\n")
    s.expect_lines(*HANDSHAKE)
    ready(s)
    s.send("quit")
    if s.wait_exit() != 0:
        raise AssertionError("exit status")
    # The same from xboard mode, and from the command line with a table size.
    s = start("xboard")
    s.send("uci")
    s.expect_lines(*HANDSHAKE)
    s = start("uci", "hash", "64")
    s.expect_quiet(0.3)
    s.send("uci")
    s.expect_lines(HANDSHAKE[0], HANDSHAKE[1], "option name Hash type spin default 72 min 1 max 65536")


def test_uci_later_is_no_switch(start):
    s = start("xboard")
    s.send("new")
    s.send("uci")
    s.expect_lines("Illegal move: uci")
    s = start()
    s.expect("white 1> ")
    s.send("")
    s.expect("OK.\nwhite 1> ")
    s.send("uci")
    s.expect("Illegal move: uci\nwhite 1> ")


# --- searches and reports --------------------------------------------------

def test_go_depth_reports_and_bestmove(start):
    s = uci(start)
    s.send("ucinewgame")
    s.send("position startpos moves e2e4 e7e5")
    lines, best = search(s, "go depth 5")
    found = best_lines(lines)
    if not found or found[-1].group(1) != "5" or any(int(m.group(1)) > 5 for m in found):
        raise AssertionError("the best lines do not end at depth 5: %r" % lines)
    nodes = [int(m.group(3)) for m in found]
    if nodes != sorted(nodes):
        raise AssertionError("node counts go backwards: %r" % nodes)
    pv = found[-1].group(6).split()
    if best.group(1) != pv[0] or (len(pv) > 1 and best.group(2) != pv[1]):
        raise AssertionError("bestmove %r is not the line %r" % (best.group(0), pv))
    if not PROGRESS.fullmatch(lines[-1]):
        raise AssertionError("no closing progress line: %r" % lines[-1])
    # MultiPV 3: after every iteration three lines, best first, each from its
    # own first move; bestmove is the first line's move.
    s.send("setoption name MultiPV value 3")
    lines, best = search(s, "go depth 4")
    multi = [re.fullmatch(r"info depth (\d+) multipv (\d) score cp (-?\d+) nodes \d+ nps \d+ time \d+ pv((?: %s)+)"
                          % MOVE, line) for line in lines if " multipv " in line]
    if len(multi) != 9 or not all(multi) or [m.group(2) for m in multi] != ["1", "2", "3"] * 3 or \
            best_lines(lines) or best.group(1) != multi[-3].group(4).split()[0]:
        raise AssertionError("MultiPV 3: %r %r" % (lines, best.group(0)))
    for depth in range(3):
        found = multi[3 * depth:3 * depth + 3]
        if len({m.group(1) for m in found}) != 1 or len({m.group(4).split()[0] for m in found}) != 3 or \
                [int(m.group(3)) for m in found] != sorted((int(m.group(3)) for m in found), reverse=True):
            raise AssertionError("MultiPV 3 at one depth: %r" % [m.group(0) for m in found])
    s.send("setoption name MultiPV value 1")
    # UCI_ShowWDL: the chances in per mille after every score, adding to 1000.
    s.send("setoption name UCI_ShowWDL value true")
    lines, _ = search(s, "go depth 3")
    chances = [re.fullmatch(r"info depth \d+ score cp (-?\d+) wdl (\d+) (\d+) (\d+) nodes .*", line)
               for line in lines if " score " in line]
    if not chances or not all(chances) or any(sum(int(c.group(i)) for i in (2, 3, 4)) != 1000 for c in chances):
        raise AssertionError("UCI_ShowWDL: %r" % lines)
    s.send("setoption name UCI_ShowWDL value false")
    # Depth 1 is the single shallowest iteration.
    lines, _ = search(s, "go depth 1")
    if {m.group(1) for m in best_lines(lines)} != {"2"}:
        raise AssertionError("go depth 1 ran more than one iteration: %r" % lines)


def test_movetime_and_clock_words_keep_their_limits(start):
    s = uci(start)
    began = time.monotonic()
    _, best = search(s, "go movetime 1000")
    took = time.monotonic() - began
    if not 0.5 <= took <= 1.4 or best.group(1) not in START_MOVES:
        raise AssertionError("go movetime 1000 took %.2f s for %s" % (took, best.group(0)))
    # A fast game clock comes back well within the time left: the increment
    # rule's hard limit at 10 s + 0.1 s is 3.45 s.
    began = time.monotonic()
    search(s, "go wtime 10000 btime 10000 winc 100 binc 100")
    if time.monotonic() - began > 4.0:
        raise AssertionError("a 10 s clock took %.2f s" % (time.monotonic() - began))
    # The side to move's clock counts, the other's does not.
    for position, go in (("position startpos", "go wtime 100 btime 100000"),
                         ("position startpos moves e2e4", "go wtime 100000 btime 100")):
        s.send(position)
        began = time.monotonic()
        search(s, go)
        if time.monotonic() - began > 0.5:
            raise AssertionError("%s with 100 ms left took %.2f s" % (go, time.monotonic() - began))
    # The move overhead comes off the move time, down to a few milliseconds.
    s.send("setoption name Move Overhead value 5000")
    began = time.monotonic()
    search(s, "go movetime 1000")
    if time.monotonic() - began > 0.5:
        raise AssertionError("the overhead was not kept back: %.2f s" % (time.monotonic() - began))


def test_node_limit_and_new_game_repeat_a_search(start):
    s = uci(start)
    # The last report counts exactly the nodes asked for.
    for position, nodes in [("startpos", 20000), ("startpos moves e2e4 e7e5 g1f3 b8c6", 5000),
                            ("fen 8/8/4k3/8/2K5/8/3P4/8 w - - 0 1", 20000), ("startpos moves d2d4", 77777)]:
        s.send("position " + position)
        lines, _ = search(s, "go nodes %d" % nodes)
        total = int(PROGRESS.fullmatch(lines[-1]).group(2))
        if total != nodes:
            raise AssertionError("go nodes %d from %s searched %d nodes" % (nodes, position, total))
    # After ucinewgame the same search counts the same nodes.
    counts = []
    for _ in range(2):
        s.send("ucinewgame")
        s.send("position startpos moves d2d4 d7d5 c2c4")
        lines, _ = search(s, "go depth 6")
        counts.append(best_lines(lines)[-1].group(3))
    if counts[0] != counts[1]:
        raise AssertionError("ucinewgame left traces: %r" % counts)


def test_same_nodes_as_xboard(start):
    # The same search under UCI and under xboard, each from fresh tables:
    # UCI's own search and evaluation and xboard's once the options pick
    # them, then the classic ones, xboard's own.
    for search_style, evaluation, xboard_setting in (
            ("selective", "tuned", ["option Search=selective", "option Evaluation=tuned"]),
            ("classic", "classic", [])):
        s = uci(start)
        s.send("setoption name Search value " + search_style)
        s.send("setoption name Evaluation value " + evaluation)
        s.send("position startpos moves e2e4 e7e5 g1f3")
        lines, _ = search(s, "go depth 6")
        uci_nodes = best_lines(lines)[-1].group(3)
        x = start("xboard")
        for line in ["new", "force", "e2e4", "e7e5", "g1f3", "sd 6"] + xboard_setting + ["go"]:
            x.send(line)
        posts, _ = x.skip_to(r"move %s" % MOVE, timeout=20)
        post = re.fullmatch(r"6 -?\d+ \d+ (\d+)(?: %s)+" % MOVE, posts[-1])
        if not post or post.group(1) != uci_nodes:
            raise AssertionError("%s: UCI %s nodes, xboard post line %r" % (search_style, uci_nodes, posts[-1]))


def test_mate_stalemate_and_no_move(start):
    s = uci(start)
    s.send("position fen " + MATE_IN_ONE)
    lines, best = search(s, "go depth 4")
    if best.group(0) != "bestmove a1a8" or best_lines(lines)[-1].group(2) != "mate 1":
        raise AssertionError("mate in one: %r %r" % (lines, best.group(0)))
    # searchmoves keeps the search to the moves it names; an illegal one is
    # named and left out.
    lines, best = search(s, "go searchmoves a1a2 a1f1 a1a9 depth 4")
    if lines[0] != "info string go: searchmoves a1a9 is not a legal move here; skipped" or \
            best.group(1) not in ("a1a2", "a1f1") or \
            any(line.group(6).split()[0] not in ("a1a2", "a1f1") for line in best_lines(lines)):
        raise AssertionError("searchmoves: %r %r" % (lines, best.group(0)))
    s.send("position fen " + MATE_IN_ONE + " moves a1a8")
    s.send("go depth 4")
    s.expect_lines("info depth 0 score mate 0", "bestmove 0000")
    s.send("position fen " + STALEMATE)
    s.send("go movetime 100")
    s.expect_lines("info depth 0 score cp 0", "bestmove 0000")
    # The side to move that cannot stop a mate sees a negative mate.
    s.send("position fen 3r4/8/8/8/8/p7/P1k4P/K7 w - - 0 1")
    lines, _ = search(s, "go depth 4")
    if best_lines(lines)[-1].group(2) != "mate -1":
        raise AssertionError("no negative mate: %r" % lines)
    # go mate N ends the search once a mate in N moves or fewer is found,
    # with either search; a longer mate, or none, leaves the search to end
    # as it would without it (a depth, or the mate found again).
    for search_style in ("classic", "selective"):
        s.send("setoption name Search value " + search_style)
        mate_in_three = "position fen r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1"
        s.send("ucinewgame")
        s.send(mate_in_three)
        lines, best = search(s, "go mate 3")
        found = best_lines(lines)[-1]
        if best.group(1) != found.group(6).split()[0] or found.group(2) != "mate 3" or \
                [line.group(2) for line in best_lines(lines)].index("mate 3") != len(best_lines(lines)) - 1:
            raise AssertionError("%s go mate 3: %r %r" % (search_style, lines, best.group(0)))
        s.send("ucinewgame")
        s.send(mate_in_three)
        longer, _ = search(s, "go mate 2 depth 7")
        nodes = [int(re.search(r" nodes (\d+)", line).group(1)) for line in (lines[-1], longer[-1])]
        if best_lines(longer)[-1].group(2) != "mate 3" or nodes[1] <= nodes[0]:
            raise AssertionError("%s go mate 2: %r after %r" % (search_style, longer[-3:], lines[-3:]))
        s.send("position startpos")
        lines, _ = search(s, "go mate 1 depth 3")
        if best_lines(lines)[-1].group(1) != "3":
            raise AssertionError("%s go mate 1 depth 3: %r" % (search_style, lines[-3:]))


# --- open-ended searches and the commands during a search ------------------

def test_chess960_castling_is_the_king_taking_its_rook(start):
    s = uci(start)
    s.send("setoption name UCI_Chess960 value true")
    # Castling is the only mate (Shredder-FEN's H): written f1h1.
    s.send("position fen 4rkr1/4p1p1/8/8/8/8/8/5K1R w H - 0 1")
    lines, best = search(s, "go depth 3")
    if best.group(0) != "bestmove f1h1" or best_lines(lines)[-1].group(6).split()[0] != "f1h1":
        raise AssertionError("Chess960 castling mate: %r %r" % (lines, best.group(0)))
    # Read back the same way, from the usual start too (X-FEN); e1g1 stays
    # the king's two-file castling only where no rook stands on g1.
    s.send("position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1h1 g8f6")
    lines, best = search(s, "go depth 1 searchmoves f1e1")
    if best.group(1) != "f1e1":
        raise AssertionError("after e1h1: %r %r" % (lines, best.group(0)))
    s.send("setoption name UCI_Chess960 value false")
    s.send("position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1h1")
    s.expect("info string position refused (move 7, e1h1, is not legal there); the last valid position stays")


def test_infinite_waits_for_stop(start):
    s = uci(start)
    s.send("position startpos")
    s.send("go infinite")
    assert_no_bestmove(s, 1.0)
    s.send("stop")
    s.skip_to(BESTMOVE, timeout=2)
    ready(s)
    # A search that ends by itself (a mate is found) still waits for stop.
    s.send("position fen " + MATE_IN_ONE)
    s.send("go infinite")
    assert_no_bestmove(s, 1.0)
    ready(s)
    s.send("stop")
    s.skip_to("bestmove a1a8", timeout=2)
    # So does a go without any limit.
    s.send("go")
    assert_no_bestmove(s, 0.5)
    s.send("stop")
    s.skip_to(BESTMOVE, timeout=2)


def test_ponder_then_ponderhit_or_stop(start):
    s = uci(start)
    s.send("setoption name Ponder value true")
    s.send("position startpos moves e2e4 e7e5")
    s.send("go ponder wtime 3000 btime 3000")
    assert_no_bestmove(s, 1.0)
    s.send("ponderhit")
    began = time.monotonic()
    s.skip_to(BESTMOVE, timeout=3)
    if time.monotonic() - began > 1.0:
        raise AssertionError("the search went on for %.2f s after ponderhit" % (time.monotonic() - began))
    s.send("stop")   # too late: nothing more
    ready(s)
    # A missed ponder move: stop, then the real search.
    s.send("go ponder wtime 3000 btime 3000")
    assert_no_bestmove(s, 0.5)
    s.send("stop")
    s.skip_to(BESTMOVE, timeout=2)
    s.send("position startpos moves e2e4 e7e5 g1f3")
    search(s, "go wtime 3000 btime 3000")
    # A ponder search that ends by itself answers at ponderhit, not before.
    s.send("position fen " + MATE_IN_ONE)
    s.send("go ponder movetime 5000")
    assert_no_bestmove(s, 0.5)
    s.send("ponderhit")
    s.skip_to(r"bestmove a1a8", timeout=2)
    # Without limits of its own the search goes on after ponderhit until stop.
    s.send("position startpos")
    s.send("go ponder")
    s.send("ponderhit")
    assert_no_bestmove(s, 0.5)
    s.send("stop")
    s.skip_to(BESTMOVE, timeout=2)
    ready(s)


def test_isready_flood_and_deferred_commands(start):
    s = uci(start)
    s.send("go infinite")
    s.send_raw(b"isready\n" * 300)
    answered = 0
    while answered < 300:
        line = s.read_line(timeout=5)
        if line == "readyok":
            answered += 1
        elif not (BEST_LINE.fullmatch(line) or PROGRESS.fullmatch(line)):
            raise AssertionError("unexpected line during the search: %r" % line)
    # Commands that need an idle engine wait for the bestmove.
    s.send("position fen " + MATE_IN_ONE)
    s.send("go depth 3")
    s.send("stop")
    _, first = s.skip_to(BESTMOVE, timeout=2)
    if first.group(1) not in START_MOVES:
        raise AssertionError("the position changed under the search: %r" % first.group(0))
    s.skip_to(r"bestmove a1a8")
    ready(s)


def test_quit_during_search(start):
    s = uci(start)
    s.send("go infinite")
    s.drain(0.3)
    s.send("quit")
    if s.wait_exit(timeout=2) != 0:
        raise AssertionError("exit status")
    if "bestmove" in s.pending:
        raise AssertionError("a bestmove after quit: %r" % s.pending)


# --- bad input --------------------------------------------------------------

def test_bad_position_keeps_the_last_valid_one(start):
    s = uci(start)
    s.send("position fen " + MATE_IN_ONE)
    for line, reason in (
            ("position fen 6k1/5ppp/8/8/8 w - - 0 1", "fen 6k1/5ppp/8/8/8 w - - 0 1: Invalid FEN"),
            ("position fen 8/8/8/8/8/8/8/8 w - - 0 1", "fen 8/8/8/8/8/8/8/8 w - - 0 1: "),
            ("position fen", "fen : Invalid FEN"),
            ("position startpos moves e2e4 e2e5", "move 2, e2e5, is not legal there"),
            ("position startpos moves e2e4 e7e5 zz", "move 3, zz, is not legal there"),
            ("position startpos e2e4", "unexpected word e2e4"),
            ("position", "position needs startpos or fen"),
            ("position somewhere", "position needs startpos or fen")):
        s.send(line)
        got = s.read_line()
        if not (got.startswith("info string position refused (" + reason)
                and got.endswith("); the last valid position stays")):
            raise AssertionError("%r answered %r" % (line, got))
    _, best = search(s, "go depth 3")
    if best.group(0) != "bestmove a1a8":
        raise AssertionError("the position changed: %r" % best.group(0))
    # The interface is the referee: moves go on past a threefold repetition.
    s.send("position startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 e2e4")
    _, best = search(s, "go depth 3")
    ready(s)


def test_bad_go_words_are_named_and_the_search_still_answers(start):
    """A garbled limit is read at its most cautious (an empty clock, depth 1,
    one node) and named: every go with a limit word ends by itself."""
    s = uci(start)
    for go, notes in (
            ("go wtime -100 btime -100", ["wtime -100 read as 0", "btime -100 read as 0"]),
            ("go wtime abc", ["wtime abc is not a number: read as 0"]),
            ("go depth x nodes 3000", ["depth x is not a number: read as 1"]),
            ("go depth -3", ["depth -3 read as 1"]),
            ("go movetime -5 depth 2", ["movetime -5 read as 0"]),
            ("go depth", ["depth needs a number: read as 1"]),
            ("go nodes", ["nodes needs a number: read as 1"]),
            ("go nodes movetime 100", ["nodes needs a number: read as 1"]),
            ("go movestogo 0 wtime 500 btime 500", ["movestogo 0 ignored: it must be at least 1"]),
            ("go depth 99 movetime 200", ["depth 99 cut to 36"]),
            ("go searchmoves e2e5 depth 2", ["searchmoves e2e5 is not a legal move here; skipped",
                                             "searchmoves names no legal move; every move is searched"]),
            ("go searchmoves depth 2", ["searchmoves needs moves"]),
            ("go mate depth 2", ["mate needs a number: read as 1"]),
            ("go fast depth 2", ["unknown word fast skipped"])):
        s.send(go)
        s.expect_lines(*["info string go: " + note for note in notes])
        _, best = s.skip_to(BESTMOVE, timeout=5)
        if best.group(1) not in START_MOVES:
            raise AssertionError("%r gave %r" % (go, best.group(0)))


def test_tabs_and_carriage_returns_separate_words(start):
    """Any run of blanks and tabs separates UCI words; white space around a
    line and a carriage return before its end are ignored."""
    s = uci(start)
    for line in ["\tisready", "isready\r", "  isready \t "]:
        s.send(line)
        s.expect("readyok\n")
    s.send("position\tstartpos \t moves\te2e4\r")
    s.send("go\tdepth 2\r")
    _, best = s.skip_to(BESTMOVE, timeout=5)
    if best.group(1) not in ("e7e5", "e7e6", "d7d5", "g8f6", "c7c5", "b8c6", "d7d6", "c7c6", "g7g6", "b7b6",
                             "a7a6", "h7h6", "f7f5", "f7f6", "g8h6", "b8a6", "a7a5", "b7b5", "g7g5", "h7h5"):
        raise AssertionError("not a reply to e2e4: %r" % best.group(0))
    s.send("setoption\tname Move\tOverhead value\t40")
    s.send("isready")
    s.expect("readyok\n")


def test_searches_on_several_threads(start):
    """With Threads set, isready is answered during the search, stop ends it
    with one legal bestmove, and node and depth limits end it by itself."""
    s = uci(start)
    s.send("setoption name Threads value 3")
    s.send("position startpos")
    s.send("go infinite")
    s.skip_to(r"info depth 6 .*", timeout=10)
    s.send("isready")
    skipped, _ = s.skip_to(r"readyok", timeout=5)
    if any(not line.startswith("info ") for line in skipped):
        raise AssertionError("before readyok: %r" % skipped)
    s.send("stop")
    _, best = s.skip_to(BESTMOVE, timeout=5)
    if best.group(1) not in START_MOVES:
        raise AssertionError("after stop: %r" % best.group(0))
    for go in ["go nodes 50000", "go depth 7", "go movetime 300"]:
        s.send(go)
        _, best = s.skip_to(BESTMOVE, timeout=10)
        if best.group(1) not in START_MOVES:
            raise AssertionError("%s gave %r" % (go, best.group(0)))
    s.send("setoption name Threads value 1")
    s.send("isready")
    s.expect("readyok\n")


def test_hash_the_process_cannot_have_is_refused(start):
    """A Hash beyond the machine's memory, or beyond the process's address
    space limit (ulimit -v), is refused in an info string; the tables in use
    stay and the engine plays on. (Under Wine, which reserves the address
    space ahead, the limit tells nothing.)"""
    s = uci(start)
    physical_mib = os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE") // 2**20
    if physical_mib < 65536:
        s.send("setoption name Hash value 65536")
        s.expect("info string Hash 65536: not enough memory; the tables keep their sizes\n")
    if "ASAN_OPTIONS" not in os.environ and not EMULATOR:  # the sanitizer reserves far more address space
        with open("/proc/%d/status" % s.proc.pid) as f:
            size_kib = next(int(line.split()[1]) for line in f if line.startswith("VmSize:"))
        limit = (size_kib + 256 * 1024) * 1024
        resource.prlimit(s.proc.pid, resource.RLIMIT_AS, (limit, limit))
        s.send("setoption name Hash value 2048")
        s.expect("info string Hash 2048: not enough memory; the tables keep their sizes\n")
        s.send("setoption name Hash value 128")
    s.send("isready")
    s.expect("readyok\n")
    s.send("position startpos")
    s.send("go depth 4")
    _, best = s.skip_to(BESTMOVE, timeout=10)
    if best.group(1) not in START_MOVES:
        raise AssertionError("no move after the refusals: %r" % best.group(0))


def test_bad_options_and_commands_out_of_order(start):
    s = uci(start)
    for line, reply in (
            ("setoption name Foo Bar value 3", "no option named Foo Bar"),
            ("setoption name Hash value 0", "option Hash: value 0 is not a whole number from 1 to 65536"),
            ("setoption name Hash value 2x", "option Hash: value 2x is not a whole number from 1 to 65536"),
            ("setoption name Hash", "option Hash needs a value"),
            ("setoption name Move Overhead value 5001",
             "option Move Overhead: value 5001 is not a whole number from 0 to 5000"),
            ("setoption name Ponder value maybe", "option Ponder: value maybe is neither true nor false"),
            ("setoption Hash 32", "setoption needs: setoption name <name> [value <value>]"),
            ("ponderhit", "ponderhit ignored: no ponder search is running"),
            ("debug maybe", "debug needs on or off"),
            ("xyzzy 1 2", "unknown command xyzzy ignored")):
        s.send(line)
        s.expect_lines("info string " + reply)
    # Accepted quietly: names in any case, buttons, stop while idle, register.
    for line in ("setoption name hash value 2", "setoption name MOVE OVERHEAD value 0",
                 "setoption name Clear Hash", "setoption name ponder value TRUE", "stop", "register later",
                 "debug off", "ucinewgame"):
        s.send(line)
    ready(s)
    # go before any position searches the start position.
    _, best = search(s, "go depth 3")
    if best.group(1) not in START_MOVES:
        raise AssertionError("go without position: %r" % best.group(0))
    # debug on describes each search's limits.
    s.send("debug on")
    s.send("go movetime 300")
    s.expect_lines("info string search: think, iterations 0, hard limit 300 ms, target 0 ms, nodes 0 (0 = none)")
    s.skip_to(BESTMOVE)


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

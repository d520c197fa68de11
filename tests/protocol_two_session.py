"""Protocol version 2 as interfaces and tournament managers run it: the
handshake, ping, setboard, the interface's clocks, remove, playother,
usermove, memory, and the replies to words Ravok does not know."""

import os
import re
import sys
import time

from session_driver import EMULATOR, INITIAL_PLACEMENT, board_text, play_first_legal, run_tests

FEATURES = (
    "feature ping=1 setboard=1 playother=1 usermove=0 san=0 time=1 draw=1 sigint=0 sigterm=0 reuse=1 "
    "analyze=1 colors=1\n"
    'feature name=0 ics=0 pause=0 nps=0 debug=0 memory=1 smp=1 variants="normal,fischerandom" myname="Ravok"\n'
    'feature option="Hash -spin 24 1 65536"\n'
    'feature option="Clear Hash -button"\n'
    'feature option="Ponder -check 1"\n'
    'feature option="Move Overhead -spin 0 0 5000"\n'
    'feature option="Time Rule -combo *classic /// increment"\n'
    'feature option="Search -combo *classic /// selective"\n'
    'feature option="Evaluation -combo *classic /// tuned"\n'
    'feature option="Threads -spin 1 1 256"\n'
    'feature option="MultiPV -spin 1 1 256"\n'
    'feature option="UCI_LimitStrength -check 0"\n'
    'feature option="UCI_Elo -spin 1970 130 1970"\n'
    "feature done=1\n")

POST = r"(\d+) (-?\d+) (\d+) (\d+) (.*)"
MATE_IN_ONE = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"


def manager(start, *args):
    """An engine after the handshake of a manager: xboard, protover 2 and
    the features answered at once."""
    s = start(*args)
    s.send("xboard")
    # Started as a manager starts it, without arguments: the console prompt
    # comes first, then the empty line that confirms xboard mode.
    s.expect("white 1> \n")
    s.send("protover 2")
    s.expect(FEATURES, timeout=1.0)
    return s


ping_number = [0]


def ping(s, timeout=5.0):
    """Marks that everything sent before was answered as expected so far
    (commands without a reply have printed nothing)."""
    ping_number[0] += 1
    s.send("ping %d" % ping_number[0])
    s.expect("pong %d\n" % ping_number[0], timeout)


def test_handshake_and_silent_notes(start):
    s = start("xboard")
    started = time.monotonic()
    s.send("protover 2")
    s.expect(FEATURES, timeout=1.0)
    if time.monotonic() - started > 0.5:
        raise AssertionError("the features came late")
    for line in ["accepted ping", "accepted setboard", "rejected usermove", "accepted done", "computer",
                 "name Fairy-Max 5.0b", "rating 2100 1800", "ics -", "new", "random", "level 40 5 0", "post",
                 "hard", "easy", "memory 32", "time 30000", "otim 30000", "accepted", "name"]:
        s.send(line)
    ping(s)
    s.expect_quiet(0.3)


def test_handshake_on_the_console(start):
    # The handshake also works before "xboard"; the console prompt stays.
    s = start()
    s.expect("white 1> ")
    s.send("protover 2")
    s.expect(FEATURES + "white 1> ", timeout=1.0)
    s.send("ping 7")
    s.expect("pong 7\nwhite 1> ")
    s.send("protover 1")   # back to the illegal-move replies
    s.expect("white 1> ")
    s.send("hint")
    s.expect("Illegal move: hint\nwhite 1> ")
    for line, reply in [("protover", "Error (missing number): protover"),
                        ("protover x", "Error (not a number): protover x"),
                        ("protover 0", "Error (number out of range): protover 0")]:
        s.send(line)
        s.expect(reply + "\nwhite 1> ")


def test_unknown_commands_in_both_modes(start):
    v1 = start("xboard")
    v2 = manager(start)
    for line, reply_v1, reply_v2 in [
            ("hint", "Illegal move: hint", "Error (unknown command): hint"),
            ("bk 3", "Illegal move: bk 3", "Error (unknown command): bk 3"),
            ("O-O", "Illegal move: O-O", "Error (unknown command): O-O"),
            ("e2", "Illegal move: e2", "Error (unknown command): e2"),
            ("e2e5", "Illegal move: e2e5", "Illegal move: e2e5"),
            ("e7e8q", "Illegal move: e7e8q", "Illegal move: e7e8q"),
            ("E2E9", "Illegal move: E2E9", "Error (unknown command): E2E9"),
            ("sd 99", "Illegal move: sd 99", "Error (invalid command): sd 99"),
            ("result 1-0", "Illegal move: result 1-0", "Error (invalid command): result 1-0"),
            ("pondering maybe", "Illegal move: pondering maybe", "Error (invalid command): pondering maybe"),
            ("usermove", "Error (missing move): usermove", "Error (missing move): usermove"),
            ("usermove e2e5", "Illegal move: e2e5", "Illegal move: e2e5"),
    ]:
        v1.send(line)
        v1.expect(reply_v1 + "\n")
        v2.send(line)
        v2.expect(reply_v2 + "\n")
    # During a search as well; the search goes on and plays its move.
    for line in ["new", "easy", "nopost", "st 2", "go"]:
        v2.send(line)
    v2.send("hint")
    v2.expect("Error (unknown command): hint\n")
    v2.send("e2e5")   # the engine is on move: not the opponent's turn
    v2.expect("Illegal move: e2e5\n")
    line = v2.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected the move, got %r" % line)


def test_ping_while_idle_thinking_and_pondering(start):
    s = manager(start)
    for line in ["new", "force", "e2e4", "e7e5"]:
        s.send(line)
    ping(s)
    # Thinking: the pong waits for the move.
    for line in ["hard", "nopost", "st 1", "go"]:
        s.send(line)
    s.send("ping 100")
    first = s.read_line(timeout=10)
    if not first.startswith("move "):
        raise AssertionError("the pong came before the move: %r" % first)
    s.expect("pong 100\n")
    # Now the engine ponders: the pong comes at once.
    time.sleep(0.3)
    started = time.monotonic()
    s.send("ping 101")
    s.expect("pong 101\n", timeout=1.0)
    if time.monotonic() - started > 0.5:
        raise AssertionError("the pong waited for the ponder search")
    # Analysing: at once, too.
    s.send("force")
    s.send("analyze")
    time.sleep(0.3)
    s.send("ping 102")
    s.expect("pong 102\n", timeout=1.0)
    s.send("exit")
    ping(s)


def test_setboard_then_search(start):
    s = manager(start)
    for line in ["new", "force", "sd 3", "post", "e2e4", "setboard " + MATE_IN_ONE]:
        s.send(line)
    s.send("display")
    s.expect(board_text(MATE_IN_ONE.split()[0]))
    s.send("undo")   # the move list starts at the new position
    s.send("display")
    s.expect(board_text(MATE_IN_ONE.split()[0]))
    s.send("go")
    skipped, m = s.skip_to(r"move (\S+)")
    if m.group(1) != "a1a8":
        raise AssertionError("no mate: %r" % m.group(0))
    mates = [re.fullmatch(POST, line) for line in skipped]
    if not mates or not all(p and p.group(2) == "100001" for p in mates):
        raise AssertionError("mate in one not reported as 100001: %r" % skipped)
    s.expect("1-0 {white mates}\n")
    # A fresh position replaces a finished game; the depth setting stays
    # (a search at depth 3 shows depths 2 and 3 only).
    s.send("setboard r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1")
    s.send("go")
    skipped, m = s.skip_to(r"move (\S+)")
    depths = {re.fullmatch(POST, line).group(1) for line in skipped}
    if m.group(1) != "a8a1" or not depths <= {"2", "3"}:
        raise AssertionError("unexpected search: %r %r" % (skipped, m.group(0)))
    s.expect("0-1 {black mates}\n")


def test_setboard_with_the_engine_on_a_side(start):
    # Like an edit: the engine takes the side not on move and answers the
    # opponent's move.
    s = manager(start)
    for line in ["new", "nopost", "sd 2", "setboard 4k3/8/8/8/8/8/4P3/4K3 b - - 0 1", "e8d7"]:
        s.send(line)
    line = s.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected White's move, got %r" % line)


BAD_SETBOARDS = [
    ("garbage", "Invalid FEN: expected four to six fields, found 1"),
    ("", "Invalid FEN: expected four to six fields, found 0"),
    ("8/8/8/8/8/8/8/8 w - - 0 1 x", "Invalid FEN: expected four to six fields, found 7"),
    ("4k3/8/8/8/8/8/8 w - - 0 1", "Invalid FEN: the piece placement does not have eight full ranks"),
    ("4k3/8/8/8/8/8/8/4K2X w - - 0 1", "Invalid FEN: unexpected character 'X' in the piece placement"),
    ("4k3/8/8/8/8/8/8/4K3 x - - 0 1", "Invalid FEN: side to move must be w or b, not 'x'"),
    ("4k3/8/8/8/8/8/8/K3K3 w - - 0 1", "position not legal: White has more than one king."),
    ("4k3/8/8/8/8/8/8/8 w - - 0 1", "position not legal: White has no king."),
    ("P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "position not legal: White pawn on eight rank."),
    ("4k3/8/8/8/8/8/8/p3K3 b - - 0 1", "position not legal: Black pawn on first rank."),
    ("4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", "position not legal: King can be captured."),
    ("4k3/8/8/8/8/8/8/4K3 w - e6 0 1", "Invalid FEN: en-passant square e6 does not follow a double step"),
    ("4k3/8/8/8/8/8/8/4K3 w - e9 0 1", "Invalid FEN: bad en-passant square 'e9'"),
    ("4k3/8/8/8/8/8/8/4K3 w K - 0 1", "position not legal: Invalid rochade flags."),
    ("4k3/8/8/8/8/8/8/4K3 w - - 101 1", "Invalid FEN: half-move clock 101 is out of range"),
]


def test_bad_setboard_changes_nothing(start):
    for console in (False, True):
        s = start() if console else manager(start)
        prompt = "white 2> " if console else ""
        if console:
            s.expect("white 1> ")
        for line in ["force", "e2e4", "e7e5"]:
            s.send(line)
        if console:
            s.expect("white 1> black 1> white 2> ")
        for fen, reason in BAD_SETBOARDS:
            line = ("setboard " + fen).rstrip()
            s.send(line)
            s.expect("Error (%s): %s\n%s" % (reason, line, prompt))
        after = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR"
        s.send("display")
        s.expect(board_text(after) + prompt)
        # The move list is untouched: two take-backs reach the start.
        s.send("undo")
        s.send("undo")
        s.send("display")
        s.expect((prompt.replace("2", "1").replace("white", "black") + "white 1> " if console else "")
                 + board_text(INITIAL_PLACEMENT) + ("white 1> " if console else ""))


def test_setboard_during_analysis_restarts_it(start):
    s = manager(start)
    for line in ["new", "force", "post", "analyze"]:
        s.send(line)
    s.skip_to(POST)
    s.send("setboard garbage")   # refused: the analysis goes on
    s.skip_to(r"Error \(Invalid FEN: expected four to six fields, found 1\): setboard garbage")
    s.send("setboard " + MATE_IN_ONE)
    s.skip_to(r"\d+ 100001 \d+ \d+ a1a8", timeout=10)
    s.send("exit")
    ping(s)


def test_interface_clock_decides_under_level(start):
    """Under "level 0 5 0" Ravok's own count would give the engine 300
    seconds and a target of 14 seconds a move; the manager says 3 seconds
    are left before each move, and each move comes within about a second."""
    s = manager(start)
    for line in ["new", "easy", "nopost", "level 0 5 0", "force", "e2e4", "time 300", "otim 30000"]:
        s.send(line)
    began = time.monotonic()
    s.send("go")   # the engine plays Black
    for turn in range(4):
        line = s.read_line(timeout=10)
        if not line.startswith("move "):
            raise AssertionError("expected a move, got %r" % line)
        if time.monotonic() - began > 3.5:
            raise AssertionError("move %d took %.1f s" % (turn + 1, time.monotonic() - began))
        if turn == 3:
            break
        s.send("time 280")
        s.send("otim 29000")
        began = time.monotonic()
        play_first_legal(s, WHITE_CANDIDATES[turn:], console=False)


def test_interface_clock_after_a_ponder_hit(start):
    """The readings that arrive while Ravok ponders count once the expected
    move turns the ponder search into the real one: by its own count (five
    seconds a game) Ravok would answer within a second, by the interface's
    (300 seconds left) it takes its time."""
    s = start()
    s.expect("white 1> ")
    s.send("level 0 0:05 0")
    s.expect("white 1> ")
    s.send("e2e4")
    s.skip_to(r"Ravok played: \S+ \(time used: \d+ sec\)", timeout=10)
    _, header = s.skip_to(r"depth \d+ \(Ravok played \S+ expected move ([A-H][1-8][A-H][1-8])\)")
    for line in ["time 30000", "otim 30000"]:
        s.send(line)
    began = time.monotonic()
    s.send(header.group(1).lower())
    s.skip_to(r"predicted move made\.")
    s.skip_to(r"Ravok played: \S+ \(time used: \d+ sec\)", timeout=30)
    if time.monotonic() - began < 3:
        raise AssertionError("the reply came after %.1f s, by Ravok's own clock" % (time.monotonic() - began))


WHITE_CANDIDATES = ["d2d3", "b1c3", "h2h3", "a2a3", "g2g3", "c2c3", "b2b3", "f2f3", "a2a4", "h2h4"]


def test_bad_time_and_otim(start):
    s = manager(start)
    for line, reason in [("time", "missing number"), ("time abc", "not a number"), ("otim 12.5", "not a number"),
                         ("time 99999999999", "number out of range"), ("otim -99999999999", "number out of range"),
                         ("time +5", "not a number")]:
        s.send(line)
        s.expect("Error (%s): %s\n" % (reason, line))
    # Numbers are taken, also a clock already run out.
    for line in ["time 0", "otim -500", "time 2147483647"]:
        s.send(line)
    ping(s)


def test_protocol_one_manager_gets_no_illegal_move(start):
    """XBoard with a protocol-1 engine: computer, time and otim before the
    moves; no reply may start with "Illegal"."""
    s = start("xboard")
    for line in ["new", "random", "level 40 5 0", "nopost", "easy", "computer", "time 500", "otim 30000"]:
        s.send(line)
    began = time.monotonic()
    s.send("e2e4")
    line = s.read_line(timeout=20)
    if not line.startswith("move "):
        raise AssertionError("expected the move, got %r" % line)
    # Five seconds left by the interface's clock, not 300 by Ravok's.
    if time.monotonic() - began > 3.5:
        raise AssertionError("the move took %.1f s" % (time.monotonic() - began))
    for line in ["time 29000", "otim 29500"]:
        s.send(line)
    s.send("force")
    s.send("hint")   # unknown words keep their original reply under protocol 1
    s.expect("Illegal move: hint\n")


def test_remove_takes_back_two_moves(start):
    s = manager(start)
    for line in ["new", "force", "e2e4", "e7e5", "g1f3", "remove"]:
        s.send(line)
    s.send("display")
    s.expect(board_text("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"))
    s.send("remove")
    s.expect("Error (command not legal now): remove\n")
    # With the engine playing Black: it keeps Black after a remove.
    for line in ["new", "easy", "nopost", "sd 2", "d2d4"]:
        s.send(line)
    line = s.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected the move, got %r" % line)
    s.send("remove")
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT))
    s.send("e2e4")
    line = s.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected Black's answer, got %r" % line)


def test_remove_while_pondering_and_thinking(start):
    s = manager(start)
    for line in ["new", "hard", "nopost", "st 1", "e2e4"]:
        s.send(line)
    line = s.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected the move, got %r" % line)
    time.sleep(0.3)   # pondering now
    s.send("remove")
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT))
    # While the engine thinks on its move there is nothing to remove.
    for line in ["easy", "st 2", "d2d4"]:
        s.send(line)
    s.send("remove")
    s.expect("Error (command not legal now): remove\n")
    line = s.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected the move, got %r" % line)


def test_playother_and_usermove(start):
    s = manager(start)
    for line in ["new", "easy", "nopost", "sd 2", "force", "usermove e2e4", "playother"]:
        s.send(line)
    ping(s)   # the engine now plays White and waits for Black
    s.send("usermove e7e5")
    line = s.read_line(timeout=10)
    if not line.startswith("move "):
        raise AssertionError("expected White's move, got %r" % line)


# Under an emulator (Wine) the process's sizes are the emulator's, which
# reserves its address space ahead: they tell nothing of the tables.
SIZES_TELL = not EMULATOR


def memory_mib(s, field):
    """The engine process's VmRSS (resident) or VmSize (address space)."""
    with open("/proc/%d/status" % s.proc.pid) as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1]) // 1024
    raise AssertionError("no " + field)


def test_memory(start):
    s = manager(start)
    for line, reason in [("memory", "missing number"), ("memory 0", "memory must be at least 1 MiB"),
                         ("memory -5", "memory must be at least 1 MiB"), ("memory lots", "not a number"),
                         ("memory 999999999", "not enough memory"),
                         ("memory 99999999999", "number out of range")]:
        s.send(line)
        s.expect("Error (%s): %s\n" % (reason, line))
    ping(s)
    before = memory_mib(s, "VmSize") if SIZES_TELL else 0
    s.send("memory 384")   # 256 MiB and 128 MiB
    ping(s)
    grown = memory_mib(s, "VmSize") if SIZES_TELL else 0
    if SIZES_TELL and grown < before + 300:
        raise AssertionError("memory 384 left the engine at %d MiB (was %d MiB)" % (grown, before))
    # The new tables read as empty without being written: their pages are
    # touched only as searches fill them.
    if SIZES_TELL and "ASAN_OPTIONS" not in os.environ and memory_mib(s, "VmRSS") > 100:
        raise AssertionError("memory 384 wrote %d MiB" % memory_mib(s, "VmRSS"))
    # A refused size leaves the tables alone.
    s.send("memory 999999999")
    s.expect("Error (not enough memory): memory 999999999\n")
    if SIZES_TELL and memory_mib(s, "VmSize") < grown - 16:
        raise AssertionError("the tables shrank after a refused size")
    # During an analysis the analysis restarts with the new tables; the
    # engine plays on.
    for line in ["new", "force", "post", "analyze"]:
        s.send(line)
    s.skip_to(POST)
    s.send("memory 2")
    s.skip_to(POST)
    s.send("exit")
    for line in ["nopost", "sd 3", "go"]:
        s.send(line)
    s.skip_to(r"move \S+", timeout=10)
    if SIZES_TELL and memory_mib(s, "VmSize") > grown - 300:
        raise AssertionError("memory 2 kept %d MiB" % memory_mib(s, "VmSize"))


def test_options_as_xboard_sends_them(start):
    """The options the features announce are set by "option NAME=VALUE" and
    announced again as they stand; Ponder=0 is "easy", and Hash during an
    analysis restarts it as "memory" does."""
    s = manager(start)
    for line, reason in [("option Hash=0", "invalid command"), ("option Ponder=yes", "invalid command"),
                         ("option Move Overhead=5001", "invalid command"), ("option Threads=0", "invalid command"),
                         ("option Threads2", "unknown option"), ("cores 0", "number out of range"),
                         ("cores 257", "number out of range"), ("cores", "missing number"),
                         ("cores two", "not a number")]:
        s.send(line)
        s.expect("Error (%s): %s\n" % (reason, line))
    for line in ["option Hash=32", "option Clear Hash", "option Ponder=0", "option Move Overhead=20",
                 "option Time Rule=increment", "cores 3", "protover 2"]:
        s.send(line)
    s.expect(FEATURES.replace("-spin 24 ", "-spin 32 ").replace("-check 1", "-check 0")
             .replace("-spin 0 0", "-spin 20 0").replace("*classic /// increment", "classic /// *increment")
             .replace("Threads -spin 1 ", "Threads -spin 3 "))
    for line in ["new", "post", "sd 3", "e2e4"]:
        s.send(line)
    s.skip_to(r"move \S+", timeout=10)
    s.expect_quiet(0.5)   # no ponder search
    for line in ["force", "analyze"]:
        s.send(line)
    s.skip_to(POST)
    s.send("option Hash=2")
    s.skip_to(POST)
    s.send("exit")
    s.send("ping 99")
    s.skip_to("pong 99")
    # MultiPV=2: the analysis shows two thinking lines at each depth, from
    # different first moves, the better first.
    for line in ["option MultiPV=2", "new", "force", "post", "analyze"]:
        s.send(line)
    posts = [re.fullmatch(POST, s.skip_to(POST)[1].group(0)) for _ in range(6)]
    s.send("exit")
    pairs = [(posts[i], posts[i + 1]) for i in range(0, len(posts), 2)]
    if any(a.group(1) != b.group(1) or a.group(5).split()[0] == b.group(5).split()[0] or
           int(a.group(2)) < int(b.group(2)) for a, b in pairs):
        raise AssertionError("MultiPV=2 analysis: %r" % [p.group(0) for p in posts])


def test_chess960_variant(start):
    s = manager(start)
    # Castling is the only mate: the king goes from f1 to g1, the rook from
    # h1 to f1 (X-FEN's K). Ravok writes it O-O.
    for line in ["new", "variant fischerandom", "setboard 4rkr1/4p1p1/8/8/8/8/8/5K1R w K - 0 1", "sd 3", "go"]:
        s.send(line)
    _, m = s.skip_to(r"move (\S+)")
    if m.group(1) != "O-O":
        raise AssertionError("castling mate: %r" % m.group(0))
    s.expect("1-0 {white mates}\n")
    # The interface's castling in either form; the engine answers with a
    # legal move. "new" goes back to standard chess, where the king taking
    # its rook is no move.
    for line in ["new", "variant fischerandom", "setboard rk5r/pppppppp/8/8/8/8/PPPPPPPP/RK5R w HAha - 0 1",
                 "force", "O-O-O", "b8h8", "sd 2", "go"]:
        s.send(line)
    s.skip_to(r"move \S+")
    for line in ["new", "force", "e1h1", "variant crazyhouse"]:
        s.send(line)
    s.skip_to("Illegal move: e1h1")
    s.expect("Error (invalid command): variant crazyhouse\n")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

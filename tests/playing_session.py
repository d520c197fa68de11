"""Playing: the engine thinks, moves, answers input while it thinks, and
leaves a search cleanly."""

import re
import signal
import sys

from session_driver import INITIAL_PLACEMENT, SEARCH_ABORTED, board_text, run_tests

CONSOLE_MOVE = r"Ravok played: (\S+) \(time used: (\d+) sec\)"


def long_think_console(start):
    """Console, pondering off, no depth limit and a 60-second limit: after
    e2e4 the engine thinks until something stops it."""
    s = start()
    s.expect("white 1> ")
    for line in ["easy", "sd 0", "st 60"]:
        s.send(line)
    s.expect("pondering disabled\nwhite 1> white 1> white 1> ")
    s.send("e2e4")
    s.skip_to(r"depth 3")
    return s


def long_think_xboard(start):
    s = start("xboard")
    for line in ["new", "easy", "nopost", "sd 0", "st 60", "e2e4"]:
        s.send(line)
    return s


def test_console_think_and_prompt(start):
    s = start()
    s.expect("white 1> ")
    s.send("easy")
    s.expect("pondering disabled\nwhite 1> ")
    s.send("sd 2")
    s.expect("white 1> ")
    s.send("e2e4")
    s.expect("depth 2\n")
    skipped, m = s.skip_to(CONSOLE_MOVE)
    if not all(re.fullmatch(r"(!\? true|!\? false|\S.* \(-?\d+\); \d+ knps, total: \d+ kn)", l)
               for l in skipped):
        raise AssertionError("unexpected thinking output %r" % skipped)
    s.expect("white 2> ")


def test_move_now_while_thinking(start):
    s = long_think_console(start)
    s.send("?")
    skipped, m = s.skip_to(CONSOLE_MOVE)
    if "search aborted" not in "".join(skipped[-1:]):
        raise AssertionError("no 'search aborted' before the move: %r" % skipped[-3:])
    if int(m.group(2)) > 30:
        raise AssertionError("the move came late")
    s.expect("white 2> ")
    # "?" while waiting is an error again.
    s.send("?")
    s.expect("Error (command not legal now): ?\nwhite 2> ")


def test_move_now_xboard(start):
    s = long_think_xboard(start)
    s.drain(0.5)
    s.send("?")
    line = s.read_line()
    if not re.fullmatch(r"move [a-h][1-8][a-h][1-8]", line):
        raise AssertionError("expected the move, got %r" % line)
    s.expect_quiet(0.5)


def test_opponent_move_while_thinking(start):
    s = long_think_console(start)
    s.send("d2d4")   # White's move: not legal with Black to move
    s.skip_to(r"Illegal move: d2d4")
    s.send("e7e5")
    s.skip_to(r"not your turn, Guest")
    s.send("e2e5")   # unreadable as a move: the search goes on
    s.skip_to(r"Illegal move: e2e5")
    s.send("?")
    s.skip_to(CONSOLE_MOVE)
    s.expect("white 2> ")
    # xboard ignores the move and says nothing.
    s = long_think_xboard(start)
    s.drain(0.3)
    s.send("e7e5")
    s.expect_quiet(0.5)
    s.send("?")
    if not s.read_line().startswith("move "):
        raise AssertionError("expected the engine's move")


def test_commands_not_legal_while_thinking(start):
    s = long_think_xboard(start)
    for word in ["go", "edit", "analyze", "."]:
        s.send(word)
        if word == ".":
            line = s.read_line()
            if not re.fullmatch(r"stat01: \d+ \d+ \d+ \d+ 20", line):
                raise AssertionError("status line %r" % line)
        else:
            s.expect("Error (command not legal now): %s\n" % word)
    s.send("level 40 5 0")
    s.expect("Error (command not legal now): level 40 5 0\n")
    s.send("tb")   # takes the move back and ends the search
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT))
    s.expect_quiet(0.3)


def test_force_while_thinking(start):
    s = long_think_console(start)
    s.send("force")
    s.skip_to(SEARCH_ABORTED)
    s.expect("black 1> ")
    s.send("display")
    s.expect(board_text("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR") + "black 1> ")
    s.send("e7e5")   # force mode: nobody answers
    s.expect("white 2> ")


def test_new_while_thinking(start):
    s = long_think_console(start)
    s.send("new")
    s.skip_to(SEARCH_ABORTED)
    s.expect("white 1> ")
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT) + "white 1> ")
    s = long_think_xboard(start)
    s.send("new")
    s.send("display")
    s.skip_to(r"    \+---\+---\+---\+---\+---\+---\+---\+---\+")
    s.expect(board_text(INITIAL_PLACEMENT)[len("    +---+---+---+---+---+---+---+---+\n"):])
    s.expect_quiet(0.3)


def test_quit_and_exit_while_thinking(start):
    s = long_think_console(start)
    s.send("quit")
    if s.wait_exit() != 0:
        raise AssertionError("exit status %r" % s.proc.returncode)
    if "Ravok played" in s.pending:
        raise AssertionError("a move was played after quit")
    # "exit" in xboard mode leaves xboard mode; the search goes on.
    s = long_think_xboard(start)
    s.send("exit")
    s.send("?")
    s.skip_to(r"Ravok played: \S+ \(time used: \d+ sec\)")
    s.expect("white 2> ")


def test_end_of_input_while_thinking(start):
    for make in (long_think_console, long_think_xboard):
        s = make(start)
        s.close_input()
        if s.wait_exit(5) != 0:
            raise AssertionError("exit status %r" % s.proc.returncode)


def test_go_plays_the_side_to_move(start):
    s = start("xboard")
    for line in ["new", "easy", "nopost", "sd 2", "force", "e2e4", "go"]:
        s.send(line)
    line = s.read_line()
    if not re.fullmatch(r"move [a-h][1-8][a-h][1-8]", line):
        raise AssertionError("expected Black's move, got %r" % line)
    # The engine now plays Black: White's move makes it answer.
    s.send("d2d4")
    line = s.read_line()
    if not line.startswith("move "):
        raise AssertionError("expected the engine's answer, got %r" % line)


def test_flood_of_lines_while_thinking(start):
    s = long_think_xboard(start)
    junk = ["garbage %d" % i for i in range(300)] + ["e2e9", "sd 99999999999", "", "    ", "level 1 x 1"]
    s.send_raw(("\n".join(junk) + "\n").encode())
    s.send_raw(b"e7e")   # half a line: the search must not wait for the rest
    s.drain(0.5)
    s.send_raw(b"5\n")   # not the opponent's turn: ignored in xboard mode
    s.send("?")
    _, m = s.skip_to(r"move ([a-h][1-8][a-h][1-8])")
    # The record holds e2e4 and the engine's move, nothing else.
    for line in ["force", "undo", "undo", "display"]:
        s.send(line)
    s.expect(board_text(INITIAL_PLACEMENT))


def test_replies_are_whole_lines_between_thinking_lines(start):
    s = long_think_console(start)
    for _ in range(20):
        s.send("e7e5")
    s.send("?")
    skipped, _ = s.skip_to(CONSOLE_MOVE)
    replies = [l for l in skipped if "not your turn" in l]
    if len(replies) != 20 or any(l != "not your turn, Guest" for l in replies):
        raise AssertionError("replies not on lines of their own: %r" % replies)


def test_interrupt_signals_are_ignored(start):
    # Interfaces interrupt engines before their moves, also before the first
    # search has run.
    s = start("xboard")
    s.send("nopost")
    s.send("?")   # the engine is up: a signal from now on reaches Ravok
    s.expect("Error (command not legal now): ?\n")
    s.proc.send_signal(signal.SIGINT)
    s.send("?")
    s.expect("Error (command not legal now): ?\n")
    for line in ["new", "easy", "sd 0", "st 60", "e2e4"]:
        s.send(line)
    s.drain(0.3)
    s.proc.send_signal(signal.SIGINT)
    s.proc.send_signal(signal.SIGINT)
    s.send("?")
    line = s.read_line()
    if not line.startswith("move "):
        raise AssertionError("expected the move, got %r" % line)


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

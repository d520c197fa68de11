"""Console dialogue without searches: prompt, replies, results, settings."""

import re
import subprocess
import sys

from session_driver import HELP_LINES, INITIAL_PLACEMENT, board_text, engine_command, run_tests


def console(start):
    s = start()
    s.expect("white 1> ")
    return s


def test_prompt_shows_side_and_move_number(start):
    s = console(start)
    s.send("force")
    s.expect("white 1> ")
    s.send("e2e4")
    s.expect("black 1> ")
    s.send("e7e5")
    s.expect("white 2> ")
    s.send("g1f3")
    s.expect("black 2> ")
    s.send("tb")
    s.expect("white 2> ")


def test_moves_in_standard_notation(start):
    """A short game typed in standard notation, with a coordinate move in
    between; what cannot be read as either is an illegal move and changes
    nothing."""
    s = console(start)
    s.send("force")
    s.expect("white 1> ")
    moves = ["e4", "e5", "Nf3", "Nc6", "Bb5", "a6", "Bxc6", "dxc6", "O-O", "f7f6", "d4", "exd4", "Nxd4"]
    for i, move in enumerate(moves):
        s.send(move)
        s.expect(("black" if i % 2 == 0 else "white") + " %d> " % ((i + 1) // 2 + 1))
    for bad in ["Nf3", "nf6", "Bxc3", "O-O-O-O", "e8=K", "Ke9", "c5+x"]:
        s.send(bad)
        s.expect("Illegal move: %s\nblack 7> " % bad)
    s.send("display")
    s.expect(board_text("r1bqkbnr/1pp3pp/p1p2p2/8/3NP3/8/PPP2PPP/RNBQ1RK1") + "black 7> ")
    # The xboard dialogue reads coordinates only.
    s.send("xboard")
    s.expect("\n")
    s.send("Qxd4")
    s.expect("Illegal move: Qxd4\n")


def test_usage_and_version(start):
    """The usage and version words print and end at once, with status 0,
    without reading any input."""
    binary = sys.argv[1]
    for words, first_line in [(["--help"], "Ravok 1.0, a chess engine"), (["-h", "xboard"], "Ravok 1.0, a chess engine"),
                              (["--version"], "Ravok 1.0")]:
        result = subprocess.run(engine_command(binary, *words), stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=10)
        if result.returncode != 0 or not result.stdout.startswith(first_line):
            raise AssertionError("%r gave status %d and %r" % (words, result.returncode, result.stdout[:200]))
        if words[0] != "--version" and "usage: ravok [xboard | uci] [hash N] [pawnhash N]" not in result.stdout:
            raise AssertionError("no usage line in %r" % result.stdout)
    if subprocess.run(engine_command(binary, "--version"), capture_output=True, text=True).stdout != "Ravok 1.0\n":
        raise AssertionError("the version is more than one line")
    # An unknown first word is refused with the usage and a failure status,
    # without reading any input.
    for word, hint in [("plya", '"plya"; did you mean play?'), ("Play", '"Play"; did you mean play?'),
                       ("foo", '"foo"\n')]:
        result = subprocess.run(engine_command(binary, word), stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=10)
        if result.returncode == 0 or result.stdout or "ravok: unknown word " + hint not in result.stderr \
                or "usage: ravok [xboard | uci] [hash N] [pawnhash N]" not in result.stderr:
            raise AssertionError("%r gave status %d, %r and %r" % (word, result.returncode, result.stdout[:100],
                                                                   result.stderr[:200]))
    # "bench", as engine-testing frameworks run it: a line a position, the
    # last two lines "N nodes" and "N nps", N nodes the sum of the lines';
    # the same count every run; with the classic search and evaluation, the
    # designed game's signature.
    def bench(*words):
        result = subprocess.run(engine_command(binary, "bench", *words), stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                timeout=120)
        lines = result.stdout.splitlines()
        positions = [int(re.match(r"position \d+/30: (\d+) nodes, move [a-h1-8qrbn-]+$", line).group(1))
                     for line in lines[:-3]]
        if result.returncode != 0 or len(positions) != 30 or not re.fullmatch(r"time \d+\.\d\d s", lines[-3]) \
                or not re.fullmatch(r"\d+ nps", lines[-1]) or lines[-2] != "%d nodes" % sum(positions):
            raise AssertionError("bench %r gave status %d and %r" % (words, result.returncode, result.stdout[-300:]))
        return lines[-2]
    if bench("depth", "3") != bench("depth", "3"):
        raise AssertionError("the bench's signature changes from run to run")
    if bench("evaluation", "classic", "search", "classic") != "5878354 nodes":
        raise AssertionError("the classic search's signature is not 5878354")
    for words in [["depth", "39"], ["depth"], ["threads", "0"], ["search", "fast"], ["dpeth", "3"]]:
        result = subprocess.run(engine_command(binary, "bench", *words), stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                timeout=10)
        if result.returncode != 2 or result.stdout or not result.stderr.startswith("ravok: bench: "):
            raise AssertionError("bench %r gave status %d and %r" % (words, result.returncode, result.stderr[:200]))


def test_empty_and_blank_lines_answer_ok(start):
    s = console(start)
    for line in ["", "   ", " "]:
        s.send(line)
        s.expect("OK.\nwhite 1> ")


def test_help_text(start):
    s = console(start)
    s.send("help")
    s.expect("".join(line + "\n" for line in HELP_LINES) + "white 1> ")


def test_error_and_illegal_move_lines(start):
    s = console(start)
    s.send("?")
    s.expect("Error (command not legal now): ?\nwhite 1> ")
    s.send(".")
    s.expect("Error (command not legal now): .\nwhite 1> ")
    s.send("e2e9")
    s.expect("Illegal move: e2e9\nwhite 1> ")
    s.send("e2e5  extra   words")
    s.expect("Illegal move: e2e5 extra words\nwhite 1> ")
    s.send("hint 3000")
    s.expect("Illegal move: hint 3000\nwhite 1> ")


def test_take_back_at_the_start(start):
    s = console(start)
    for word in ["tb", "undo"]:
        s.send(word)
        s.expect("Cannot take back last move, since the startposition is already reached.\nwhite 1> ")


def test_xboard_switch_and_exit(start):
    s = console(start)
    s.send("xboard")
    s.expect("\n")
    s.send("xboard")   # already on: no empty line
    s.send("?")
    s.expect("Error (command not legal now): ?\n")
    s.send("exit")     # leaves xboard mode: the prompt is back
    s.expect("white 1> ")
    s.send("exit")     # nothing to leave
    s.expect("white 1> ")


def test_white_and_black(start):
    s = console(start)
    s.send("black")
    s.expect("black 1> ")
    s.send("white")
    s.expect("white 1> ")
    s.send("force")
    s.expect("white 1> ")
    # White to move and in check: Black cannot be put on move.
    for move, prompt in [("f2f3", "black 1> "), ("e7e6", "white 2> "), ("e2e4", "black 2> "),
                         ("d8h4", "white 3> ")]:
        s.send(move)
        s.expect(prompt)
    s.send("black")
    s.expect("Error (white king would be in check): black\nwhite 3> ")
    s.send("new")
    s.expect("white 1> ")
    s.send("force")
    s.expect("white 1> ")
    # Black to move and in check: White cannot be put on move.
    for move, prompt in [("e2e4", "black 1> "), ("f7f6", "white 2> "), ("d1h5", "black 2> ")]:
        s.send(move)
        s.expect(prompt)
    s.send("white")
    s.expect("Error (black king would be in check): white\nblack 2> ")
    s.send("black")   # already on move: succeeds, the engine takes White
    s.expect("black 2> ")


def test_result_command(start):
    s = console(start)
    s.send("result 1-0")   # too few words: read as a move
    s.expect("Illegal move: result 1-0\nwhite 1> ")
    s.send("result draw {x}")
    s.expect("Illegal move: result draw {x}\nwhite 1> ")
    s.send("result 1-0 {White wins}")
    s.expect("white 1> ")
    s.send("go")
    s.expect("game over: 1-0 unknown reason\nwhite 1> ")
    s.send("result 0-1 {again}")   # the game is over already: nothing changes
    s.expect("white 1> ")
    s.send("go")
    s.expect("game over: 1-0 unknown reason\nwhite 1> ")
    s.send("e2e4")
    s.expect("Illegal move: e2e4\nwhite 1> ")
    s.send("new")
    s.expect("white 1> ")
    s.send("result * {aborted}")
    s.expect("white 1> ")
    s.send("go")
    s.expect("game over:  unknown reason\nwhite 1> ")


def test_pondering_words(start):
    s = console(start)
    s.send("pondering maybe")
    s.expect("Illegal move: pondering maybe\nwhite 1> ")
    s.send("pondering")
    s.expect("Illegal move: pondering\nwhite 1> ")
    s.send("pondering on")
    s.expect("pondering enabled\nwhite 1> ")
    s.send("pondering off")
    s.expect("pondering disabled\nwhite 1> ")
    s.send("hard")
    s.expect("pondering enabled\nwhite 1> ")
    s.send("easy")
    s.expect("pondering disabled\nwhite 1> ")
    # The help text's own words.
    s.send("ponder on")
    s.expect("pondering enabled\nwhite 1> ")
    s.send("ponder off")
    s.expect("pondering disabled\nwhite 1> ")
    s.send("ponder")
    s.expect("Illegal move: ponder\nwhite 1> ")


def test_silent_commands(start):
    s = console(start)
    for line in ["history", "random", "post", "nopost", "sd 3", "depth 0", "st 5", "abstime 4",
                 "vartime 2", "level 40 5 0", "level 0 0:30 2", "level 0 0:10 0.1", "level 40 0:30 0.5"]:
        s.send(line)
        s.expect("white 1> ")


def test_fools_mate_and_result_lines(start):
    s = console(start)
    s.send("force")
    s.expect("white 1> ")
    for move, prompt in [("f2f3", "black 1> "), ("e7e5", "white 2> "), ("g2g4", "black 2> ")]:
        s.send(move)
        s.expect(prompt)
    s.send("d8h4")
    s.expect("game over: 0-1 black mates\nwhite 3> ")
    s.send("go")
    s.expect("game over: 0-1 black mates\nwhite 3> ")
    s.send("e2e4")
    s.expect("Illegal move: e2e4\nwhite 3> ")
    s.send("tb")   # the mate is taken back: the game runs again
    s.expect("black 2> ")
    s.send("d8h4")
    s.expect("game over: 0-1 black mates\nwhite 3> ")


def test_draw_by_repetition(start):
    s = console(start)
    s.send("force")
    s.expect("white 1> ")
    moves = ["g1f3", "g8f6", "f3g1", "f6g8"] * 2
    for i, move in enumerate(moves[:-1]):
        s.send(move)
        s.expect(("black" if i % 2 == 0 else "white") + " %d> " % ((i + 1) // 2 + 1))
    s.send(moves[-1])
    s.expect("game over: 1/2-1/2 draw by repetition\nwhite 5> ")


def test_draw_offer_texts(start):
    s = console(start)
    s.send("draw")
    s.expect("Guest has offered a draw\nwhite 1> ")
    s.send("force")
    s.expect("white 1> ")
    s.send("draw")   # the engine plays no side
    s.expect("Error (command not legal now): draw\nwhite 1> ")


def test_display_and_eval(start):
    s = console(start)
    s.send("display")
    s.expect(board_text(INITIAL_PLACEMENT) + "white 1> ")
    s.send("eval")
    line = s.read_line()
    if not line.startswith("Value: ") or not line[7:].lstrip("-").isdigit():
        raise AssertionError("eval printed %r" % line)
    s.expect("white 1> ")
    s.send("display")   # eval leaves the game alone
    s.expect(board_text(INITIAL_PLACEMENT) + "white 1> ")


def test_quit_and_end(start):
    for word in ["quit", "end"]:
        s = console(start)
        s.send(word)
        status = s.wait_exit()
        if status != 0:
            raise AssertionError("%s: exit status %r" % (word, status))


def test_end_of_input_exits_with_status_zero(start):
    s = console(start)
    s.close_input()
    status = s.wait_exit()
    if status != 0:
        raise AssertionError("exit status %r" % status)


if __name__ == "__main__":
    sys.exit(run_tests(globals()))

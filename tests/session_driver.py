"""Drives the ravok binary through pipes for the process-level tests.

Every read has a deadline, so a silent or hung engine fails the test instead
of hanging it; the process is killed when a session ends. A test script
defines functions named test_* that take a Session factory; run_tests()
runs them all, prints what differed and returns the exit status.
"""

import os
import re
import select
import shlex
import subprocess
import sys
import time
import traceback

DEFAULT_TIMEOUT = 10.0

# The emulator that runs a cross build's engine (Wine for the Windows build),
# as CTest hands it over; none for the build machine's own engine.
EMULATOR = shlex.split(os.environ.get("RAVOK_EMULATOR", ""))


def engine_command(binary, *args):
    """The command line that starts the engine with the given words."""
    return [*EMULATOR, binary, *args]


class SessionError(AssertionError):
    pass


class Skipped(Exception):
    """Raised by a test that cannot apply where it runs, with the reason."""


class Session:
    """One engine process. Output is kept as text in self.pending until a
    test consumes it; self.transcript holds everything for failure reports."""

    def __init__(self, binary, args=()):
        self.proc = subprocess.Popen(
            engine_command(binary, *args), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.PIPE, bufsize=0)
        os.set_blocking(self.proc.stdout.fileno(), False)
        os.set_blocking(self.proc.stderr.fileno(), False)
        self.pending = ""
        self.transcript = []
        self.stderr = b""
        self.closed_output = False

    # --- sending ---------------------------------------------------------
    def send(self, line):
        self.send_raw((line + "\n").encode("latin-1"))

    def send_raw(self, data):
        self.transcript.append(">> " + repr(data))
        try:
            self.proc.stdin.write(data)
            self.proc.stdin.flush()
        except BrokenPipeError:
            raise SessionError("engine closed its input (exit status %r)" % self.proc.poll())

    def close_input(self):
        self.transcript.append(">> <end of input>")
        self.proc.stdin.close()

    # --- reading ---------------------------------------------------------
    def _pump(self, deadline):
        """Reads what the engine has written, waiting at most until the
        deadline. False when nothing came."""
        wait = max(0.0, deadline - time.monotonic())
        fds = [self.proc.stdout, self.proc.stderr]
        readable, _, _ = select.select(fds, [], [], wait)
        got = False
        for f in readable:
            try:
                data = os.read(f.fileno(), 65536)
            except BlockingIOError:
                continue
            if f is self.proc.stderr:
                self.stderr += data
                continue
            if not data:
                self.closed_output = True
                continue
            text = data.decode("latin-1")
            self.transcript.append("<< " + repr(text))
            self.pending += text
            got = True
        return got

    def _wait_for(self, ready, timeout, what):
        deadline = time.monotonic() + timeout
        while not ready():
            if self.closed_output:
                raise SessionError("engine output ended while waiting for %s" % what)
            if time.monotonic() >= deadline:
                raise SessionError("timed out after %.1f s waiting for %s; unread output %r"
                                   % (timeout, what, self.pending))
            self._pump(deadline)

    def expect(self, text, timeout=DEFAULT_TIMEOUT):
        """The next output is exactly `text` (which may end without a line
        end, as the console prompt does)."""
        self._wait_for(lambda: len(self.pending) >= len(text) or
                       not text.startswith(self.pending), timeout, repr(text))
        got = self.pending[:len(text)]
        if got != text:
            raise SessionError("expected %r\n       got %r" % (text, self.pending[:len(text) + 80]))
        self.pending = self.pending[len(text):]

    def expect_lines(self, *lines, timeout=DEFAULT_TIMEOUT):
        for line in lines:
            self.expect(line + "\n", timeout)

    def read_line(self, timeout=DEFAULT_TIMEOUT):
        self._wait_for(lambda: "\n" in self.pending, timeout, "a line")
        line, self.pending = self.pending.split("\n", 1)
        return line

    def skip_to(self, pattern, timeout=DEFAULT_TIMEOUT):
        """Consumes lines up to and including the first that matches the
        regular expression; returns (skipped lines, match)."""
        regex = re.compile(pattern)
        skipped = []
        deadline = time.monotonic() + timeout
        while True:
            line = self.read_line(max(0.0, deadline - time.monotonic()))
            m = regex.fullmatch(line)
            if m:
                return skipped, m
            skipped.append(line)

    def expect_quiet(self, seconds=0.5):
        """Nothing more arrives within the given time."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self._pump(deadline)
        if self.pending:
            raise SessionError("expected no output, got %r" % self.pending)

    def drain(self, seconds=0.3):
        """Reads and drops whatever arrives within the given time."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self._pump(deadline)
        text, self.pending = self.pending, ""
        return text

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """Waits for the process to end (reading its output meanwhile) and
        returns its exit status."""
        deadline = time.monotonic() + timeout
        while self.proc.poll() is None:
            if time.monotonic() >= deadline:
                raise SessionError("engine did not exit within %.1f s" % timeout)
            self._pump(min(deadline, time.monotonic() + 0.05))
        while self._pump(time.monotonic()):
            pass
        return self.proc.returncode

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.wait()
        for f in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
            try:
                f.close()
            except (OSError, ValueError):
                pass

    def report(self):
        lines = self.transcript[-60:]
        text = "\n".join("    " + entry for entry in lines)
        if self.stderr:
            text += "\n    stderr: %r" % self.stderr[-2000:]
        return text


def run_tests(namespace, argv=None):
    """Runs every test_* function of the namespace with a factory that starts
    the binary named on the command line. Returns the exit status."""
    argv = sys.argv if argv is None else argv
    if len(argv) < 2:
        print("usage: %s path/to/ravok [test name ...]" % argv[0])
        return 2
    binary, selected = argv[1], set(argv[2:])
    tests = [(name, f) for name, f in namespace.items()
             if name.startswith("test_") and callable(f) and (not selected or name in selected)]
    failures = 0
    for name, test in tests:
        sessions = []

        def start(*args):
            session = Session(binary, args)
            sessions.append(session)
            return session

        began = time.monotonic()
        try:
            test(start)
            for session in sessions:
                if session.proc.poll() not in (None, 0):
                    raise SessionError("engine ended with status %r" % session.proc.returncode)
            print("ok   %s (%.1f s)" % (name, time.monotonic() - began))
        except Skipped as reason:
            print("skip %s: %s" % (name, reason))
        except Exception as error:  # report every kind of failure, go on
            failures += 1
            print("FAIL %s: %s" % (name, error))
            if not isinstance(error, SessionError):
                traceback.print_exc()
            for session in sessions:
                print("  transcript:\n" + session.report())
        finally:
            for session in sessions:
                session.kill()
    print("%d of %d tests failed" % (failures, len(tests)))
    return 1 if failures else 0


INITIAL_PLACEMENT = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"

# The console's abort line; a search stopped right after a fail-high or
# fail-low marker prints it on the marker's line.
SEARCH_ABORTED = r"[?! ]*search aborted"


def board_text(placement):
    """The engine's board display for a FEN placement field: rank 8 first,
    a star before White's letters, a blank after Black's."""
    frame = "    +---+---+---+---+---+---+---+---+\n"
    text = ""
    for rank_index, row in enumerate(placement.split("/")):
        cells = ""
        for c in row:
            if c.isdigit():
                cells += "   |" * int(c)
            elif c.isupper():
                cells += " *%s|" % c
            else:
                cells += " %s |" % c.upper()
        text += frame + "  %d |%s\n" % (8 - rank_index, cells)
    return text + frame + "      a   b   c   d   e   f   g   h\n"


HELP_LINES = [
    "",
    "analyze.........activates analyze mode (exit to leave)",
    "go..............ravok should play active side",
    "ponder on|off...set pondering",
    "display.........display board",
    "edit............edit position (end to leave edit move)",
    "tb..............takes back last move",
    "new.............starts new game",
    "vartime.........sets variable time limit",
    "abstime.........sets absolute time limit",
    "depth...........sets maximum search depth",
    "?...............ravok should move now",
    "quit............terminates programm",
    "",
]


def edit_position(session, pieces, console, black_pieces=()):
    """Runs the edit dialogue: clears the board, places White's pieces, then
    Black's ("Ke1"-style words), and ends it with ".". In console mode the
    dialogue's boards and prompts are consumed without checking them."""
    session.send("edit")
    session.send("#")
    for word in pieces:
        session.send(word)
    session.send("c")
    for word in black_pieces:
        session.send(word)
    session.send(".")
    if console:
        # One prompt per line read, the boards between them.
        for _ in range(len(pieces) + len(black_pieces) + 3):
            session._wait_for(lambda: re.search(r"edit\((white|black)\): ", session.pending), 10, "edit prompt")
            session.pending = session.pending[re.search(r"edit\((white|black)\): ", session.pending).end():]


def play_first_legal(session, candidates, console):
    """Sends the candidate moves one by one until the engine accepts one;
    returns it. A refused move is answered with the illegal-move line (and
    the prompt in console mode); an accepted one is not answered at once."""
    for move in candidates:
        session.send(move)
        session._wait_for(lambda: "\n" in session.pending or session.pending.endswith("> "),
                          DEFAULT_TIMEOUT, "the reply to " + move)
        if session.pending.startswith("Illegal move: " + move + "\n"):
            session.read_line()
            if console:
                session._wait_for(lambda: session.pending.endswith("> "), DEFAULT_TIMEOUT, "prompt")
                session.pending = ""
            continue
        return move
    raise SessionError("none of the moves %r was accepted" % (candidates,))

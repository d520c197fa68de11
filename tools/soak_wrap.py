#!/usr/bin/env python3
"""Runs an engine for XBoard and, when it dies, says so in the engine's own output.

    soak_wrap.py ENGINE [ARGS...]

XBoard logs no process exits, and an engine that dies under it shows up only as a
game lost on time. The engine runs as this script's child on the same standard
input and output; when it ends by a non-zero exit code or by a signal that nobody
sent it from outside, a comment line goes to XBoard, which writes it into its debug
log inside the game:

    # soak: engine exited (code 3)
    # soak: engine exited (signal SIGSEGV)

The interrupt and terminate signals are passed on to the engine.
"""

import signal
import subprocess
import sys

# Signals that end an engine from outside: XBoard's or the match script's clean-up.
SENT_FROM_OUTSIDE = (signal.SIGTERM, signal.SIGKILL, signal.SIGINT, signal.SIGHUP, signal.SIGPIPE)


def exit_note(returncode):
    """The comment for an engine that ended with this return code, or None for a clean end."""
    if returncode > 0:
        return '# soak: engine exited (code %d)' % returncode
    if returncode < 0 and -returncode not in SENT_FROM_OUTSIDE:
        return '# soak: engine exited (signal %s)' % signal.Signals(-returncode).name
    return None


def main(argv):
    if not argv:
        sys.exit(__doc__)
    engine = subprocess.Popen(argv)
    for passed_on in (signal.SIGINT, signal.SIGTERM):
        signal.signal(passed_on, lambda number, _frame: engine.send_signal(number))
    returncode = engine.wait()
    note = exit_note(returncode)
    if note:
        try:
            print(note, flush=True)
        except OSError:
            pass  # XBoard has closed the pipe already
    sys.exit(returncode if returncode >= 0 else 128 - returncode)


if __name__ == '__main__':
    main(sys.argv[1:])

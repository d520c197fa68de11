#!/usr/bin/env python3
"""The EPD runner: the shipped suite runs and its summary adds up, and move
texts in their different notations name the right moves.

    epd_tool_test.py EPD_BINARY SUITE_FILE
"""
import os
import re
import subprocess
import sys
import tempfile


def run(binary, path, *options):
    result = subprocess.run([binary, path, *options], capture_output=True, text=True, timeout=300)
    return result.returncode, result.stdout.splitlines()


def expect(condition, message):
    if not condition:
        print("FAILED:", message)
        sys.exit(1)


def check_suite(binary, suite):
    with open(suite) as f:
        ids = re.findall(r'id "([^"]+)"', f.read())
    code, lines = run(binary, suite, "--depth", "2")
    expect(code == 0, f"exit status {code} on the shipped suite")
    expect(len(lines) == len(ids) + 1, f"{len(lines)} lines for {len(ids)} positions")
    solved = 0
    for name, line in zip(ids, lines):
        expect(line.split()[0] == name, f"line {line!r} is not for {name}")
        expect(" solved " in line or " missed " in line, f"no verdict in {line!r}")
        solved += " solved " in line
    expect(lines[-1] == f"solved {solved}/{len(ids)}", f"summary {lines[-1]!r}, {solved} solved lines")


# Each line names moves in one notation; the runner echoes them in coordinates.
NOTATIONS = [
    ('r3k2r/8/8/8/8/8/8/R3K2R w KQkq - bm O-O; am 0-0-0; id "castling";', "(e1g1)", "(e1c1)"),
    ('1n2k3/P1P5/8/8/8/8/8/4K3 w - - bm axb8=Q cxb8N c8=R+; id "promotions";', "(a7b8q c7b8n c7c8r)"),
    ('4k3/8/8/6N1/8/5N2/8/1N2K1N1 w - - bm Nbd2 Nfd2 N1h3 N5h3 f3e5; id "knights";',
     "(b1d2 f3d2 g1h3 g5h3 f3e5)"),
    ('4k3/8/8/3pP3/8/8/8/4K3 w - d6 bm exd6; id "en-passant";', "(e5d6)"),
    ('4k3/8/8/8/8/5N2/8/1N2K3 w - - bm Nd2; id "ambiguous";', "error"),
]


def check_notations(binary):
    with tempfile.NamedTemporaryFile("w", suffix=".epd", delete=False) as f:
        f.write("\n".join(line for line, *_ in NOTATIONS) + "\n")
    try:
        code, lines = run(binary, f.name, "--depth", "1")
    finally:
        os.unlink(f.name)
    expect(code == 1, f"exit status {code} with an unreadable move")
    expect(len(lines) == len(NOTATIONS) + 1, f"{len(lines)} lines: {lines}")
    for (line, *expected), output in zip(NOTATIONS, lines):
        for text in expected:
            expect(text in output, f"{text!r} missing from {output!r} for {line!r}")
    expect(re.fullmatch(r"solved \d/5", lines[-1]) is not None, f"summary {lines[-1]!r}")


if __name__ == "__main__":
    check_suite(sys.argv[1], sys.argv[2])
    check_notations(sys.argv[1])

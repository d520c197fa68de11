#!/usr/bin/env python3
"""Checks that every source folder includes only from itself or from the
floors below it: base -> position -> board -> eval -> search -> session (what
the dialogues share) and tuning (self-play and the tuner, for the tools) ->
front ends (frontend, uci, play) -> app. Folders on the same floor never
include each other: one front end knows nothing of another.
Prints each include that runs against the floors; exit status 1 when there
is one."""

import pathlib
import re
import sys

FLOORS = {"base": 0, "position": 1, "board": 2, "eval": 3, "search": 4, "session": 5, "tuning": 5, "frontend": 6,
          "uci": 6, "play": 6, "app": 7}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"')


def violations(root):
    for folder, floor in FLOORS.items():
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text().splitlines(), 1):
                m = INCLUDE.match(line)
                if m and m.group(1) != folder and FLOORS.get(m.group(1), 99) >= floor:
                    yield "%s:%d: %s includes from %s/" % (path.relative_to(root), number, folder, m.group(1))


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(violations(root))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

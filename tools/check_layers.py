#!/usr/bin/env python3
"""Checks that every source folder includes only from its own floor or below:
base -> position -> board -> eval -> search -> front ends (frontend, uci) ->
app. Prints each include that runs against the floors; exit status 1 when
there is one."""

import pathlib
import re
import sys

FLOORS = {"base": 0, "position": 1, "board": 2, "eval": 3, "search": 4, "frontend": 5, "uci": 5, "app": 6}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"')


def violations(root):
    for folder, floor in FLOORS.items():
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text().splitlines(), 1):
                m = INCLUDE.match(line)
                if m and FLOORS.get(m.group(1), 99) > floor:
                    yield "%s:%d: %s includes from %s/" % (path.relative_to(root), number, folder, m.group(1))


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(violations(root))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""cmake --install into a fresh prefix: the engine runs from there, and its
manual page is where man finds it, reads without warnings, and describes
every option the engine announces under UCI."""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def main():
    cmake, build = sys.argv[1], sys.argv[2]
    prefix = tempfile.mkdtemp(prefix="ravok_install_")
    try:
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, capture_output=True)
        engine = os.path.join(prefix, "bin", "ravok")
        version = subprocess.run([engine, "--version"], capture_output=True, text=True, timeout=10).stdout
        if version != "Ravok 1.0\n":
            raise AssertionError("the installed engine says %r" % version)
        page = os.path.join(prefix, "share", "man", "man6", "ravok.6")
        with open(page) as f:
            source = f.read()
        announced = subprocess.run([engine, "uci"], input="uci\nquit\n", capture_output=True, text=True,
                                   timeout=10).stdout
        options = re.findall(r"^option name (.+?) type ", announced, re.M)
        missing = [name for name in options if name not in source]
        if len(options) < 10 or missing:
            raise AssertionError("the manual page lacks %r of %r" % (missing, options))
        if shutil.which("man"):
            shown = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True,
                                   env=dict(os.environ, MANPAGER="cat", MANWIDTH="80"), timeout=30)
            # Bold and underline come as overstrikes (a character, a backspace).
            text = re.sub(r".\x08", "", shown.stdout)
            if shown.returncode != 0 or shown.stderr or "5878354 nodes" not in " ".join(text.split()):
                raise AssertionError("man shows %r with %r" % (shown.stdout[:200], shown.stderr[:500]))
    finally:
        shutil.rmtree(prefix)
    print("install: ok")


if __name__ == "__main__":
    main()

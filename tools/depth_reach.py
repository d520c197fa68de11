#!/usr/bin/env python3
"""The depth UCI engines reach in a fixed time on the same positions.

    depth_reach.py [--ms MS] [--fens FILE] NAME=COMMAND[;OPTION=VALUE...] ...

Each engine is started once per position (fresh tables, one thread where it
has a Threads option), given the position and "go movetime MS" (4000 by
default), and the deepest "info depth N ... score" line (a best line of
iteration N) it reports before its bestmove is taken. Prints a row a position and the median of each engine. The
positions are middlegames from the bench unless FILE (one FEN a line) is
given. Engines take their turns one at a time, so that each has the machine.

    tools/depth_reach.py "classic=build/ravok uci;Search=classic" \\
        "selective=build/ravok uci;Search=selective" toga=toga2 glaurung=glaurung
"""
import argparse
import os
import re
import shlex
import statistics
import subprocess

MIDDLEGAMES = [
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/2RQ1RK1 w - - 0 11",
    "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8",
    "r2qr1k1/1b1nbppp/p2ppn2/1p6/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
    "r1b2rk1/2q1bppp/p2ppn2/1p6/3NP3/1BN1B3/PPP1QPPP/R4RK1 w - - 0 12",
    "2r2rk1/pp1bqppp/2n1pn2/3p4/3P4/2PBPN2/P1Q2PPP/R1B2RK1 w - - 0 13",
]


def engine_spec(text):
    name, _, rest = text.partition("=")
    parts = rest.split(";")
    options = [p.split("=", 1) for p in parts[1:]]
    return name, shlex.split(parts[0]), options


def depth_reached(command, options, fen, ms):
    env = dict(os.environ, PATH=os.environ.get("PATH", "") + ":/usr/games:/usr/local/games")
    process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, env=env)

    def send(line):
        process.stdin.write(line + "\n")
        process.stdin.flush()

    def until(pattern):
        lines = []
        for line in process.stdout:
            lines.append(line.strip())
            if re.match(pattern, line):
                return lines
        raise RuntimeError("engine %r ended before %r" % (command, pattern))

    send("uci")
    names = " ".join(until(r"uciok"))
    if "option name Threads" in names:
        send("setoption name Threads value 1")
    for name, value in options:
        send("setoption name %s value %s" % (name, value))
    send("isready")
    until(r"readyok")
    send("position fen " + fen)
    send("go movetime %d" % ms)
    lines = until(r"bestmove")
    send("quit")
    process.wait(timeout=10)
    depths = [int(m.group(1)) for m in (re.match(r"info .*?\bdepth (\d+).* score ", l) for l in lines) if m]
    return max(depths) if depths else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--ms", type=int, default=4000)
    parser.add_argument("--fens")
    parser.add_argument("engines", nargs="+")
    args = parser.parse_args()
    fens = MIDDLEGAMES
    if args.fens:
        with open(args.fens) as f:
            fens = [line.strip() for line in f if line.strip() and not line.startswith("#")]
    engines = [engine_spec(text) for text in args.engines]
    print("position  " + "  ".join("%10s" % name for name, _, _ in engines))
    table = {name: [] for name, _, _ in engines}
    for i, fen in enumerate(fens, 1):
        row = []
        for name, command, options in engines:
            depth = depth_reached(command, options, fen, args.ms)
            table[name].append(depth)
            row.append(depth)
        print("%8d  " % i + "  ".join("%10d" % d for d in row), flush=True)
    print("median    " + "  ".join("%10.1f" % statistics.median(table[name]) for name, _, _ in engines))


if __name__ == "__main__":
    main()

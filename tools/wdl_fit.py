#!/usr/bin/env python3
"""Fits Ravok's win/draw/loss model on its own games and draws the fit.

    wdl_fit.py [--png FILE] [--engines NAME,...] PGN...

Reads every move of the named engines (all moves when no names are given)
that carries a score comment as the match harness writes it
("{+0.20/13 0.39s}": pawns from the mover's side, depth, time), with the
game's result from the mover's side and the move's number. The model,
as engines commonly give it: with x the score in centipawns and m the move
number (at most 120) over 32,

    win  = 1 / (1 + exp((a(m) - x) / b(m)))
    loss = 1 / (1 + exp((a(m) + x) / b(m)))
    draw = 1 - win - loss

with a and b cubic polynomials in m, fitted by maximum likelihood. Prints
the eight coefficients as C++ and the fit's figures; with --png, draws the
observed rates by score for three spans of moves beside the model.
Needs numpy (and matplotlib for the plot): Debian's python3-numpy and
python3-matplotlib.
"""
import argparse
import re
import sys

import numpy as np

COMMENT = re.compile(r"\{([+-]?\d+\.\d+)/\d+ [\d.]+s\}")
TOKEN = re.compile(r"\d+\.(?:\.\.)?|\{[^}]*\}|[^\s{]+")
MOVE_CAP = 120
SCALE = 32.0
# The starting guess: a win as likely as not at +1.50, turning over 80.
START = np.array([150.0, 0, 0, 0, 80.0, 0, 0, 0])


def games(paths):
    """(white, black, result, [(move number, white to move, comment)])."""
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        for block in re.split(r"\n(?=\[Event )", text):
            tags = dict(re.findall(r'^\[(\w+) "([^"]*)"\]', block, re.M))
            body = re.sub(r"^\[.*\]$", "", block, flags=re.M)
            moves = []
            number, white = 1, True
            for token in TOKEN.findall(body):
                m = re.fullmatch(r"(\d+)\.(\.\.)?", token)
                if m:
                    number, white = int(m.group(1)), m.group(2) is None
                elif token.startswith("{"):
                    if moves:
                        moves[-1] = (moves[-1][0], moves[-1][1], token)
                elif token not in ("1-0", "0-1", "1/2-1/2", "*"):
                    moves.append((number, white, None))
                    white = not white
            yield tags.get("White"), tags.get("Black"), tags.get("Result"), moves


def samples(paths, engines):
    """Arrays of move numbers, scores (centipawns, mover's side) and
    outcomes (1 win, 0 draw, -1 loss, mover's side)."""
    numbers, scores, outcomes = [], [], []
    for white, black, result, moves in games(paths):
        if result not in ("1-0", "0-1", "1/2-1/2"):
            continue
        points = {"1-0": 1, "0-1": -1, "1/2-1/2": 0}[result]
        for number, mover_white, comment in moves:
            name = white if mover_white else black
            if engines and name not in engines:
                continue
            m = COMMENT.fullmatch(comment or "")
            if not m:
                continue
            score = round(float(m.group(1)) * 100)
            if abs(score) >= 2000:  # mates and won-out positions say nothing of the curve
                continue
            numbers.append(number)
            scores.append(score)
            outcomes.append(points if mover_white else -points)
    return np.array(numbers, float), np.array(scores, float), np.array(outcomes)


def model(params, numbers, scores):
    m = np.minimum(numbers, MOVE_CAP) / SCALE
    powers = np.stack([np.ones_like(m), m, m * m, m * m * m])
    a = params[:4] @ powers
    b = np.maximum(params[4:] @ powers, 1.0)
    win = 1 / (1 + np.exp((a - scores) / b))
    loss = 1 / (1 + np.exp((a + scores) / b))
    return win, np.clip(1 - win - loss, 1e-9, 1), loss


def log_loss(params, numbers, scores, outcomes):
    win, draw, loss = model(params, numbers, scores)
    p = np.where(outcomes == 1, win, np.where(outcomes == -1, loss, draw))
    return -np.mean(np.log(np.clip(p, 1e-9, 1)))


def fit(numbers, scores, outcomes):
    """Adam on the mean log loss, with numerical gradients over the eight
    coefficients (cheap: the model is vectorised over the samples)."""
    params = START.copy()
    first, second = np.zeros(8), np.zeros(8)
    rate, step = 2.0, 1e-3
    for t in range(1, 1501):
        gradient = np.zeros(8)
        base = log_loss(params, numbers, scores, outcomes)
        for i in range(8):
            shifted = params.copy()
            shifted[i] += step
            gradient[i] = (log_loss(shifted, numbers, scores, outcomes) - base) / step
        first = 0.9 * first + 0.1 * gradient
        second = 0.999 * second + 0.001 * gradient * gradient
        params -= rate * (first / (1 - 0.9 ** t)) / (np.sqrt(second / (1 - 0.999 ** t)) + 1e-8)
    return params


def plot(path, params, numbers, scores, outcomes):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    spans = [(1, 25), (26, 50), (51, 120)]
    figure, axes = plt.subplots(1, len(spans), figsize=(15, 4.5), sharey=True)
    edges = np.arange(-600, 625, 50)
    for axis, (low, high) in zip(axes, spans):
        chosen = (numbers >= low) & (numbers <= high)
        centres, rates = [], {1: [], 0: [], -1: []}
        for left, right in zip(edges[:-1], edges[1:]):
            inside = chosen & (scores >= left) & (scores < right)
            if inside.sum() < 30:
                continue
            centres.append((left + right) / 2)
            for outcome in rates:
                rates[outcome].append(np.mean(outcomes[inside] == outcome))
        x = np.linspace(-600, 600, 241)
        middle = np.full_like(x, np.median(numbers[chosen]) if chosen.any() else (low + high) / 2)
        win, draw, loss = model(params, middle, x)
        for outcome, curve, colour, label in [(1, win, "tab:green", "win"), (0, draw, "tab:gray", "draw"),
                                              (-1, loss, "tab:red", "loss")]:
            axis.plot(centres, rates[outcome], "o", color=colour, markersize=4, label=label + " (games)")
            axis.plot(x, curve, "-", color=colour, label=label + " (model)")
        axis.set_title("moves %d to %d (%d positions)" % (low, high, int(chosen.sum())))
        axis.set_xlabel("score, centipawns, side to move")
        axis.grid(alpha=0.3)
    axes[0].set_ylabel("share of games")
    axes[0].legend(fontsize=8)
    figure.tight_layout()
    figure.savefig(path, dpi=80)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pgns", nargs="+")
    parser.add_argument("--png")
    parser.add_argument("--engines", default="")
    args = parser.parse_args()
    engines = set(filter(None, args.engines.split(",")))
    numbers, scores, outcomes = samples(args.pgns, engines)
    if len(scores) < 1000:
        sys.exit("wdl_fit: only %d scored moves" % len(scores))
    params = fit(numbers, scores, outcomes)
    before = log_loss(START, numbers, scores, outcomes)
    after = log_loss(params, numbers, scores, outcomes)
    shares = [np.mean(outcomes == o) for o in (1, 0, -1)]
    print("positions %d from the moves of %s" % (len(scores), ", ".join(sorted(engines)) or "every engine"))
    print("outcomes: win %.3f draw %.3f loss %.3f" % tuple(shares))
    print("mean log loss: starting model %.4f, fitted %.4f" % (before, after))
    print("constexpr double kWinCentre[] = {%s};" % ", ".join("%.4f" % v for v in params[:4]))
    print("constexpr double kWinSpread[] = {%s};" % ", ".join("%.4f" % v for v in params[4:]))
    if args.png:
        plot(args.png, params, numbers, scores, outcomes)
        print("plot: %s" % args.png)


if __name__ == "__main__":
    main()

// Win, draw and loss chances from a score, as Ravok's own games bear them
// out: a model fitted by tools/wdl_fit.py (see docs/wdl.md).
#pragma once

struct WinDrawLoss {
  int win = 0;  // per mille, from the side to move's view
  int draw = 0;
  int loss = 0;
};

// The chances at `score` (centipawns, or a mate score, from the side to
// move's view) on move `moveNumber` of the game; they add to 1000.
WinDrawLoss WinDrawLossOf(int score, int moveNumber);

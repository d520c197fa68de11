#include "eval/material.h"

bool CanWin(const SidePieces& side) {
  if (side.pawn || side.valMajors) return true;
  if (side.valMinors < 6) return false;
  if (side.valMinors <= 8) return side.bishop != 0;
  return true;
}

int ImbalanceBonus(const TreePosition& p) {
  const int dMin = p.white.valMinors - p.black.valMinors;
  const int dMaj = p.white.valMajors - p.black.valMajors;
  // A lone extra minor piece counts only with pawns to support it.
  if (dMaj == 0) {
    if (dMin == 3) return p.white.pawn ? 50 : 0;
    if (dMin == -3) return p.black.pawn ? -50 : 0;
    return 0;
  }
  // Minor pieces traded against majors; by dMaj = -1, 1, -2, 2 (any other
  // difference scores 0).
  struct Row {
    int dMin, minus1, plus1, minus2, plus2;
  };
  static constexpr Row kRows[] = {
      {3, 50, -50, 100, -100}, {-3, 50, -50, 100, -100}, {6, 50, -50, 100, -100},
      {-6, 0, -50, 100, -100}, {9, 0, 0, 100, -100},     {-9, 0, 0, 0, -100},
  };
  for (const Row& row : kRows) {
    if (row.dMin != dMin) continue;
    switch (dMaj) {
      case -1: return row.minus1;
      case 1: return row.plus1;
      case -2: return row.minus2;
      case 2: return row.plus2;
      default: return 0;
    }
  }
  return 0;
}

#include "eval/material.h"

bool CanWin(const SidePieces& side) {
  if (side.pawn || side.valMajors) return true;
  if (side.valMinors < 6) return false;
  if (side.valMinors <= 8) return side.bishop != 0;
  return true;
}

template <class M>
int ImbalanceBonus(const TreePosition& p, const EvalScratch& e) {
  const int dMin = p.white.valMinors - p.black.valMinors;
  const int dMaj = p.white.valMajors - p.black.valMajors;
  // A lone extra minor piece counts only with pawns to support it.
  if (dMaj == 0) {
    if (dMin == 3) return p.white.pawn ? Weight<M, kWhite>(e, kExtraMinorWithPawns) : 0;
    if (dMin == -3) return p.black.pawn ? -Weight<M, kBlack>(e, kExtraMinorWithPawns) : 0;
    return 0;
  }
  // Minor pieces traded against majors: the row of kImbalance by dMin, the
  // column by dMaj = -1, 1, -2, 2 (any other difference scores 0).
  static constexpr int kRows[] = {3, -3, 6, -6, 9, -9};
  int column;
  switch (dMaj) {
    case -1: column = 0; break;
    case 1: column = 1; break;
    case -2: column = 2; break;
    case 2: column = 3; break;
    default: return 0;
  }
  for (int row = 0; row < 6; ++row)
    if (kRows[row] == dMin) return Weight<M, kWhite>(e, kImbalance, 4 * row + column);
  return 0;
}

#define RAVOK_INSTANTIATE(M) template int ImbalanceBonus<M>(const TreePosition&, const EvalScratch&);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE

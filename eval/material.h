// Material terms of the evaluation: the imbalance bonus and the test for
// mating potential.
#pragma once

#include "eval/eval_mode.h"
#include "position/tree_position.h"

// Bonus (White's view) by the difference in minor-piece units (3 per minor)
// and major-piece units (1 per rook, 2 per queen).
template <class M = ClassicEval>
int ImbalanceBonus(const TreePosition& p, const EvalScratch& e);

// Can this side still win? Without pawns and majors it needs at least two
// minor pieces, one of them a bishop when it has exactly two.
bool CanWin(const SidePieces& side);

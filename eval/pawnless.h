// Endgames without pawns, or with pawns only on the side far ahead.
#pragma once

#include "eval/eval_mode.h"
#include "position/tree_position.h"

// Score of `p`, White's view: level material damped
// toward a draw, the stronger side's king centralised and brought to the
// enemy king, and king, bishop and knight mating in the bishop's corner.
template <class M = ClassicEval>
int PawnlessEvaluation(const TreePosition& p, const EvalScratch& e);

// Endgames without pawns, or with pawns only on the side far ahead.
#pragma once

#include "position/tree_position.h"

// Score of `p`, White's view: level material damped
// toward a draw, the stronger side's king centralised and brought to the
// enemy king, and king, bishop and knight mating in the bishop's corner.
int PawnlessEvaluation(const TreePosition& p);

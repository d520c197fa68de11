// King shelter and king placement.
#pragma once

#include "eval/eval_masks.h"
#include "eval/eval_mode.h"
#include "position/tree_position.h"

// The pawn shelter and the enemy presence in front of a king castled on
// `wing` of the current ply's position; positive for a good shelter
// (classic weights).
int KingShelter(const TreePosition& p, int side, int wing);
template <int S, class M = ClassicEval>
int KingShelterOf(const TreePosition& p, const EvalScratch& e, int wing);

// Side S's king placement outside the endgame: the shelter of the wing it
// stands on (or may still castle to), less the penalties for a king left in
// the centre or with castling rights still unused.
template <int S, class M = ClassicEval>
int KingPlacement(const TreePosition& p, const EvalScratch& e);

// Side S's pieces bearing on the enemy king outside the endgame: every
// attack on the king's square and the squares around it, by the kind of
// piece, and the number of pieces that attack them.
template <int S, class M = ClassicEval>
int KingZoneAttack(const TreePosition& p, const EvalScratch& e);

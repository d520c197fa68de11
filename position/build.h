// Building a search position from scratch.
#pragma once

#include "position/tree_position.h"

// Computes every field of `p` from its squares, side, en-passant square and
// both sides' castling flags (lastMove and halfMoveClock are left alone).
// The from-scratch twin of make-move.
void BuildFromSquares(TreePosition& p);

// The from-scratch keys of a position.
uint64_t ComputeHashKey(const TreePosition& p);
uint32_t ComputePawnHashKey(const TreePosition& p);

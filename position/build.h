// Building a search position from scratch.
#pragma once

#include "position/tree_position.h"

struct CommBoardRepresentation;

// Computes every field of `p` from its squares, side, en-passant square and
// both sides' castling flags (lastMove and halfMoveClock are left alone).
// The from-scratch twin of make-move.
void BuildFromSquares(TreePosition& p);

// The from-scratch keys of a position.
uint64_t ComputeHashKey(const TreePosition& p);
uint32_t ComputePawnHashKey(const TreePosition& p);

// Puts a game position into record 0 as the root of the search: ply 0,
// record built from the squares, half-move clock 0, no last move, and a key
// history holding only the root key.
void LoadSearchRoot(const CommBoardRepresentation& position);

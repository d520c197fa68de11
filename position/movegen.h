// Move generation on a search position.
#pragma once

#include <cstdint>

#include "position/tree_position.h"

// Each generator appends to `out` and returns the new end.
//   captures: all captures (en passant included) and all queen promotions;
//   quiets:   castling, all other moves, under-promotions (capturing ones too);
//   evasions: when the side to move is in check, every legal reply.
template <int S> Move* GenerateCaptures(const TreePosition& p, Move* out);
template <int S> Move* GenerateQuiets(const TreePosition& p, Move* out);
template <int S> Move* GenerateEvasions(const TreePosition& p, Move* out);
// Is a stored move (a killer) playable in `p`?
template <int S> bool IsPlayable(const TreePosition& p, Move move);

// A root move: the move word, its score and a spare word (both 0 when the
// list is built).
struct RootMove {
  Move move;
  int32_t score;
  int32_t spare;
};

// Fills `out` with the legal moves of the side to move in the current ply of
// `stack` (which is left as it was), captures first, in generated order;
// returns the end.
RootMove* GenerateLegalMoves(PositionStack& stack, RootMove* out);

// Is `move` one of those legal moves? Only the exact words of the generators
// count. The stack is left as it was.
bool IsLegal(PositionStack& stack, Move move);

// Upper bound of the moves of one position, for buffers.
inline constexpr int kMaxMovesPerPosition = 256;

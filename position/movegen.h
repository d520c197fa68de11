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

// Castling for the game record: side's castling word for a wing (0 the
// king's side, 1 the queen's side) with its king on `king`, legal or not;
// and the squares that must be empty for that king to castle with the rook
// on `rook` (both on the side's first rank).
Move CastlingWordOf(int side, int wing, Square king);
Bitboard CastlingEmptySquares(int side, Square king, Square rook);

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

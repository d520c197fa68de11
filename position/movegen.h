// Move generation on the current ply's position.
#pragma once

#include <cstdint>

#include "position/tree_position.h"

// Each generator appends to `out` and returns the new end.
//   captures: all captures (en passant included) and all queen promotions;
//   quiets:   castling, all other moves, under-promotions (capturing ones too);
//   evasions: when the side to move is in check, every legal reply.
template <int S> Move* GenerateCaptures(Move* out);
template <int S> Move* GenerateQuiets(Move* out);
template <int S> Move* GenerateEvasions(Move* out);
// Is a stored move (a killer) playable in the current position?
template <int S> bool IsPlayable(Move move);

inline Move* GenerateWhiteCaptures(Move* out) { return GenerateCaptures<kWhite>(out); }
inline Move* GenerateBlackCaptures(Move* out) { return GenerateCaptures<kBlack>(out); }
inline Move* GenerateWhiteQuiets(Move* out) { return GenerateQuiets<kWhite>(out); }
inline Move* GenerateBlackQuiets(Move* out) { return GenerateQuiets<kBlack>(out); }
inline Move* GenerateWhiteEvasions(Move* out) { return GenerateEvasions<kWhite>(out); }
inline Move* GenerateBlackEvasions(Move* out) { return GenerateEvasions<kBlack>(out); }
inline bool IsPlayableWhite(Move move) { return IsPlayable<kWhite>(move); }
inline bool IsPlayableBlack(Move move) { return IsPlayable<kBlack>(move); }

// A root move: the move word, its score and a spare word (both 0 when the
// list is built).
struct RootMove {
  Move move;
  int32_t score;
  int32_t spare;
};

// Fills `out` with the legal moves of the side to move, captures first, in
// generated order; returns the end.
RootMove* GenerateLegalMoves(RootMove* out);

// Upper bound of the moves of one position, for buffers.
inline constexpr int kMaxMovesPerPosition = 256;

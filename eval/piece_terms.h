// The knight, bishop, rook and queen terms. Each returns side S's bonus
// (positive is good for S); the driver adds White's and subtracts Black's.
#pragma once

#include "eval/eval_scratch.h"
#include "position/tree_position.h"

template <int S>
int KnightTerms(const TreePosition& p, const EvalScratch& e);
template <int S>
int BishopTerms(const TreePosition& p, const EvalScratch& e);
template <int S>
int RookTerms(const TreePosition& p, const EvalScratch& e);
template <int S>
int QueenTerms(const TreePosition& p, const EvalScratch& e);

// The bishop pair in the endgame, White's view: 16 per bishop of difference
// with pawns on both wings, else 8.
int BishopCountTerm(const TreePosition& p);

// The squares of a1's colour.
inline constexpr Bitboard kDarkSquares = 0xAA55AA55AA55AA55ULL;

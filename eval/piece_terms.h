// The knight, bishop, rook and queen terms. Each returns side S's bonus
// (positive is good for S); the driver adds White's and subtracts Black's.
#pragma once

#include "eval/eval_mode.h"
#include "eval/eval_scratch.h"
#include "position/tree_position.h"

template <int S, class M = ClassicEval>
int KnightTerms(const TreePosition& p, const EvalScratch& e);
template <int S, class M = ClassicEval>
int BishopTerms(const TreePosition& p, const EvalScratch& e);
template <int S, class M = ClassicEval>
int RookTerms(const TreePosition& p, const EvalScratch& e);
template <int S, class M = ClassicEval>
int QueenTerms(const TreePosition& p, const EvalScratch& e);

// The bishop pair in the endgame, White's view: 16 per bishop of difference
// with pawns on both wings, else 8.
template <class M = ClassicEval>
int BishopCountTerm(const TreePosition& p, const EvalScratch& e);

// The squares of a1's colour.
inline constexpr Bitboard kDarkSquares = 0xAA55AA55AA55AA55ULL;

// The pawn terms: passed pawns, their race against a bare king, and the
// pawn structure cached in the pawn hash table.
#pragma once

#include <cstdint>

#include "eval/eval_mode.h"
#include "eval/eval_scratch.h"
#include "eval/pawn_hash.h"
#include "position/tree_position.h"

// Pawn hash entry flags: bit 0 partial (score not computed), bits 1-2 and
// 3-4 the number of White and Black passed pawns, capped at 3.
inline constexpr uint16_t kPawnEntryPartial = 1;
inline int WhitePasserCount(uint16_t flags) { return (flags >> 1) & 3; }
inline int BlackPasserCount(uint16_t flags) { return (flags >> 3) & 3; }

// Fills whitePassers and blackPassers. With a hash hit the entry's counts
// bound the scan (most advanced pawns first); `hit` is null on a miss.
void FindPassedPawns(const TreePosition& p, const PawnHashEntry* hit, EvalScratch& e);

// The passed-pawn score, White's view, with the race against a bare king
// where it applies (may set drawDetected).
template <class M = ClassicEval>
int PassedPawnScore(const TreePosition& p, EvalScratch& e);

// White's passed pawns racing a Black side without pieces: 660 for a pawn
// that cannot be stopped, 100 or 0 otherwise (classic weights); may set
// drawDetected.
int PassedPawnRace(const TreePosition& p, EvalScratch& e);
// The race of side S's passers against the other side's bare king, S's view.
template <int S, class M = ClassicEval>
int PawnRace(const TreePosition& p, EvalScratch& e);

// The pawn structure of `p`, White's view; always writes `entry`. `s` is
// the positional score so far (no material). Far outside the window (by
// positionalMargin / 2) it stores a partial entry and returns 0 without
// computing the structure.
template <class M = ClassicEval>
int PawnStructure(const TreePosition& p, const EvalScratch& e, PawnHashEntry& entry, int s, int alpha, int beta,
                  int positionalMargin);

// The facts of one evaluation call, shared by its terms.
#pragma once

#include "base/types.h"
#include "eval/value_tables.h"

struct EvalTrace;

// Rewritten at the start of every evaluation; valid only within that call
// (and, for tests, until the next one).
struct EvalScratch {
  bool queensOnBoard;
  bool whiteBare, blackBare;  // king and pawns only
  Bitboard whitePawnAttacks, blackPawnAttacks;
  Bitboard whiteDefendedPawns, blackDefendedPawns;  // pawns their own pawns attack
  Bitboard whitePassers, blackPassers;
  bool drawDetected;  // set by the pawn race; the call returns 0
  const ValueSet* activeSet;
  EvalTrace* trace;  // the traced evaluation's record of the weights used; null otherwise
};

inline bool EndgameMode(const EvalScratch& e) { return e.activeSet->phase == kEndgamePhase; }
inline bool OpeningTables(const EvalScratch& e) { return e.activeSet->phase == kOpeningPhase; }

// Side-indexed views of the scratch for the White/Black twins.
template <int S>
inline const SideTables& Tables(const EvalScratch& e) {
  return e.activeSet->side[S];
}
template <int S>
inline bool Bare(const EvalScratch& e) {
  return S == kWhite ? e.whiteBare : e.blackBare;
}
template <int S>
inline Bitboard PawnAttacks(const EvalScratch& e) {
  return S == kWhite ? e.whitePawnAttacks : e.blackPawnAttacks;
}
template <int S>
inline Bitboard DefendedPawns(const EvalScratch& e) {
  return S == kWhite ? e.whiteDefendedPawns : e.blackDefendedPawns;
}
template <int S>
inline Bitboard Passers(const EvalScratch& e) {
  return S == kWhite ? e.whitePassers : e.blackPassers;
}

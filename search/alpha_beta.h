// The alpha-beta search of interior nodes and the quiescence search.
#pragma once

#include <cstdint>

#include "position/basics.h"

// Fail-soft negamax node of side S to move at the current ply. `stack` is
// this node's region of the move stack (its first word receives the status
// word), depth is in 1/64 ply, `counters` holds the six extension counters.
template <int S>
int Search(int alpha, int beta, int depth, uint32_t counters, Move* stack, bool nullMoveForbidden, int kind);

inline int SearchWhite(int alpha, int beta, int depth, uint32_t counters, Move* stack, bool nullMoveForbidden,
                       int kind) {
  return Search<kWhite>(alpha, beta, depth, counters, stack, nullMoveForbidden, kind);
}
inline int SearchBlack(int alpha, int beta, int depth, uint32_t counters, Move* stack, bool nullMoveForbidden,
                       int kind) {
  return Search<kBlack>(alpha, beta, depth, counters, stack, nullMoveForbidden, kind);
}

// Capture search at the leaves: stand pat, captures that can still reach
// alpha, or every useful evasion when in check.
template <int S>
int Quiesce(int alpha, int beta, Move* stack);

inline int QuiesceWhite(int alpha, int beta, Move* stack) { return Quiesce<kWhite>(alpha, beta, stack); }
inline int QuiesceBlack(int alpha, int beta, Move* stack) { return Quiesce<kBlack>(alpha, beta, stack); }

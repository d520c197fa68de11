// Copy-make: the record of the current ply is copied to the next ply and
// only the copy changes. Unmaking a move is lowering currentPly by one.
#pragma once

#include "position/tree_position.h"

// Make a move of side S (pseudo-legal, not tested) on the current ply; the
// ply index rises by one. The key of the new position is written into the
// key history at keyHistoryRoot + the new ply.
template <int S>
void MakeMove(Move move);

inline void MakeWhiteMove(Move move) { MakeMove<kWhite>(move); }
inline void MakeBlackMove(Move move) { MakeMove<kBlack>(move); }

inline void UnmakeMove() { --currentPly; }

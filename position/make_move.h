// Copy-make: the record of the current ply is copied to the next ply and
// only the copy changes. Unmaking a move is lowering the ply by one.
#pragma once

#include "position/tree_position.h"

// Make a move of side S (pseudo-legal, not tested) on the current ply; the
// ply index rises by one. The key of the new position is written into the
// key history at keyHistoryRoot + the new ply.
template <int S>
void MakeMove(PositionStack& stack, Move move);

inline void MakeWhiteMove(PositionStack& stack, Move move) { MakeMove<kWhite>(stack, move); }
inline void MakeBlackMove(PositionStack& stack, Move move) { MakeMove<kBlack>(stack, move); }
// The move of whichever side is to move.
inline void MakeMoveOfSideToMove(PositionStack& stack, Move move) {
  if (stack.Current().side == kWhite)
    MakeWhiteMove(stack, move);
  else
    MakeBlackMove(stack, move);
}

inline void UnmakeMove(PositionStack& stack) { --stack.ply; }

// Perft: counts the leaves of the legal move tree with the search's own
// machinery (evasions in check, otherwise captures then quiet moves, every
// move made by copy-make and kept when the mover's king is not attacked).
// Every leaf is made; there is no counting shortcut at the last ply.
#pragma once

#include <cstdint>
#include <vector>

#include "position/tree_position.h"

// Leaves of the tree of `depth` plies below the current ply of `stack`
// (which is left as it was).
uint64_t Perft(PositionStack& stack, int depth);

// The count under each legal root move, in generation order.
struct PerftSplit {
  Move move;
  uint64_t nodes;
};
std::vector<PerftSplit> PerftDivide(PositionStack& stack, int depth);


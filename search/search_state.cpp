#include "search/search_state.h"

#include <algorithm>
#include <iterator>

void SearchState::SetExtensionLimits(int d, int modeB, int lastPly) {
  if (d < 2) {
    std::fill(std::begin(extensionLimit), std::end(extensionLimit), 0);
    return;
  }
  const int cap = std::max(0, lastPly - d);
  int limits[6];
  if (modeB) {
    limits[kExtendCheck] = d / 6 + 5;
    limits[kExtendRecapture] = d / 12 + 5;
    limits[kExtendMateThreat] = d / 10 + 5;
    limits[kExtendPawnSeventh] = d / 10 + 5;
    limits[kExtendForced] = d / 3 + 5;
    limits[kExtendCheckSequence] = d / 4 + 5;
  } else {
    limits[kExtendCheck] = d / 6 + 4;
    limits[kExtendRecapture] = d / 8 + 4;
    limits[kExtendMateThreat] = d / 12 + 4;
    limits[kExtendPawnSeventh] = d / 10 + 4;
    limits[kExtendForced] = d / 3 + 4;
    limits[kExtendCheckSequence] = d / 4 + 4;
  }
  for (int k = 0; k < 6; ++k) extensionLimit[k] = std::min(limits[k], cap);
}

void SearchState::SetPvRow(int ply, Move move) {
  Move* row = principalVariation[ply];
  const Move* child = ply + 1 < kMaxPly ? principalVariation[ply + 1] : nullptr;
  row[0] = move;
  int n = 1;
  if (child != nullptr)
    for (; n < kMaxPly - 1 && child[n - 1] != 0; ++n) row[n] = child[n - 1];
  row[n] = 0;
}

bool IsDrawByMaterial(const TreePosition& p) {
  if (p.white.pawn | p.black.pawn | p.white.queen_and_rook | p.black.queen_and_rook) return false;
  auto lacksMatingMinors = [](const SidePieces& side) {
    return side.valMinors < 6 || (side.valMinors == 6 && side.bishop == 0);
  };
  return lacksMatingMinors(p.white) && lacksMatingMinors(p.black);
}

bool IsDrawByRepetitionOrFiftyMoves(const PositionStack& stack, int ply) {
  const TreePosition& p = stack.positions[ply];
  if (p.halfMoveClock < 4) return false;
  // Same side to move: every second entry, from two plies back to the
  // start of the history. A repetition inside the search path is a draw at
  // once; one of a game position needs a second match (third occurrence).
  int gameMatches = 0;
  for (int i = stack.keyHistoryRoot + ply - 2; i >= 0; i -= 2) {
    if (stack.keyHistory[i] != p.hashKey) continue;
    if (i >= stack.keyHistoryRoot) return true;
    if (++gameMatches == 2) return true;
  }
  return p.halfMoveClock > 99;
}

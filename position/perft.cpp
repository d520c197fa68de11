#include "position/perft.h"

#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "position/movegen_internal.h"

namespace {

// Room for every pseudo-legal move of a position, with a margin.
constexpr int kMoveBuffer = 320;

// The moves of the current position: evasions when in check (already legal),
// otherwise captures then quiet moves (legality tested after making them).
template <int S>
inline Move* GenerateAll(Move* out, bool inCheck) {
  return inCheck ? GenerateEvasions<S>(out) : GenerateQuiets<S>(GenerateCaptures<S>(out));
}

// After a move of side S: is the mover's king safe?
template <int S>
inline bool MoverKingSafe() {
  const TreePosition& p = CurrentPosition();
  return !IsAttackedBy<1 - S>(p, Own<S>(p).kingSquare);
}

// Out of check, a move can only expose its own king when the king moves, a
// pinned piece moves or an en-passant capture empties two squares of a line;
// every other move is legal without looking at the position after it.
struct KingExposure {
  Bitboard riskySources;  // the king's square and the pinned pieces
  Square enPassant;       // 0 = none

  template <int S>
  static KingExposure Of(const TreePosition& p) {
    return {movegen::PinnedPieces<S>(p) | SquareMask[Own<S>(p).kingSquare], p.epSquare};
  }
  bool MayExpose(Move m) const {
    return (riskySources & SquareMask[MoveFrom(m)]) ||
           (enPassant != 0 && MoveTo(m) == enPassant && MovePiece(m) == kPawn);
  }
};

template <int S>
uint64_t PerftSide(int depth) {
  Move moves[kMoveBuffer];
  const TreePosition& p = CurrentPosition();
  const bool inCheck = p.kingAttacked;
  Move* end = GenerateAll<S>(moves, inCheck);
  // Evasions are legal already; the test is needed only for moves that
  // may expose the king (saves an attack test at most leaves).
  const KingExposure exposure = inCheck ? KingExposure{0, 0} : KingExposure::Of<S>(p);
  uint64_t nodes = 0;
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(*m);
    if (!exposure.MayExpose(*m) || MoverKingSafe<S>()) nodes += depth == 1 ? 1 : PerftSide<1 - S>(depth - 1);
    UnmakeMove();
  }
  return nodes;
}

template <int S>
std::vector<PerftSplit> DivideSide(int depth) {
  Move moves[kMoveBuffer];
  const bool inCheck = CurrentPosition().kingAttacked;
  Move* end = GenerateAll<S>(moves, inCheck);
  std::vector<PerftSplit> result;
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(*m);
    if (inCheck || MoverKingSafe<S>()) result.push_back({*m, depth <= 1 ? 1 : PerftSide<1 - S>(depth - 1)});
    UnmakeMove();
  }
  return result;
}

}  // namespace

uint64_t Perft(int depth) {
  if (depth <= 0) return 1;
  return CurrentPosition().side == kWhite ? PerftSide<kWhite>(depth) : PerftSide<kBlack>(depth);
}

std::vector<PerftSplit> PerftDivide(int depth) {
  if (depth <= 0) return {};
  return CurrentPosition().side == kWhite ? DivideSide<kWhite>(depth) : DivideSide<kBlack>(depth);
}

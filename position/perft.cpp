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
inline Move* GenerateAll(const TreePosition& p, Move* out, bool inCheck) {
  return inCheck ? GenerateEvasions<S>(p, out) : GenerateQuiets<S>(p, GenerateCaptures<S>(p, out));
}

// After a move of side S: is the mover's king safe?
template <int S>
inline bool MoverKingSafe(const PositionStack& stack) {
  const TreePosition& p = stack.Current();
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
uint64_t PerftSide(PositionStack& stack, int depth) {
  Move moves[kMoveBuffer];
  const TreePosition& p = stack.Current();
  const bool inCheck = p.kingAttacked;
  Move* end = GenerateAll<S>(p, moves, inCheck);
  // Evasions are legal already; the test is needed only for moves that
  // may expose the king (saves an attack test at most leaves).
  const KingExposure exposure = inCheck ? KingExposure{0, 0} : KingExposure::Of<S>(p);
  uint64_t nodes = 0;
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(stack, *m);
    if (!exposure.MayExpose(*m) || MoverKingSafe<S>(stack)) nodes += depth == 1 ? 1 : PerftSide<1 - S>(stack, depth - 1);
    UnmakeMove(stack);
  }
  return nodes;
}

template <int S>
std::vector<PerftSplit> DivideSide(PositionStack& stack, int depth) {
  Move moves[kMoveBuffer];
  const TreePosition& p = stack.Current();
  const bool inCheck = p.kingAttacked;
  Move* end = GenerateAll<S>(p, moves, inCheck);
  std::vector<PerftSplit> result;
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(stack, *m);
    if (inCheck || MoverKingSafe<S>(stack))
      result.push_back({*m, depth <= 1 ? 1 : PerftSide<1 - S>(stack, depth - 1)});
    UnmakeMove(stack);
  }
  return result;
}

}  // namespace

uint64_t Perft(PositionStack& stack, int depth) {
  if (depth <= 0) return 1;
  return stack.Current().side == kWhite ? PerftSide<kWhite>(stack, depth) : PerftSide<kBlack>(stack, depth);
}

std::vector<PerftSplit> PerftDivide(PositionStack& stack, int depth) {
  if (depth <= 0) return {};
  return stack.Current().side == kWhite ? DivideSide<kWhite>(stack, depth) : DivideSide<kBlack>(stack, depth);
}

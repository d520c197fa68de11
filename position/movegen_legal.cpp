// The validity test of stored moves (killers) and the legal move list of the
// search root.
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "position/movegen_internal.h"

using namespace movegen;

template <int S>
bool IsPlayable(const TreePosition& p, Move m) {
  constexpr int sign = kSign<S>;
  if (m == 0) return false;
  const Square from = MoveFrom(m), to = MoveTo(m);
  const int piece = MovePiece(m), captured = MoveCaptured(m);

  // The moving piece must still stand on its square.
  if (p.squares[from] != sign * piece) return false;

  // Pawns: pushes onto empty squares, captures of the recorded piece type or
  // en passant onto the current en-passant square. A capture must be one
  // step forward to a diagonal neighbour and take something: the killer of a
  // ply may come from a node with the other side to move (after a null
  // move), and its pawn moves run the other way.
  if (piece == kPawn) {
    if (to == from + kUp<S>) return p.squares[to] == 0;
    if (to == from + 2 * kUp<S>) return p.squares[to] == 0 && p.squares[from + kUp<S>] == 0;
    if ((to != from + kUpWest<S> && to != from + kUpEast<S>) || captured == 0) return false;
    if (p.squares[to] == -sign * captured) return true;
    return captured == kPawn && p.epSquare != 0 && to == p.epSquare;
  }

  // Castling: the right, the empty squares and no attacked square on the
  // king's way.
  if (m == (S == kWhite ? kWhiteCastleShort : kBlackCastleShort)) return CanCastle<S, true>(p);
  if (m == (S == kWhite ? kWhiteCastleLong : kBlackCastleLong)) return CanCastle<S, false>(p);

  // Other moves: the target holds what the move captures, and the piece can
  // reach it.
  if (p.squares[to] != -sign * captured) return false;
  switch (piece) {
    case kKnight:
      return (KnightAttacks[from] & SquareMask[to]) != 0;
    case kKing:
      return (KingAttacks[from] & SquareMask[to]) != 0;
    default:
      return (Between[from][to] & p.occupied) == 0;
  }
}

template bool IsPlayable<kWhite>(const TreePosition&, Move);
template bool IsPlayable<kBlack>(const TreePosition&, Move);

namespace {

template <int S>
RootMove* LegalMoves(PositionStack& stack, RootMove* out) {
  constexpr int E = 1 - S;
  Move moves[2 * kMaxMovesPerPosition];  // pseudo-legal moves, with room to spare
  const TreePosition& p = stack.Current();
  Move* end = GenerateQuiets<S>(p, GenerateCaptures<S>(p, moves));
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(stack, *m);
    const TreePosition& after = stack.Current();
    const bool legal = !IsAttackedBy<E>(after, Own<S>(after).kingSquare);
    UnmakeMove(stack);
    if (legal) *out++ = RootMove{*m, 0, 0};
  }
  return out;
}

}  // namespace

RootMove* GenerateLegalMoves(PositionStack& stack, RootMove* out) {
  return stack.Current().side == kWhite ? LegalMoves<kWhite>(stack, out) : LegalMoves<kBlack>(stack, out);
}

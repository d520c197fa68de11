// The validity test of stored moves (killers) and the legal move list of the
// search root.
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "position/movegen_internal.h"

using namespace movegen;

template <int S>
bool IsPlayable(Move m) {
  constexpr int E = 1 - S;
  constexpr int sign = kSign<S>;
  // 1.
  if (m == 0) return false;
  const TreePosition& p = CurrentPosition();
  const Square from = MoveFrom(m), to = MoveTo(m);
  const int piece = MovePiece(m), captured = MoveCaptured(m);

  // 2. The moving piece must still stand on its square.
  if (p.squares[from] != sign * piece) return false;

  // 3. Pawns: pushes onto empty squares, captures of the recorded piece type
  //    or en passant onto the current en-passant square.
  if (piece == kPawn) {
    if (to == from + kUp<S>) return p.squares[to] == 0;
    if (to == from + 2 * kUp<S>) return p.squares[to] == 0 && p.squares[from + kUp<S>] == 0;
    if (p.squares[to] == -sign * captured) return true;
    return captured == kPawn && p.epSquare != 0 && to == p.epSquare;
  }

  // 4. Castling: the right, the empty squares and no attacked square on the
  //    king's way.
  constexpr Square e = S == kWhite ? E1 : E8;
  if (m == (S == kWhite ? kWhiteCastleShort : kBlackCastleShort)) {
    return (Own<S>(p).castling & kCastleKingSide) && p.squares[e + 1] == 0 && p.squares[e + 2] == 0 &&
           !IsAttackedBy<E>(p, e) && !IsAttackedBy<E>(p, e + 1) && !IsAttackedBy<E>(p, e + 2);
  }
  if (m == (S == kWhite ? kWhiteCastleLong : kBlackCastleLong)) {
    return (Own<S>(p).castling & kCastleQueenSide) && p.squares[e - 1] == 0 && p.squares[e - 2] == 0 &&
           p.squares[e - 3] == 0 && !IsAttackedBy<E>(p, e) && !IsAttackedBy<E>(p, e - 1) &&
           !IsAttackedBy<E>(p, e - 2);
  }

  // 5. Other moves: the target holds what the move captures, and the piece
  //    can reach it.
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

template bool IsPlayable<kWhite>(Move);
template bool IsPlayable<kBlack>(Move);

namespace {

template <int S>
RootMove* LegalMoves(RootMove* out) {
  constexpr int E = 1 - S;
  Move moves[kMaxMovesPerPosition];
  Move* end = GenerateQuiets<S>(GenerateCaptures<S>(moves));
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(*m);
    const TreePosition& after = CurrentPosition();
    const bool legal = !IsAttackedBy<E>(after, Own<S>(after).kingSquare);
    UnmakeMove();
    if (legal) *out++ = RootMove{*m, 0, 0};
  }
  return out;
}

}  // namespace

RootMove* GenerateLegalMoves(RootMove* out) {
  return CurrentPosition().side == kWhite ? LegalMoves<kWhite>(out) : LegalMoves<kBlack>(out);
}

// The validity test of stored moves (killers), the legal move list of the
// search root and the legality test of one move word.
#include <algorithm>

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

  // Castling: the king's own word, the right, the empty squares and no
  // attacked square on the king's way.
  if (piece == kKing && MoveSpecial(m) != 0) {
    if (m == CastlingWord<S, true>(from)) return CanCastle<S, true>(p);
    return m == CastlingWord<S, false>(from) && CanCastle<S, false>(p);
  }

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

Move CastlingWordOf(int side, int wing, Square king) {
  if (side == kWhite) return wing == 0 ? CastlingWord<kWhite, true>(king) : CastlingWord<kWhite, false>(king);
  return wing == 0 ? CastlingWord<kBlack, true>(king) : CastlingWord<kBlack, false>(king);
}

Bitboard CastlingEmptySquares(int side, Square king, Square rook) {
  return kCastlingPaths.byFiles[king & 7][rook & 7].mustBeEmpty << (side == kWhite ? 0 : 56);
}

namespace {

// Does the pseudo-legal move leave side S's own king safe? Made and taken
// back on the stack.
template <int S>
bool KeepsKingSafe(PositionStack& stack, Move m) {
  MakeMove<S>(stack, m);
  const TreePosition& after = stack.Current();
  const bool safe = !IsAttackedBy<1 - S>(after, Own<S>(after).kingSquare);
  UnmakeMove(stack);
  return safe;
}

// The pseudo-legal moves of side S: captures, then quiet moves.
template <int S>
Move* GeneratePseudoLegal(const TreePosition& p, Move* out) {
  return GenerateQuiets<S>(p, GenerateCaptures<S>(p, out));
}

template <int S>
RootMove* LegalMoves(PositionStack& stack, RootMove* out) {
  Move moves[2 * kMaxMovesPerPosition];  // pseudo-legal moves, with room to spare
  Move* end = GeneratePseudoLegal<S>(stack.Current(), moves);
  for (Move* m = moves; m != end; ++m)
    if (KeepsKingSafe<S>(stack, *m)) *out++ = RootMove{*m, 0, 0};
  return out;
}

template <int S>
bool IsLegalFor(PositionStack& stack, Move move) {
  Move moves[2 * kMaxMovesPerPosition];
  Move* end = GeneratePseudoLegal<S>(stack.Current(), moves);
  return std::find(moves, end, move) != end && KeepsKingSafe<S>(stack, move);
}

}  // namespace

RootMove* GenerateLegalMoves(PositionStack& stack, RootMove* out) {
  return stack.Current().side == kWhite ? LegalMoves<kWhite>(stack, out) : LegalMoves<kBlack>(stack, out);
}

bool IsLegal(PositionStack& stack, Move move) {
  return stack.Current().side == kWhite ? IsLegalFor<kWhite>(stack, move) : IsLegalFor<kBlack>(stack, move);
}

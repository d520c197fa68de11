// Check evasions: when the side to move is in check, every legal reply and
// nothing else. White scans everything lowest square first, Black highest
// square first.
#include "position/attacks.h"
#include "position/movegen.h"
#include "position/movegen_internal.h"

using namespace movegen;

namespace {

// Promotions of a pawn move in the evasion order queen, rook, bishop, knight.
inline Move* EvasionPawnMove(Square from, Square to, int captured, bool promotes, Move* out) {
  const Move base = MakeMoveWord(from, to, kPawn, captured);
  if (!promotes) {
    *out++ = base;
    return out;
  }
  *out++ = base | Move(kQueen) << 18;
  *out++ = base | Move(kRook) << 18;
  *out++ = base | Move(kBishop) << 18;
  *out++ = base | Move(kKnight) << 18;
  return out;
}

// Pawn moves of side S onto `targets` reached by the step `Delta`, for
// pawns that are not pinned. `enPassant` is the en-passant square when that
// capture removes the checker, else 0.
template <int S, int Delta>
inline Move* EvasionPawnMoves(const TreePosition& p, Bitboard targets, Square enPassant, Move* out) {
  constexpr bool kLow = S == kWhite;
  constexpr Bitboard lastRank = RelativeRank<S>(7);
  while (targets) {
    const Square to = PopNext<kLow>(targets);
    const Square from = to - Delta;
    if (IsPinned<S>(p, from)) continue;
    const int captured = (enPassant != 0 && to == enPassant) ? kPawn : CapturedOn<S>(p, to);
    out = EvasionPawnMove(from, to, captured, (SquareMask[to] & lastRank) != 0, out);
  }
  return out;
}

// Moves of the unpinned pieces of one kind onto the target set.
template <int S, int Piece>
inline Move* EvasionPieceMoves(const TreePosition& p, Bitboard targets, Move* out) {
  constexpr bool kLow = S == kWhite;
  Bitboard pieces = PiecesOf<Piece>(Own<S>(p));
  while (pieces) {
    const Square from = PopNext<kLow>(pieces);
    if (IsPinned<S>(p, from)) continue;
    Bitboard to = AttacksOf<Piece>(p, from) & targets;
    while (to) {
      const Square t = PopNext<kLow>(to);
      *out++ = MakeMoveWord(from, t, Piece, CapturedOn<S>(p, t));
    }
  }
  return out;
}

}  // namespace

template <int S>
Move* GenerateEvasions(const TreePosition& p, Move* out) {
  constexpr int E = 1 - S;
  constexpr bool kLow = S == kWhite;
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const Square king = own.kingSquare;

  // The checkers; two of them make a double check.
  const Bitboard checkers = AttackersOf(p, king) & enemy.friendly;
  if (checkers == 0) return out;
  Bitboard rest = checkers;
  const Square checker = PopLowest(rest);
  const bool doubleCheck = rest != 0;

  // The checking lines, seen from each checker toward the king. A pawn has
  // none, a knight is never on a line with the king.
  const auto lineOf = [&](Square s) { return (enemy.pawn & SquareMask[s]) ? kNoDirection : Direction[s][king]; };
  const int line1 = lineOf(checker);
  const int line2 = doubleCheck ? lineOf(LowestBit(rest)) : kNoDirection;

  // King steps to squares that are not attacked and not further along a
  // checking line (the king itself hides those squares from the checker).
  Bitboard steps = KingAttacks[king] & ~own.friendly;
  while (steps) {
    const Square to = PopNext<kLow>(steps);
    const int direction = Direction[king][to];
    if (direction == line1 || direction == line2 || IsAttackedBy<E>(p, to)) continue;
    *out++ = MakeMoveWord(king, to, kKing, CapturedOn<S>(p, to));
  }

  // Against a double check only the king can move.
  if (doubleCheck) return out;

  // Capture the checker or block its line (Between is empty unless the
  // checker is a slider at a distance).
  const Bitboard targets = checkers | Between[checker][king];

  // Pieces that are not pinned.
  out = EvasionPieceMoves<S, kKnight>(p, targets, out);
  out = EvasionPieceMoves<S, kBishop>(p, targets, out);
  out = EvasionPieceMoves<S, kRook>(p, targets, out);
  out = EvasionPieceMoves<S, kQueen>(p, targets, out);

  // Pawns: single pushes, double pushes, then captures of the checker, en
  // passant included when the checker is the pawn that just made the double
  // step.
  const Bitboard empty = ~p.occupied;
  const Bitboard singles = Shift<kUp<S>>(own.pawn) & empty;
  out = EvasionPawnMoves<S, kUp<S>>(p, singles & targets, 0, out);
  const Bitboard doubles = Shift<kUp<S>>(singles & RelativeRank<S>(2)) & empty;
  out = EvasionPawnMoves<S, 2 * kUp<S>>(p, doubles & targets, 0, out);

  Bitboard captureTargets = checkers;
  Square enPassant = 0;
  if (p.epSquare != 0 && checker == p.epSquare - kUp<S>) {
    enPassant = p.epSquare;
    captureTargets |= SquareMask[enPassant];
  }
  out = EvasionPawnMoves<S, kUpWest<S>>(p, Shift<kUpWest<S>>(own.pawn & ~kFileA) & captureTargets, enPassant, out);
  out = EvasionPawnMoves<S, kUpEast<S>>(p, Shift<kUpEast<S>>(own.pawn & ~kFileH) & captureTargets, enPassant, out);
  return out;
}

template Move* GenerateEvasions<kWhite>(const TreePosition&, Move*);
template Move* GenerateEvasions<kBlack>(const TreePosition&, Move*);

// The capture and quiet-move generators. Together they give every
// pseudo-legal move exactly once: the capture list holds all captures (en
// passant included) and every queen promotion, the quiet list castling, all
// other moves and the under-promotions, capturing ones included.
//
// Group order and bit-scan direction are fixed, because the search's move
// ordering breaks ties by generation order:
//   White captures: pieces lowest first, targets highest first, king targets lowest first.
//   Black captures: everything lowest first.
//   White quiets:   pieces lowest first, targets highest first, king targets lowest first.
//   Black quiets:   everything highest first, except its under-promoting
//                   captures toward the a-file, lowest first.
#include "position/attacks.h"
#include "position/movegen.h"
#include "position/movegen_internal.h"

using namespace movegen;

namespace {

// Pawn pushes onto `targets` (reached by the step `Delta`), each one move
// with `special` (0 plain, else the promotion type).
template <int Delta, bool kLow>
inline Move* PawnPushes(Bitboard targets, int special, Move* out) {
  while (targets) {
    const Square to = PopNext<kLow>(targets);
    *out++ = MakeMoveWord(to - Delta, to, kPawn, 0, special);
  }
  return out;
}

// Pawn captures of side S onto `targets` (reached by the step `Delta`): an
// empty target is the en-passant square (captured type 1), a capture onto
// the last rank is a queen promotion.
template <int S, int Delta, bool kLow>
inline Move* PawnCaptures(const TreePosition& p, Bitboard targets, Move* out) {
  constexpr Bitboard lastRank = RelativeRank<S>(7);
  while (targets) {
    const Square to = PopNext<kLow>(targets);
    const int captured = CapturedOn<S>(p, to);
    if (captured == 0)
      *out++ = MakeMoveWord(to - Delta, to, kPawn, kPawn);
    else
      *out++ = MakeMoveWord(to - Delta, to, kPawn, captured, (SquareMask[to] & lastRank) ? kQueen : 0);
  }
  return out;
}

// Under-promotions in the order knight, rook, bishop.
template <int S, int Delta, bool kLow>
inline Move* UnderPromotions(const TreePosition& p, Bitboard targets, Move* out) {
  while (targets) {
    const Square to = PopNext<kLow>(targets);
    const Move base = MakeMoveWord(to - Delta, to, kPawn, CapturedOn<S>(p, to));
    *out++ = base | Move(kKnight) << 18;
    *out++ = base | Move(kRook) << 18;
    *out++ = base | Move(kBishop) << 18;
  }
  return out;
}

}  // namespace

template <int S>
Move* GenerateCaptures(const TreePosition& p, Move* out) {
  constexpr bool kTargetsLow = S == kBlack;
  const SidePieces& own = Own<S>(p);
  const Bitboard enemies = Enemy<S>(p).friendly;

  out = PieceMoves<S, kKnight, true, kTargetsLow, true>(p, own.knight, enemies, out);
  out = PieceMoves<S, kBishop, true, kTargetsLow, true>(p, own.bishop, enemies, out);
  out = PieceMoves<S, kRook, true, kTargetsLow, true>(p, own.rook, enemies, out);
  out = PieceMoves<S, kQueen, true, kTargetsLow, true>(p, own.queen, enemies, out);
  out = PieceMoves<S, kKing, true, true, true>(p, SquareMask[own.kingSquare], enemies, out);

  // Queen promotions by push, then pawn captures toward the a-file and the
  // h-file; a capture onto the last rank promotes to a queen.
  const Bitboard seventh = own.pawn & RelativeRank<S>(6);
  out = PawnPushes<kUp<S>, kTargetsLow>(Shift<kUp<S>>(seventh) & ~p.occupied, kQueen, out);

  const Bitboard targets = enemies | (p.epSquare != 0 ? SquareMask[p.epSquare] : 0);
  out = PawnCaptures<S, kUpWest<S>, kTargetsLow>(p, Shift<kUpWest<S>>(own.pawn & ~kFileA) & targets, out);
  out = PawnCaptures<S, kUpEast<S>, kTargetsLow>(p, Shift<kUpEast<S>>(own.pawn & ~kFileH) & targets, out);
  return out;
}

template <int S>
Move* GenerateQuiets(const TreePosition& p, Move* out) {
  constexpr bool kPiecesLow = S == kWhite;
  constexpr bool kKingLow = S == kWhite;
  const SidePieces& own = Own<S>(p);
  const Bitboard empty = ~p.occupied;

  // Castling, the king's side first.
  if (own.castling != 0) {
    if (CanCastle<S, true>(p)) *out++ = CastlingWord<S, true>(own.kingSquare);
    if (CanCastle<S, false>(p)) *out++ = CastlingWord<S, false>(own.kingSquare);
  }

  // Knights, bishops, queens, rooks.
  out = PieceMoves<S, kKnight, kPiecesLow, false, false>(p, own.knight, empty, out);
  out = PieceMoves<S, kBishop, kPiecesLow, false, false>(p, own.bishop, empty, out);
  out = PieceMoves<S, kQueen, kPiecesLow, false, false>(p, own.queen, empty, out);
  out = PieceMoves<S, kRook, kPiecesLow, false, false>(p, own.rook, empty, out);

  // Double pushes, then single pushes (under-promotions on the last rank).
  const Bitboard singles = Shift<kUp<S>>(own.pawn) & empty;
  const Bitboard doubles = Shift<kUp<S>>(singles & RelativeRank<S>(2)) & empty;
  out = PawnPushes<2 * kUp<S>, false>(doubles, 0, out);
  const Bitboard lastRank = RelativeRank<S>(7);
  Bitboard plain = singles;
  while (plain) {
    const Square to = PopHighest(plain);
    const Move base = MakeMoveWord(to - kUp<S>, to, kPawn);
    if (SquareMask[to] & lastRank) {
      *out++ = base | Move(kKnight) << 18;
      *out++ = base | Move(kRook) << 18;
      *out++ = base | Move(kBishop) << 18;
    } else {
      *out++ = base;
    }
  }

  // Capturing under-promotions, toward the a-file first.
  const Bitboard seventh = own.pawn & RelativeRank<S>(6);
  const Bitboard enemies = Enemy<S>(p).friendly;
  out = UnderPromotions<S, kUpWest<S>, S == kBlack>(p, Shift<kUpWest<S>>(seventh & ~kFileA) & enemies, out);
  out = UnderPromotions<S, kUpEast<S>, false>(p, Shift<kUpEast<S>>(seventh & ~kFileH) & enemies, out);

  // King steps to empty squares (the search tests them after the move).
  return PieceMoves<S, kKing, true, kKingLow, false>(p, SquareMask[own.kingSquare], empty, out);
}

template Move* GenerateCaptures<kWhite>(const TreePosition&, Move*);
template Move* GenerateCaptures<kBlack>(const TreePosition&, Move*);
template Move* GenerateQuiets<kWhite>(const TreePosition&, Move*);
template Move* GenerateQuiets<kBlack>(const TreePosition&, Move*);

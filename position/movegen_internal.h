// Helpers shared by the move generators: side-relative pawn geometry, the
// bit-scan direction of a loop, attack sets by piece kind and the pin test.
#pragma once

#include "base/tables.h"
#include "position/attacks.h"
#include "position/tree_position.h"

namespace movegen {

inline constexpr Bitboard kFileA = 0x0101010101010101ULL;
inline constexpr Bitboard kFileH = kFileA << 7;
inline constexpr Bitboard kRank1 = 0xFFULL;

// Rank `r` (0-7) as side S sees it: rank 0 is the side's first rank.
template <int S>
constexpr Bitboard RelativeRank(int r) {
  return kRank1 << (8 * (S == kWhite ? r : 7 - r));
}

// Square steps of side S's pawns: straight ahead, ahead toward the a-file,
// ahead toward the h-file.
template <int S> inline constexpr int kUp = S == kWhite ? 8 : -8;
template <int S> inline constexpr int kUpWest = S == kWhite ? 7 : -9;
template <int S> inline constexpr int kUpEast = S == kWhite ? 9 : -7;

// Moves every square of a set by `delta` squares (compile-time delta).
template <int Delta>
inline Bitboard Shift(Bitboard b) {
  if constexpr (Delta > 0) return b << Delta; else return b >> -Delta;
}

// Sign of side S's piece codes.
template <int S> inline constexpr int kSign = S == kWhite ? 1 : -1;

// Type of the enemy piece on `to` (0 when empty) for a move of side S.
template <int S>
inline int CapturedOn(const TreePosition& p, Square to) {
  return -kSign<S> * p.squares[to];
}

// Takes the next square of a set, lowest first when kLow, else highest first.
template <bool kLow>
inline Square PopNext(Bitboard& b) {
  if constexpr (kLow) return PopLowest(b); else return PopHighest(b);
}

// Attack set of a knight, bishop, rook, queen or king on `s`.
template <int Piece>
inline Bitboard AttacksOf(const TreePosition& p, Square s) {
  if constexpr (Piece == kKnight) return KnightAttacks[s];
  else if constexpr (Piece == kBishop) return BishopAttacksOf(s, p.occupied45, p.occupied315);
  else if constexpr (Piece == kRook) return RookAttacksOf(s, p.occupied, p.occupied90);
  else if constexpr (Piece == kQueen)
    return BishopAttacksOf(s, p.occupied45, p.occupied315) | RookAttacksOf(s, p.occupied, p.occupied90);
  else return KingAttacks[s];
}

// The set of side S's pieces of one kind.
template <int Piece>
inline Bitboard PiecesOf(const SidePieces& side) {
  if constexpr (Piece == kKnight) return side.knight;
  else if constexpr (Piece == kBishop) return side.bishop;
  else if constexpr (Piece == kRook) return side.rook;
  else return side.queen;
}

// Moves of every piece of one kind onto `targets`. For captures the
// captured type is read from the board; quiet targets are empty squares.
template <int S, int Piece, bool kPiecesLow, bool kTargetsLow, bool kCaptures>
inline Move* PieceMoves(const TreePosition& p, Bitboard pieces, Bitboard targets, Move* out) {
  while (pieces) {
    const Square from = PopNext<kPiecesLow>(pieces);
    const Move base = MakeMoveWord(from, 0, Piece);
    Bitboard to = AttacksOf<Piece>(p, from) & targets;
    while (to) {
      const Square t = PopNext<kTargetsLow>(to);
      *out++ = base | Move(t) << 6 | (kCaptures ? Move(CapturedOn<S>(p, t)) << 15 : 0);
    }
  }
  return out;
}

// Is side S's piece on `s` pinned against its own king? It is when it shares
// a line with the king and its attack along that line reaches both the king
// and an enemy slider that moves along such a line.
template <int S>
inline bool IsPinned(const TreePosition& p, Square s) {
  const SidePieces& own = Own<S>(p);
  const int direction = Direction[s][own.kingSquare];
  if (direction == kNoDirection) return false;
  const Bitboard line = LineAttacks(p, s, direction);
  return (line & SquareMask[own.kingSquare]) && (line & LineSliders(Enemy<S>(p), direction));
}

// Side S's pieces that shield their own king from an enemy slider, with
// nothing else between them: each may move only along its line.
template <int S>
inline Bitboard PinnedPieces(const TreePosition& p) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const Square king = own.kingSquare;
  const Bitboard rankAndFile = (kRank1 << (king & 56)) | (kFileA << (king & 7));
  const Bitboard diagonals = DiagonalA1H8Through[king] | DiagonalH1A8Through[king];
  Bitboard snipers = (rankAndFile & enemy.queen_and_rook) | (diagonals & enemy.queen_and_bishop);
  Bitboard pinned = 0;
  while (snipers) {
    const Bitboard between = Between[king][PopLowest(snipers)] & p.occupied;
    const bool single = between != 0 && (between & (between - 1)) == 0;
    if (single && (between & own.friendly)) pinned |= between;
  }
  return pinned;
}

// Castling by the Chess960 rule, which standard chess obeys too: the king
// ends on g1 (c1) and the rook on f1 (d1), every square between each of
// them and its destination, the destinations included, is empty but for
// the king and the rook themselves, and the king is not attacked on its
// square nor on any square it crosses or reaches. Whether the king stands
// safe once the rook has moved is the search's usual test after the move.
//
// The squares, by the files of the king and of the rook on White's first
// rank (Black's are the same shifted to the eighth).
struct CastlingPath {
  Bitboard mustBeEmpty;
  Bitboard kingWalk;  // the king's square, those it crosses and its destination
};
// The king's and the rook's destination files by wing (0 king's side).
inline constexpr int kCastledKingFile[2] = {6, 2};
inline constexpr int kCastledRookFile[2] = {5, 3};

constexpr Bitboard FirstRankSpan(int a, int b) {
  Bitboard span = 0;
  for (int f = a < b ? a : b; f <= (a < b ? b : a); ++f) span |= Bitboard(1) << f;
  return span;
}

inline constexpr auto kCastlingPaths = [] {
  struct Table {
    CastlingPath byFiles[8][8];  // [king file][rook file]
  } table{};
  for (int king = 0; king < 8; ++king)
    for (int rook = 0; rook < 8; ++rook) {
      if (rook == king) continue;
      const int wing = rook > king ? 0 : 1;
      const Bitboard kingWalk = FirstRankSpan(king, kCastledKingFile[wing]);
      const Bitboard rookWalk = FirstRankSpan(rook, kCastledRookFile[wing]);
      const Bitboard movers = (Bitboard(1) << king) | (Bitboard(1) << rook);
      table.byFiles[king][rook] = {(kingWalk | rookWalk) & ~movers, kingWalk};
    }
  return table;
}();

// Side S's castling word for a wing: the king from its square to its
// destination, 1 (king's side) or 2 (queen's side) in the special field.
template <int S, bool kKingSide>
constexpr Move CastlingWord(Square king) {
  constexpr int wing = kKingSide ? 0 : 1;
  constexpr Square to = MakeSquare(kCastledKingFile[wing], S == kWhite ? 0 : 7);
  return MakeMoveWord(king, to, kKing, 0, wing + 1);
}

// May side S castle to the king's side (or queen's side) now? The right
// must be held (which keeps the king and that rook on their squares), the
// squares empty and the king's way unattacked, as above.
template <int S, bool kKingSide>
inline bool CanCastle(const TreePosition& p) {
  constexpr int E = 1 - S;
  constexpr int wing = kKingSide ? 0 : 1;
  constexpr int rank = S == kWhite ? 0 : 56;
  const SidePieces& own = Own<S>(p);
  if (!(own.castling & (kKingSide ? kCastleKingSide : kCastleQueenSide))) return false;
  const CastlingPath& path = kCastlingPaths.byFiles[own.kingSquare & 7][p.castlingRook[S][wing] & 7];
  if (p.occupied & (path.mustBeEmpty << rank)) return false;
  for (Bitboard walk = path.kingWalk << rank; walk;)
    if (IsAttackedBy<E>(p, PopLowest(walk))) return false;
  return true;
}

}  // namespace movegen

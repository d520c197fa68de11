// Attack detection on a search position.
#pragma once

#include "base/tables.h"
#include "position/tree_position.h"

// Attacks from `square` along the whole line (both ways) that `direction`
// lies on: 1-4 rank and file, 5-8 the diagonals; `direction` is not 0.
inline Bitboard LineAttacks(const TreePosition& p, Square square, int direction) {
  switch (direction) {
    case kWest:
    case kEast:
      return RankAttacksOf(square, p.occupied);
    case kNorth:
    case kSouth:
      return FileAttacksOf(square, p.occupied90);
    case kNorthEast:
    case kSouthWest:
      return DiagA1H8AttacksOf(square, p.occupied45);
    default:
      return DiagH1A8AttacksOf(square, p.occupied315);
  }
}

// A side's sliders that move along the line of `direction`.
inline Bitboard LineSliders(const SidePieces& side, int direction) {
  return direction <= kSouth ? side.queen_and_rook : side.queen_and_bishop;
}

// Does side S attack `square`? Tests pawns, knights, king, diagonal sliders
// and orthogonal sliders, in this order.
// The slider look-ups are skipped when no slider of the side stands on a
// line through the square at all.
template <int S>
inline bool IsAttackedBy(const TreePosition& p, Square square) {
  const SidePieces& a = Own<S>(p);
  if ((S == kWhite ? BlackPawnAttacks[square] : WhitePawnAttacks[square]) & a.pawn) return true;
  if (KnightAttacks[square] & a.knight) return true;
  if (KingAttacks[square] & SquareMask[a.kingSquare]) return true;
  if ((DiagonalA1H8Through[square] | DiagonalH1A8Through[square]) & a.queen_and_bishop) {
    if (BishopAttacksOf(square, p.occupied45, p.occupied315) & a.queen_and_bishop) return true;
  }
  const Bitboard rankAndFile = (Bitboard(0xFF) << (square & 56)) | (Bitboard(0x0101010101010101) << (square & 7));
  if (rankAndFile & a.queen_and_rook) {
    if (RookAttacksOf(square, p.occupied, p.occupied90) & a.queen_and_rook) return true;
  }
  return false;
}


// Every piece of both sides that attacks `square`.
inline Bitboard AttackersOf(const TreePosition& p, Square square) {
  const Bitboard diagonal = BishopAttacksOf(square, p.occupied45, p.occupied315);
  const Bitboard straight = RookAttacksOf(square, p.occupied, p.occupied90);
  return (WhitePawnAttacks[square] & p.black.pawn) | (BlackPawnAttacks[square] & p.white.pawn) |
         (KnightAttacks[square] & (p.white.knight | p.black.knight)) |
         (KingAttacks[square] & (SquareMask[p.white.kingSquare] | SquareMask[p.black.kingSquare])) |
         (diagonal & (p.white.queen_and_bishop | p.black.queen_and_bishop)) |
         (straight & (p.white.queen_and_rook | p.black.queen_and_rook));
}

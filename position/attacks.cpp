#include "position/attacks.h"

Bitboard AttackersOf(const TreePosition& p, Square square) {
  const Bitboard diagonal = BishopAttacksOf(square, p.occupied45, p.occupied315);
  const Bitboard straight = RookAttacksOf(square, p.occupied, p.occupied90);
  return (WhitePawnAttacks[square] & p.black.pawn) | (BlackPawnAttacks[square] & p.white.pawn) |
         (KnightAttacks[square] & (p.white.knight | p.black.knight)) |
         (KingAttacks[square] & (SquareMask[p.white.kingSquare] | SquareMask[p.black.kingSquare])) |
         (diagonal & (p.white.queen_and_bishop | p.black.queen_and_bishop)) |
         (straight & (p.white.queen_and_rook | p.black.queen_and_rook));
}

Bitboard XRayAttackers(const TreePosition& p, Square square, int direction) {
  Bitboard line, sliders;
  switch (direction) {
    case kWest:
    case kEast:
      line = RankAttacksOf(square, p.occupied);
      sliders = p.white.queen_and_rook | p.black.queen_and_rook;
      break;
    case kNorth:
    case kSouth:
      line = FileAttacksOf(square, p.occupied90);
      sliders = p.white.queen_and_rook | p.black.queen_and_rook;
      break;
    case kNorthEast:
    case kSouthWest:
      line = DiagA1H8AttacksOf(square, p.occupied45);
      sliders = p.white.queen_and_bishop | p.black.queen_and_bishop;
      break;
    case kNorthWest:
    case kSouthEast:
      line = DiagH1A8AttacksOf(square, p.occupied315);
      sliders = p.white.queen_and_bishop | p.black.queen_and_bishop;
      break;
    default:
      return 0;
  }
  return Rays[direction][square] & line & sliders;
}

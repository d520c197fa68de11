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
  if (direction == kNoDirection) return 0;
  const Bitboard sliders = LineSliders(p.white, direction) | LineSliders(p.black, direction);
  return Rays[direction][square] & LineAttacks(p, square, direction) & sliders;
}

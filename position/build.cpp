#include "position/build.h"

#include <cstring>
#include <initializer_list>

#include "position/attacks.h"

uint64_t ComputeHashKey(const TreePosition& p) {
  uint64_t key = 0;
  for (Square s = 0; s < 64; ++s)
    if (p.squares[s] != 0) key ^= PieceKey(s, p.squares[s]);
  if (p.side == kBlack) key ^= SideKey;
  key ^= CastlingRightsKey(kWhite, p.white.castling) ^ CastlingRightsKey(kBlack, p.black.castling);
  if (p.epSquare != 0) key ^= EnPassantSources[p.epSquare];
  return key;
}

uint32_t ComputePawnHashKey(const TreePosition& p) {
  uint32_t key = 0;
  for (Square s = 0; s < 64; ++s) {
    if (p.squares[s] == kPawn) key ^= WhitePawnKeys[s];
    if (p.squares[s] == -kPawn) key ^= BlackPawnKeys[s];
  }
  return key;
}

namespace {

void ClearSide(SidePieces& side) {
  const int32_t castling = side.castling;
  std::memset(&side, 0, sizeof side);
  side.castling = castling;
}

}  // namespace

void BuildFromSquares(TreePosition& p) {
  ClearSide(p.white);
  ClearSide(p.black);
  p.pieceUnits = 0;
  p.materialBalance = 0;
  p.occupied = p.occupied45 = p.occupied90 = p.occupied315 = 0;

  for (Square s = 0; s < 64; ++s) {
    const int code = p.squares[s];
    if (code == 0) continue;
    SidePieces& side = code > 0 ? p.white : p.black;
    const int sign = code > 0 ? 1 : -1;
    const Bitboard bit = SquareMask[s];
    switch (code * sign) {
      case kPawn:
        side.pawn |= bit;
        side.numPawns += 1;
        break;
      case kKnight:
        side.knight |= bit;
        side.valMinors += 3;
        p.pieceUnits += 3;
        break;
      case kBishop:
        side.bishop |= bit;
        side.valMinors += 3;
        p.pieceUnits += 3;
        break;
      case kRook:
        side.rook |= bit;
        side.valMajors += 1;
        p.pieceUnits += 5;
        break;
      case kQueen:
        side.queen |= bit;
        side.valMajors += 2;
        p.pieceUnits += 9;
        break;
      case kKing:
        side.kingSquare = s;
        break;
    }
    p.materialBalance += sign * (code * sign == kKing ? 0 : kPieceValue[code * sign]);
    side.friendly |= bit;
    p.occupied |= bit;
    p.occupied45 |= SquareMask[Rotate45[s]];
    p.occupied90 |= SquareMask[Rotate90[s]];
    p.occupied315 |= SquareMask[Rotate315[s]];
  }
  for (SidePieces* side : {&p.white, &p.black}) {
    side->queen_and_rook = side->queen | side->rook;
    side->queen_and_bishop = side->queen | side->bishop;
  }
  p.hashKey = ComputeHashKey(p);
  p.pawnHashKey = ComputePawnHashKey(p);
  p.kingAttacked = p.side == kWhite ? IsAttackedBy<kBlack>(p, p.white.kingSquare)
                                    : IsAttackedBy<kWhite>(p, p.black.kingSquare);
}

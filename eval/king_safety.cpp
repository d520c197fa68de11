#include "eval/king_safety.h"

#include "eval/eval_side.h"

template <int S>
int KingShelterOf(const TreePosition& p, int wing) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const int firstFile = wing == kQueenSide ? 0 : 5;

  // Enemy men of any kind inside the shelter zone.
  int v = -16 * PopCount(enemy.friendly & ShelterZone[S][wing]);

  // Open and half-open files of the wing.
  for (int file = firstFile; file < firstFile + 3; ++file) {
    const bool ownNone = (own.pawn & FileMask[file]) == 0;
    const bool enemyNone = (enemy.pawn & FileMask[file]) == 0;
    if (ownNone) v -= 25;
    if (enemyNone) v -= ownNone ? 20 : 10;
  }

  // Pawns still on their home squares.
  int missing = 0;
  for (int file = firstFile; file < firstFile + 3; ++file)
    if ((own.pawn & SquareMask[Relative<S>(MakeSquare(file, 1))]) == 0) ++missing;
  switch (missing) {
    case 0: v += 60; break;
    case 1: v += (wing == kKingSide && (own.pawn & SquareMask[Relative<S>(H3)])) ? 55 : 50; break;
    case 2: v += 20; break;
    default: break;
  }

  // Holes on the third rank: the middle square needs a pawn that can
  // defend it, the outer ones a pawn or a bishop.
  for (int file = firstFile; file < firstFile + 3; ++file) {
    const Square hole = Relative<S>(MakeSquare(file, 2));
    if (PawnReach<S>(hole) & own.pawn) continue;
    const bool middle = file == firstFile + 1;
    if (middle || (BishopAttacksOf(hole, p.occupied45, p.occupied315) & own.bishop) == 0) v -= 10;
  }

  // A fianchettoed bishop, a knight guarding the king's side.
  if (own.bishop & SquareMask[Relative<S>(wing == kQueenSide ? B2 : G2)]) v += 10;
  if (own.knight & SquareMask[Relative<S>(wing == kQueenSide ? C3 : F3)]) v += 2;
  return v;
}

int KingShelter(const TreePosition& p, int side, int wing) {
  return side == kWhite ? KingShelterOf<kWhite>(p, wing) : KingShelterOf<kBlack>(p, wing);
}

template <int S>
int KingPlacement(const TreePosition& p) {
  const SidePieces& own = Own<S>(p);
  if (own.castling == 0) {
    const int file = FileOf(own.kingSquare);
    if (file <= 3) return KingShelterOf<S>(p, kQueenSide) - (file == 3 ? 70 : file == 2 ? 17 : 0);
    return KingShelterOf<S>(p, kKingSide) - (file == 4 ? 70 : file == 5 ? 17 : 0);
  }
  int v;
  if ((own.castling & kCastleKingSide) && (own.castling & kCastleQueenSide)) {
    const int queenSide = KingShelterOf<S>(p, kQueenSide), kingSide = KingShelterOf<S>(p, kKingSide);
    v = queenSide > kingSide ? queenSide : kingSide;
  } else {
    v = KingShelterOf<S>(p, (own.castling & kCastleKingSide) ? kKingSide : kQueenSide);
  }
  return v - 25;
}

template int KingShelterOf<kWhite>(const TreePosition&, int);
template int KingShelterOf<kBlack>(const TreePosition&, int);
template int KingPlacement<kWhite>(const TreePosition&);
template int KingPlacement<kBlack>(const TreePosition&);

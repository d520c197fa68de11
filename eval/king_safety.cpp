#include "eval/king_safety.h"

#include <utility>

#include "eval/eval_side.h"

template <int S, class M>
int KingShelterOf(const TreePosition& p, const EvalScratch& e, int wing) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const int firstFile = wing == kQueenSide ? 0 : 5;

  // Enemy men of any kind inside the shelter zone.
  int v = WeightTimes<M, S>(e, kShelterEnemyMen, 0, PopCount(enemy.friendly & ShelterZone[S][wing]));

  // Open and half-open files of the wing.
  for (int file = firstFile; file < firstFile + 3; ++file) {
    const bool ownNone = (own.pawn & FileMask[file]) == 0;
    const bool enemyNone = (enemy.pawn & FileMask[file]) == 0;
    if (ownNone) v += Weight<M, S>(e, kShelterOpenFile, 0);
    if (enemyNone) v += Weight<M, S>(e, kShelterOpenFile, ownNone ? 1 : 2);
  }

  // Pawns still on their home squares.
  int missing = 0;
  for (int file = firstFile; file < firstFile + 3; ++file)
    if ((own.pawn & SquareMask[Relative<S>(MakeSquare(file, 1))]) == 0) ++missing;
  switch (missing) {
    case 0: v += Weight<M, S>(e, kShelterHomePawns, 0); break;
    case 1:
      v += Weight<M, S>(e, kShelterHomePawns, (wing == kKingSide && (own.pawn & SquareMask[Relative<S>(H3)])) ? 2 : 1);
      break;
    case 2: v += Weight<M, S>(e, kShelterHomePawns, 3); break;
    default: break;
  }

  // Holes on the third rank: the middle square needs a pawn that can
  // defend it, the outer ones a pawn or a bishop.
  for (int file = firstFile; file < firstFile + 3; ++file) {
    const Square hole = Relative<S>(MakeSquare(file, 2));
    if (PawnReach<S>(hole) & own.pawn) continue;
    const bool middle = file == firstFile + 1;
    if (middle || (BishopAttacksOf(hole, p.occupied45, p.occupied315) & own.bishop) == 0)
      v += Weight<M, S>(e, kShelterHole);
  }

  // A fianchettoed bishop, a knight guarding the king's side.
  if (own.bishop & SquareMask[Relative<S>(wing == kQueenSide ? B2 : G2)]) v += Weight<M, S>(e, kShelterFianchetto);
  if (own.knight & SquareMask[Relative<S>(wing == kQueenSide ? C3 : F3)]) v += Weight<M, S>(e, kShelterKnight);
  return v;
}

int KingShelter(const TreePosition& p, int side, int wing) {
  const EvalScratch noTrace{};
  return side == kWhite ? KingShelterOf<kWhite>(p, noTrace, wing) : KingShelterOf<kBlack>(p, noTrace, wing);
}

template <int S, class M>
int KingPlacement(const TreePosition& p, const EvalScratch& e) {
  const SidePieces& own = Own<S>(p);
  if (own.castling == 0) {
    // The wing it stands on, less for the d- or e-file and the c- or f-file.
    const int file = FileOf(own.kingSquare);
    if (file <= 3)
      return KingShelterOf<S, M>(p, e, kQueenSide) +
             (file == 3 ? Weight<M, S>(e, kKingInCentre, 0) : file == 2 ? Weight<M, S>(e, kKingInCentre, 1) : 0);
    return KingShelterOf<S, M>(p, e, kKingSide) +
           (file == 4 ? Weight<M, S>(e, kKingInCentre, 0) : file == 5 ? Weight<M, S>(e, kKingInCentre, 1) : 0);
  }
  int v;
  if ((own.castling & kCastleKingSide) && (own.castling & kCastleQueenSide)) {
    // The better wing. The trace counts the terms of the wing chosen only.
    double factor = 0;
    if constexpr (M::kTrace) std::swap(factor, e.trace->factor);
    const int queenSide = KingShelterOf<S, M>(p, e, kQueenSide), kingSide = KingShelterOf<S, M>(p, e, kKingSide);
    if constexpr (M::kTrace) {
      std::swap(factor, e.trace->factor);
      KingShelterOf<S, M>(p, e, queenSide > kingSide ? kQueenSide : kKingSide);
    }
    v = queenSide > kingSide ? queenSide : kingSide;
  } else {
    v = KingShelterOf<S, M>(p, e, (own.castling & kCastleKingSide) ? kKingSide : kQueenSide);
  }
  return v + Weight<M, S>(e, kCastlingRightsKept);
}

template <int S, class M>
int KingZoneAttack(const TreePosition& p, const EvalScratch& e) {
  if constexpr (!Reads<M>(kKingZoneAttacks) && !Reads<M>(kKingZoneAttackers)) {
    return 0;
  } else {
    const SidePieces& own = Own<S>(p);
    const Square king = Enemy<S>(p).kingSquare;
    const Bitboard zone = KingAttacks[king] | SquareMask[king];
    int v = 0, attackers = 0;
    // One kind of piece: each that reaches the zone counts as an attacker
    // and scores its attacks on it.
    const auto kind = [&](Bitboard pieces, int entry, auto attacksFrom) {
      while (pieces) {
        const Bitboard hits = attacksFrom(PopLowest(pieces)) & zone;
        if (hits == 0) continue;
        ++attackers;
        v += WeightTimes<M, S>(e, kKingZoneAttacks, entry, PopCount(hits));
      }
    };
    const auto diagonal = [&p](Square s) { return BishopAttacksOf(s, p.occupied45, p.occupied315); };
    const auto straight = [&p](Square s) { return RookAttacksOf(s, p.occupied, p.occupied90); };
    kind(own.knight, 0, [](Square s) { return KnightAttacks[s]; });
    kind(own.bishop, 1, diagonal);
    kind(own.rook, 2, straight);
    kind(own.queen, 3, [&](Square s) { return diagonal(s) | straight(s); });
    if (attackers > 0)
      v += Weight<M, S>(e, kKingZoneAttackers, (own.queen ? 0 : 4) + (attackers < 4 ? attackers : 4) - 1);
    return v;
  }
}

#define RAVOK_INSTANTIATE(M)                                                                \
  template int KingShelterOf<kWhite, M>(const TreePosition&, const EvalScratch&, int);      \
  template int KingShelterOf<kBlack, M>(const TreePosition&, const EvalScratch&, int);      \
  template int KingPlacement<kWhite, M>(const TreePosition&, const EvalScratch&);           \
  template int KingPlacement<kBlack, M>(const TreePosition&, const EvalScratch&);           \
  template int KingZoneAttack<kWhite, M>(const TreePosition&, const EvalScratch&);         \
  template int KingZoneAttack<kBlack, M>(const TreePosition&, const EvalScratch&);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE

#include "eval/threats.h"

#include "eval/eval_side.h"

namespace {

// The squares one side attacks: by its pawns, its minor pieces, its rooks,
// and by any man.
struct SideAttacks {
  Bitboard pawn, minor, rook, any;
};

template <int S>
SideAttacks AttacksOf(const TreePosition& p, const EvalScratch& e) {
  const SidePieces& own = Own<S>(p);
  SideAttacks a{PawnAttacks<S>(e), 0, 0, 0};
  for (Bitboard b = own.knight; b;) a.minor |= KnightAttacks[PopLowest(b)];
  for (Bitboard b = own.bishop; b;) a.minor |= BishopAttacksOf(PopLowest(b), p.occupied45, p.occupied315);
  for (Bitboard b = own.rook; b;) a.rook |= RookAttacksOf(PopLowest(b), p.occupied, p.occupied90);
  Bitboard queen = 0;
  for (Bitboard b = own.queen; b;) {
    const Square s = PopLowest(b);
    queen |= RookAttacksOf(s, p.occupied, p.occupied90) | BishopAttacksOf(s, p.occupied45, p.occupied315);
  }
  a.any = a.pawn | a.minor | a.rook | queen | KingAttacks[own.kingSquare];
  return a;
}

// Side S's threats on the enemy's pieces, given both sides' attacks. The
// entries of each weight come first for the threatened side to move, then
// for side S to move.
template <int S, class M>
int ThreatsOf(const TreePosition& p, const EvalScratch& e, const SideAttacks& own, const SideAttacks& enemy) {
  const SidePieces& them = Enemy<S>(p);
  const bool ownMove = p.side == S;
  const Bitboard minors = them.knight | them.bishop;
  int v = 0;
  const int pawnEntry = ownMove ? 4 : 0;
  v += WeightTimes<M, S>(e, kPawnThreats, pawnEntry + 0, PopCount(own.pawn & them.knight));
  v += WeightTimes<M, S>(e, kPawnThreats, pawnEntry + 1, PopCount(own.pawn & them.bishop));
  v += WeightTimes<M, S>(e, kPawnThreats, pawnEntry + 2, PopCount(own.pawn & them.rook));
  v += WeightTimes<M, S>(e, kPawnThreats, pawnEntry + 3, PopCount(own.pawn & them.queen));
  const int pairEntry = ownMove ? 2 : 0;
  v += WeightTimes<M, S>(e, kMinorThreats, pairEntry + 0, PopCount(own.minor & them.rook));
  v += WeightTimes<M, S>(e, kMinorThreats, pairEntry + 1, PopCount(own.minor & them.queen));
  v += WeightTimes<M, S>(e, kRookThreats, ownMove ? 1 : 0, PopCount(own.rook & them.queen));
  const Bitboard hanging = own.any & ~enemy.any;
  v += WeightTimes<M, S>(e, kHangingPieces, pairEntry + 0, PopCount(hanging & minors));
  v += WeightTimes<M, S>(e, kHangingPieces, pairEntry + 1, PopCount(hanging & (them.rook | them.queen)));
  return v;
}

}  // namespace

template <class M>
int ThreatTerms(const TreePosition& p, const EvalScratch& e) {
  if constexpr (!Reads<M>(kPawnThreats) && !Reads<M>(kMinorThreats) && !Reads<M>(kRookThreats) &&
                !Reads<M>(kHangingPieces)) {
    return 0;
  } else {
    const SideAttacks white = AttacksOf<kWhite>(p, e), black = AttacksOf<kBlack>(p, e);
    return ThreatsOf<kWhite, M>(p, e, white, black) - ThreatsOf<kBlack, M>(p, e, black, white);
  }
}

#define RAVOK_INSTANTIATE(M) template int ThreatTerms<M>(const TreePosition&, const EvalScratch&);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE

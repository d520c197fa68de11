#include "eval/pawnless.h"

#include "eval/eval_masks.h"
#include "eval/eval_side.h"
#include "position/attacks.h"

namespace {

// The squares of b1's colour.
constexpr Bitboard kLightSquares = ~Bitboard(0xAA55AA55AA55AA55ULL);

// The pawnless weights are never tuned, so nothing here is traced: reads
// go to the mode's set directly.
template <class M>
int At(WeightId id, int entry = 0) {
  return M::kWeights.At(id, entry);
}

template <class M>
int KingCentre(Square s) {
  return At<M>(kPawnlessKingCentre, s);
}

// A man's value by its type (pawn, knight, long-range piece) and its king
// distance 1..7 to a king; pawns count nothing.
template <class M>
int Tropism(int code, int distance) {
  const int type = code < 0 ? -code : code;
  if (type == kPawn) return 0;
  return At<M>(kPawnlessTropism, (type == kKnight ? 0 : 7) + distance - 1);
}

bool OnEdgeNextTo(Square king, Square other) {
  return (EdgeMask & SquareMask[king]) && (KingAttacks[king] & SquareMask[other]);
}

// Sum over the men (all but the king) of a side of f(square).
template <typename F>
int SumOverMen(const SidePieces& side, F f) {
  int sum = 0;
  for (Bitboard men = side.friendly & ~SquareMask[side.kingSquare]; men;) sum += f(PopLowest(men));
  return sum;
}

// Side S far ahead (more than 504) against an opponent without pawns, S's
// view; mb is the material balance from S's side.
template <int S, class M>
int FarAhead(const TreePosition& p, int mb) {
  const SidePieces& strong = Own<S>(p);
  const SidePieces& weak = Enemy<S>(p);
  const Square sk = strong.kingSquare, wk = weak.kingSquare;
  const int manDistance = At<M>(kPawnlessManDistance);
  // King, bishop and knight against the lone king.
  if (weak.valMinors == 0 && strong.valMinors == 6 && strong.bishop && strong.knight) {
    const WeightId corner = (kLightSquares & strong.bishop) ? kPawnlessLightCorner : kPawnlessDarkCorner;
    return At<M>(kPawnlessWin) + At<M>(corner, wk) + KingCentre<M>(sk) / 2 +
           manDistance * KingDistance[LowestBit(strong.knight)][wk] +
           At<M>(kPawnlessMatingKingDistance, KingDistance[sk][wk]);
  }
  const int kings = At<M>(kPawnlessKingDistance) * ManhattanDistance[sk][wk];
  // Against a bare king: drive it to the edge and bring the kings together.
  if (weak.valMinors == 0 && weak.valMajors == 0)
    return mb + At<M>(kPawnlessWin) - KingCentre<M>(wk) + KingCentre<M>(sk) + kings;
  int v = OnEdgeNextTo(wk, sk) ? mb + At<M>(kPawnlessEdgeNextToKing)
                               : mb + At<M>(kPawnlessFarAhead) - KingCentre<M>(wk);
  v -= SumOverMen(weak, [&](Square s) { return Tropism<M>(p.squares[s], KingDistance[wk][s]); });
  v += SumOverMen(strong, [&](Square s) { return manDistance * KingDistance[wk][s]; });
  return v + KingCentre<M>(sk) + kings;
}

// Side S moderately ahead (41..504), S's view.
template <int S, class M>
int ModeratelyAhead(const TreePosition& p, int mb) {
  const SidePieces& strong = Own<S>(p);
  const SidePieces& weak = Enemy<S>(p);
  int v = mb / 2;
  v += OnEdgeNextTo(weak.kingSquare, strong.kingSquare) ? At<M>(kPawnlessModerateEdge)
                                                        : -KingCentre<M>(weak.kingSquare);
  v += At<M>(kPawnlessStrongKing, strong.kingSquare) / 2;
  v -= SumOverMen(weak, [&](Square s) {
    return Tropism<M>(p.squares[s], KingDistance[weak.kingSquare][s]) +
           (IsAttackedBy<1 - S>(p, s) ? At<M>(kPawnlessManGuarded) : 0);
  });
  return v;
}

// A side's kings and men with level material, S's view, before damping.
template <int S, class M>
int LevelSide(const TreePosition& p) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  int v = OnEdgeNextTo(own.kingSquare, enemy.kingSquare) ? At<M>(kPawnlessLevelEdge) : KingCentre<M>(own.kingSquare);
  v += SumOverMen(own, [&](Square s) {
    return Tropism<M>(p.squares[s], KingDistance[own.kingSquare][s]) +
           (IsAttackedBy<S>(p, s) ? At<M>(kPawnlessManGuarded) : 0);
  });
  return v;
}

}  // namespace

template <class M>
int PawnlessEvaluation(const TreePosition& p, const EvalScratch&) {
  const int mb = p.materialBalance;
  if (mb > 504) return FarAhead<kWhite, M>(p, mb);
  if (mb < -504) return -FarAhead<kBlack, M>(p, -mb);
  if (mb > 40) return ModeratelyAhead<kWhite, M>(p, mb);
  if (mb < -40) return -ModeratelyAhead<kBlack, M>(p, -mb);
  // Level material: damped toward a draw.
  return (mb / 4 + LevelSide<kWhite, M>(p) - LevelSide<kBlack, M>(p)) / 4;
}

#define RAVOK_INSTANTIATE(M) template int PawnlessEvaluation<M>(const TreePosition&, const EvalScratch&);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE

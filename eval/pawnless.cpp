#include "eval/pawnless.h"

#include <array>

#include "eval/eval_masks.h"
#include "eval/value_tables.h"
#include "position/attacks.h"

namespace {

using Diagram = std::array<int32_t, 64>;

// A man's value by its type (pawn, knight, long-range piece) and its king
// distance 1..7 to a king.
constexpr int kTropismTable[3][8] = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 10, 8, 4, -10, -20, -40, -70},
    {0, 6, 4, 2, -4, -6, -12, -16},
};

// By the distance between the two kings, 0..7.
constexpr int kMatingKingDistance[8] = {-60, -40, 2, 18, 40, 70, 110, 120};

// Diagrams, rank 8 on top; square s reads entry s ^ 56.
constexpr Diagram kKingCentreTable = {
    -80, -68, -56, -44, -44, -56, -68, -80,
    -68, -12,  -4,   4,   4,  -4, -12, -68,
    -56,  -4,  14,  24,  24,  14,  -4, -56,
    -44,   4,  24,  44,  44,  24,   4, -44,
    -44,   4,  24,  44,  44,  24,   4, -44,
    -56,  -4,  14,  24,  24,  14,  -4, -56,
    -68, -12,  -4,   4,   4,  -4, -12, -68,
    -80, -68, -36, -44, -44, -56, -68, -80,
};

// King, bishop and knight: the lone king is mated in a corner of the
// bishop's colour.
constexpr Diagram kLightCornerTable = {
    120, 110,  70,  40,  18,   2, -40, -60,
    110,  90,  50,  34,  12, -10, -34, -40,
     70,  50,  36, -10, -20, -30, -10,   2,
     40,  34, -10, -52, -52, -20,  12,  18,
     18,  12, -20, -52, -52, -10,  34,  40,
      2, -10, -30, -20, -10,  36,  50,  70,
    -40, -34, -10,  12,  34,  50,  90, 110,
    -60, -40,   2,  18,  40,  70, 110, 120,
};

constexpr Diagram kDarkCornerTable = {
    -60, -40,   2,  18,  40,  70, 110, 120,
    -40, -34, -10,  12,  34,  50,  90, 110,
      2, -10, -30, -30, -10,  36,  50,  70,
     18,  12, -30, -52, -52, -10,  34,  40,
     40,  34, -10, -52, -52, -30,  12,  18,
     70,  50,  36, -10, -30, -30, -10,   2,
    110,  90,  50,  34,  12, -10, -34, -40,
    120, 110,  70,  40,  18,   2, -40, -60,
};

// The squares of b1's colour.
constexpr Bitboard kLightSquares = ~Bitboard(0xAA55AA55AA55AA55ULL);

int KingCentre(Square s) { return kKingCentreTable[s ^ 56]; }

int Tropism(int code, int distance) {
  const int type = code < 0 ? -code : code;
  return kTropismTable[type == kPawn ? 0 : type == kKnight ? 1 : 2][distance];
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
template <int S>
int FarAhead(const TreePosition& p, int mb) {
  const SidePieces& strong = Own<S>(p);
  const SidePieces& weak = Enemy<S>(p);
  const Square sk = strong.kingSquare, wk = weak.kingSquare;
  // King, bishop and knight against the lone king.
  if (weak.valMinors == 0 && strong.valMinors == 6 && strong.bishop && strong.knight) {
    const Diagram& corner = (kLightSquares & strong.bishop) ? kLightCornerTable : kDarkCornerTable;
    return 1500 + corner[wk ^ 56] + KingCentre(sk) / 2 - KingDistance[LowestBit(strong.knight)][wk] -
           kMatingKingDistance[KingDistance[sk][wk]];
  }
  // Against a bare king: drive it to the edge and bring the kings together.
  if (weak.valMinors == 0 && weak.valMajors == 0)
    return mb + 1500 - KingCentre(wk) + KingCentre(sk) - 4 * ManhattanDistance[sk][wk];
  int v = OnEdgeNextTo(wk, sk) ? mb + 200 : mb + 150 - KingCentre(wk);
  v -= SumOverMen(weak, [&](Square s) { return Tropism(p.squares[s], KingDistance[wk][s]); });
  v -= SumOverMen(strong, [&](Square s) { return KingDistance[wk][s]; });
  return v + KingCentre(sk) - 4 * ManhattanDistance[sk][wk];
}

// Side S moderately ahead (41..504), S's view.
template <int S>
int ModeratelyAhead(const TreePosition& p, int mb) {
  const SidePieces& strong = Own<S>(p);
  const SidePieces& weak = Enemy<S>(p);
  int v = mb / 2;
  v += OnEdgeNextTo(weak.kingSquare, strong.kingSquare) ? 100 : -KingCentre(weak.kingSquare);
  v += CentreTable[strong.kingSquare] / 2;
  v -= SumOverMen(weak, [&](Square s) {
    return Tropism(p.squares[s], KingDistance[weak.kingSquare][s]) + (IsAttackedBy<1 - S>(p, s) ? 10 : 0);
  });
  return v;
}

// A side's kings and men with level material, S's view, before damping.
template <int S>
int LevelSide(const TreePosition& p) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  int v = OnEdgeNextTo(own.kingSquare, enemy.kingSquare) ? -50 : KingCentre(own.kingSquare);
  v += SumOverMen(own, [&](Square s) {
    return Tropism(p.squares[s], KingDistance[own.kingSquare][s]) + (IsAttackedBy<S>(p, s) ? 10 : 0);
  });
  return v;
}

}  // namespace

int PawnlessEvaluation(const TreePosition& p) {
  const int mb = p.materialBalance;
  if (mb > 504) return FarAhead<kWhite>(p, mb);
  if (mb < -504) return -FarAhead<kBlack>(p, -mb);
  if (mb > 40) return ModeratelyAhead<kWhite>(p, mb);
  if (mb < -40) return -ModeratelyAhead<kBlack>(p, -mb);
  // Level material: damped toward a draw.
  return (mb / 4 + LevelSide<kWhite>(p) - LevelSide<kBlack>(p)) / 4;
}

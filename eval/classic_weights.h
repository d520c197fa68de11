// The classic weights: the evaluation as it was written by hand. Tables
// are written as diagrams, rank 8 on top; White's square s reads diagram
// entry s ^ 56.
#pragma once

#include <array>

#include "eval/eval_weights.h"

namespace classic_weights {

using Diagram = std::array<int32_t, 64>;
constexpr int32_t M = kUnusedSquare;

constexpr Diagram kCentreDiagram = {
     4,   0,   8,  12,  12,   8,   0,   4,
     4,   8,  12,  16,  16,  12,   8,   4,
     8,  12,  16,  20,  20,  16,  12,   8,
    12,  16,  20,  24,  24,  20,  16,  12,
    12,  16,  20,  24,  24,  20,  16,  12,
     8,  12,  16,  20,  20,  16,  12,   8,
     4,   8,  12,  16,  16,  12,   8,   4,
     4,   0,   8,  12,  12,   8,   0,   4,
};

constexpr Diagram kKnightDiagram = {
   -10,  10,  12,  14,  14,  12,  10, -10,
    20,  28,  34,  38,  38,  34,  28,  20,
    22,  30,  36,  44,  44,  36,  30,  22,
    22,  28,  34,  40,  40,  34,  28,  22,
    18,  24,  30,  36,  36,  30,  24,  18,
    12,  18,  24,  30,  30,  24,  18,  12,
     6,  12,  18,  24,  24,  18,  12,   6,
   -15,   0,  18,  18,  18,  18,   0, -15,
};

constexpr Diagram kRookDiagram = {
     2,   2,   2,   2,   2,   2,   2,   2,
     4,   4,   4,   4,   4,   4,   4,   4,
    -4,  -1,  -2,  -3,  -3,  -2,  -1,  -4,
    -4,  -1,  -2,  -3,  -3,  -2,  -1,  -4,
    -4,  -1,  -1,  -2,  -2,  -1,  -1,  -4,
    -4,   0,   0,   2,   2,   0,   0,  -4,
    -3,   2,   3,   5,   5,   3,   2,  -3,
    -2,   2,   3,   5,   5,   3,   2,  -2,
};

constexpr Diagram kOpeningKingDiagram = {
  -400, -430, -470, -500, -500, -470, -430, -400,
  -400, -430, -470, -500, -500, -470, -430, -400,
  -400, -430, -470, -500, -500, -470, -430, -400,
  -400, -410, -430, -470, -470, -430, -410, -400,
  -300, -350, -400, -400, -400, -400, -370, -340,
  -100, -120, -140, -140, -140, -140, -120, -100,
    -4,   -8,  -12,  -54,  -54,  -24,   -4,   -4,
    12,   14,    0,  -32,  -32,  -18,   14,   12,
};

constexpr Diagram kMiddlegameKingDiagram = {
  -200, -215, -235, -250, -250, -235, -215, -200,
  -200, -215, -235, -250, -250, -235, -215, -200,
  -200, -215, -235, -250, -250, -235, -215, -200,
  -200, -205, -215, -235, -235, -215, -205, -200,
  -150, -175, -200, -200, -200, -200, -175, -170,
   -50,  -60,  -70,  -70,  -70,  -70,  -70,  -70,
    -4,   -8,  -12,  -34,  -34,  -24,   -4,   -4,
    12,   14,    0,  -82,  -18,  -14,   14,   12,
};

constexpr Diagram kOpeningPawnDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
   -20, -20, -12,  14,  14, -12, -20, -20,
   -25, -25, -10,  12,  12, -10, -25, -25,
   -27, -29, -12,  20,  20, -16, -29, -27,
   -28, -29, -22,  -6,  -6, -22, -29, -28,
   -30, -27, -20, -20, -20, -16, -27, -30,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kMiddlegamePawnDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
   -10, -10,  -2,  10,  10,  -2, -10, -10,
   -15, -15,  -8,   8,   8,  -8, -15, -15,
   -17, -19,  -2,  14,  14,  -6, -19, -17,
   -18, -19, -12,   8,   8, -12, -19, -18,
   -20, -17, -10, -15, -15, -10, -17, -10,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kOpeningPassedDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
   100, 100, 100, 100, 100, 100, 100, 100,
    75,  75,  75,  65,  65,  75,  75,  75,
    25,  25,  25,  20,  20,  25,  25,  25,
     5,   5,   5,  14,  14,   5,   5,   5,
    -5,  -5,  -5,   8,   8,  -5,  -5,  -5,
   -10, -10, -10, -10, -10, -10, -10, -10,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kMiddlegamePassedDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
   120, 120, 120, 120, 120, 120, 120, 120,
    75,  75,  75,  65,  65,  75,  75,  75,
    30,  30,  30,  30,  30,  30,  30,  30,
    17,  17,  17,  24,  24,  17,  17,  17,
    15,  15,  15,  18,  18,  15,  15,  15,
    10,  10,  10,  10,  10,  10,  10,  10,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kOpeningPassedDefendedDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
   120, 120, 120, 120, 120, 120, 120, 120,
    95,  95,  95,  90,  90,  95,  95,  95,
    35,  35,  35,  30,  30,  35,  35,  35,
     8,   8,   8,  16,  16,   8,   8,   8,
    -5,  -5,  -5,  10,  10,  -5,  -5,  -5,
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kMiddlegamePassedDefendedDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
   140, 140, 140, 140, 140, 140, 140, 140,
    95,  95,  95,  95,  95,  95,  95,  95,
    45,  45,  45,  45,  45,  45,  45,  45,
    20,  20,  20,  28,  28,  28,  28,  28,
    15,  15,  15,  20,  20,  15,  15,  15,
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kDefendedDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
     6,   6,   8,   8,   8,   8,   6,   6,
     4,   4,   6,   6,   6,   6,   4,   4,
     4,   4,   4,   4,   4,   4,   4,   4,
     4,   4,   4,   4,   4,   4,   4,   4,
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kOpeningDuoDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
    20,  25,  35,  45,  35,  25,  20,   M,
    10,  15,  27,  33,  27,  18,  10,   M,
     5,   8,  20,  25,  20,  10,   8,   M,
     0,   0,  10,  15,   5,   0,   0,   M,
     0,   0,   0,   5,   5,   0,   0,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
};

constexpr Diagram kPassedDuoDiagram = {
     M,   M,   M,   M,   M,   M,   M,   M,
    50,  50,  50,  50,  50,  50,  50,   M,
    40,  40,  40,  60,  60,  40,  40,   M,
    21,  21,  25,  40,  40,  25,  21,   M,
    14,  14,  14,  20,  20,  10,   8,   M,
     8,   8,   8,   8,   8,   8,   8,   M,
     6,   6,   6,   6,   6,   6,   6,   M,
     M,   M,   M,   M,   M,   M,   M,   M,
};

// Endgame pawn tables depend on the rank only: values for ranks 1..8.
using RankRow = std::array<int32_t, 8>;
constexpr RankRow kEndgamePawnByRank = {M, 0, 4, 8, 12, 16, M, M};
constexpr RankRow kEndgamePassedByRank = {M, 20, 30, 40, 75, 120, 160, M};
constexpr RankRow kEndgamePassedDefendedByRank = {M, M, 40, 55, 85, 135, 170, M};
constexpr RankRow kEndgameDefendedByRank = {M, M, 4, 4, 4, 8, M, M};
constexpr RankRow kEndgameDuoByRank = {M, 5, 7, 8, 15, 20, M, M};  // a2 holds 4
constexpr RankRow kEndgamePassedDuoByRank = {M, 10, 17, 20, 23, 27, 30, M};

// White's table (square-indexed) from a diagram.
constexpr Diagram WhiteFrom(const Diagram& d) {
  Diagram t{};
  for (int s = 0; s < 64; ++s) t[s] = d[s ^ 56];
  return t;
}

constexpr Diagram WhiteFromRanks(const RankRow& row, bool hFileUnused) {
  Diagram t{};
  for (int s = 0; s < 64; ++s) t[s] = (hFileUnused && FileOf(s) == 7) ? M : row[RankOf(s)];
  return t;
}

// The middlegame duo table differs from the opening one on c4 only.
constexpr Diagram MiddlegameDuo() {
  Diagram t = WhiteFrom(kOpeningDuoDiagram);
  t[C4] = 18;
  return t;
}

// Opening and middlegame bishops: the centre table with the fianchetto and
// development squares b1, g1, b2, g2 raised.
constexpr Diagram DevelopedBishop() {
  Diagram t = WhiteFrom(kCentreDiagram);
  t[B1] = t[G1] = 4;
  t[B2] = t[G2] = 22;
  return t;
}

constexpr Diagram EndgameDuo() {
  Diagram t = WhiteFromRanks(kEndgameDuoByRank, true);
  t[A2] = 4;
  return t;
}

// The tables of the endgames without pawns.
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

constexpr void SetSquares(EvalWeights& w, WeightId id, int phase, const Diagram& squares) {
  for (int s = 0; s < 64; ++s) w.value[WeightIndex(id, 64 * phase + s)] = squares[s];
}

constexpr void SetPhases(EvalWeights& w, WeightId id, const Diagram& opening, const Diagram& middlegame,
                         const Diagram& endgame) {
  SetSquares(w, id, kOpeningPhase, opening);
  SetSquares(w, id, kMiddlegamePhase, middlegame);
  SetSquares(w, id, kEndgamePhase, endgame);
}

constexpr void Set(EvalWeights& w, WeightId id, std::initializer_list<int32_t> values) {
  int i = 0;
  for (int32_t v : values) w.value[WeightIndex(id, i++)] = v;
}

constexpr EvalWeights ClassicWeights() {
  EvalWeights w{};
  Set(w, kMaterial, {kPawnValue, kKnightValue, kBishopValue, kRookValue, kQueenValue});
  Set(w, kExtraMinorWithPawns, {50});
  Set(w, kImbalance, {
                         50, -50, 100, -100,  // three minor units up
                         50, -50, 100, -100,  // three down
                         50, -50, 100, -100,  // six up
                         0, -50, 100, -100,   // six down
                         0, 0, 100, -100,     // nine up
                         0, 0, 0, -100,       // nine down
                     });
  Set(w, kCentreOutOfReach, {-6, -4});
  Set(w, kHomeCentrePawns, {-20});
  Set(w, kBlockedPawn, {-4});
  Set(w, kUnstoppablePasser, {660});
  Set(w, kPasserAgainstBareKing, {100});
  // The scaled penalties are the hand-set penalty times a percentage by
  // distance, rounded toward zero: 30 by 50, 60, 70, 75 percent; 20 and 10
  // by 70, 75, 80, 90; 16 by 50, 60, 65, 70, 75.
  Set(w, kBackwardPawn, {-30, 0, -15, -18, -21, -22});
  Set(w, kTripledPawns, {-80, -60});
  Set(w, kDoubledIsolatedPawns, {-45});
  Set(w, kDoubledPawns, {-20, -14, -15, -16, -18});
  Set(w, kDoubledDefendedPawns, {-10, -7, -7, -8, -9});
  Set(w, kIsolatedPawn, {-16, -8, -9, -10, -11, -12});
  Set(w, kIsolatedQueenPawn, {-10});
  Set(w, kKnightCentreControl, {4, 2});
  Set(w, kKnightDefended, {6});
  Set(w, kKnightOutpost, {12});
  Set(w, kKnightNearKing, {8, 6, 4});
  Set(w, kKnightBlocksCentrePawn, {-25});
  Set(w, kKnightBlocksCPawn, {-14, -4});
  Set(w, kBishopPair, {18});
  Set(w, kBishopCentreControl, {6, 2});
  Set(w, kBishopMobility, {1});
  Set(w, kBishopOnKingDiagonal, {8});
  Set(w, kBishopPawnTargets, {4});
  Set(w, kBishopBlocksCentrePawn, {-30});
  Set(w, kBishopHemmedIn, {-20, -14});
  Set(w, kBishopTrapped, {-100});
  Set(w, kBishopCount, {16, 8});
  Set(w, kRookCentreControl, {4, 2});
  Set(w, kRookEndgameActivity, {30});
  Set(w, kRookMobility, {1});
  Set(w, kRookConnected, {24, 8});
  Set(w, kRookNoOwnPawn, {40, 15});
  Set(w, kRookFacesQueen, {10});
  Set(w, kRookOpenFile, {26, 10});
  Set(w, kRookOnSeventh, {50});
  Set(w, kRookShutIn, {-35});
  Set(w, kRookCutOff, {-16, -8});
  Set(w, kQueenSortie, {-20, -40, -4, -12});
  Set(w, kQueenEarlyOut, {-20, -12});
  Set(w, kQueenKingDistance, {-2});
  Set(w, kQueenOnSeventh, {25});
  Set(w, kShelterEnemyMen, {-16});
  Set(w, kShelterOpenFile, {-25, -20, -10});
  Set(w, kShelterHomePawns, {60, 50, 55, 20});
  Set(w, kShelterHole, {-10});
  Set(w, kShelterFianchetto, {10});
  Set(w, kShelterKnight, {2});
  Set(w, kKingInCentre, {-70, -17});
  Set(w, kCastlingRightsKept, {-25});
  // Terms the designed evaluation does not have.
  Set(w, kKnightMobility, {0});
  Set(w, kQueenMobility, {0});
  Set(w, kTempo, {0});
  Set(w, kPasserKingDistance, {0, 0});
  Set(w, kPasserPath, {0, 0});
  Set(w, kKingZoneAttacks, {0, 0, 0, 0});
  Set(w, kKingZoneAttackers, {0, 0, 0, 0, 0, 0, 0, 0});
  Set(w, kPawnThreats, {0, 0, 0, 0, 0, 0, 0, 0});
  Set(w, kMinorThreats, {0, 0, 0, 0});
  Set(w, kRookThreats, {0, 0});
  Set(w, kHangingPieces, {0, 0, 0, 0});

  // Opening and middlegame share the knight, bishop, rook, defended and
  // passed-duo tables; the endgame centralises knights, bishops and kings
  // and reads its pawn tables by rank.
  const Diagram centre = WhiteFrom(kCentreDiagram);
  SetPhases(w, kKnightSquares, WhiteFrom(kKnightDiagram), WhiteFrom(kKnightDiagram), centre);
  SetPhases(w, kBishopSquares, DevelopedBishop(), DevelopedBishop(), centre);
  SetPhases(w, kRookSquares, WhiteFrom(kRookDiagram), WhiteFrom(kRookDiagram), WhiteFrom(kRookDiagram));
  SetPhases(w, kKingSquares, WhiteFrom(kOpeningKingDiagram), WhiteFrom(kMiddlegameKingDiagram), centre);
  SetPhases(w, kPawnSquares, WhiteFrom(kOpeningPawnDiagram), WhiteFrom(kMiddlegamePawnDiagram),
            WhiteFromRanks(kEndgamePawnByRank, false));
  SetPhases(w, kPassedSquares, WhiteFrom(kOpeningPassedDiagram), WhiteFrom(kMiddlegamePassedDiagram),
            WhiteFromRanks(kEndgamePassedByRank, false));
  SetPhases(w, kPassedDefendedSquares, WhiteFrom(kOpeningPassedDefendedDiagram),
            WhiteFrom(kMiddlegamePassedDefendedDiagram), WhiteFromRanks(kEndgamePassedDefendedByRank, false));
  SetPhases(w, kDefendedSquares, WhiteFrom(kDefendedDiagram), WhiteFrom(kDefendedDiagram),
            WhiteFromRanks(kEndgameDefendedByRank, false));
  SetPhases(w, kDuoSquares, WhiteFrom(kOpeningDuoDiagram), MiddlegameDuo(), EndgameDuo());
  SetPhases(w, kPassedDuoSquares, WhiteFrom(kPassedDuoDiagram), WhiteFrom(kPassedDuoDiagram),
            WhiteFromRanks(kEndgamePassedDuoByRank, true));
  // Black's king may stand on d8, e8 and f8 with smaller penalties than the
  // mirror of White's d1, e1 and f1; its endgame duo values on its second
  // and third ranks are 4 and 6, not the mirror of White's.
  Set(w, kBlackMiddlegameKing, {-12, -12, -10});
  Set(w, kBlackEndgameDuo, {4, 6});

  Set(w, kPawnlessWin, {1500});
  Set(w, kPawnlessKingDistance, {-4});
  Set(w, kPawnlessManDistance, {-1});
  Set(w, kPawnlessMatingKingDistance, {60, 40, -2, -18, -40, -70, -110, -120});
  Set(w, kPawnlessEdgeNextToKing, {200});
  Set(w, kPawnlessFarAhead, {150});
  Set(w, kPawnlessModerateEdge, {100});
  Set(w, kPawnlessLevelEdge, {-50});
  Set(w, kPawnlessManGuarded, {10});
  Set(w, kPawnlessTropism, {
                               10, 8, 4, -10, -20, -40, -70,  // knight
                               6, 4, 2, -4, -6, -12, -16,     // bishop, rook, queen
                           });
  SetSquares(w, kPawnlessKingCentre, 0, WhiteFrom(kKingCentreTable));
  SetSquares(w, kPawnlessStrongKing, 0, centre);
  SetSquares(w, kPawnlessLightCorner, 0, WhiteFrom(kLightCornerTable));
  SetSquares(w, kPawnlessDarkCorner, 0, WhiteFrom(kDarkCornerTable));
  Set(w, kPawnlessRunner, {100});
  return w;
}

}  // namespace classic_weights

inline constexpr EvalWeights kClassicWeights = classic_weights::ClassicWeights();

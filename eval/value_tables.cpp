// The opening, middlegame and endgame value sets. Tables are written as
// diagrams, rank 8 on top. White's square s reads diagram entry s ^ 56;
// Black's tables are White's mirrored across the board's middle, except where
// noted below.
#include "eval/value_tables.h"

#include <algorithm>
#include <array>

namespace {

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

// White's tables of one value set, square-indexed.
struct WhiteSet {
  Diagram knight, bishop, rook, king, pawn, passed, passedDefended, defended, duo, passedDuo;
};

constexpr WhiteSet kOpeningSet = {
    WhiteFrom(kKnightDiagram), DevelopedBishop(), WhiteFrom(kRookDiagram), WhiteFrom(kOpeningKingDiagram),
    WhiteFrom(kOpeningPawnDiagram), WhiteFrom(kOpeningPassedDiagram), WhiteFrom(kOpeningPassedDefendedDiagram),
    WhiteFrom(kDefendedDiagram), WhiteFrom(kOpeningDuoDiagram), WhiteFrom(kPassedDuoDiagram)};

constexpr WhiteSet kMiddlegameSet = {
    WhiteFrom(kKnightDiagram), DevelopedBishop(), WhiteFrom(kRookDiagram), WhiteFrom(kMiddlegameKingDiagram),
    WhiteFrom(kMiddlegamePawnDiagram), WhiteFrom(kMiddlegamePassedDiagram),
    WhiteFrom(kMiddlegamePassedDefendedDiagram), WhiteFrom(kDefendedDiagram), MiddlegameDuo(),
    WhiteFrom(kPassedDuoDiagram)};

constexpr WhiteSet kEndgameSet = {
    WhiteFrom(kCentreDiagram), WhiteFrom(kCentreDiagram), WhiteFrom(kRookDiagram), WhiteFrom(kCentreDiagram),
    WhiteFromRanks(kEndgamePawnByRank, false), WhiteFromRanks(kEndgamePassedByRank, false),
    WhiteFromRanks(kEndgamePassedDefendedByRank, false), WhiteFromRanks(kEndgameDefendedByRank, false),
    EndgameDuo(), WhiteFromRanks(kEndgamePassedDuoByRank, true)};

// The ten tables of a side, paired with their source in a value set.
struct TablePart {
  int32_t (SideTables::*table)[64];
  Diagram WhiteSet::*source;
};
constexpr TablePart kTableParts[] = {
    {&SideTables::knight, &WhiteSet::knight},
    {&SideTables::bishop, &WhiteSet::bishop},
    {&SideTables::rook, &WhiteSet::rook},
    {&SideTables::king, &WhiteSet::king},
    {&SideTables::pawn, &WhiteSet::pawn},
    {&SideTables::passed, &WhiteSet::passed},
    {&SideTables::passedDefended, &WhiteSet::passedDefended},
    {&SideTables::defended, &WhiteSet::defended},
    {&SideTables::duo, &WhiteSet::duo},
    {&SideTables::passedDuo, &WhiteSet::passedDuo},
};

// White takes the set as it is; Black's value on square s is White's value
// on the square of the same file and the mirrored rank.
void FillFromSet(ValueSet& values, const WhiteSet& set) {
  for (const TablePart& part : kTableParts) {
    const Diagram& white = set.*part.source;
    std::copy(white.begin(), white.end(), values.side[kWhite].*part.table);
    for (int s = 0; s < 64; ++s) (values.side[kBlack].*part.table)[s] = white[s ^ 56];
  }
}

}  // namespace

const std::array<int32_t, 64> CentreTable = WhiteFrom(kCentreDiagram);

void FillOpeningSet(ValueSet& values) { FillFromSet(values, kOpeningSet); }

void FillMiddlegameSet(ValueSet& values) {
  FillFromSet(values, kMiddlegameSet);
  // Black's king may stand on d8, e8 and f8 with smaller penalties than the
  // mirror of White's d1, e1 and f1.
  values.side[kBlack].king[D8] = -12;
  values.side[kBlack].king[E8] = -12;
  values.side[kBlack].king[F8] = -10;
}

void FillEndgameSet(ValueSet& values) {
  FillFromSet(values, kEndgameSet);
  // Black's duo values on its second and third ranks are its own, not the
  // mirror of White's: 4 on a7-g7 and 6 on a6-g6.
  for (int file = 0; file < 7; ++file) {
    values.side[kBlack].duo[MakeSquare(file, 6)] = 4;
    values.side[kBlack].duo[MakeSquare(file, 5)] = 6;
  }
}

// The static tables against independent brute-force computations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "base/tables.h"

namespace {

Square Sq(const char* name) { return MakeSquare(name[0] - 'a', name[1] - '1'); }

Bitboard SetOf(std::initializer_list<const char*> names) {
  Bitboard b = 0;
  for (const char* n : names) b |= Bitboard(1) << Sq(n);
  return b;
}

// Walks from s in (df, dr) steps up to and including the first occupied square.
Bitboard SlowRay(Square s, int df, int dr, Bitboard occupied) {
  Bitboard result = 0;
  int f = FileOf(s) + df, r = RankOf(s) + dr;
  while (f >= 0 && f < 8 && r >= 0 && r < 8) {
    Bitboard bit = Bitboard(1) << (r * 8 + f);
    result |= bit;
    if (occupied & bit) break;
    f += df;
    r += dr;
  }
  return result;
}

Bitboard SlowRook(Square s, Bitboard occ) {
  return SlowRay(s, 1, 0, occ) | SlowRay(s, -1, 0, occ) | SlowRay(s, 0, 1, occ) | SlowRay(s, 0, -1, occ);
}
Bitboard SlowBishop(Square s, Bitboard occ) {
  return SlowRay(s, 1, 1, occ) | SlowRay(s, -1, 1, occ) | SlowRay(s, 1, -1, occ) | SlowRay(s, -1, -1, occ);
}

Occupancy OccupancyOf(Bitboard occupied) {
  Occupancy o;
  for (Square s = 0; s < 64; ++s)
    if (occupied >> s & 1) o.Add(s);
  return o;
}

TEST(Tables, RotationsAreBijectionsWithTheirAnchors) {
  for (const int32_t* rotation : {Rotate45, Rotate90, Rotate315}) {
    std::set<int> seen(rotation, rotation + 64);
    EXPECT_EQ(seen.size(), 64u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 63);
  }
  EXPECT_EQ(Rotate45[H1], 0);
  EXPECT_EQ(Rotate45[G1], 1);
  EXPECT_EQ(Rotate45[H2], 2);
  EXPECT_EQ(Rotate45[A1], 28);
  EXPECT_EQ(Rotate45[B2], 29);
  EXPECT_EQ(Rotate45[H8], 35);
  EXPECT_EQ(Rotate45[A8], 63);
  EXPECT_EQ(Rotate315[A1], 0);
  EXPECT_EQ(Rotate315[A2], 1);
  EXPECT_EQ(Rotate315[B1], 2);
  EXPECT_EQ(Rotate315[A8], 28);
  EXPECT_EQ(Rotate315[B7], 29);
  EXPECT_EQ(Rotate315[H1], 35);
  EXPECT_EQ(Rotate315[H8], 63);
  EXPECT_EQ(Rotate90[H1], 0);   // the h-file is the lowest byte
  EXPECT_EQ(Rotate90[A8], 63);  // the a-file the highest
}

TEST(Tables, SliderLookUpsEqualARayWalk) {
  std::mt19937_64 random(12345);
  for (int trial = 0; trial < 3000; ++trial) {
    // Sparse and dense boards alike.
    Bitboard occupied = random() & random();
    if (trial % 3 == 0) occupied |= random();
    Occupancy o = OccupancyOf(occupied);
    for (Square s = 0; s < 64; ++s) {
      ASSERT_EQ(o.Rook(s), SlowRook(s, occupied)) << "square " << s << " trial " << trial;
      ASSERT_EQ(o.Bishop(s), SlowBishop(s, occupied)) << "square " << s << " trial " << trial;
    }
  }
}

TEST(Tables, SliderExamples) {
  Occupancy lone = OccupancyOf(SetOf({"a1"}));
  EXPECT_EQ(PopCount(lone.Rook(A1)), 14);
  Occupancy blocked = OccupancyOf(SetOf({"a1", "a4"}));
  EXPECT_EQ(blocked.Rook(A1), SetOf({"a2", "a3", "a4", "b1", "c1", "d1", "e1", "f1", "g1", "h1"}));
  Occupancy bishop = OccupancyOf(SetOf({"c1", "e3"}));
  EXPECT_EQ(bishop.Bishop(C1), SetOf({"b2", "a3", "d2", "e3"}));
}

TEST(Tables, LeapersAndPawnsMatchBruteForce) {
  for (Square s = 0; s < 64; ++s) {
    Bitboard knight = 0, king = 0, whitePawn = 0, blackPawn = 0;
    for (Square t = 0; t < 64; ++t) {
      int df = std::abs(FileOf(t) - FileOf(s)), dr = std::abs(RankOf(t) - RankOf(s));
      Bitboard bit = Bitboard(1) << t;
      if ((df == 1 && dr == 2) || (df == 2 && dr == 1)) knight |= bit;
      if (t != s && df <= 1 && dr <= 1) king |= bit;
      if (df == 1 && RankOf(t) == RankOf(s) + 1) whitePawn |= bit;
      if (df == 1 && RankOf(t) == RankOf(s) - 1) blackPawn |= bit;
    }
    EXPECT_EQ(KnightAttacks[s], knight) << s;
    EXPECT_EQ(KingAttacks[s], king) << s;
    EXPECT_EQ(WhitePawnAttacks[s], whitePawn) << s;
    EXPECT_EQ(BlackPawnAttacks[s], blackPawn) << s;
    EXPECT_EQ(SquareMask[s], Bitboard(1) << s);
  }
  EXPECT_EQ(WhitePawnAttacks[A2], SetOf({"b3"}));
  EXPECT_EQ(BlackPawnAttacks[H7], SetOf({"g6"}));
}

TEST(Tables, GeometryMatchesBruteForce) {
  // Unit steps of the direction codes 1..8, written out independently.
  const int step[9][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
  for (Square s = 0; s < 64; ++s) {
    for (int d = 1; d <= 8; ++d) {
      Bitboard ray = 0;
      for (int k = 1; k < 8; ++k) {
        int f = FileOf(s) + k * step[d][0], r = RankOf(s) + k * step[d][1];
        if (f < 0 || f > 7 || r < 0 || r > 7) break;
        Square t = r * 8 + f;
        ray |= Bitboard(1) << t;
        EXPECT_EQ(Direction[s][t], d) << s << " " << t;
        Bitboard between = 0;
        for (int j = 1; j < k; ++j) between |= Bitboard(1) << (s + j * (step[d][1] * 8 + step[d][0]));
        EXPECT_EQ(Between[s][t], between) << s << " " << t;
      }
      EXPECT_EQ(Rays[d][s], ray) << s << " " << d;
    }
    int aligned = 0;
    for (Square t = 0; t < 64; ++t) {
      aligned += Direction[s][t] != 0;
      EXPECT_EQ(KingDistance[s][t], std::max(std::abs(FileOf(s) - FileOf(t)), std::abs(RankOf(s) - RankOf(t))));
      EXPECT_EQ(ManhattanDistance[s][t], std::abs(FileOf(s) - FileOf(t)) + std::abs(RankOf(s) - RankOf(t)));
    }
    EXPECT_EQ(aligned, PopCount(Rays[1][s] | Rays[2][s] | Rays[3][s] | Rays[4][s] | Rays[5][s] | Rays[6][s] |
                                Rays[7][s] | Rays[8][s]));
    EXPECT_EQ(DiagonalA1H8Through[s], Rays[6][s] | Rays[7][s] | SquareMask[s]);
    EXPECT_EQ(DiagonalH1A8Through[s], Rays[5][s] | Rays[8][s] | SquareMask[s]);
  }
  EXPECT_EQ(Direction[E4][E8], 3);
  EXPECT_EQ(Direction[E4][A8], 5);
  EXPECT_EQ(Direction[E4][F6], 0);
  EXPECT_EQ(Between[A1][H8], SetOf({"b2", "c3", "d4", "e5", "f6", "g7"}));
}

TEST(Tables, EnPassantSources) {
  for (Square e = 0; e < 64; ++e) {
    Bitboard expected = 0;
    int sourceRank = RankOf(e) == 2 ? 3 : RankOf(e) == 5 ? 4 : -1;
    for (int f = 0; f < 8 && sourceRank >= 0; ++f)
      if (std::abs(f - FileOf(e)) == 1) expected |= Bitboard(1) << (sourceRank * 8 + f);
    EXPECT_EQ(EnPassantSources[e], expected) << e;
  }
  EXPECT_EQ(EnPassantSources[A6], SetOf({"b5"}));
  EXPECT_EQ(EnPassantSources[E4], 0u);
}

// The n-th key drawn: keys are drawn square by square, code -6 to 6.
uint64_t DrawnKey(int n) { return PieceKey(n / 13, n % 13 - 6); }

TEST(Tables, KeysAreDistinctAndDrawnFromSeedZero) {
  std::set<uint64_t> keys;
  for (Square s = 0; s < 64; ++s)
    for (int code = -6; code <= 6; ++code) keys.insert(PieceKey(s, code));
  EXPECT_EQ(keys.size(), 832u);
  for (uint64_t constant : {SideKey, CastlingKeys[0][0], CastlingKeys[0][1], CastlingKeys[1][0], CastlingKeys[1][1]})
    EXPECT_TRUE(keys.insert(constant).second);
  // The first key is the first four draws of the GNU C library's rand()
  // seeded with 0, on every system.
  const uint64_t r1 = 1804289383 & 0xFFFF, r2 = 846930886 & 0xFFFF, r3 = 1681692777 & 0xFFFF,
                 r4 = 1714636915 & 0xFFFF;
  EXPECT_EQ(PieceKey(A1, -6), r4 << 48 | r3 << 32 | r2 << 16 | r1);
  // Pawn keys are the 32-bit halves of the first 64 keys drawn, low half first.
  EXPECT_EQ(WhitePawnKeys[0], uint32_t(DrawnKey(0)));
  EXPECT_EQ(WhitePawnKeys[1], uint32_t(DrawnKey(0) >> 32));
  EXPECT_EQ(BlackPawnKeys[0], uint32_t(DrawnKey(32)));
  EXPECT_EQ(BlackPawnKeys[63], uint32_t(DrawnKey(63) >> 32));
}

}  // namespace

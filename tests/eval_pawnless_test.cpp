// Endgames without pawns.
#include <gtest/gtest.h>

#include "eval/pawnless.h"
#include "eval_test_support.h"

namespace {

using namespace eval_test;

TEST(EvalPawnless, KingsOnlyAreDampedCentralisation) {
  // (4 for d2 - 44 for d5) / 4; the driver returns it unchanged.
  EXPECT_EQ(SetUpAndEvaluate("8/8/8/3k4/8/8/3K4/8 w - - 0 1"), (4 - 44) / 4);
  EXPECT_EQ(PawnlessEvaluation(Root(), Scratch()), -10);
  // c1 is the one asymmetric square of the king table: -36, c8 -56.
  EXPECT_EQ(SetUpAndEvaluate("2k5/8/8/8/8/8/8/2K5 w - - 0 1"), (-36 + 56) / 4);
}

TEST(EvalPawnless, LevelMinorsScoreTropismAndDefence) {
  // Knight against bishop, mb = -20: v = -5, kings +4 (d2) and -24 (d6);
  // the e2 knight next to its king (+10) and defended (+10); the e5 bishop
  // next to its king (-6) and defended (-10); all divided by 4.
  EXPECT_EQ(SetUpAndEvaluate("8/8/3k4/4b3/8/8/3KN3/8 w - - 0 1"), (-5 + 4 - 24 + 20 - 16) / 4);
}

TEST(EvalPawnless, ModeratelyAhead) {
  // Rook against knight (mb = 175): 87, -24 for the d6 king, +6 for the
  // White king's centre value (12 / 2), -10 for the knight next to its king
  // and -10 because it is defended.
  EXPECT_EQ(SetUpAndEvaluate("8/8/3k4/3n4/8/8/8/R3K3 w - - 0 1"), 87 - 24 + 6 - 10 - 10);
  // The Black twin.
  EXPECT_EQ(SetUpAndEvaluate("r3k3/8/8/8/3N4/3K4/8/8 w - - 0 1"), -(87 - 24 + 6 - 10 - 10));
}

TEST(EvalPawnless, RookAgainstBareKingIsModeratelyAhead) {
  // 475 is not above 504: rook against king falls under the moderate lead.
  // 237, -24 for the e3 king, +6 for the e1 king (12 / 2).
  EXPECT_EQ(SetUpAndEvaluate("8/8/8/8/8/4k3/8/R3K3 w - - 0 1"), 237 - 24 + 6);
  // The lone king on the edge scores more.
  EXPECT_EQ(SetUpAndEvaluate("k7/8/1K6/8/8/8/8/7R w - - 0 1"), 237 + 80 + 6);
  EXPECT_EQ(SetUpAndEvaluate("r3k3/8/4K3/8/8/8/8/8 w - - 0 1"), -(237 - 24 + 6));
}

TEST(EvalPawnless, QueenAgainstBareKing) {
  // 980 + 1500 - 24 (e3) - 44 (e1) - 4 x 2.
  EXPECT_EQ(SetUpAndEvaluate("8/8/8/8/8/4k3/8/3QK3 w - - 0 1"), 980 + 1500 - 24 - 44 - 8);
  // King in the corner, kings close: more.
  EXPECT_EQ(SetUpAndEvaluate("k7/8/1K6/8/8/8/7Q/8 w - - 0 1"), 980 + 1500 + 80 - 4 - 12);
  // The Black twin.
  EXPECT_EQ(SetUpAndEvaluate("3qk3/8/4K3/8/8/8/8/8 w - - 0 1"), -(980 + 1500 - 24 - 44 - 8));
}

TEST(EvalPawnless, BishopAndKnightMateInTheBishopsCorner) {
  // Light-squared bishop (d1): a8 scores 120, a1 -60. 1500 + corner - 22
  // (half the e1 king's centre value) - knight distance - kings' distance.
  EXPECT_EQ(SetUpAndEvaluate("k7/8/8/8/8/8/8/3BK1N1 w - - 0 1"), 1500 + 120 - 22 - 7 - 120);
  EXPECT_EQ(SetUpAndEvaluate("8/8/8/8/8/8/8/k2BK1N1 w - - 0 1"), 1500 - 60 - 22 - 6 - 40);
  // Dark-squared bishop (c1): the other way round.
  EXPECT_EQ(SetUpAndEvaluate("k7/8/8/8/8/8/8/2B1K1N1 w - - 0 1"), 1500 - 60 - 22 - 7 - 120);
  // Black's light-squared bishop on d1 drives the White king to a8 / h1.
  EXPECT_EQ(SetUpAndEvaluate("K7/8/8/8/8/8/8/3bk1n1 b - - 0 1"), -(1500 + 120 - 22 - 7 - 120));
}

TEST(EvalPawnless, QueenAgainstRook) {
  // mb = 505: 505 + 150 + 44 (d8 on the edge, White king not next to it),
  // the rook six steps from its king (-12, subtracted), the queen seven
  // steps from the Black king, then -44 for e1 and -4 x 8.
  EXPECT_EQ(SetUpAndEvaluate("3k4/8/8/8/8/8/3r4/3QK3 w - - 0 1"), 505 + 150 + 44 + 12 - 7 - 44 - 32);
  // The rook next to its king is worth less to White.
  EXPECT_LT(SetUpAndEvaluate("3k4/3r4/8/8/8/8/8/3QK3 w - - 0 1"), 505 + 150 + 44 + 12 - 7 - 44 - 32);
}

}  // namespace

// The root's phase and the choice of the prepared value sets.
#include <gtest/gtest.h>

#include "eval_test_support.h"

namespace {

using namespace eval_test;

// The opening, middlegame and endgame sets differ on d1 of White's king
// table (-32, -82, 12) and Black's middlegame king table has its own d8.
int WhiteKingOnD1(const ValueSet& e) { return e.side[kWhite].king[D1]; }

TEST(EvalPreparation, InitialPositionPicksOpeningMiddlegameAndEndgameSets) {
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(Prepared().rootSet.phase, kOpeningPhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootSet), -32);
  EXPECT_EQ(Prepared().alternateSet.phase, kMiddlegamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().alternateSet), -82);
  EXPECT_EQ(Prepared().alternateSet.side[kBlack].king[D8], -12);
  EXPECT_EQ(Prepared().endgameSet.phase, kEndgamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().endgameSet), 12);
  EXPECT_EQ(Prepared().phaseThreshold, 20);
  EXPECT_TRUE(Prepared().rootHasPawns);
}

TEST(EvalPreparation, MinorsAndPawnsOnlyIsAnEndgameRoot) {
  SetUpRoot("4k3/pppb1ppp/5n2/8/8/5N2/PPPB1PPP/4K3 w - - 0 1");
  EXPECT_EQ(Prepared().rootSet.phase, kEndgamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootSet), 12);
  EXPECT_EQ(Prepared().alternateSet.phase, kEndgamePhase);
  EXPECT_EQ(Prepared().phaseThreshold, -1);
}

TEST(EvalPreparation, DevelopedRootWithoutCastlingIsMiddlegame) {
  SetUpRoot("r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10");
  EXPECT_EQ(Prepared().rootSet.phase, kMiddlegamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootSet), -82);
  EXPECT_EQ(Prepared().phaseThreshold, 20);
  // A knight on g1 makes it an opening root again; on h1 it does not.
  SetUpRoot("r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP4/1PP1QPPP/R4RKN w - - 0 10");
  EXPECT_EQ(Prepared().rootSet.phase, kMiddlegamePhase);  // h1 is no knight's home
  SetUpRoot("r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP4/1PP1QPPP/R4RNK w - - 0 10");
  EXPECT_EQ(Prepared().rootSet.phase, kOpeningPhase);
}

TEST(EvalPreparation, PawnlessRootLeavesRootSetUntouched) {
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  SetUpRoot("8/8/3k4/8/8/8/3K4/3Q4 w - - 0 1");
  EXPECT_EQ(Prepared().rootSet.phase, kOpeningPhase);  // still the previous root's
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootSet), -32);
  EXPECT_EQ(Prepared().phaseThreshold, -1);
  EXPECT_FALSE(Prepared().rootHasPawns);
  EXPECT_EQ(Prepared().alternateSet.phase, kEndgamePhase);
}

TEST(EvalPreparation, AlternateSetIsJudgedByRooksAndMinorsOnly) {
  // Queens, two rooks and a minor each: the root is no endgame, but the
  // alternate set counts only rooks and minors: 2 x 5 + 3 = 13.
  SetUpRoot("r2qk2r/ppp2ppp/2n5/8/8/2N5/PPP2PPP/R2QK2R w KQkq - 0 1");
  EXPECT_EQ(Prepared().rootSet.phase, kOpeningPhase);
  EXPECT_EQ(Prepared().alternateSet.phase, kEndgamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().alternateSet), 12);
  // Three rooks and a minor: 18, still an endgame set; a second minor
  // brings White to 21.
  SetUpRoot("r2qk2r/ppp2ppp/2n5/8/8/2N5/PPP2PPP/RR1QK2R w Kkq - 0 1");
  EXPECT_EQ(Prepared().alternateSet.phase, kEndgamePhase);
  SetUpRoot("r2qk2r/ppp2ppp/2n5/8/8/2NN4/PPP2PPP/RR1QK2R w Kkq - 0 1");
  EXPECT_EQ(Prepared().alternateSet.phase, kMiddlegamePhase);
}

TEST(EvalPreparation, ValueSetChoicePerNode) {
  // Opening root: the root's set with queens on, the alternate set without;
  // at 20 units or fewer the endgame set with queens, the alternate without.
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeSet, &Prepared().rootSet);
  LoadSearchRoot(Stack(), ParseFen("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1"));
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeSet, &Prepared().alternateSet);
  LoadSearchRoot(Stack(), ParseFen("3qk3/pppppppp/8/8/8/8/PPPPPPPP/3QK3 w - - 0 1"));
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeSet, &Prepared().endgameSet);
  LoadSearchRoot(Stack(), ParseFen("3rk3/pppppppp/8/8/8/8/PPPPPPPP/1N1RK3 w - - 0 1"));
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeSet, &Prepared().alternateSet);
}

}  // namespace

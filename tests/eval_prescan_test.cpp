// The root analysis (square records, piece objects) and the choice of the
// prepared value sets.
#include <gtest/gtest.h>

#include "eval/pieces.h"
#include "eval/prescan.h"
#include "eval_test_support.h"

namespace {

using namespace eval_pieces;
using namespace eval_test;

const CPrescan& Prescan() { return TestEvaluator().RootAnalysis(); }

template <typename T>
const T* PieceOn(Square s) {
  return dynamic_cast<const T*>(Prescan().squares[s].piece.get());
}

TEST(EvalPrescan, InitialPositionObjectsCountsAndSummary) {
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  int whitePawns = 0, blackPawns = 0, knights = 0, bishops = 0, rooks = 0, queens = 0, kings = 0, empty = 0;
  for (Square s = 0; s < 64; ++s) {
    const CPiece* piece = Prescan().squares[s].piece.get();
    EXPECT_EQ(Prescan().squares[s].square, s);
    if (!piece) { ++empty; continue; }
    EXPECT_EQ(piece->square, s);
    EXPECT_EQ(piece->code, Stack().positions[0].squares[s]);
    whitePawns += dynamic_cast<const CWhitePawn*>(piece) != nullptr;
    blackPawns += dynamic_cast<const CBlackPawn*>(piece) != nullptr;
    knights += dynamic_cast<const CKnight*>(piece) != nullptr;
    bishops += dynamic_cast<const CBishop*>(piece) != nullptr;
    rooks += dynamic_cast<const CRook*>(piece) != nullptr;
    queens += dynamic_cast<const CQueen*>(piece) != nullptr;
    kings += dynamic_cast<const CKing*>(piece) != nullptr;
  }
  EXPECT_EQ(empty, 32);
  EXPECT_EQ(whitePawns, 8);
  EXPECT_EQ(blackPawns, 8);
  EXPECT_EQ(knights, 4);
  EXPECT_EQ(bishops, 4);
  EXPECT_EQ(rooks, 4);
  EXPECT_EQ(queens, 2);
  EXPECT_EQ(kings, 2);

  // e3 is attacked by the d2 and f2 pawns only; f3 also by the g1 knight.
  const uint16_t e3[6] = {2, 0, 0, 0, 0, 0};
  const uint16_t f3[6] = {2, 1, 0, 0, 0, 0};
  for (int t = 0; t < 6; ++t) {
    EXPECT_EQ(Prescan().squares[E3].attackersWhite[t], e3[t]) << t;
    EXPECT_EQ(Prescan().squares[F3].attackersWhite[t], f3[t]) << t;
    EXPECT_EQ(Prescan().squares[E3].attackersBlack[t], 0) << t;
    EXPECT_EQ(Prescan().squares[F6].attackersBlack[t], f3[t]) << t;
  }
  // d1: the king only; e2: knight, bishop, queen and king.
  EXPECT_EQ(Prescan().squares[D1].attackersWhite[5], 1);
  EXPECT_EQ(Prescan().squares[D1].attackersWhite[2], 0);
  const uint16_t e2[6] = {0, 1, 1, 0, 1, 1};
  for (int t = 0; t < 6; ++t) EXPECT_EQ(Prescan().squares[E2].attackersWhite[t], e2[t]) << t;

  for (const SideCounts* c : {&Prescan().white, &Prescan().black}) {
    EXPECT_EQ(c->pawns, 8);
    EXPECT_EQ(c->knights, 2);
    EXPECT_EQ(c->bishops, 2);
    EXPECT_EQ(c->rooks, 2);
    EXPECT_EQ(c->queens, 1);
    EXPECT_EQ(c->minors, 4);
    EXPECT_EQ(c->majors, 3);
  }
  EXPECT_TRUE(Prescan().rootHasPawns);
  EXPECT_EQ(Prescan().totalPieceUnits, 2 * (12 + 5 * 4));
}

TEST(EvalPrescan, PawnFeaturesOfBothColours) {
  // White e4 against Black d6 and e5: the classic backward d6 pawn.
  SetUpRoot("4k3/8/3p4/4p3/4P3/8/8/4K3 w - - 0 1");
  const CPawn* e4 = PieceOn<CWhitePawn>(E4);
  ASSERT_NE(e4, nullptr);
  EXPECT_FALSE(e4->passed);
  EXPECT_TRUE(e4->opposed);
  EXPECT_EQ(e4->opposingDistance, 0);
  EXPECT_EQ(e4->opposingSquare, E5);
  EXPECT_TRUE(e4->isolated);
  EXPECT_FALSE(e4->detached);
  EXPECT_FALSE(e4->doubled);

  const CPawn* e5 = PieceOn<CBlackPawn>(E5);
  ASSERT_NE(e5, nullptr);
  EXPECT_FALSE(e5->passed);
  EXPECT_TRUE(e5->defended);
  EXPECT_EQ(e5->opposingSquare, E4);
  EXPECT_EQ(e5->opposingDistance, 0);
  EXPECT_FALSE(e5->backward);

  const CPawn* d6 = PieceOn<CBlackPawn>(D6);
  ASSERT_NE(d6, nullptr);
  EXPECT_TRUE(d6->backward);  // d5 is covered by e4 and the e5 pawn is ahead
  EXPECT_FALSE(d6->passed);   // e4 stands ahead of it on a neighbouring file
  EXPECT_FALSE(d6->isolated);
  EXPECT_FALSE(d6->opposed);
  EXPECT_EQ(d6->opposingSquare, -1);
}

TEST(EvalPrescan, DetachedAndDoubledPawns) {
  // a2/a3 doubled; h2 and g6 four king steps apart on one neighbouring file
  // each: detached (three steps would not be enough).
  SetUpRoot("4k3/8/6P1/8/8/P7/P6P/4K3 w - - 0 1");
  EXPECT_TRUE(PieceOn<CWhitePawn>(A2)->doubled);
  EXPECT_TRUE(PieceOn<CWhitePawn>(A3)->isolated);
  EXPECT_TRUE(PieceOn<CWhitePawn>(H2)->detached);
  SetUpRoot("4k3/8/8/6P1/8/P7/P6P/4K3 w - - 0 1");
  EXPECT_FALSE(PieceOn<CWhitePawn>(H2)->detached);
  // Black: c3 is four steps from b7, which has a7 beside it.
  SetUpRoot("4k3/pp6/8/8/8/2p5/8/4K3 w - - 0 1");
  EXPECT_FALSE(PieceOn<CBlackPawn>(B7)->detached);
  EXPECT_TRUE(PieceOn<CBlackPawn>(C3)->detached);
}

TEST(EvalPrescan, MinorPiecePinsAndBishopCorners) {
  SetUpRoot("4k3/8/8/8/1b6/2N5/6B1/3QK3 w - - 0 1");
  const CKnight* knight = PieceOn<CKnight>(C3);
  ASSERT_NE(knight, nullptr);
  EXPECT_TRUE(knight->pinned);
  EXPECT_EQ(knight->pinnerSquare, B4);
  EXPECT_EQ(knight->shieldedSquare, E1);
  EXPECT_EQ(knight->knightFlag, 1);
  EXPECT_EQ(knight->firstTarget, B1);
  // With the queen on, the g2 bishop counts as a corner bishop.
  const CBishop* bishop = PieceOn<CBishop>(G2);
  ASSERT_NE(bishop, nullptr);
  EXPECT_TRUE(bishop->cornerFlag);
  EXPECT_FALSE(bishop->pinned);
  // The Black bishop pins nothing: the knight is White's.
  EXPECT_FALSE(PieceOn<CBishop>(B4)->pinned);

  // The d2 pawn stands between knight and king: no pin.
  SetUpRoot("4k3/8/8/b7/8/2N5/3P4/4K3 w - - 0 1");
  EXPECT_FALSE(PieceOn<CKnight>(C3)->pinned);
  EXPECT_EQ(PieceOn<CKnight>(C3)->pinnerSquare, -1);

  // In a bare endgame no bishop is a corner bishop.
  SetUpRoot("4k3/p7/8/8/8/8/6B1/4K3 w - - 0 1");
  EXPECT_FALSE(PieceOn<CBishop>(G2)->cornerFlag);
}

TEST(EvalPrescan, KnightPawnThreat) {
  // A White knight on e5 can be chased by f7, not by h7.
  SetUpRoot("4k3/5p2/8/4N3/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(PieceOn<CKnight>(E5)->pawnThreat, 2);
  SetUpRoot("4k3/7p/8/4N3/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(PieceOn<CKnight>(E5)->pawnThreat, 0);
}

// The opening, middlegame and endgame sets differ on d1 of White's king
// table (-32, -82, 12) and Black's middlegame king table has its own d8.
int WhiteKingOnD1(const PrescanEntry& e) { return e.side[kWhite].KingTable[D1]; }

TEST(EvalPrescan, InitialPositionPicksOpeningMiddlegameAndEndgameSets) {
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(Prescan().phase, kOpeningPhase);
  EXPECT_EQ(Prepared().rootEntry.phase, kOpeningPhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootEntry), -32);
  EXPECT_EQ(Prepared().alternateEntry.phase, kMiddlegamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().alternateEntry), -82);
  EXPECT_EQ(Prepared().alternateEntry.side[kBlack].KingTable[D8], -12);
  EXPECT_EQ(Prepared().endgameEntry.phase, kEndgamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().endgameEntry), 12);
  EXPECT_EQ(Prepared().phaseThreshold, 20);
  EXPECT_TRUE(Prepared().rootHasPawns);
}

TEST(EvalPrescan, MinorsAndPawnsOnlyIsAnEndgameRoot) {
  SetUpRoot("4k3/pppb1ppp/5n2/8/8/5N2/PPPB1PPP/4K3 w - - 0 1");
  EXPECT_EQ(Prescan().phase, kEndgamePhase);
  EXPECT_EQ(Prepared().rootEntry.phase, kEndgamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootEntry), 12);
  EXPECT_EQ(Prepared().alternateEntry.phase, kEndgamePhase);
  EXPECT_EQ(Prepared().phaseThreshold, -1);
}

TEST(EvalPrescan, DevelopedRootWithoutCastlingIsMiddlegame) {
  SetUpRoot("r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10");
  EXPECT_EQ(Prescan().phase, kMiddlegamePhase);
  EXPECT_EQ(Prepared().rootEntry.phase, kMiddlegamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootEntry), -82);
  EXPECT_EQ(Prepared().phaseThreshold, 20);
  // A knight on g1 makes it an opening root again; on h1 it does not.
  SetUpRoot("r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP4/1PP1QPPP/R4RKN w - - 0 10");
  EXPECT_EQ(Prescan().phase, kMiddlegamePhase);  // h1 is no knight's home
  SetUpRoot("r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP4/1PP1QPPP/R4RNK w - - 0 10");
  EXPECT_EQ(Prescan().phase, kOpeningPhase);
}

TEST(EvalPrescan, PawnlessRootLeavesRootEntryUntouched) {
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  SetUpRoot("8/8/3k4/8/8/8/3K4/3Q4 w - - 0 1");
  EXPECT_EQ(Prescan().phase, kEndgamePhase);
  EXPECT_EQ(Prepared().rootEntry.phase, kOpeningPhase);  // still the previous root's
  EXPECT_EQ(WhiteKingOnD1(Prepared().rootEntry), -32);
  EXPECT_EQ(Prepared().phaseThreshold, -1);
  EXPECT_FALSE(Prepared().rootHasPawns);
  EXPECT_EQ(Prepared().alternateEntry.phase, kEndgamePhase);
}

TEST(EvalPrescan, AlternateSetIsJudgedByRooksAndMinorsOnly) {
  // Queens, two rooks and a minor each: the root is no endgame, but the
  // alternate set counts only rooks and minors: 2 x 5 + 3 = 13.
  SetUpRoot("r2qk2r/ppp2ppp/2n5/8/8/2N5/PPP2PPP/R2QK2R w KQkq - 0 1");
  EXPECT_EQ(Prescan().phase, kOpeningPhase);
  EXPECT_EQ(Prepared().alternateEntry.phase, kEndgamePhase);
  EXPECT_EQ(WhiteKingOnD1(Prepared().alternateEntry), 12);
  // Three rooks and a minor: 18, still an endgame set; a second minor
  // brings White to 21.
  SetUpRoot("r2qk2r/ppp2ppp/2n5/8/8/2N5/PPP2PPP/RR1QK2R w Kkq - 0 1");
  EXPECT_EQ(Prepared().alternateEntry.phase, kEndgamePhase);
  SetUpRoot("r2qk2r/ppp2ppp/2n5/8/8/2NN4/PPP2PPP/RR1QK2R w Kkq - 0 1");
  EXPECT_EQ(Prepared().alternateEntry.phase, kMiddlegamePhase);
}

TEST(EvalPrescan, EntryChoicePerNode) {
  // Opening root: Prepared().rootEntry with queens on, Prepared().alternateEntry without; at 20
  // units or fewer Prepared().endgameEntry with queens, Prepared().alternateEntry without.
  SetUpRoot("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeEntry, &Prepared().rootEntry);
  LoadSearchRoot(Stack(), ParseFen("rnb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/RNB1KBNR w KQkq - 0 1"));
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeEntry, &Prepared().alternateEntry);
  LoadSearchRoot(Stack(), ParseFen("3qk3/pppppppp/8/8/8/8/PPPPPPPP/3QK3 w - - 0 1"));
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeEntry, &Prepared().endgameEntry);
  LoadSearchRoot(Stack(), ParseFen("3rk3/pppppppp/8/8/8/8/PPPPPPPP/1N1RK3 w - - 0 1"));
  eval_test::FullEval();
  EXPECT_EQ(Scratch().activeEntry, &Prepared().alternateEntry);
}

TEST(EvalPrescanDeathTest, EndgameVariantOutOfRangeIsFatal) {
  PrescanEntry entry{};
  EXPECT_DEATH(CPrescan::PreparePrescanEntry_Endgame(entry, 3),
               "CPrescan::PreparePrescanEntry_Endgame switch fell through");
}

}  // namespace

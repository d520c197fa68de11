// Pawn structure, passed pawns, the race and the pawn hash entry.
#include <gtest/gtest.h>

#include "base/tables.h"
#include "eval/eval_mode.h"
#include "eval/pawns.h"
#include "eval_test_support.h"

namespace {

using namespace eval_test;

// The structure score of the current root, recomputed into a scratch entry
// with the full window (the scratch holds the facts of the last call).
int Structure() {
  PawnHashEntry entry{};
  return PawnStructure(Root(), Scratch(), entry, 0, -32000, 32000, kPositionalMargin);
}

Bitboard Bits(std::initializer_list<Square> squares) {
  Bitboard b = 0;
  for (Square s : squares) b |= SquareMask[s];
  return b;
}

// Kings and pawns only: the endgame tables (pawn values 0, 4, 8, ... by
// rank, defended 4 on ranks 3-5, duo 5 on b2-g2).
TEST(EvalPawns, IsolatedPawnByEnemyPawnAhead) {
  // The a2 passer is isolated with nothing ahead: -16.
  SetUpAndEvaluate("4k3/8/8/8/8/8/P7/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), -16);
  // A Black pawn on a6 four ranks ahead (k = 3): -(70 x 16 / 100) = -11 for
  // White; the same for the a6 pawn, plus its table value 4 for Black.
  SetUpAndEvaluate("4k3/8/p7/8/8/8/P7/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), -11 + 11 - 4);
}

TEST(EvalPawns, DoubledIsolatedPawns) {
  // c2 and c4 isolated and doubled (-45), c4's table value 8; the c6 pawn:
  // table 4, isolated with c4 two ranks ahead (k = 1): 60 x 16 / 100 = 9.
  SetUpAndEvaluate("4k3/8/2p5/8/2P5/8/2P5/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), 8 - 45 - 4 + 9);
}

TEST(EvalPawns, DoubledPawnsWithNeighbour) {
  // All passed (no Black pawns): only the file terms. c3 defended by b2: -10.
  SetUpAndEvaluate("4k3/8/8/8/8/2P5/1PP5/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), -10);
  // The b-pawn on b4 no longer defends c3: -20.
  SetUpAndEvaluate("4k3/8/8/8/1P6/2P5/2P5/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), -20);
  // A Black pawn on c6, three ranks ahead of c3 (k = 2): 10 x 80 / 100 = 8.
  // White: b2 duo 5, c3 table 4 and defended 4. Black c6: table 4, isolated
  // with c3 three ranks ahead: 65 x 16 / 100 = 10.
  SetUpAndEvaluate("4k3/8/2p5/8/8/2P5/1PP5/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), 5 + 4 + 4 - 8 - 4 + 10);
}

TEST(EvalPawns, IsolatedQueenPawnWithPiecesOn) {
  // With more than 32 piece units an isolated d4 pawn costs 10, not 16.
  SetUpAndEvaluate("r2qk2r/pp3ppp/8/8/3P4/8/PP3PPP/R2QK2R w KQkq - 0 1");
  const int withPieces = Structure();
  Stack().positions[0].pieceUnits = 32;
  EXPECT_EQ(Structure() - withPieces, -6);
  // The Black twin: an isolated d5 pawn.
  SetUpAndEvaluate("r2qk2r/pp3ppp/8/3p4/8/8/PP3PPP/R2QK2R w KQkq - 0 1");
  const int blackWithPieces = Structure();
  Stack().positions[0].pieceUnits = 32;
  EXPECT_EQ(Structure() - blackWithPieces, 6);
}

TEST(EvalPawns, BackwardPawns) {
  // d2 cannot advance to d3: Black's c4 covers it and no White pawn does.
  // The nearest stopper on the file ahead is d6, four ranks up: 70 x 30 / 100
  // = 21. File term: isolated with d6 ahead (k = 3): 11. Black: d6 table 4,
  // c4 table 12 (Black's fifth rank); neither is backward or isolated.
  SetUpAndEvaluate("4k3/8/3p4/8/2p5/8/3P4/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), -21 - 11 - 4 - 12);
  // The Black twin: d7 held back by White's c5.
  SetUpAndEvaluate("4k3/3p4/8/2P5/8/3P4/8/4K3 w - - 0 1");
  EXPECT_EQ(Structure(), 21 + 11 + 4 + 12);
}

TEST(EvalPawns, PassedPawnScores) {
  // e6 passed and defended by d5; the Black knight keeps Black from being
  // bare, so no race. Endgame: defended passer on rank 6 135, passer on
  // rank 5 75.
  SetUpAndEvaluate("4k3/8/4P3/3P4/8/8/8/4K1n1 w - - 0 1");
  EXPECT_EQ(Scratch().whitePassers, Bits({D5, E6}));
  EXPECT_EQ(PassedPawnScore(Stack().positions[0], Scratch()), 135 + 75);
  // What the tuned set adds, counted by the trace: beyond the fourth rank d5
  // counts once and e6 twice; d5's way is clear, e6's ends at the e8 king.
  // The e1 king is 5 steps from d6 and 6 from e7, the e8 king 2 and 1; the
  // side to move counts for White.
  EvalTrace trace;
  TestEvaluator().Trace(Root(), trace);
  const auto count = [&trace](WeightId id, int entry) { return trace.coefficient[WeightIndex(id, entry)]; };
  EXPECT_EQ(count(kPasserPath, 0), 0);
  EXPECT_EQ(count(kPasserPath, 1), 1);
  EXPECT_EQ(count(kPasserKingDistance, 0), 5 + 6 * 2);
  EXPECT_EQ(count(kPasserKingDistance, 1), 2 + 1 * 2);
  EXPECT_EQ(count(kTempo, 0), 1);
  // f6 beside e6 and also passed: the passed duo value of e6 (27) and f6's
  // own 120.
  SetUpAndEvaluate("4k3/8/4PP2/3P4/8/8/8/4K1n1 w - - 0 1");
  EXPECT_EQ(PassedPawnScore(Stack().positions[0], Scratch()), 135 + 27 + 120 + 75);
  // The Black twin: d4 and e3, e3 defended by d4, f3 beside it.
  SetUpAndEvaluate("4k1N1/8/8/8/3p4/4pp2/8/4K3 b - - 0 1");
  EXPECT_EQ(PassedPawnScore(Stack().positions[0], Scratch()), -(135 + 27 + 120 + 75));
}

TEST(EvalPawns, PassedPairOnTheSeventhAgainstABareKing) {
  // b7 and c7 against a bare king: the pair on the seventh scores as a
  // passed duo (30), never the unused plain-duo square. The e8 king is
  // outside the square of c7: the race adds 660.
  SetUpAndEvaluate("4k3/1PP5/8/8/8/8/8/R3K3 w - - 0 1");
  EXPECT_EQ(PassedPawnScore(Stack().positions[0], Scratch()), 160 + 30 + 160 + 660);
}

TEST(EvalPawns, RaceOutsideTheSquare) {
  // f5 against the king on b6: with White to move the king is outside the
  // square (files c-h): 660. With Black to move it steps in: no verdict,
  // a single pawn: 0.
  SetUpAndEvaluate("8/8/1k6/5P2/8/8/2K5/8 w - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 660);
  SetUpAndEvaluate("8/8/1k6/5P2/8/8/2K5/8 b - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 0);
  EXPECT_FALSE(Scratch().drawDetected);
}

TEST(EvalPawns, KingAndPawnRules) {
  // The king on a key square two ranks ahead wins; the lone king to move
  // next to the pawn takes it instead.
  SetUpAndEvaluate("8/8/8/3K4/6k1/4P3/8/8 b - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 660);
  SetUpAndEvaluate("8/8/8/3K4/8/4Pk2/8/8 b - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 0);
  // White to move pushes the pawn next to its king.
  SetUpAndEvaluate("8/8/8/3K4/8/4Pk2/8/8 w - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 660);
  // A rook pawn with the king on b7 in front of it wins.
  SetUpAndEvaluate("8/1K6/8/P2k4/8/8/8/8 w - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 660);
  // Stalemate: the b6/c5 pawns and the c7 king leave the a8 king no move.
  // Never a win; two pawns and the rules consulted: 100.
  SetUpAndEvaluate("k7/2K5/1P6/2P5/8/8/8/8 b - - 0 1");
  EXPECT_EQ(PassedPawnRace(Root(), Scratch()), 100);
  EXPECT_FALSE(Scratch().drawDetected);
}

TEST(EvalPawns, KnownDrawsEndTheEvaluation) {
  // A rook pawn with the lone king in its corner, and the lone king in front
  // of the pawn with the opposition: exactly 0.
  EXPECT_EQ(SetUpAndEvaluate("k7/8/8/8/8/8/P7/4K3 w - - 0 1"), 0);
  EXPECT_TRUE(Scratch().drawDetected);
  EXPECT_EQ(SetUpAndEvaluate("8/8/8/4k3/4P3/4K3/8/8 w - - 0 1"), 0);
  EXPECT_TRUE(Scratch().drawDetected);
  // With Black to move the same position is no draw by rule.
  EXPECT_GT(SetUpAndEvaluate("8/8/8/4k3/4P3/4K3/8/8 b - - 0 1"), 0);
  EXPECT_FALSE(Scratch().drawDetected);
  // Two pawns are never declared a draw.
  SetUpAndEvaluate("k7/8/8/8/8/8/PP6/4K3 w - - 0 1");
  EXPECT_FALSE(Scratch().drawDetected);
  // Black's passers race a bare White king the same way.
  EXPECT_EQ(SetUpAndEvaluate("4k3/8/8/8/8/8/p7/K7 b - - 0 1"), 0);
  EXPECT_TRUE(Scratch().drawDetected);
}

TEST(EvalPawns, PartialEntryKeepsPasserCounts) {
  // Four White passers (count capped at 3) and one Black passer.
  SetUpRoot("4k3/7p/8/1P6/P1P5/8/3P4/4K3 w - - 0 1");
  FullEval();
  const Bitboard whitePassers = Scratch().whitePassers, blackPassers = Scratch().blackPassers;
  EXPECT_EQ(PopCount(whitePassers), 4);
  EXPECT_EQ(PopCount(blackPassers), 1);

  eval_test::ClearPawnHash();
  PawnHashEntry& entry = TestPawnTable().EntryFor(Stack().positions[0].pawnHashKey);
  EXPECT_EQ(PawnStructure(Root(), Scratch(), entry, 0, 5000, 5001, kPositionalMargin), 0);
  EXPECT_EQ(entry.key, Stack().positions[0].pawnHashKey);
  EXPECT_EQ(entry.score, 0);
  EXPECT_EQ(entry.flags & kPawnEntryPartial, kPawnEntryPartial);
  EXPECT_EQ(WhitePasserCount(entry.flags), 3);
  EXPECT_EQ(BlackPasserCount(entry.flags), 1);

  // The counts bound the scan and give the same passers.
  EvalScratch scratch = Scratch();
  FindPassedPawns(Stack().positions[0], &entry, scratch);
  EXPECT_EQ(scratch.whitePassers, whitePassers);
  EXPECT_EQ(scratch.blackPassers, blackPassers);
}

TEST(EvalPawns, HashedStructureMatchesRecomputation) {
  const char* fen = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R1BQKB1R w KQ - 0 7";
  // A fresh evaluation computes and stores the structure.
  const int fresh = SetUpAndEvaluate(fen);
  PawnHashEntry& entry = TestPawnTable().EntryFor(Stack().positions[0].pawnHashKey);
  ASSERT_EQ(entry.key, Stack().positions[0].pawnHashKey);
  ASSERT_EQ(entry.flags & kPawnEntryPartial, 0);
  // The hit gives the same score.
  EXPECT_EQ(FullEval(), fresh);
  // The hit really uses the stored score: changing it moves the result.
  entry.score = int16_t(entry.score + 7);
  EXPECT_EQ(FullEval(), fresh + 7);
  entry.score = int16_t(entry.score - 7);

  // A partial entry left by a narrow window far away is recomputed by a
  // full-window call, to the same score.
  eval_test::ClearPawnHash();
  EXPECT_EQ(PawnStructure(Root(), Scratch(), entry, 0, 20000, 20001, kPositionalMargin), 0);
  ASSERT_EQ(entry.flags & kPawnEntryPartial, kPawnEntryPartial);
  EXPECT_EQ(FullEval(), fresh);
  EXPECT_EQ(entry.flags & kPawnEntryPartial, 0);
}

}  // namespace

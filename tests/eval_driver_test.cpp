// The evaluation driver: whole evaluations added up by hand, the material
// imbalance, the special exits, the lazy exit and the mating-potential gate,
// and colour symmetry.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "base/tables.h"
#include "eval/eval_masks.h"
#include "eval/material.h"
#include "eval/pawnless.h"
#include "eval_test_support.h"

namespace {

using namespace eval_test;

// The colour-swapped mirror of a FEN: ranks reversed, cases swapped, the
// other side to move, castling rights and en-passant square mirrored.
std::string MirrorFen(const std::string& fen) {
  std::istringstream in(fen);
  std::string placement, side, castling, ep;
  in >> placement >> side >> castling >> ep;
  const auto swapCase = [](char c) {
    return std::isupper(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : char(std::toupper(c));
  };
  std::vector<std::string> ranks(1);
  for (char c : placement) {
    if (c == '/') ranks.emplace_back();
    else ranks.back().push_back(swapCase(c));
  }
  std::string out;
  for (auto it = ranks.rbegin(); it != ranks.rend(); ++it) {
    if (!out.empty()) out.push_back('/');
    out.append(*it);
  }
  out.append(side == "w" ? " b " : " w ");
  std::string rights;
  for (char c : std::string("KQkq"))
    if (castling.find(swapCase(c)) != std::string::npos) rights.push_back(c);
  out.append(rights.empty() ? "-" : rights);
  out.push_back(' ');
  if (ep != "-") ep[1] = char('1' + ('8' - ep[1]));
  out.append(ep);
  out.append(" 0 1");
  return out;
}

TEST(EvalDriver, WholeEvaluationRookEndgame) {
  // Endgame tables. Material 475. Rook d1: table 5, +30, 13 squares, open
  // file +15 +10 = 73. Kings on g1 and g8: 0 each. Pawns: White f2 and g2
  // duos 5 each; Black f7 and g7 duos 4 each (Black's own values). 475 +
  // 73 + 10 - 8.
  EXPECT_EQ(SetUpAndEvaluate("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1"), 475 + 73 + 10 - 8);
}

TEST(EvalDriver, WholeEvaluationOpening) {
  // Opening tables (castling rights), queens on, 22 piece units.
  //   material 1380; imbalance dMin 3, dMaj 2: -100
  //   king placement: White queen's side -155 - 25, Black -165 - 25: +10
  //   king tables e1 / e8: -32 - -32
  //   knight f3: table 24, centre d4 e5 +8, defended by e2 +6 = 38
  //   rooks: a1 (-2 + 10 squares + open file 25) - a8 (-2 + 11 + 25) = -1
  //   queen on d1: nothing
  //   pawns: d2 -20 +5 duo, e2 -20; e7 -20 and isolated with e2 ahead (k = 4:
  //   12), both subtracted: -35 + 20 + 12 = -3
  //   centre: e4 +4 and e5 +6 (no Black pawn can reach them), d2 and e2 -20
  //   no blocked pawns.
  const char* fen = "r3k3/4p3/8/8/8/5N2/3PP3/R2QK3 w Qq - 0 1";
  const int expected = 1380 - 100 + 10 + 0 + 38 - 1 + 0 - 3 + 4 + 6 - 20;
  EXPECT_EQ(SetUpAndEvaluate(fen), expected);
  // The colour mirror scores the exact negative.
  EXPECT_EQ(SetUpAndEvaluate(MirrorFen(fen)), -expected);
}

TEST(EvalDriver, WholeEvaluationBlockedPawnAndBlackRace) {
  // White e4 blocked by the Black knight on e5; Black's h7 passer against
  // White's bare king.
  //   material -300; imbalance: a minor up with a pawn: -50
  //   passers: e4 40, h7 -20; Black's race: the king on e1 is inside the
  //   square, Black has a piece: -100
  //   kings: 12 - 12; knight e5: -24
  //   structure: e4 and h7 isolated with nothing ahead: -16 + 16
  //   blocked: e4 -4
  EXPECT_EQ(SetUpAndEvaluate("4k3/7p/8/4n3/4P3/8/8/4K3 w - - 0 1"), -300 - 50 + 40 - 20 - 100 - 24 - 4);
}

TEST(EvalDriver, MaterialImbalance) {
  const auto bonus = [](const char* fen) {
    SetUpRoot(fen);
    return ImbalanceBonus(Root(), Scratch());
  };
  // One minor up with equal majors counts only with a pawn of the side.
  EXPECT_EQ(bonus("4k3/p7/8/8/8/8/P7/1N2K3 w - - 0 1"), 50);
  EXPECT_EQ(bonus("4k3/p7/8/8/8/8/8/1N2K3 w - - 0 1"), 0);
  EXPECT_EQ(bonus("1n2k3/p7/8/8/8/8/P7/4K3 w - - 0 1"), -50);
  // Two minors against a rook, and the mirror.
  EXPECT_EQ(bonus("4k3/p3r3/8/8/8/8/P7/1NB1K3 w - - 0 1"), 50);
  EXPECT_EQ(bonus("1nb1k3/p7/8/8/8/8/P2R4/4K3 w - - 0 1"), -50);
  // Three minors against a queen.
  EXPECT_EQ(bonus("3qk3/p7/8/8/8/8/P7/1NB1KB2 w - - 0 1"), 100);
  // Equal material: nothing.
  EXPECT_EQ(bonus("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
}

TEST(EvalDriver, PawnlessExits) {
  // No pawns at all: the pawnless evaluation unchanged.
  SetUpRoot("8/8/3k4/8/8/3K4/8/3R4 w - - 0 1");
  EXPECT_EQ(FullEval(), PawnlessEvaluation(Root(), Scratch()));
  // Queen and two pawns against a bare king: 1180 - 200 > 504. Pawnless
  // score (1180 + 1500 + 44 - 44 - 28) plus 100 + 2 x 20 per pawn.
  EXPECT_EQ(SetUpAndEvaluate("4k3/8/8/8/8/8/PP6/4K2Q w - - 0 1"), 2652 + 2 * 140);
  // The Black twin.
  EXPECT_EQ(SetUpAndEvaluate("4k2q/pp6/8/8/8/8/8/4K3 b - - 0 1"), -(2652 + 2 * 140));
  // Rook and pawn against rook: the normal evaluation runs (it finds the
  // passer).
  SetUpRoot("r3k3/8/8/8/8/8/P7/4K2R w - - 0 1");
  Scratch().whitePassers = 0;
  FullEval();
  EXPECT_EQ(Scratch().whitePassers, SquareMask[A2]);
}

TEST(EvalDriver, MatingPotentialGate) {
  // Two knights cannot win: a positive total becomes 0. Bishop and knight
  // keep theirs.
  EXPECT_EQ(SetUpAndEvaluate("4k3/pp6/8/8/8/8/8/1NN1K3 w - - 0 1"), 0);
  EXPECT_GT(SetUpAndEvaluate("4k3/pp6/8/8/8/8/8/1NB1K3 w - - 0 1"), 200);
  // The Black twins.
  EXPECT_EQ(SetUpAndEvaluate("1nn1k3/8/8/8/8/8/PP6/4K3 w - - 0 1"), 0);
  EXPECT_LT(SetUpAndEvaluate("1nb1k3/8/8/8/8/8/PP6/4K3 w - - 0 1"), -200);
  // Mating potential without pawns: two minors with a bishop, three minors
  // or a major piece.
  const auto whiteCanWin = [](const char* fen) {
    SetUpRoot(fen);
    return CanWin(Root().white);
  };
  EXPECT_FALSE(whiteCanWin("4k3/8/8/8/8/8/8/1B2K3 w - - 0 1"));
  EXPECT_FALSE(whiteCanWin("4k3/8/8/8/8/8/8/1NN1K3 w - - 0 1"));
  EXPECT_TRUE(whiteCanWin("4k3/8/8/8/8/8/8/1BB1K3 w - - 0 1"));
  EXPECT_TRUE(whiteCanWin("4k3/8/8/8/8/8/8/1NNNK3 w - - 0 1"));
  EXPECT_TRUE(whiteCanWin("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"));
  EXPECT_TRUE(whiteCanWin("4k3/8/8/8/8/8/P7/4K3 w - - 0 1"));
}

TEST(EvalDriver, FullWindowNeverTakesAShortcut) {
  // With the margin out of reach no lazy exit and no partial pawn entry can
  // happen; the full window must give the same scores.
  const char* fens[] = {
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "8/PPP5/8/8/8/8/5n2/K5k1 w - - 0 1",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
  };
  for (const char* fen : fens) {
    const int full = SetUpAndEvaluate(fen);
    TestEvaluator().SetPositionalMargin(1000000);
    eval_test::ClearPawnHash();
    EXPECT_EQ(FullEval(), full) << fen;
    TestEvaluator().SetPositionalMargin(kPositionalMargin);
  }
}

TEST(EvalDriver, LazyExitInABareEndgameKeepsTheSide) {
  // Three pawns on the seventh against a knight: material level (mb = 0)
  // but White is winning. A window far below the score exits lazily; the
  // score must stay above the window (a side that can win keeps it).
  const char* fen = "8/PPP5/8/8/8/8/5n2/K5k1 w - - 0 1";
  const int full = SetUpAndEvaluate(fen);
  EXPECT_GT(full, 300);
  EXPECT_GT(Evaluate(100, 200), 200);
  // The Black twin fails low.
  const int mirrored = SetUpAndEvaluate(MirrorFen(fen));
  EXPECT_EQ(mirrored, -full);
  EXPECT_LT(Evaluate(-200, -100), -200);
}

TEST(EvalDriver, LazyExitOutsideTheEndgame) {
  // Far outside the window the score is material and passers only.
  const char* fen = "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3";
  const int full = SetUpAndEvaluate(fen);
  EXPECT_EQ(Evaluate(2000, 2001), 0);  // material level, no passers
  EXPECT_EQ(Evaluate(-2001, -2000), 0);
  EXPECT_EQ(FullEval(), full);
}

TEST(EvalDriver, TermsKeptUnderOnePreparationAreNotReusedUnderTheNext) {
  // The evaluator keeps the king and piece terms of the positions it has
  // seen. A position met again after another root was prepared must be
  // scored with the new root's tables, as a fresh evaluator scores it.
  const char* endgame = "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1";
  const char* middlegame = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
  PawnHashTable freshPawns(uint64_t(1) << 16);
  Evaluator fresh(freshPawns);
  SetUpRoot(endgame);
  fresh.PrepareRoot(Root());
  LoadSearchRoot(Stack(), ParseFen(middlegame));
  const int underEndgame = fresh.Evaluate(Root(), -32000, 32000);

  const int own = SetUpAndEvaluate(middlegame);
  ASSERT_NE(own, underEndgame);  // the two preparations score it differently
  SetUpRoot(endgame);
  LoadSearchRoot(Stack(), ParseFen(middlegame));
  EXPECT_EQ(FullEval(), underEndgame);
  SetUpRoot(middlegame);
  EXPECT_EQ(FullEval(), own);
}

// The classic weights of the parameter table score as the evaluation did
// when its numbers were written in the code: scores recorded then, each
// position prepared as the root. Openings, middlegames (both queens and
// castling rights on both wings, a trapped bishop), endgames with the
// pawn race and the king-and-pawn rules, the gate, the exits for pawns
// against far more material, and the pawnless endgames.
TEST(EvalDriver, ClassicWeightsKeepTheHandSetScores) {
  struct Recorded {
    const char* fen;
    int score;
  };
  const Recorded recorded[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
      {"r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 5", -29},
      {"rnbqk2r/ppp1ppbp/3p1np1/8/2PPP3/2N5/PP3PPP/R1BQKBNR w KQkq - 0 5", 133},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 50},
      {"2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12", -41},
      {"r1b2rk1/pp3ppp/2n5/3q4/3P4/5N2/PP3PPP/R2QKB1R w KQ - 0 12", 18},
      {"r2q1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/R2Q1RK1 w - - 0 10", -7},
      {"r2qkb1r/B1p2ppp/1pnp1n2/4p3/4P3/2NP1N2/PPP2PPP/R2QKB1R w KQkq - 0 8", 353},
      {"r3kb1r/pp3ppp/2n1bn2/3p4/3P4/2N1BN2/PP3PPP/R3KB1R b - - 0 10", -6},
      {"4r1k1/pp3ppp/2p5/8/3P4/2P5/P4PPP/4R1K1 w - - 0 25", 12},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", -93},
      {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 550},
      {"8/pp3k2/2p5/8/8/5K2/PP6/8 w - - 0 1", -104},
      {"8/4kp2/4p3/3pP3/3P4/4K3/8/5B2 w - - 0 1", 343},
      {"8/8/4k3/8/2P5/8/4K3/8 w - - 0 1", 120},
      {"8/8/2k5/5P2/8/8/2K5/8 w - - 0 1", 155},
      {"k7/8/K7/P7/8/8/8/8 w - - 0 1", 0},
      {"5k2/8/8/8/8/8/1p3K2/8 b - - 0 1", -900},
      {"4k3/pp6/8/8/8/8/8/1NN1K3 w - - 0 1", 0},
      {"4k3/8/8/8/8/8/PP6/4K2Q w - - 0 1", 2932},
      {"4k2q/pp6/8/8/8/8/8/4K3 b - - 0 1", -2932},
      {"8/8/8/8/8/4k3/8/R3K3 w - - 0 1", 219},
      {"8/8/8/4k3/8/8/8/2B1KN2 w - - 0 1", 1382},
      {"8/8/3k4/8/8/3B4/3K4/6N1 b - - 0 1", 1447},
      {"3k4/8/8/8/8/8/3r4/3QK3 w - - 0 1", 628},
      {"8/8/3k4/4b3/8/8/3KN3/8 w - - 0 1", -5},
      {"8/8/8/3k4/8/8/3K4/N1n5 w - - 0 1", -6},
      {"4k3/ppp3pp/8/8/8/8/PPP3PP/4K3 w - - 0 1", 2},
      {"3qk2r/8/8/8/8/8/PPPPPPPP/RNBQKBNR w KQk - 0 1", 3172},
      {"2kr3r/ppp2ppp/8/8/3P4/8/PP3PPP/R3K2R w KQ - 0 1", -11},
  };
  for (const Recorded& r : recorded) EXPECT_EQ(SetUpAndEvaluate(r.fen), r.score) << r.fen;
}

// Does the position touch one of the evaluation's deliberate colour
// asymmetries? Evaluated first, so Scratch() holds its facts.
bool TouchesAsymmetry(const TreePosition& p) {
  const int phase = Scratch().activeSet->phase;
  const Bitboard kingRow = SquareMask[D1] | SquareMask[E1] | SquareMask[F1];
  // Black's middlegame king table on d8, e8, f8.
  if (phase == kMiddlegamePhase &&
      ((SquareMask[p.white.kingSquare] & kingRow) || (SquareMask[p.black.kingSquare] & (kingRow << 56))))
    return true;
  // Black's own endgame duo values on its second and third ranks.
  if (phase == kEndgamePhase) {
    const Bitboard notH = ~FileMask[7];
    const Bitboard whiteDuos = p.white.pawn & ~Scratch().whitePassers & notH & ((p.white.pawn >> 1) & notH);
    const Bitboard blackDuos = p.black.pawn & ~Scratch().blackPassers & notH & ((p.black.pawn >> 1) & notH);
    if ((whiteDuos & (RankMask[1] | RankMask[2])) || (blackDuos & (RankMask[6] | RankMask[5]))) return true;
  }
  // The pawnless tables: c1 of the king table and the corner tables.
  if ((p.white.pawn | p.black.pawn) == 0 &&
      ((SquareMask[p.white.kingSquare] | SquareMask[p.black.kingSquare]) & (SquareMask[C1] | SquareMask[C8])))
    return true;
  // The imbalance table is not antisymmetric for (6, 1) and (9, 2).
  const int dMin = p.white.valMinors - p.black.valMinors, dMaj = p.white.valMajors - p.black.valMajors;
  if ((dMin == 6 && dMaj == 1) || (dMin == -6 && dMaj == -1) || (dMin == 9 && dMaj == 2) ||
      (dMin == -9 && dMaj == -2))
    return true;
  return false;
}

TEST(EvalDriver, ColourMirrorNegatesTheScore) {
  const char* fens[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2",
      "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
      "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
      "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 5",
      "rnbqk2r/ppp1ppbp/3p1np1/8/2PPP3/2N5/PP3PPP/R1BQKBNR w KQkq - 0 5",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
      "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
      "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
      "r1b2rk1/pp3ppp/2n5/3q4/3P4/5N2/PP3PPP/R2QKB1R w KQ - 0 12",
      "r2q1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/R2Q1RK1 w - - 0 10",
      "6k1/pp3ppp/2p5/3r4/3P4/2P2Q2/P4PPP/4R1K1 b - - 0 25",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "8/5pk1/6p1/7p/7P/6P1/5PK1/8 w - - 0 1",
      "8/8/1p2k3/p1p5/P1P5/1P2K3/8/8 b - - 0 1",
      "8/pp3k2/2p5/8/8/5K2/PP6/8 w - - 0 1",
      "2r3k1/5ppp/p7/1p6/8/P4P2/1P3KPP/2R5 w - - 0 30",
      "8/4kp2/4p3/3pP3/3P4/4K3/8/5B2 w - - 0 1",
      "8/8/4k3/8/2P5/8/4K3/8 w - - 0 1",
      "8/8/2k5/5P2/8/8/2K5/8 w - - 0 1",
      "8/8/1k6/5P2/8/8/2K5/8 b - - 0 1",
      "8/8/8/3K4/6k1/4P3/8/8 b - - 0 1",
      "8/6k1/8/8/4Q3/8/1PP5/1K6 w - - 0 1",
      "8/8/8/8/8/4k3/8/R3K3 w - - 0 1",
      "3k4/8/8/8/8/8/3r4/3QK3 w - - 0 1",
      "8/8/3k4/4b3/8/8/3KN3/8 w - - 0 1",
      "4k3/7p/8/4n3/4P3/8/8/4K3 w - - 0 1",
      "8/PPP5/8/8/8/8/5n2/K5k1 w - - 0 1",
  };
  // Under both weight sets: each has its White/Black twins.
  for (const EvaluationSet set : {EvaluationSet::kClassic, EvaluationSet::kTuned}) {
    TestEvaluator().SelectWeights(set);
    int compared = 0;
    for (const char* fen : fens) {
      const int score = SetUpAndEvaluate(fen);
      if (TouchesAsymmetry(Root())) continue;
      EXPECT_EQ(SetUpAndEvaluate(MirrorFen(fen)), -score) << fen;
      ++compared;
    }
    EXPECT_GE(compared, 20);
  }
  TestEvaluator().SelectWeights(EvaluationSet::kClassic);
}

}  // namespace

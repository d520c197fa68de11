// King shelter, king placement, the knight, bishop, rook and queen terms,
// and the threats.
#include <gtest/gtest.h>

#include <string>

#include "eval/king_safety.h"
#include "eval/piece_terms.h"
#include "eval/threats.h"
#include "eval_test_support.h"

namespace {

using namespace eval_test;

TEST(EvalKingSafety, ShelterOfACastledKing) {
  // f2, g2, h2 at home against the f-, g- and h-pawns, nobody in f1-h3.
  SetUpAndEvaluate("6k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kWhite, kKingSide), 60);
  EXPECT_EQ(KingShelter(Root(), kBlack, kKingSide), 60);
  // h3 instead of h2: one home square empty, but h3 stands: 55.
  SetUpAndEvaluate("6k1/5ppp/8/8/8/7P/5PP1/6K1 w - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kWhite, kKingSide), 55);
  // A Black knight in the zone: -16.
  SetUpAndEvaluate("6k1/5ppp/8/8/8/7n/5PPP/6K1 w - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kWhite, kKingSide), 44);
  // The bare queen's side: three open files (-135), all home squares empty,
  // a3, b3 and c3 undefended (-30).
  EXPECT_EQ(KingShelter(Root(), kWhite, kQueenSide), -135 - 30);
}

TEST(EvalKingSafety, ShelterHolesFianchettoAndKnight) {
  // g3 pushed, bishop on g2, knight on f3: one home square empty (50); g3
  // is covered by f2 and h2, f3 and h3 by no pawn but by the g2 bishop;
  // fianchetto +10, knight +2.
  SetUpAndEvaluate("6k1/5ppp/8/8/8/5NP1/5PBP/6K1 w - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kWhite, kKingSide), 50 + 10 + 2);
  // The Black twin.
  SetUpAndEvaluate("6k1/5pbp/5np1/8/8/8/5PPP/6K1 b - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kBlack, kKingSide), 50 + 10 + 2);
}

TEST(EvalKingSafety, KingPlacement) {
  // A king on e1 without castling rights: the king's-side shelter - 70.
  SetUpAndEvaluate("4k3/8/8/8/8/8/5PPP/4K3 w - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kWhite, kKingSide), 30);
  EXPECT_EQ(KingPlacement<kWhite>(Root(), Scratch()), 30 - 70);
  // Both rights: the better wing (queen's side 30, king's side -165) - 25.
  SetUpAndEvaluate("r3k2r/8/8/8/8/8/PPP5/R3K2R w KQkq - 0 1");
  EXPECT_EQ(KingShelter(Root(), kWhite, kQueenSide), 30);
  EXPECT_EQ(KingPlacement<kWhite>(Root(), Scratch()), 30 - 25);
  // Black with the king's-side right only: that bare wing (-165) - 25, even
  // though the queen's side is better.
  SetUpAndEvaluate("r3k2r/ppp5/8/8/8/8/PPP5/R3K2R w KQk - 0 1");
  EXPECT_EQ(KingShelter(Root(), kBlack, kKingSide), -165);
  EXPECT_EQ(KingPlacement<kBlack>(Root(), Scratch()), -165 - 25);
  // A king on c8 that cannot castle: the queen's side (half-open files -30,
  // pawns at home +60) - 17.
  SetUpAndEvaluate("2kr4/ppp5/8/8/8/8/5PPP/6K1 w - - 0 1");
  EXPECT_EQ(KingShelter(Root(), kBlack, kQueenSide), 30);
  EXPECT_EQ(KingPlacement<kBlack>(Root(), Scratch()), 30 - 17);
}

// The terms the tuned weights add, read through the trace: what each
// counts, whatever its weight. White's pieces bear on the g8 king: Qh5 hits
// f7 and h7, Ng5 f7 and h7, Bc4 and Rf1 f7 (the rook stops there).
TEST(EvalKingSafety, TunedTermCounts) {
  EvalTrace trace;
  const auto traced = [&trace] {
    trace.Clear();
    EvalScratch e = Scratch();
    e.trace = &trace;
    return e;
  };
  const auto count = [&trace](WeightId id, int entry) { return trace.coefficient[WeightIndex(id, entry)]; };
  for (const bool black : {false, true}) {
    SetUpAndEvaluate(black ? "5rk1/8/8/2b5/6nq/8/5PPP/6K1 b - - 0 1" : "6k1/5ppp/8/6NQ/2B5/8/8/5RK1 w - - 0 1");
    const double sign = black ? -1 : 1;
    if (black) KingZoneAttack<kBlack, TracedTunedEval>(Root(), traced());
    else KingZoneAttack<kWhite, TracedTunedEval>(Root(), traced());
    EXPECT_EQ(count(kKingZoneAttacks, 0), 2 * sign);
    EXPECT_EQ(count(kKingZoneAttacks, 1), 1 * sign);
    EXPECT_EQ(count(kKingZoneAttacks, 2), 1 * sign);
    EXPECT_EQ(count(kKingZoneAttacks, 3), 2 * sign);
    // Four attackers with the queen among them.
    EXPECT_EQ(count(kKingZoneAttackers, 3), 1 * sign);
    EXPECT_EQ(count(kKingZoneAttackers, 7), 0);
  }
  // Without the queen: three attackers, the entries without a queen.
  SetUpAndEvaluate("6k1/5ppp/8/6N1/2B5/8/8/5RK1 w - - 0 1");
  KingZoneAttack<kWhite, TracedTunedEval>(Root(), traced());
  EXPECT_EQ(count(kKingZoneAttackers, 6), 1);
  EXPECT_EQ(count(kKingZoneAttackers, 2), 0);
  // No attacker, no term.
  KingZoneAttack<kBlack, TracedTunedEval>(Root(), traced());
  for (int entry = 0; entry < 8; ++entry) EXPECT_EQ(count(kKingZoneAttackers, entry), 0);
  // Mobility: the g5 knight's e6 is covered by the f7 pawn (f7, h7, e4, f3,
  // h3 count); the h5 queen sees twelve squares, the g5 knight stops it.
  SetUpAndEvaluate("6k1/5ppp/8/6NQ/2B5/8/8/5RK1 w - - 0 1");
  KnightTerms<kWhite, TracedTunedEval>(Root(), traced());
  EXPECT_EQ(count(kKnightMobility, 0), 5);
  QueenTerms<kWhite, TracedTunedEval>(Root(), traced());
  EXPECT_EQ(count(kQueenMobility, 0), 12);
  // Threats, White's view. The e4 pawn hits the d5 knight and the f5
  // bishop, the b4 knight the c6 rook; of these three targets only the d5
  // knight has a defender, the a5 queen. Black's d5 knight and a5 queen hit
  // the b4 knight, which has none. With the other side to move every entry
  // moves to its other half.
  for (const bool blackToMove : {false, true}) {
    SetUpAndEvaluate(std::string("4k3/8/2r5/q2n1b2/1N2P3/8/8/4K3 ") + (blackToMove ? "b" : "w") + " - - 0 1");
    ThreatTerms<TracedTunedEval>(Root(), traced());
    const int white = blackToMove ? 0 : 1, black = 1 - white;  // 1 where that side is to move
    EXPECT_EQ(count(kPawnThreats, 4 * white + 0), 1);
    EXPECT_EQ(count(kPawnThreats, 4 * white + 1), 1);
    EXPECT_EQ(count(kPawnThreats, 4 * white + 2), 0);
    EXPECT_EQ(count(kMinorThreats, 2 * white + 0), 1);
    EXPECT_EQ(count(kMinorThreats, 2 * white + 1), 0);
    EXPECT_EQ(count(kHangingPieces, 2 * white + 0), 1);
    EXPECT_EQ(count(kHangingPieces, 2 * white + 1), 1);
    EXPECT_EQ(count(kHangingPieces, 2 * black + 0), -1);
    EXPECT_EQ(count(kRookThreats, 0) + count(kRookThreats, 1), 0);
  }
}

TEST(EvalPieces, RookConnectionAndOpenFiles) {
  // Endgame tables. a1: table -2, +30, 8 squares, connected to h1 (+8);
  // the a-file holds a White pawn. h1: -2, +30, 14 squares, open file with
  // no Black pawn (+15 +10).
  SetUpAndEvaluate("4k3/pp6/8/8/8/4K3/PP6/R6R w - - 0 1");
  EXPECT_EQ(RookTerms<kWhite>(Root(), Scratch()), (-2 + 30 + 8 + 8) + (-2 + 30 + 14 + 25));
  // Rooks on a7 and h7 with the king on the eighth: a7 connects on the
  // seventh (+24); both get +50.
  SetUpAndEvaluate("3k4/R6R/2pp4/8/8/4K3/PP6/8 w - - 0 1");
  EXPECT_EQ(RookTerms<kWhite>(Root(), Scratch()), (4 + 30 + 13 + 24 + 50) + (4 + 30 + 14 + 25 + 50));
  // A Black rook on the open e-file facing the White king: +40 +10.
  SetUpAndEvaluate("4k3/ppp5/4r3/8/8/8/PPP5/4K3 w - - 0 1");
  EXPECT_EQ(RookTerms<kBlack>(Root(), Scratch()), 2 + 30 + 14 + 50);
}

TEST(EvalPieces, RookShutInByItsKing) {
  // Opening tables: h1 sees only the g1 king and the h2 pawn: -35.
  SetUpAndEvaluate("r2qk2r/pppppppp/8/8/8/8/PPPPPPPP/R2Q2KR w kq - 0 1");
  EXPECT_EQ(RookTerms<kWhite>(Root(), Scratch()), (-2 + 4) + (-2 + 2 - 35));
  // The Black twin: h8 next to the g8 king.
  SetUpAndEvaluate("r2q2kr/pppppppp/8/8/8/8/PPPPPPPP/R2QK2R w KQ - 0 1");
  EXPECT_EQ(RookTerms<kBlack>(Root(), Scratch()), (-2 + 4) + (-2 + 2 - 35));
}

TEST(EvalPieces, KnightOutposts) {
  // Endgame: centre table 24, defended by d4 (+6), no Black pawn can chase
  // it (+12).
  SetUpAndEvaluate("4k3/p7/8/4N3/3P4/8/8/4K3 w - - 0 1");
  EXPECT_EQ(KnightTerms<kWhite>(Root(), Scratch()), 24 + 6 + 12);
  // f7 can chase it: no outpost.
  SetUpAndEvaluate("4k3/p4p2/8/4N3/3P4/8/8/4K3 w - - 0 1");
  EXPECT_EQ(KnightTerms<kWhite>(Root(), Scratch()), 24 + 6);
  // The Black twin on e4.
  SetUpAndEvaluate("4k3/8/8/3p4/4n3/8/P7/4K3 w - - 0 1");
  EXPECT_EQ(KnightTerms<kBlack>(Root(), Scratch()), 24 + 6 + 12);
}

TEST(EvalPieces, KnightInFrontOfCentrePawnsAndNearTheKing) {
  // Opening tables: Nd3 blocks the d2 pawn (-25); table 30, centre e5 (4),
  // ring c5 and f4 (2 each), defended by c2 (+6); the e8 king is five
  // steps away (no bonus).
  SetUpAndEvaluate("r1bqk2r/pppp1ppp/8/8/8/3N4/PPPP1PPP/R1BQK2R w KQkq - 0 1");
  EXPECT_EQ(KnightTerms<kWhite>(Root(), Scratch()), 30 + 4 + 4 + 6 - 25);
  // Near the king: a knight on f5, three steps from g8: +4; table 34,
  // centre d4 (4), ring d6 and e3 (2 each).
  SetUpAndEvaluate("r1bq1rk1/pppp1ppp/8/5N2/8/8/PPPP1PPP/R1BQK2R w KQ - 0 1");
  EXPECT_EQ(KnightTerms<kWhite>(Root(), Scratch()), 34 + 4 + 4 + 4);
}

TEST(EvalPieces, TrappedBishop) {
  // a7 caught by b6, which c7 defends: table 4, mobility 2, two Black pawns
  // on its dark squares (+8), trapped -100.
  SetUpAndEvaluate("4k3/B1p5/1p6/8/8/8/P7/4K3 w - - 0 1");
  EXPECT_EQ(BishopTerms<kWhite>(Root(), Scratch()), 4 + 2 + 8 - 100);
  // The Black twin on a2.
  SetUpAndEvaluate("4k3/p7/8/8/8/1P6/b1P5/4K3 w - - 0 1");
  EXPECT_EQ(BishopTerms<kBlack>(Root(), Scratch()), 4 + 2 + 8 - 100);
}

TEST(EvalPieces, BishopPairAndEndgameCount) {
  // Two White bishops against one Black one, pawns on both wings.
  SetUpAndEvaluate("4k3/p5pb/8/8/8/8/P5P1/2B1KB2 w - - 0 1");
  EXPECT_EQ(BishopCountTerm(Root(), Scratch()), 16);
  SetUpAndEvaluate("4k3/p6b/8/8/8/8/P7/2B1KB2 w - - 0 1");
  EXPECT_EQ(BishopCountTerm(Root(), Scratch()), 8);
}

TEST(EvalPieces, EarlyQueen) {
  // Opening: the h5 queen still sees d1 (no -40/-20) but pays -12 for the
  // sortie.
  SetUpAndEvaluate("rnbqkbnr/pppp1ppp/8/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq - 1 2");
  EXPECT_EQ(QueenTerms<kWhite>(Root(), Scratch()), -12);
  // A bishop on e2 closes the way home: no free square on ranks 1 and 2.
  SetUpAndEvaluate("rnbqkbnr/pppp1ppp/8/4p2Q/4P3/8/PPPPBPPP/RNB1K1NR b KQkq - 1 2");
  EXPECT_EQ(QueenTerms<kWhite>(Root(), Scratch()), -40 - 12);
}

}  // namespace

// Static exchange: least valuable attacker first, pieces revealed behind
// the capturers, and either side stopping when going on would lose.
#include <gtest/gtest.h>

#include "position/static_exchange.h"
#include "position_test_support.h"

namespace {

using namespace position_test;

int Exchange(const std::string& fen, const char* from, const char* target) {
  LoadFen(fen);
  return StaticExchange(Stack().Current(), Sq(from), Sq(target), Stack().Current().side);
}

TEST(StaticExchange, PawnTakesKnight) {
  EXPECT_EQ(Exchange("4k3/8/2p5/3n4/4P3/8/8/4K3 w - - 0 1", "e4", "d5"), 200);  // defended by c6
  EXPECT_EQ(Exchange("4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1", "e4", "d5"), 300);    // undefended
}

TEST(StaticExchange, QueenTakesDefendedPawn) {
  EXPECT_EQ(Exchange("4k3/8/2p5/3p4/8/8/8/3QK3 w - - 0 1", "d1", "d5"), 100 - 980);
}

TEST(StaticExchange, BlackCapturesReadFromWhitesSide) {
  EXPECT_EQ(Exchange("4k3/8/8/8/3n4/1R6/8/4K3 b - - 0 1", "d4", "b3"), -475);
  // Black pawn takes a knight defended by a pawn: Black wins 200.
  EXPECT_EQ(Exchange("4k3/8/8/4p3/3N4/2P5/8/4K3 b - - 0 1", "e5", "d4"), -200);
}

TEST(StaticExchange, EmptyTargetAndEmptyFromSquare) {
  // A pawn push onto a square the enemy pawn covers loses the pawn.
  EXPECT_EQ(Exchange("4k3/8/8/3p4/8/4P3/8/4K3 w - - 0 1", "e3", "e4"), -100);
  // An empty from square moves a piece worth nothing.
  EXPECT_EQ(Exchange("4k3/8/2p5/3n4/8/8/8/4K3 w - - 0 1", "e4", "d5"), 300);
}

TEST(StaticExchange, RearRookJoinsOnlyAfterTheFrontOneCaptured) {
  // Rook takes knight; both sides have a second rook behind the first.
  // RxN RxR RxR RxR: White gives two rooks for knight and rook.
  EXPECT_EQ(Exchange("3r2k1/3r4/8/3n4/8/8/3R4/3R2K1 w - - 0 1", "d2", "d5"), -175);
  // Without Black's rear rook White ends a rook up for the knight: +300.
  EXPECT_EQ(Exchange("6k1/3r4/8/3n4/8/8/3R4/3R2K1 w - - 0 1", "d2", "d5"), 300);
}

TEST(StaticExchange, HiddenRookWaitsBehindTheQueen) {
  // exd5, Rxd5; the queen must recapture before the rook behind it can,
  // and then White stops: knight for pawn, +200. Taking the rook on d1
  // first would leave White ahead by a whole knight in the count.
  EXPECT_EQ(Exchange("3r2k1/3r4/8/3n4/4P3/8/3Q4/3R2K1 w - - 0 1", "e4", "d5"), 200);
}

TEST(StaticExchange, KingRecapturesOnlyOntoAnUncoveredSquare) {
  // Rxd5: the king on e6 may take back because nothing covers d5.
  EXPECT_EQ(Exchange("8/8/4k3/3p4/8/8/8/3R2K1 w - - 0 1", "d1", "d5"), 100 - 475);
  // With the bishop on b3 covering d5 the king declines: White wins the pawn.
  EXPECT_EQ(Exchange("8/8/4k3/3p4/8/1B6/8/3R2K1 w - - 0 1", "d1", "d5"), 100);
}

TEST(StaticExchange, BishopBehindTheCapturingPawn) {
  // cxd5 exd5 Bxd5: the bishop on b3 joins through c4 once the pawn has
  // captured, and wins the pawn. Without it the pawns just trade.
  EXPECT_EQ(Exchange("6k1/8/4p3/3p4/2P5/1B6/8/6K1 w - - 0 1", "c4", "d5"), 100);
  EXPECT_EQ(Exchange("6k1/8/4p3/3p4/2P5/8/8/6K1 w - - 0 1", "c4", "d5"), 0);
}

TEST(StaticExchange, SquareOrderWithinAKind) {
  // cxd6 Bxd6 and then Black's rooks d8 and d5 both hit d6. Black takes
  // with the highest square first (d8), so the white rooks behind d5 join
  // only after Qxd6 Rd5xd6: Black keeps the knight for the pawn, -300.
  // Starting with d5 would free the d-file early and give -200.
  EXPECT_EQ(Exchange("3r1k2/pbp1qpb1/3Np3/2Qr4/Np2PBp1/7p/PPPR1PPP/3R2K1 b - - 0 1", "c7", "d6"), -300);
  // The same board mirrored, White to move: White takes with its lowest
  // square first (d1 before d4).
  EXPECT_EQ(Exchange("3r2k1/pppr1ppp/7P/nP2pbP1/2qR4/3nP3/PBP1QPB1/3R1K2 w - - 0 1", "c2", "d3"), 300);
}

}  // namespace

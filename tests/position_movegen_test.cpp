// Move generation: captures and quiet moves cover every pseudo-legal move
// once, in the fixed scan order; the evasion list is exactly the set of
// legal replies to a check; the legal root list and the single-word test.
#include <gtest/gtest.h>

#include <set>

#include "board/moves.h"
#include "position/perft.h"
#include "position_test_support.h"

namespace {

using namespace position_test;

std::vector<std::string> Texts(const std::vector<Move>& moves) {
  std::vector<std::string> texts;
  for (Move m : moves) texts.push_back(CoordinateMoveText(m));
  return texts;
}

bool Contains(const std::vector<Move>& moves, Move m) { return std::find(moves.begin(), moves.end(), m) != moves.end(); }

TEST(MoveGeneration, InitialPositionOrder) {
  LoadFen(PerftReferences()[0].fen);
  EXPECT_TRUE(Captures().empty());
  const std::vector<std::string> expected = {
      "b1c3", "b1a3", "g1h3", "g1f3",                                          // knights, targets highest first
      "h2h4", "g2g4", "f2f4", "e2e4", "d2d4", "c2c4", "b2b4", "a2a4",          // double pushes
      "h2h3", "g2g3", "f2f3", "e2e3", "d2d3", "c2c3", "b2b3", "a2a3"};         // single pushes
  EXPECT_EQ(Texts(Quiets()), expected);
}

TEST(MoveGeneration, BlackQuietsScanFromTheHighestSquare) {
  LoadFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1");
  const std::vector<std::string> expected = {
      "g8h6", "g8f6", "b8c6", "b8a6",
      "h7h5", "g7g5", "f7f5", "e7e5", "d7d5", "c7c5", "b7b5", "a7a5",
      "h7h6", "g7g6", "f7f6", "e7e6", "d7d6", "c7c6", "b7b6", "a7a6"};
  EXPECT_EQ(Texts(Quiets()), expected);
}

TEST(MoveGeneration, CaptureGroupsAndScanDirections) {
  // Knights, bishop, rook, queen, king, queen pushes, pawn captures toward
  // the a-file, toward the h-file. White: targets highest first, the king's
  // lowest first.
  LoadFen("5r2/P5P1/2b1pb1k/rp1pP3/1p1N4/2P4p/1Q1nBn1q/R3K1N1 w - d6 0 1");
  const std::vector<Move> white = Captures();
  EXPECT_EQ(Texts(white), (std::vector<std::string>{"g1h3", "d4e6", "d4c6", "d4b5", "e2b5", "a1a5", "b2b4", "b2d2",
                                                    "e1d2", "e1f2", "g7g8q", "a7a8q", "g7f8q", "e5d6", "c3b4",
                                                    "e5f6"}));
  EXPECT_TRUE(Contains(white, Word("e5", "d6", kPawn, kPawn)));           // en passant: type 1, no special
  EXPECT_TRUE(Contains(white, Word("g7", "f8", kPawn, kRook, kQueen)));    // capturing queen promotion
  EXPECT_TRUE(Contains(white, Word("g7", "g8", kPawn, 0, kQueen)));

  // The same board mirrored, Black to move: everything lowest first.
  LoadFen("r3k1n1/1q1NbN1Q/2p4P/1P1n4/RP1Pp3/2B1PB1K/p5p1/5R2 b - d3 0 1");
  EXPECT_EQ(Texts(Captures()), (std::vector<std::string>{"d5c3", "d5e3", "d5b4", "g8h6", "e7b4", "a8a4", "b7b5",
                                                         "b7d7", "e8d7", "e8f7", "a2a1q", "g2g1q", "g2f1q", "e4d3",
                                                         "c6b5", "e4f3"}));
}

TEST(MoveGeneration, PromotionsSplitBetweenTheLists) {
  LoadFen("r1n2b1r/1P4P1/8/4k3/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(Texts(Captures()), (std::vector<std::string>{"g7g8q", "b7b8q", "g7f8q", "b7a8q", "g7h8q", "b7c8q"}));
  EXPECT_EQ(Texts(Quiets()),
            (std::vector<std::string>{"g7g8n", "g7g8r", "g7g8b", "b7b8n", "b7b8r", "b7b8b", "g7f8n", "g7f8r", "g7f8b",
                                      "b7a8n", "b7a8r", "b7a8b", "g7h8n", "g7h8r", "g7h8b", "b7c8n", "b7c8r", "b7c8b",
                                      "e1d1", "e1f1", "e1d2", "e1e2", "e1f2"}));

  // Black: its capturing under-promotions toward the a-file lowest first,
  // toward the h-file highest first.
  LoadFen("4k3/8/8/8/4K3/8/1p4p1/R1N2B1R b - - 0 1");
  EXPECT_EQ(Texts(Captures()), (std::vector<std::string>{"b2b1q", "g2g1q", "b2a1q", "g2f1q", "b2c1q", "g2h1q"}));
  EXPECT_EQ(Texts(Quiets()),
            (std::vector<std::string>{"g2g1n", "g2g1r", "g2g1b", "b2b1n", "b2b1r", "b2b1b", "b2a1n", "b2a1r", "b2a1b",
                                      "g2f1n", "g2f1r", "g2f1b", "g2h1n", "g2h1r", "g2h1b", "b2c1n", "b2c1r", "b2c1b",
                                      "e8f8", "e8d8", "e8f7", "e8e7", "e8d7"}));
}

TEST(MoveGeneration, CastlingNeedsEmptyAndUnattackedSquares) {
  // Both sides' castling first in the quiet list, king's side first.
  LoadFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  std::vector<Move> quiets = Quiets();
  ASSERT_GE(quiets.size(), 2u);
  EXPECT_EQ(quiets[0], kWhiteCastleShort);
  EXPECT_EQ(quiets[1], kWhiteCastleLong);
  LoadFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  quiets = Quiets();
  EXPECT_EQ(quiets[0], kBlackCastleShort);
  EXPECT_EQ(quiets[1], kBlackCastleLong);

  // f1 attacked: no king's side; b1 attacked only: queen's side allowed.
  LoadFen("1r2kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  quiets = Quiets();
  EXPECT_FALSE(Contains(quiets, kWhiteCastleShort));
  EXPECT_TRUE(Contains(quiets, kWhiteCastleLong));
  // d1 attacked, or b1 occupied: no queen's side.
  LoadFen("3rk3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  EXPECT_FALSE(Contains(Quiets(), kWhiteCastleLong));
  LoadFen("4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1");
  quiets = Quiets();
  EXPECT_FALSE(Contains(quiets, kWhiteCastleLong));
  EXPECT_TRUE(Contains(quiets, kWhiteCastleShort));
  // In check: neither.
  LoadFen("4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  quiets = Quiets();
  EXPECT_FALSE(Contains(quiets, kWhiteCastleShort));
  EXPECT_FALSE(Contains(quiets, kWhiteCastleLong));
  // Black: g8 attacked.
  LoadFen("r3k2r/8/8/8/8/8/8/4K1R1 b kq - 0 1");
  quiets = Quiets();
  EXPECT_FALSE(Contains(quiets, kBlackCastleShort));
  EXPECT_TRUE(Contains(quiets, kBlackCastleLong));

  // Chess960. The king on its castling square already (g1), castling with
  // the rook on h1; the king passing through its rook's square (f1, rook
  // g1) and landing on it; a piece on a destination blocks.
  const Move kingStays = MakeMoveWord(G1, G1, kKing, 0, 1);
  LoadFen("4k3/8/8/8/8/8/8/6KR w H - 0 1");
  EXPECT_TRUE(Contains(Quiets(), kingStays));
  LoadFen("4k3/8/8/8/8/8/8/5NKR w H - 0 1");  // f1, the rook's destination, taken
  EXPECT_FALSE(Contains(Quiets(), kingStays));
  LoadFen("4k3/8/8/8/8/8/8/5KR1 w G - 0 1");
  EXPECT_TRUE(Contains(Quiets(), MakeMoveWord(F1, G1, kKing, 0, 1)));
  LoadFen("1r2k3/8/8/8/8/8/8/1RK5 w B - 0 1");  // long: king c1 stays, rook b1 to d1
  EXPECT_TRUE(Contains(Quiets(), MakeMoveWord(C1, C1, kKing, 0, 2)));
  // The rook between the king and its destination (king e1, rook d1
  // castling long, the king crossing the rook's square): legal.
  LoadFen("4k3/8/8/8/8/8/8/3RK3 w D - 0 1");
  EXPECT_TRUE(Contains(Quiets(), MakeMoveWord(E1, C1, kKing, 0, 2)));
  // Another piece between king and rook, or on the king's way beyond its
  // rook, blocks; so does an attacked square the king crosses.
  LoadFen("4k3/8/8/8/8/8/8/1RB1K3 w B - 0 1");
  EXPECT_FALSE(Contains(Quiets(), MakeMoveWord(E1, C1, kKing, 0, 2)));
  LoadFen("4k3/8/8/8/8/8/8/1K1R3N w D - 0 1");  // king b1 to g1 crosses c1..g1; rook d1 to f1
  EXPECT_TRUE(Contains(Quiets(), MakeMoveWord(B1, G1, kKing, 0, 1)));
  LoadFen("4k3/8/8/8/8/8/8/1K1R2N1 w D - 0 1");  // g1 taken
  EXPECT_FALSE(Contains(Quiets(), MakeMoveWord(B1, G1, kKing, 0, 1)));
  LoadFen("4kr2/8/8/8/8/8/8/1K1R4 w D - 0 1");  // f1 attacked on the king's way
  EXPECT_FALSE(Contains(Quiets(), MakeMoveWord(B1, G1, kKing, 0, 1)));
  // The castling rook shields its own king's destination: king d1 with rook
  // b1 castling long, a black rook on a1 attacks c1 once b1 is empty. The
  // move is generated (the squares before it are safe) and the king is
  // found attacked after it, so it is not legal.
  LoadFen("4k3/8/8/8/8/8/8/rR1K4 w B - 0 1");
  const Move shielded = MakeMoveWord(D1, C1, kKing, 0, 2);
  EXPECT_TRUE(Contains(Quiets(), shielded));
  EXPECT_FALSE(IsLegal(Stack(), shielded));
}

TEST(Evasions, DoubleCheckLeavesOnlyKingMovesOffTheCheckingLine) {
  // Rook a1 and knight e3 both check the king on d1; e1 lies behind the king
  // on the rook's line, c1 and c2 are attacked, and the bishop may not take
  // the knight.
  LoadFen("7k/8/8/8/8/4n3/8/r2K2B1 w - - 0 1");
  ASSERT_TRUE(Stack().Current().kingAttacked);
  EXPECT_EQ(Texts(Evasions()), (std::vector<std::string>{"d1d2", "d1e2"}));
  EXPECT_EQ(Sorted(Evasions()), Sorted(LegalByMaking()));
}

TEST(Evasions, KingDoesNotStepBackAlongASlidersLine) {
  // Bishop check from b4: e1 lies behind the king on the checking diagonal
  // and only looks unattacked because the king hides it. White scans lowest
  // first.
  LoadFen("7k/8/8/8/1b6/8/3K4/8 w - - 0 1");
  EXPECT_EQ(Texts(Evasions()), (std::vector<std::string>{"d2c1", "d2d1", "d2c2", "d2e2", "d2d3", "d2e3"}));
  EXPECT_EQ(Sorted(Evasions()), Sorted(LegalByMaking()));

  // Rook check along the e-file: not e6. Black scans highest first.
  LoadFen("8/8/8/4k3/8/8/8/4RK2 b - - 0 1");
  EXPECT_EQ(Texts(Evasions()), (std::vector<std::string>{"e5f6", "e5d6", "e5f5", "e5d5", "e5f4", "e5d4"}));
  EXPECT_EQ(Sorted(Evasions()), Sorted(LegalByMaking()));
}

TEST(Evasions, PinnedPiecesNeverMove) {
  // The bishop on e2 could take the checking knight but is pinned on the e-file.
  LoadFen("4r2k/8/8/8/8/3n4/2P1B3/4K3 w - - 0 1");
  const std::vector<Move> evasions = Evasions();
  EXPECT_FALSE(Contains(evasions, Word("e2", "d3", kBishop, kKnight)));
  EXPECT_TRUE(Contains(evasions, Word("c2", "d3", kPawn, kKnight)));
  EXPECT_EQ(Sorted(evasions), Sorted(LegalByMaking()));
}

TEST(Evasions, EnPassantRemovesTheCheckingPawn) {
  LoadFen("7k/8/8/3pP3/4K3/8/8/8 w - d6 0 1");
  std::vector<Move> evasions = Evasions();
  EXPECT_TRUE(Contains(evasions, Word("e5", "d6", kPawn, kPawn)));
  EXPECT_TRUE(Contains(evasions, Word("e4", "d5", kKing, kPawn)));
  EXPECT_EQ(Sorted(evasions), Sorted(LegalByMaking()));

  LoadFen("8/8/8/5k2/3pP3/8/8/K7 b - e3 0 1");
  evasions = Evasions();
  EXPECT_TRUE(Contains(evasions, Word("d4", "e3", kPawn, kPawn)));
  EXPECT_EQ(Sorted(evasions), Sorted(LegalByMaking()));
}

TEST(Evasions, PromotionsInterposeAndCaptureQueenFirst) {
  LoadFen("r6K/1P6/8/8/8/8/8/k7 w - - 0 1");
  EXPECT_EQ(Texts(Evasions()), (std::vector<std::string>{"h8g7", "h8h7", "b7b8q", "b7b8r", "b7b8b", "b7b8n", "b7a8q",
                                                         "b7a8r", "b7a8b", "b7a8n"}));
}

// Walks the reference trees: captures and quiet moves never repeat a move,
// and in every node in check the evasions are exactly the legal moves.
class EvasionTree : public testing::TestWithParam<PerftReference> {};

TEST_P(EvasionTree, EvasionsEqualTheLegalMovesInEveryCheck) {
  LoadFen(GetParam().fen);
  int checks = 0;
  WalkTree(3, [&] {
    const std::vector<Move> all = Sorted(CapturesAndQuiets());
    ASSERT_TRUE(std::adjacent_find(all.begin(), all.end()) == all.end()) << "a move is generated twice";
    if (!Stack().Current().kingAttacked) return;
    ++checks;
    const std::vector<Move> evasions = Sorted(Evasions());
    ASSERT_TRUE(std::adjacent_find(evasions.begin(), evasions.end()) == evasions.end());
    ASSERT_EQ(evasions, Sorted(LegalByMaking())) << "after move " << Stack().Current().lastMove;
  });
  EXPECT_GT(checks, 0);
}

INSTANTIATE_TEST_SUITE_P(Reference, EvasionTree, testing::ValuesIn(PerftReferences()),
                         [](const testing::TestParamInfo<PerftReference>& info) { return info.param.name; });

TEST(LegalMoves, RootListKeepsGenerationOrderAndZeroFields) {
  for (const PerftReference& reference : PerftReferences()) {
    LoadFen(reference.fen);
    RootMove list[kMaxMovesPerPosition];
    RootMove* end = GenerateLegalMoves(Stack(), list);
    EXPECT_EQ(uint64_t(end - list), reference.counts[0]) << reference.name;
    std::vector<Move> moves;
    for (RootMove* r = list; r != end; ++r) {
      moves.push_back(r->move);
      EXPECT_EQ(r->score, 0);
      EXPECT_EQ(r->spare, 0);
    }
    EXPECT_EQ(moves, LegalByMaking()) << reference.name;
    EXPECT_EQ(Stack().ply, 0);
  }
}

// A single word is legal exactly when the legal list holds it: pinned pieces,
// moves into check and en-passant captures that open a line are refused, and
// so is a word that differs from the generator's in any field.
TEST(LegalMoves, SingleWordTestAgreesWithTheList) {
  for (const PerftReference& reference : PerftReferences()) {
    LoadFen(reference.fen);
    const std::vector<Move> legal = LegalByMaking();
    for (Move m : CapturesAndQuiets()) {
      EXPECT_EQ(IsLegal(Stack(), m), Contains(legal, m)) << reference.name << " " << CoordinateMoveText(m);
      EXPECT_FALSE(IsLegal(Stack(), m ^ Move(1) << 15)) << reference.name;  // another captured type
      EXPECT_FALSE(IsLegal(Stack(), m | Move(1) << 21)) << reference.name;  // a stray bit
    }
    EXPECT_FALSE(IsLegal(Stack(), 0));
    EXPECT_EQ(Stack().ply, 0);
  }
  // The capture of d6 en passant would leave the king on a5 to the rook on h5.
  LoadFen("8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1");
  EXPECT_FALSE(IsLegal(Stack(), Word("e5", "d6", kPawn, kPawn)));
  EXPECT_TRUE(IsLegal(Stack(), Word("e5", "e6", kPawn)));
}

}  // namespace

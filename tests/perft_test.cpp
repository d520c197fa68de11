// Perft: the leaf counts of the legal move tree, walked with the search's
// generators and copy-make, against the published counts of seven
// well-known positions (castling, en passant, promotions, pins, checks).
#include <gtest/gtest.h>

#include "board/moves.h"
#include "position/perft.h"
#include "position_test_support.h"

namespace {

using position_test::PerftReference;

class PerftReferenceTest : public testing::TestWithParam<PerftReference> {};

TEST_P(PerftReferenceTest, CountsToDepthFour) {
  const PerftReference& reference = GetParam();
  position_test::LoadFen(reference.fen);
  for (int depth = 1; depth <= 4; ++depth) {
    EXPECT_EQ(Perft(Stack(), depth), reference.counts[depth - 1]) << "depth " << depth;
    EXPECT_EQ(Stack().ply, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Reference, PerftReferenceTest, testing::ValuesIn(position_test::PerftReferences()),
                         [](const testing::TestParamInfo<PerftReference>& info) { return info.param.name; });

TEST(Perft, DepthZeroIsOneNode) {
  position_test::LoadFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(Perft(Stack(), 0), 1u);
}

TEST(Perft, SplitAddsUpAndNamesMovesInCoordinates) {
  position_test::LoadFen(position_test::PerftReferences()[0].fen);
  const std::vector<PerftSplit> split = PerftDivide(Stack(), 3);
  ASSERT_EQ(split.size(), 20u);
  uint64_t total = 0;
  for (const PerftSplit& entry : split) total += entry.nodes;
  EXPECT_EQ(total, 8902u);
  // The first quiet move of the initial position is the b1 knight to c3.
  EXPECT_EQ(CoordinateMoveText(split[0].move), "b1c3");
  EXPECT_EQ(split[0].nodes, 440u);
}

TEST(Perft, CoordinateTextOfPromotionsAndCastling) {
  using position_test::Word;
  EXPECT_EQ(CoordinateMoveText(Word("e7", "e8", kPawn, 0, kQueen)), "e7e8q");
  EXPECT_EQ(CoordinateMoveText(Word("b2", "a1", kPawn, kRook, kKnight)), "b2a1n");
  EXPECT_EQ(CoordinateMoveText(kWhiteCastleLong), "e1c1");
  EXPECT_EQ(CoordinateMoveText(kBlackCastleShort), "e8g8");
}

}  // namespace

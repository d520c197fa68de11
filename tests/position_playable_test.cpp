// The validity test of stored moves (killers): it accepts exactly the moves
// that the generators would give in the current position.
#include <gtest/gtest.h>

#include <set>

#include "position_test_support.h"

namespace {

using namespace position_test;

bool Playable(Move m) { return Stack().Current().side == kWhite ? IsPlayable<kWhite>(Stack().Current(), m) : IsPlayable<kBlack>(Stack().Current(), m); }

TEST(IsPlayable, AgreesWithTheGeneratorsOverTheReferenceTrees) {
  // Every position of the reference trees to depth 2, and as candidate
  // words every move any of them generates for the same side: stored moves
  // come from other positions of the same search.
  struct Node {
    int side;
    std::vector<Move> moves;  // captures and quiet moves, sorted
  };
  std::vector<Node> nodes;
  std::set<Move> pool[2];
  for (const PerftReference& reference : PerftReferences()) {
    LoadFen(reference.fen);
    WalkTree(2, [&] {
      Node node{Stack().Current().side, Sorted(CapturesAndQuiets())};
      pool[node.side].insert(node.moves.begin(), node.moves.end());
      nodes.push_back(std::move(node));
    });
  }
  ASSERT_GT(nodes.size(), 5000u);

  // Replay: walk the same trees again and test every pool word in each node.
  size_t index = 0, accepted = 0, rejected = 0;
  for (const PerftReference& reference : PerftReferences()) {
    LoadFen(reference.fen);
    WalkTree(2, [&] {
      const Node& node = nodes[index++];
      for (Move m : pool[node.side]) {
        const bool generated = std::binary_search(node.moves.begin(), node.moves.end(), m);
        ASSERT_EQ(Playable(m), generated) << "move " << m << " in node " << index - 1;
        ++(generated ? accepted : rejected);
      }
    });
  }
  EXPECT_GT(accepted, 10000u);
  EXPECT_GT(rejected, 100000u);
}

TEST(IsPlayable, ListedCases) {
  LoadFen("4k3/8/8/3n4/4P3/8/P7/4K3 w - - 0 1");
  EXPECT_FALSE(Playable(0));
  EXPECT_TRUE(Playable(Word("e4", "d5", kPawn, kKnight)));
  // The target now holds another piece than the move records.
  EXPECT_FALSE(Playable(Word("e4", "d5", kPawn, kBishop)));
  EXPECT_FALSE(Playable(Word("e4", "f5", kPawn, kPawn)));  // empty square, not en passant
  // Double push only with both squares empty.
  EXPECT_TRUE(Playable(Word("a2", "a4", kPawn)));
  LoadFen("4k3/8/8/8/8/n7/P7/4K3 w - - 0 1");
  EXPECT_FALSE(Playable(Word("a2", "a4", kPawn)));
  EXPECT_FALSE(Playable(Word("a2", "a3", kPawn)));
  LoadFen("4k3/8/8/8/n7/8/P7/4K3 w - - 0 1");
  EXPECT_FALSE(Playable(Word("a2", "a4", kPawn)));
  EXPECT_TRUE(Playable(Word("a2", "a3", kPawn)));
  // The piece must still stand on the from square, of the right colour.
  EXPECT_FALSE(Playable(Word("a4", "b2", kKnight)));
  EXPECT_FALSE(Playable(Word("b1", "c3", kKnight)));
}

TEST(IsPlayable, SlidersNeedAFreePathAndCastlingItsConditions) {
  LoadFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  EXPECT_TRUE(Playable(kWhiteCastleShort));
  EXPECT_TRUE(Playable(kWhiteCastleLong));
  EXPECT_FALSE(Playable(kBlackCastleShort));  // not White's word
  EXPECT_TRUE(Playable(Word("a1", "a8", kRook, kRook)));
  EXPECT_FALSE(Playable(Word("a1", "h1", kRook)));  // the king stands between
  LoadFen("r3k2r/8/8/8/8/8/8/RN2K1NR w KQkq - 0 1");
  EXPECT_FALSE(Playable(kWhiteCastleShort));
  EXPECT_FALSE(Playable(kWhiteCastleLong));
  LoadFen("r3k2r/8/8/8/8/8/8/R3K2R b Kq - 0 1");
  EXPECT_FALSE(Playable(kBlackCastleShort));  // right gone
  EXPECT_TRUE(Playable(kBlackCastleLong));
  LoadFen("r3k2r/8/8/8/8/8/8/3RK2R b q - 0 1");
  EXPECT_FALSE(Playable(kBlackCastleLong));  // d8 attacked
}

TEST(IsPlayable, PawnMovesOfTheOtherSideAreNeverPlayable) {
  // The killers of a ply may have been stored with the other side to move
  // (after a null move). Taken as a "capture" onto an empty square, such a
  // pawn word would move the pawn backwards.
  LoadFen("4k3/8/8/8/8/8/3p4/K7 b - - 0 1");
  EXPECT_FALSE(Playable(Word("d2", "d4", kPawn)));
  EXPECT_FALSE(Playable(Word("d2", "d3", kPawn)));
  EXPECT_FALSE(Playable(Word("d2", "e3", kPawn, kPawn)));
  EXPECT_TRUE(Playable(Word("d2", "d1", kPawn, 0, kQueen)));
  LoadFen("k7/3P4/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_FALSE(Playable(Word("d7", "d5", kPawn)));
  EXPECT_FALSE(Playable(Word("d7", "d6", kPawn)));
  EXPECT_FALSE(Playable(Word("d7", "c6", kPawn, kPawn)));
  EXPECT_TRUE(Playable(Word("d7", "d8", kPawn, 0, kKnight)));
}

TEST(IsPlayable, EnPassantOnlyOntoTheCurrentSquare) {
  LoadFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  EXPECT_TRUE(Playable(Word("e5", "d6", kPawn, kPawn)));
  LoadFen("4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1");
  EXPECT_FALSE(Playable(Word("e5", "d6", kPawn, kPawn)));
}

}  // namespace

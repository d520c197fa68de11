// Loading a game record: the root record and the key history come from
// replaying the moves with the search's own make-move.
#include <gtest/gtest.h>

#include "board/game.h"
#include "board/search_position.h"
#include "position_test_support.h"

namespace {

using namespace position_test;

TEST(LoadSearchPosition, InitialPositionWithoutMoves) {
  Game game;
  Stack().ply = 5;
  LoadSearchPosition(Stack(), game);
  const TreePosition& root = Stack().positions[0];
  EXPECT_EQ(Stack().ply, 0);
  EXPECT_EQ(root.materialBalance, 0);
  EXPECT_EQ(root.pieceUnits, 62);
  EXPECT_EQ(root.white.valMinors, 12);
  EXPECT_EQ(root.black.valMinors, 12);
  EXPECT_EQ(root.white.valMajors, 4);
  EXPECT_EQ(root.black.valMajors, 4);
  EXPECT_EQ(root.white.numPawns, 8);
  EXPECT_EQ(root.black.numPawns, 8);
  EXPECT_FALSE(root.kingAttacked);
  EXPECT_EQ(root.halfMoveClock, 0);
  EXPECT_EQ(root.lastMove, 0u);
  EXPECT_EQ(Stack().keyHistoryRoot, 0);
  EXPECT_EQ(Stack().keyHistory[0], root.hashKey);
}

TEST(LoadSearchPosition, KnightShuffleRepeatsTheStartKey) {
  Game game;
  LoadSearchPosition(Stack(), game);
  const uint64_t startKey = Stack().positions[0].hashKey;
  game.moves = {Word("g1", "f3", kKnight), Word("g8", "f6", kKnight), Word("f3", "g1", kKnight),
                Word("f6", "g8", kKnight)};
  LoadSearchPosition(Stack(), game);
  const TreePosition& root = Stack().positions[0];
  EXPECT_EQ(root.hashKey, startKey);
  EXPECT_EQ(root.halfMoveClock, 4);
  EXPECT_EQ(root.side, kWhite);
  EXPECT_EQ(root.lastMove, Word("f6", "g8", kKnight));
  EXPECT_EQ(std::memcmp(root.squares, GamePosition::Initial().squares, 64), 0);
  ASSERT_EQ(Stack().keyHistoryRoot, 4);  // five keys
  EXPECT_EQ(Stack().keyHistory[0], startKey);
  EXPECT_EQ(Stack().keyHistory[4], startKey);
  EXPECT_NE(Stack().keyHistory[2], startKey);
}

TEST(LoadSearchPosition, PawnMoveRestartsTheHistory) {
  Game game;
  game.moves = {Word("g1", "f3", kKnight), Word("e7", "e5", kPawn)};
  LoadSearchPosition(Stack(), game);
  EXPECT_EQ(Stack().keyHistoryRoot, 0);
  EXPECT_EQ(Stack().keyHistory[0], Stack().positions[0].hashKey);
  EXPECT_EQ(Stack().positions[0].halfMoveClock, 0);

  game.moves = {Word("e2", "e4", kPawn)};
  LoadSearchPosition(Stack(), game);
  EXPECT_EQ(Stack().keyHistoryRoot, 0);
  EXPECT_EQ(Stack().positions[0].halfMoveClock, 0);
  EXPECT_EQ(Stack().positions[0].side, kBlack);
  EXPECT_EQ(Stack().keyHistory[0], ComputeHashKey(Stack().positions[0]));
}

TEST(LoadSearchPosition, StartsFromTheGamesStartPosition) {
  // A game set up with Black to move and en passant available.
  Game game;
  game.startPosition = ParseFen("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1");
  game.moves = {Word("d4", "e3", kPawn, kPawn), Word("e1", "d1", kKing), Word("e3", "e2", kPawn),
                Word("d1", "e2", kKing, kPawn)};
  LoadSearchPosition(Stack(), game);
  const TreePosition& root = Stack().positions[0];
  EXPECT_EQ(root.side, kBlack);
  EXPECT_EQ(root.squares[E2], kKing);
  EXPECT_EQ(root.lastMove, Word("d1", "e2", kKing, kPawn));
  EXPECT_EQ(root.white.numPawns + root.black.numPawns, 0);
  EXPECT_EQ(root.halfMoveClock, 0);
  EXPECT_EQ(root.hashKey, ComputeHashKey(root));
}

TEST(LoadSearchPosition, LongReversibleGamesKeepTheHistoryInBounds) {
  // Knights shuffled far beyond the fifty-move rule (as in force mode): the
  // root entry stays low enough for a full-depth search path.
  Game game;
  const Move cycle[4] = {Word("g1", "f3", kKnight), Word("g8", "f6", kKnight), Word("f3", "g1", kKnight),
                         Word("f6", "g8", kKnight)};
  for (int i = 0; i < 200; ++i) game.moves.push_back(cycle[i % 4]);
  LoadSearchPosition(Stack(), game);
  EXPECT_LE(Stack().keyHistoryRoot + kMaxPly - 1, kKeyHistorySize - 1);
  EXPECT_EQ(Stack().positions[0].halfMoveClock, 200);
  EXPECT_EQ(Stack().keyHistory[Stack().keyHistoryRoot], Stack().positions[0].hashKey);
  EXPECT_EQ(Stack().keyHistory[Stack().keyHistoryRoot - 4], Stack().positions[0].hashKey);
}

}  // namespace

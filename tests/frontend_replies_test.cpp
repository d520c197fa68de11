// The texts of the error, illegal-move and result lines and the help text.
#include <gtest/gtest.h>

#include "board/game.h"
#include "board/moves.h"
#include "frontend/replies.h"

namespace {

TEST(Replies, ErrorLine) {
  EXPECT_EQ(ErrorText("command not legal now", {"level", "40", "5", "0"}),
            "Error (command not legal now): level 40 5 0");
  EXPECT_EQ(ErrorText("command not legal now", {"?"}), "Error (command not legal now): ?");
  EXPECT_EQ(ErrorText("white king would be in check", {}), "Error (white king would be in check):");
}

TEST(Replies, IllegalMoveLine) {
  EXPECT_EQ(IllegalMoveText("", {"e2e9"}), "Illegal move: e2e9");
  EXPECT_EQ(IllegalMoveText("", {"time", "3000"}), "Illegal move: time 3000");
  EXPECT_EQ(IllegalMoveText("no piece", {"e3e4"}), "Illegal move (no piece): e3e4");
}

Game AfterMoves(std::initializer_list<const char*> moves) {
  Game game;
  for (const char* text : moves) game.PlayMove(ParseMove(game.currentPosition, text));
  return game;
}

TEST(Replies, ResultLineOfAMate) {
  const Game game = AfterMoves({"f2f3", "e7e5", "g2g4", "d8h4"});
  EXPECT_EQ(ResultText(game, true), "0-1 {black mates}");
  EXPECT_EQ(ResultText(game, false), "game over: 0-1 black mates");
}

TEST(Replies, ResultLinesOfOtherEnds) {
  Game game;
  game.currentPosition.result = kGameDrawn;
  game.currentPosition.reason = kReasonAgreement;
  EXPECT_EQ(ResultText(game, true), "1/2-1/2 {draw by mutal agreement}");
  game.currentPosition.result = kWhiteWins;
  game.currentPosition.reason = kReasonLossOnTime;
  game.currentPosition.sideToMove = kBlack;
  EXPECT_EQ(ResultText(game, false), "game over: 1-0 black has lost on time");
  // "result *": no result text, the line starts with the blank.
  game.currentPosition.result = kGameUndecided;
  game.currentPosition.reason = kReasonUnknown;
  EXPECT_EQ(ResultText(game, true), " {unknown reason}");
  EXPECT_EQ(ResultText(game, false), "game over:  unknown reason");
}

TEST(Replies, HelpTextIsFramedByEmptyLines) {
  const std::vector<std::string>& lines = HelpLines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines.front(), "");
  EXPECT_EQ(lines.back(), "");
  for (size_t i = 1; i + 1 < lines.size(); ++i) EXPECT_FALSE(lines[i].empty()) << i;
}

}  // namespace

// The console and xboard edit dialogue, driven through string streams:
// the console's board and prompts, xboard's silence, pieces placed and
// castling derived, the error line, and a game that changes only when the
// edit ends in a legal position.
#include <gtest/gtest.h>

#include <sstream>

#include "base/end_of_input.h"
#include "board/display.h"
#include "board_test_util.h"
#include "frontend/edit_dialogue.h"
#include "session/line_input.h"

using namespace board_test;

namespace {

// The board as "display" shows it.
std::string Board(const GamePosition& position) {
  std::ostringstream out;
  Display(position, out);
  return out.str();
}

// Runs the dialogue in console or xboard mode and returns what it wrote.
std::string Edit(Game& game, const std::string& input, bool xboard = false, bool* legal = nullptr) {
  std::istringstream in(input);
  LineReader reader(in, -1);
  std::ostringstream out;
  const bool edited = EditGame(game, reader, out, !xboard);
  if (legal != nullptr) *legal = edited;
  return out.str();
}

TEST(Edit, ConsoleDialogueShowsBoardAndPrompts) {
  Game game;
  const std::string output = Edit(game, "c\n.\n");
  EXPECT_EQ(output, Board(GamePosition::Initial()) + "edit(white): edit(black): ");
  EXPECT_EQ(game.currentPosition, GamePosition::Initial());
}

TEST(Edit, PlacesPiecesAndDerivesCastling) {
  Game game;
  Play(game, {"e2e4", "e7e5"});
  const std::string output =
      Edit(game, "#\nKe1\nRh1\nRb1\nc\nke8\nra8\npe5\nc\nPe4\nxe4\n  Pd4  \nverify\nend\n");
  const GamePosition& p = game.currentPosition;
  EXPECT_EQ(p.squares[E1], kKing);
  EXPECT_EQ(p.squares[H1], kRook);
  EXPECT_EQ(p.squares[B1], kRook);
  EXPECT_EQ(p.squares[E8], -kKing);
  EXPECT_EQ(p.squares[A8], -kRook);
  EXPECT_EQ(p.squares[E5], -kPawn);
  EXPECT_EQ(p.squares[E4], 0);
  EXPECT_EQ(p.squares[D4], kPawn);
  EXPECT_EQ(p.whiteCastling, kCastleKingSide);
  EXPECT_EQ(p.blackCastling, kCastleQueenSide);
  EXPECT_EQ(p.epSquare, 0);
  EXPECT_EQ(p.halfMoveCounter, 0);
  EXPECT_EQ(p.sideToMove, kWhite);  // the side to move stays
  EXPECT_TRUE(game.moves.empty());
  EXPECT_EQ(game.startPosition, game.currentPosition);

  EXPECT_NE(output.find("current position is correct.\n"), std::string::npos);
  EXPECT_EQ(output.find("Error"), std::string::npos) << output;
  // After "c" the prompt names the colour being placed.
  EXPECT_NE(output.find("edit(black): "), std::string::npos);
}

// Lines may end in a carriage return before the line end.
TEST(Edit, XboardModePrintsNothing) {
  Game game;
  EXPECT_EQ(Edit(game, "#\nKe1\r\nc\r\nKe8\n.\r\n", true), "");
  EXPECT_EQ(game.currentPosition.squares[E8], -kKing);
}

TEST(Edit, UnknownLinesGetTheErrorLine) {
  Game game;
  const std::string longLine = "K" + std::string(400, 'z');
  const std::string input = "Qe\nZe4\nKi1\nK`1\nKa9\nKa0\nK\xc3\xa9\n\xff\xfe\xfd\n\nc d\nDISPLAY\n" + longLine + "\n.\n";
  const std::string output = Edit(game, input, true);
  std::string expected;
  for (const std::string line : {"Qe", "Ze4", "Ki1", "K`1", "Ka9", "Ka0", "K\xc3\xa9", "\xff\xfe\xfd", "", "c d", "DISPLAY"})
    expected += "Error (invalid command): " + line + "\n";
  expected += "Error (invalid command): " + longLine.substr(0, 255) + "\n";
  EXPECT_EQ(output, expected);
  // Nothing was placed: the game is still the initial one.
  EXPECT_EQ(game.currentPosition, GamePosition::Initial());
}

TEST(Edit, VerifyAndDisplayOnRequest) {
  Game game;
  const std::string output = Edit(game, "Kh4\nverify\ndisplay\nxh4\nverify\n.\n", true);
  const std::string wrong = "current position is not correct.\n";
  const std::string right = "current position is correct.\n";
  ASSERT_NE(output.find(wrong), std::string::npos) << output;
  EXPECT_NE(output.find(right, output.find(wrong)), std::string::npos) << output;
  EXPECT_NE(output.find("  4 |   |   |   |   |   |   |   | *K|\n"), std::string::npos) << output;
}

// A failed end leaves the whole game as it was, edits and all.
TEST(Edit, AnIllegalPositionKeepsTheGame) {
  Game game;
  Play(game, {"e2e4"});
  const Game before = game;
  bool legal = true;
  Edit(game, "#\n.\n", true, &legal);
  EXPECT_FALSE(legal);
  EXPECT_EQ(game.currentPosition, before.currentPosition);
  EXPECT_EQ(game.startPosition, before.startPosition);
  EXPECT_EQ(game.moves, before.moves);
  Edit(game, "Ke4\nend\n", true, &legal);
  EXPECT_FALSE(legal);
  EXPECT_EQ(game.currentPosition, before.currentPosition);
}

// The edited position is judged like any other new position, and an old
// result does not survive the edit.
TEST(Edit, RunsTheGameOverTest) {
  Game game;
  Play(game, {"f2f3", "e7e5", "g2g4", "d8h4"});
  ASSERT_EQ(game.currentPosition.result, kBlackWins);
  Edit(game, "xh4\n.\n", true);
  EXPECT_EQ(game.currentPosition.result, kGameRunning);
  EXPECT_EQ(game.currentPosition.reason, kReasonUnknown);

  Game stalemate = GameFrom("7k/8/6K1/8/8/8/8/8 b - - 0 1");
  ASSERT_EQ(stalemate.currentPosition.reason, kReasonInsufficientMaterial);
  Edit(stalemate, "Qf7\n.\n", true);
  EXPECT_EQ(stalemate.currentPosition.result, kGameDrawn);
  EXPECT_EQ(stalemate.currentPosition.reason, kReasonStalemate);
  EXPECT_EQ(stalemate.GameOverReasonText(), "stalemate");
}

TEST(Edit, ReadsOnlyUpToItsEnd) {
  Game game;
  std::istringstream in("Nc3\n.\nnext line\n");
  LineReader reader(in, -1);
  std::ostringstream out;
  EXPECT_TRUE(EditGame(game, reader, out, false));
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "next line");
}

TEST(Edit, EndOfInputEndsTheDialogue) {
  Game game;
  const Game before = game;
  EXPECT_THROW(Edit(game, "Ke4\n", true), end_of_input);
  EXPECT_EQ(game.currentPosition, before.currentPosition);
}

}  // namespace

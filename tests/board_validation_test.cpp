// Validity of game positions, the game-board attack test, side toggling and
// position set-up.
#include <gtest/gtest.h>

#include "board_test_util.h"

using namespace board_test;

namespace {

std::string Verdict(const GamePosition& p) {
  std::string message = "valid";
  p.IsValidPosition(&message);
  return message;
}

TEST(Validation, InitialPositionPasses) {
  std::string message = "untouched";
  EXPECT_TRUE(GamePosition::Initial().IsValidPosition(&message));
  EXPECT_EQ(message, "untouched");
  EXPECT_TRUE(GamePosition::Initial().IsValidPosition());
}

TEST(Validation, FirstFailedRuleDecidesTheMessage) {
  GamePosition badSide = Placement({"Ke1", "ke8", "Pa1"});
  badSide.sideToMove = 2;
  EXPECT_EQ(Verdict(badSide), "Invalid side to move.");

  // The square scan runs from a1 upward: the first offending square wins.
  EXPECT_EQ(Verdict(Placement({"Ke1", "ke8", "Pa1", "pa8"})), "White pawn on first rank.");
  EXPECT_EQ(Verdict(Placement({"Ke1", "ke8", "ph1"})), "Black pawn on first rank.");
  EXPECT_EQ(Verdict(Placement({"Ke1", "ke8", "pa8", "Ph8"})), "Black pawn on eight rank.");
  EXPECT_EQ(Verdict(Placement({"Ke1", "ke8", "Ph8"})), "White pawn on eight rank.");
  EXPECT_EQ(Verdict(Placement({"Ke1", "Kh4"})), "White has more than one king.");
  EXPECT_EQ(Verdict(Placement({"Ke1", "ke8", "ka2"})), "Black has more than one king.");

  GamePosition unknown = Placement({"Ke1", "ke8"});
  unknown.squares[Sq("d4")] = 7;
  EXPECT_EQ(Verdict(unknown), "Unknown piece found.");
  unknown.squares[Sq("d4")] = -9;
  EXPECT_EQ(Verdict(unknown), "Unknown piece found.");

  EXPECT_EQ(Verdict(Placement({"ke8"})), "White has no king.");
  const std::string noBlackKing = Verdict(Placement({"Ke1"}));
  EXPECT_EQ(noBlackKing, "Black has no king.h");
  EXPECT_EQ(noBlackKing.size(), 19u);

  // En passant is judged before the castling flags, both before the king
  // that could be captured (the rook on e4 attacks Black's king).
  GamePosition all = Placement({"Ke1", "ke8", "Re4"});
  all.epSquare = uint16_t(Sq("e6"));
  all.whiteCastling = kCastleKingSide;
  EXPECT_EQ(Verdict(all), "Invalid en-passant field.");
  all.epSquare = 0;
  EXPECT_EQ(Verdict(all), "Invalid rochade flags.");
  all.whiteCastling = 0;
  EXPECT_EQ(Verdict(all), "King can be captured.");
}

TEST(Validation, EnPassantSquareNeedsThePawnThatCanTakeIt) {
  GamePosition p = Placement({"Ke1", "ke8", "pe5", "Pd5"});
  p.epSquare = uint16_t(Sq("e6"));
  EXPECT_TRUE(p.IsValidPosition());
  p = Placement({"Ke1", "ke8", "pe5", "Pf5"});
  p.epSquare = uint16_t(Sq("e6"));
  EXPECT_TRUE(p.IsValidPosition());

  GamePosition noTaker = Placement({"Ke1", "ke8", "pe5", "Pc5"});
  noTaker.epSquare = uint16_t(Sq("e6"));
  EXPECT_EQ(Verdict(noTaker), "Invalid en-passant field.");
  GamePosition blockedOrigin = Placement({"Ke1", "ke8", "pe5", "Pd5", "ne7"});
  blockedOrigin.epSquare = uint16_t(Sq("e6"));
  EXPECT_EQ(Verdict(blockedOrigin), "Invalid en-passant field.");
  GamePosition wrongRank = Placement({"Ke1", "ke8", "pe4", "Pd4"});
  wrongRank.epSquare = uint16_t(Sq("e5"));
  EXPECT_EQ(Verdict(wrongRank), "Invalid en-passant field.");
  // h4 is a6 - 9 but on the far side of the board.
  GamePosition wrapped = Placement({"Ke1", "ke8", "pa5", "Ph4"});
  wrapped.epSquare = uint16_t(Sq("a6"));
  EXPECT_EQ(Verdict(wrapped), "Invalid en-passant field.");

  GamePosition black = Placement({"Ke1", "ke8", "Pd4", "pe4"}, kBlack);
  black.epSquare = uint16_t(Sq("d3"));
  EXPECT_TRUE(black.IsValidPosition());
  black.sideToMove = kWhite;
  EXPECT_EQ(Verdict(black), "Invalid en-passant field.");
}

TEST(Validation, CastlingFlagsLookOnlyAtKingAndRook) {
  GamePosition p = Placement({"Ke1", "Rh1", "Bf1", "ke8"});
  p.whiteCastling = kCastleKingSide;
  EXPECT_TRUE(p.IsValidPosition());
  p.whiteCastling = kCastleKingSide | kCastleQueenSide;
  EXPECT_EQ(Verdict(p), "Invalid rochade flags.");
  p.whiteCastling = kCastleKingSide | 4;  // bits above bit 1 do not count
  EXPECT_TRUE(p.IsValidPosition());

  GamePosition black = Placement({"Ke1", "ke8", "ra8", "rh7"});
  black.blackCastling = kCastleQueenSide;
  EXPECT_TRUE(black.IsValidPosition());
  black.blackCastling = kCastleKingSide;
  EXPECT_EQ(Verdict(black), "Invalid rochade flags.");
}

TEST(Validation, OnlyTheKingOfTheSideNotToMoveMustBeSafe) {
  GamePosition p = Placement({"Ke1", "Re5", "ke8"}, kBlack);
  EXPECT_TRUE(p.IsValidPosition());
  p.sideToMove = kWhite;
  EXPECT_EQ(Verdict(p), "King can be captured.");
}

TEST(Validation, SquareAttacksOfEveryPieceKind) {
  const GamePosition p = Placement({"Ke1", "ke8", "Pa2", "ph7", "Nb1", "Bc1", "Rf1", "Qd4", "pd6"});
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("b3"), kWhite));   // pawn
  EXPECT_FALSE(IsSquareAttacked(p.squares, Sq("h2"), kWhite));  // a2 + 7 lies across the board edge
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("g6"), kBlack));   // black pawns take downward
  EXPECT_FALSE(IsSquareAttacked(p.squares, Sq("g8"), kBlack));
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("c3"), kWhite));   // knight
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("g5"), kWhite));   // bishop c1 along d2 ... f4
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("f8"), kWhite));   // rook up the open file
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("d6"), kWhite));   // queen up the file to the pawn
  EXPECT_FALSE(IsSquareAttacked(p.squares, Sq("d7"), kWhite));  // but not through it
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("f2"), kWhite));   // king
  EXPECT_TRUE(IsSquareAttacked(p.squares, Sq("d7"), kBlack));   // black king
  EXPECT_FALSE(IsSquareAttacked(p.squares, Sq("a8"), kWhite));
}

TEST(Validation, FindOwnKingWithoutKingIsFatal) {
  EXPECT_EQ(GamePosition::Initial().FindOwnKing(), Sq("e1"));
  EXPECT_DEATH(Placement({"Ke1"}, kBlack).FindOwnKing(), "GamePosition::FindOwnKing\\(\\) found no king\\.");
}

TEST(ToggleSide, RestartsTheRecordFromTheToggledPosition) {
  Game game;
  game.ToggleSide();
  EXPECT_EQ(game.currentPosition.sideToMove, kBlack);
  EXPECT_TRUE(game.moves.empty());
  EXPECT_EQ(game.startPosition, game.currentPosition);

  Play(game, {"e7e5", "g1f3"});
  game.ToggleSide();
  EXPECT_EQ(game.currentPosition.sideToMove, kWhite);
  EXPECT_TRUE(game.moves.empty());
  EXPECT_EQ(game.startPosition, game.currentPosition);
}

TEST(ToggleSide, FailsWithAnEnPassantSquareAndLeavesTheGameAlone) {
  Game game;
  Play(game, {"e2e4", "a7a6", "e4e5", "d7d5"});
  ASSERT_EQ(game.currentPosition.epSquare, Sq("d6"));
  const Game before = game;
  EXPECT_EQ(ThrownMessage([&] { game.ToggleSide(); }), "cannot toggle side.");
  EXPECT_EQ(game.currentPosition, before.currentPosition);
  EXPECT_EQ(game.startPosition, before.startPosition);
  EXPECT_EQ(game.moves, before.moves);
}

TEST(ToggleSide, FailsWhenTheKingCouldBeCaptured) {
  Game game = GameFrom("4k3/8/8/8/8/8/8/R3K3 b - - 0 1");
  Play(game, {"e8d8", "a1a8"});  // check: Black's king attacked with Black to move
  EXPECT_EQ(ThrownMessage([&] { game.ToggleSide(); }), "cannot toggle side.");
  EXPECT_EQ(game.currentPosition.sideToMove, kBlack);
  EXPECT_EQ(game.moves.size(), 2u);
}

// Handing the move to a side without moves ends the game there and then.
TEST(ToggleSide, RunsTheGameOverTest) {
  Game game = GameFrom("7k/5Q2/6K1/8/8/8/8/8 w - - 0 1");
  ASSERT_EQ(game.currentPosition.result, kGameRunning);
  game.ToggleSide();
  EXPECT_EQ(game.currentPosition.result, kGameDrawn);
  EXPECT_EQ(game.currentPosition.reason, kReasonStalemate);
}

TEST(SetupPosition, RefusesInvalidPositionsAndKeepsTheGame) {
  Game game;
  Play(game, {"e2e4"});
  const Game before = game;
  EXPECT_EQ(ThrownMessage([&] { game.SetupPosition(Placement({"Ke1"})); }), "Black has no king.h");
  EXPECT_EQ(game.currentPosition, before.currentPosition);
  EXPECT_EQ(game.startPosition, before.startPosition);
  EXPECT_EQ(game.moves, before.moves);
}

TEST(SetupPosition, StartsAFreshRecordAndJudgesThePosition) {
  Game game;
  Play(game, {"f2f3", "e7e5", "g2g4", "d8h4"});
  ASSERT_EQ(game.currentPosition.result, kBlackWins);
  game.SetupPosition(ParseFen("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1"));
  EXPECT_TRUE(game.moves.empty());
  EXPECT_EQ(game.currentPosition.result, kGameRunning);
  EXPECT_EQ(game.currentPosition.reason, kReasonUnknown);
  EXPECT_EQ(game.startPosition, game.currentPosition);

  game.SetupPosition(ParseFen("4k3/4Q3/4K3/8/8/8/8/8 b - - 0 1"));
  EXPECT_EQ(game.currentPosition.result, kWhiteWins);
  EXPECT_EQ(game.currentPosition.reason, kReasonMate);
}

}  // namespace

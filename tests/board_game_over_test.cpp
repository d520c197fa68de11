// Game-over detection: mate, stalemate, fifty moves, insufficient material,
// repetition, and the reason texts.
#include <gtest/gtest.h>

#include "board/game_over.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

void ExpectOutcome(const Game& game, uint32_t result, uint32_t reason, const std::string& text) {
  EXPECT_EQ(game.currentPosition.result, result);
  EXPECT_EQ(game.currentPosition.reason, reason);
  EXPECT_EQ(game.GameOverReasonText(), text);
}

void ExpectRunning(const Game& game) { ExpectOutcome(game, kGameRunning, kReasonUnknown, "unknown reason"); }

TEST(GameOver, FoolsMateAndScholarsMate) {
  Game fools;
  Play(fools, {"f2f3", "e7e5", "g2g4"});
  ExpectRunning(fools);
  Play(fools, {"d8h4"});
  ExpectOutcome(fools, kBlackWins, kReasonMate, "black mates");

  Game scholars;
  Play(scholars, {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"});
  ExpectOutcome(scholars, kWhiteWins, kReasonMate, "white mates");
}

TEST(GameOver, Stalemate) {
  Game game = GameFrom("7k/8/6K1/8/8/8/8/5Q2 w - - 0 1");
  Play(game, {"f1f7"});
  ExpectOutcome(game, kGameDrawn, kReasonStalemate, "stalemate");
}

// The en-passant capture is the only move that saves Black from stalemate.
TEST(GameOver, EnPassantCountsAsAMove) {
  GamePosition p = ParseFen("k5r1/8/4p3/3pP3/8/7p/7P/7K w - d6 0 1");
  ASSERT_EQ(p.epSquare, D6);
  EXPECT_FALSE(HasNoLegalMove(p));
  p.epSquare = 0;
  EXPECT_TRUE(HasNoLegalMove(p));

  // Only from the files beside the double-stepped pawn: the pawn on a6
  // (h5 + 1) does not take onto h6 across the board edge.
  GamePosition edge = ParseFen("k5r1/p7/P7/7p/8/7p/7P/7K w - - 0 1");
  ASSERT_TRUE(HasNoLegalMove(edge));
  edge.epSquare = H6;
  EXPECT_TRUE(HasNoLegalMove(edge));
}

TEST(GameOver, FiftyMovesAtTheHundredthPly) {
  Game game = GameFrom("4k3/8/8/8/8/8/R7/4K3 w - - 98 80");
  Play(game, {"a2a3"});
  EXPECT_EQ(game.currentPosition.halfMoveCounter, 99);
  ExpectRunning(game);
  Play(game, {"e8d7"});
  ExpectOutcome(game, kGameDrawn, kReasonFiftyMoves, "draw by fifthy move rule");

  // Mate on the hundredth ply is still mate.
  Game mate = GameFrom("6k1/8/6K1/8/8/8/8/R7 w - - 99 80");
  Play(mate, {"a1a8"});
  ExpectOutcome(mate, kWhiteWins, kReasonMate, "white mates");
}

// Declared only where no sequence of legal moves can mate; wherever a mate
// can still be reached (however unlikely), the game plays on.
TEST(GameOver, InsufficientMaterial) {
  struct Case {
    const char* fen;
    bool drawn;
  };
  const Case kCases[] = {
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},
      {"4k3/8/8/8/8/8/8/1N2K3 w - - 0 1", true},     // a knight alone
      {"4k3/8/3b4/8/8/8/8/4K3 w - - 0 1", true},     // a bishop alone
      {"4k3/8/3b4/8/8/8/8/2B1K3 w - - 0 1", true},   // bishops on the same colour
      {"1b2k3/8/3b4/8/8/8/8/2B1K1B1 w - - 0 1", true},  // four, all on dark squares
      {"4k3/8/3b4/8/8/8/8/1N2K3 w - - 0 1", false},  // knight against bishop
      {"4k3/8/4b3/8/8/8/8/2B1K3 w - - 0 1", false},  // bishops on opposite colours
      {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", false},   // a bishop pair
      {"4k3/8/8/8/8/8/8/1NN1K3 w - - 0 1", false},   // two knights
      {"4k3/8/8/8/8/8/8/1n2K1N1 w - - 0 1", false},  // a knight each
      {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", false},    // a pawn
      {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", false},     // a rook
      {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", false},     // a queen
      {"4kbb1/8/8/8/8/8/8/4K3 w - - 0 1", false},    // two bishops
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.fen);
    const Game game = GameFrom(c.fen);
    if (c.drawn)
      ExpectOutcome(game, kGameDrawn, kReasonInsufficientMaterial, "insufficient material");
    else
      ExpectRunning(game);
  }
  // Reached by a capture in play.
  Game game = GameFrom("4k3/8/8/8/8/8/3r4/3NK3 w - - 0 1");
  Play(game, {"e1d2"});
  ExpectOutcome(game, kGameDrawn, kReasonInsufficientMaterial, "insufficient material");

  // One side alone that can never mate, while the other still can: a flag
  // against that other side draws. White's men are first in each FEN; every
  // "can mate" has a mate that the opponent's own men help to build.
  const struct {
    const char* fen;
    bool whiteCanNeverMate;
  } kOneSide[] = {
      {"4k3/8/8/8/8/8/r7/K7 w - - 0 1", true},           // a lone king
      {"4k3/3q4/8/8/8/8/3q4/K3N3 w - - 0 1", true},      // a knight against queens only
      {"4k3/8/8/8/8/8/3r4/K3N3 w - - 0 1", false},       // against a rook: Kg6 Nf7 mate Kh8 Rg8
      {"4k3/8/8/8/8/8/3p4/K3N3 w - - 0 1", false},       // against a pawn: Kf8 Nf7 mate Kh8 h7
      {"4k3/8/8/8/8/8/3qr3/K3B3 w - - 0 1", true},       // a bishop against a queen and rook
      {"4k3/8/8/8/8/8/3br3/K3B3 w - - 0 1", true},       // against a rook and a bishop of its colour
      {"4k3/8/8/8/8/8/4b3/K3B3 w - - 0 1", false},       // against a bishop of the other colour
      {"4k3/8/8/8/8/8/3n4/K3B3 w - - 0 1", false},       // against a knight: Kb6 Bb7 mate Ka8 Nb8
      {"4k3/8/8/8/8/8/3p4/K3B3 w - - 0 1", false},       // against a pawn: Kc7 Bd5 mate Ka8 a7
      {"4k3/8/8/8/8/8/3r4/K1B1B3 w - - 0 1", true},      // two bishops of one colour
      {"4k3/8/8/8/8/8/3r4/K3BB2 w - - 0 1", false},      // a bishop pair
      {"4k3/8/8/8/8/8/3q4/K3NN2 w - - 0 1", false},      // two knights
      {"4k3/8/8/8/8/8/3q4/K3NB2 w - - 0 1", false},      // knight and bishop
      {"4k3/8/8/8/8/8/3q3P/K7 w - - 0 1", false},        // a pawn promotes
  };
  for (const auto& c : kOneSide) {
    SCOPED_TRACE(c.fen);
    const GamePosition p = ParseFen(c.fen);
    EXPECT_EQ(CannotEverMate(p, kWhite), c.whiteCanNeverMate);
    EXPECT_FALSE(CannotEverMate(p, kBlack));
  }
}

TEST(Repetition, ThirdOccurrenceAfterTheKnightShuffle) {
  Game game;
  Play(game, {"g1f3", "g8f6", "f3g1", "f6g8"});
  ExpectRunning(game);  // the initial placement for the second time
  Play(game, {"g1f3", "g8f6", "f3g1"});
  ExpectRunning(game);
  Play(game, {"f6g8"});
  ExpectOutcome(game, kGameDrawn, kReasonRepetition, "draw by repetition");
}

// The positions before the last pawn moves are replayed without being
// compared; the counting starts in the right place.
TEST(Repetition, CountsFromTheLastIrreversibleMove) {
  Game game;
  Play(game, {"e2e4", "e7e5", "d2d4", "d7d5"});
  Play(game, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"});
  ExpectRunning(game);
  Play(game, {"f6g8"});
  ExpectOutcome(game, kGameDrawn, kReasonRepetition, "draw by repetition");
}

TEST(Repetition, CastlingRightsDoNotMakePositionsDiffer) {
  Game game = GameFrom("r3k3/8/8/8/8/8/8/R3K3 w Qq - 0 1");
  Play(game, {"a1b1", "a8b8", "b1a1", "b8a8"});  // same placement, no rights left
  EXPECT_EQ(game.currentPosition.whiteCastling, 0);
  ExpectRunning(game);
  Play(game, {"a1b1", "a8b8", "b1a1", "b8a8"});
  ExpectOutcome(game, kGameDrawn, kReasonRepetition, "draw by repetition");
}

// The start placement comes back after moves 5 and 9, both times with Black
// to move: with the start (White to move) that is only the second
// occurrence of the position.
TEST(Repetition, SidesToMoveMustMatch) {
  Game game = GameFrom("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  Play(game, {"a1a2", "e8d8", "a2a3", "d8e8", "a3a1", "e8d8", "a1a2", "d8e8", "a2a1"});
  ExpectRunning(game);
  Play(game, {"e8d8", "a1a2", "d8e8", "a2a1"});
  ExpectOutcome(game, kGameDrawn, kReasonRepetition, "draw by repetition");
}

TEST(TakeBack, UndoesAMate) {
  Game game;
  Play(game, {"f2f3", "e7e5", "g2g4", "d8h4"});
  ASSERT_EQ(game.currentPosition.result, kBlackWins);
  game.TakeBack();
  ExpectRunning(game);
  EXPECT_EQ(game.moves.size(), 3u);
  EXPECT_EQ(game.currentPosition.sideToMove, kBlack);
}

// The texts that name a side; the others are checked where they arise.
TEST(ReasonText, SidesNamedByTheSideToMove) {
  Game game;
  const struct {
    uint32_t reason;
    int side;
    const char* text;
  } kCases[] = {
      {kReasonMate, kWhite, "black mates"},          {kReasonMate, kBlack, "white mates"},
      {kReasonResignation, kWhite, "white resigned"}, {kReasonLossOnTime, kBlack, "black has lost on time"},
      {kReasonAgreement, kBlack, "draw by mutal agreement"},
      // A flag against a side that can never mate draws for that reason.
      {kReasonTimeoutDraw, kWhite, "insufficient material"},
  };
  for (const auto& c : kCases) {
    game.currentPosition.reason = c.reason;
    game.currentPosition.sideToMove = uint16_t(c.side);
    EXPECT_EQ(game.GameOverReasonText(), c.text);
  }
  // A resignation names the loser, whoever is to move.
  game.currentPosition.reason = kReasonResignation;
  game.currentPosition.sideToMove = kWhite;
  game.currentPosition.result = kWhiteWins;
  EXPECT_EQ(game.GameOverReasonText(), "black resigned");
  game.currentPosition.sideToMove = kBlack;
  game.currentPosition.result = kBlackWins;
  EXPECT_EQ(game.GameOverReasonText(), "white resigned");
  game.currentPosition.result = kGameRunning;
  game.currentPosition.reason = 11;
  EXPECT_DEATH(game.GameOverReasonText(), "Game::GameOverReasonText\\(\\) switch fell through");
}

}  // namespace

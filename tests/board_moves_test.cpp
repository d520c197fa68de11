// Move text, legality, the game make-move, the game record and take-back.
#include <gtest/gtest.h>

#include "board/san.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

const char* const kCastlingFen = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";

std::string ParseError(const GamePosition& p, const std::string& text) {
  return ThrownMessage([&] { ParseMove(p, text); });
}

TEST(ParseMove, ReadsCoordinatesInEitherCase) {
  const GamePosition p = GamePosition::Initial();
  const Move word = ParseMove(p, "e2e4");
  EXPECT_EQ(word, MakeMoveWord(E2, E4, kPawn));
  EXPECT_EQ(ParseMove(p, "E2E4"), word);
  EXPECT_EQ(ParseMove(p, "e2E4"), word);
  EXPECT_EQ(ParseMove(p, "g1f3"), MakeMoveWord(G1, F3, kKnight));
  for (const char* illegal : {"e2e5", "e1e2", "g1g3", "e7e5", "a1a3"}) EXPECT_EQ(ParseError(p, illegal), "Invalid move.") << illegal;
}

// Chess960 castling in coordinates is the king taking its own rook, both
// ways; the king's two-file move to its castling square is read too where it
// is no other move. Standard chess reads e1g1 only, and "O-O" in SAN is the
// same move in both.
TEST(ParseMove, Chess960CastlingIsTheKingTakingItsOwnRook) {
  const GamePosition p = ParseFen("1r4kr/6p1/8/8/8/8/6P1/1R3KR1 w GBhb - 0 1", true);
  const Move shortCastle = MakeMoveWord(F1, G1, kKing, 0, 1);
  EXPECT_EQ(ParseMove(p, "f1g1"), shortCastle);  // the king onto its rook: castling, no capture
  EXPECT_EQ(ParseSanMove(p, "O-O"), shortCastle);
  EXPECT_EQ(CoordinateMoveText(shortCastle, p), "f1g1");
  EXPECT_EQ(SanMoveText(p, shortCastle), "O-O");
  const Move longCastle = MakeMoveWord(F1, C1, kKing, 0, 2);
  EXPECT_EQ(ParseMove(p, "f1b1"), longCastle);
  EXPECT_EQ(ParseMove(p, "f1c1"), longCastle);
  EXPECT_EQ(CoordinateMoveText(longCastle, p), "f1b1");
  EXPECT_EQ(CoordinateMoveText(longCastle, GamePosition::Initial()), "f1c1");  // a standard game: king's squares
  GamePosition black = p;
  black.sideToMove = kBlack;
  const Move kingStays = MakeMoveWord(G8, G8, kKing, 0, 1);
  EXPECT_EQ(ParseMove(black, "g8h8"), kingStays);
  EXPECT_EQ(CoordinateMoveText(kingStays, black), "g8h8");
  ApplyMove(black, kingStays);
  EXPECT_EQ(black.squares[G8], -kKing);
  EXPECT_EQ(black.squares[F8], -kRook);
  EXPECT_EQ(black.squares[H8], 0);
  // The usual start in Chess960: e1h1 castles, e1g1 too; standard chess
  // takes e1g1 alone.
  GamePosition start = GamePosition::Chess960Start(518);
  for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5"}) ApplyMove(start, ParseMove(start, move));
  EXPECT_EQ(ParseMove(start, "e1h1"), kWhiteCastleShort);
  EXPECT_EQ(ParseMove(start, "e1g1"), kWhiteCastleShort);
  EXPECT_EQ(CoordinateMoveText(kWhiteCastleShort, start), "e1h1");
  GamePosition standard = start;
  standard.chess960 = 0;
  EXPECT_EQ(ParseMove(standard, "e1g1"), kWhiteCastleShort);
  EXPECT_EQ(ParseError(standard, "e1h1"), "Invalid move.");
  EXPECT_EQ(CoordinateMoveText(kWhiteCastleShort, standard), "e1g1");
  // A king's step onto its castling square from the rank above is a step,
  // in both (h7-g8 and d2-c1 once named castling squares by their distance).
  for (const bool chess960 : {false, true}) {
    GamePosition kings = ParseFen("8/7k/8/8/8/8/3K4/8 b - - 0 1", chess960);
    EXPECT_EQ(ParseMove(kings, "h7g8"), MakeMoveWord(H7, G8, kKing)) << chess960;
    ApplyMove(kings, MakeMoveWord(H7, G8, kKing));
    EXPECT_EQ(ParseMove(kings, "d2c1"), MakeMoveWord(D2, C1, kKing)) << chess960;
  }
}

TEST(ParseMove, RejectsTextThatNamesNoSquares) {
  const GamePosition p = GamePosition::Initial();
  // "i1" would be a2 and "`3" h3 if only the square index were checked.
  for (const std::string& text : std::vector<std::string>{"", "e", "e2e", "z9z9", "a0a1", "i1i2", "i1a3", "g1`3", "e2e9", "e0e4", "@2a3", "e2\xc3\xa4", "\xff\xfe\xfd\xfc",
        std::string("e2\0e4", 5), "    ", "2e4e"})
    EXPECT_EQ(ParseError(p, text), "Invalid move.") << text;
  EXPECT_EQ(ParseError(p, std::string(100000, 'x')), "Invalid move.");
  // Characters after the move are not looked at for a move that does not promote.
  EXPECT_EQ(ParseMove(p, "g1f3" + std::string(1000, '\xe9')), MakeMoveWord(G1, F3, kKnight));
}

TEST(ParseMove, PromotesByEveryLetterAndToAQueenByDefault) {
  const GamePosition white = ParseFen("3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1");
  const struct {
    const char* text;
    int piece;
  } kCases[] = {{"e7e8", kQueen},  {"e7e8q", kQueen}, {"e7e8Q", kQueen},  {"e7e8x", kQueen}, {"e7e8n", kKnight},
                {"e7e8N", kKnight}, {"e7e8S", kKnight}, {"e7e8s", kKnight}, {"e7e8b", kBishop}, {"e7e8L", kBishop},
                {"e7e8l", kBishop}, {"e7e8r", kRook},   {"e7e8T", kRook},   {"e7e8t", kRook},   {"e7e8\xe9", kQueen}};
  for (const auto& c : kCases) {
    const Move m = ParseMove(white, c.text);
    EXPECT_EQ(m, MakeMoveWord(E7, E8, kPawn, 0, c.piece)) << c.text;
    GamePosition after = white;
    ApplyMove(after, m);
    EXPECT_EQ(after.squares[E8], c.piece) << c.text;
    EXPECT_EQ(after.squares[E7], 0);
  }
  EXPECT_EQ(ParseMove(white, "e7d8n"), MakeMoveWord(E7, D8, kPawn, kRook, kKnight));

  const GamePosition black = ParseFen("4k3/8/8/8/8/8/p7/1N2K3 b - - 0 1");
  for (const char* text : {"a2a1t", "a2b1T"}) {
    GamePosition after = black;
    ApplyMove(after, ParseMove(black, text));
    EXPECT_EQ(after.squares[MoveTo(ParseMove(black, text))], -kRook) << text;
  }
}

// A word of a legal move with anything wrong in its fields is rejected.
TEST(IsLegalMove, RejectsMalformedWords) {
  const GamePosition p = ParseFen("4k3/8/8/8/8/8/4P3/4K1N1 w - - 0 1");
  EXPECT_TRUE(IsLegalMove(p, MakeMoveWord(G1, F3, kKnight)));
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(G1, F3, kBishop)));        // wrong moving type
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(G1, F3, kKnight, kPawn)));  // captures nothing there
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(G1, F3, kKnight, 0, 1)));   // special field on a knight
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(E1, F1, kKing, 0, 1)));     // castling flag on a step
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(G1, F3, kKnight) | 1u << 21));
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(E2, E4, kPawn, 0, kQueen)));  // promotion off the last rank
  EXPECT_FALSE(IsLegalMove(p, MakeMoveWord(E1, G1, kKing)));             // two files without castling
  EXPECT_FALSE(IsLegalMove(p, 0));

  // On the en-passant square a pawn's capture carries a pawn, a piece's
  // move nothing.
  const GamePosition ep = ParseFen("4k3/8/8/3pP3/8/8/8/4K1N1 w - d6 0 1");
  ASSERT_EQ(ep.epSquare, D6);
  EXPECT_TRUE(IsLegalMove(ep, MakeMoveWord(E5, D6, kPawn, kPawn)));
  EXPECT_FALSE(IsLegalMove(ep, MakeMoveWord(E5, D6, kPawn)));
  const GamePosition epKnight = ParseFen("4k3/8/8/3pP3/4N3/8/8/4K3 w - d6 0 1");
  EXPECT_TRUE(IsLegalMove(epKnight, MakeMoveWord(E4, D6, kKnight)));
  EXPECT_FALSE(IsLegalMove(epKnight, MakeMoveWord(E4, D6, kKnight, kPawn)));
}

TEST(Castling, ParsedAsTheCastlingWords) {
  GamePosition p = ParseFen(kCastlingFen);
  EXPECT_EQ(ParseMove(p, "e1g1"), 287108u);
  EXPECT_EQ(ParseMove(p, "E1C1"), 548996u);
  p.sideToMove = kBlack;
  EXPECT_EQ(ParseMove(p, "e8g8"), 290748u);
  EXPECT_EQ(ParseMove(p, "e8c8"), 552636u);
}

// Text naming the other side's king never becomes a castling of the side to
// move.
TEST(Castling, TheOtherSidesKingDoesNotCastleForTheSideToMove) {
  const GamePosition p = ParseFen(kCastlingFen);
  EXPECT_EQ(ParseError(p, "e8g8"), "Invalid move.");
  EXPECT_EQ(ParseError(p, "e8c8"), "Invalid move.");
}

TEST(Castling, NotOutOfThroughOrIntoAttack) {
  struct Case {
    const char* fen;
    const char* text;
    bool legal;
  };
  const Case kCases[] = {
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", true},
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", true},
      {"4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // f1 attacked
      {"4k1r1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // g1 attacked
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", true},
      {"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1g1", false},  // in check
      {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", false},   // d1 attacked
      {"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", "e1c1", true},   // only b1 attacked
      {"4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", "e1c1", false},   // b1 occupied
      {"4k3/8/8/8/8/8/8/R3K2R w Q - 0 1", "e1g1", false},     // right given up
      {"r3k2r/8/8/2B5/8/8/8/4K3 b kq - 0 1", "e8c8", true},
      {"r3k2r/8/8/2B5/8/8/8/4K3 b kq - 0 1", "e8g8", false},  // f8 attacked by the bishop
  };
  for (const Case& c : kCases) {
    const GamePosition p = ParseFen(c.fen);
    const Move word = BuildMoveWord(p, Sq(c.text), Sq(c.text + 2), kQueen);
    EXPECT_EQ(IsLegalMove(p, word), c.legal) << c.fen << " " << c.text;
  }
}

TEST(Castling, NeedsTheRookEvenWithTheFlagSet) {
  GamePosition p = Placement({"Ke1", "ke8", "Ra1"});
  p.whiteCastling = kCastleKingSide | kCastleQueenSide;
  EXPECT_FALSE(IsLegalMove(p, kWhiteCastleShort));
  EXPECT_TRUE(IsLegalMove(p, kWhiteCastleLong));
  p.squares[H1] = -kRook;  // a rook, but Black's
  EXPECT_FALSE(IsLegalMove(p, kWhiteCastleShort));
}

TEST(Castling, MovesTheRookAndEndsTheRights) {
  Game game = GameFrom(kCastlingFen);
  Play(game, {"e1g1"});
  EXPECT_EQ(game.currentPosition.squares[G1], kKing);
  EXPECT_EQ(game.currentPosition.squares[F1], kRook);
  EXPECT_EQ(game.currentPosition.squares[H1], 0);
  EXPECT_EQ(game.currentPosition.whiteCastling, 0);
  EXPECT_EQ(game.currentPosition.halfMoveCounter, 1);
  Play(game, {"e8c8"});
  EXPECT_EQ(game.currentPosition.squares[C8], -kKing);
  EXPECT_EQ(game.currentPosition.squares[D8], -kRook);
  EXPECT_EQ(game.currentPosition.squares[A8], 0);
  EXPECT_EQ(game.currentPosition.blackCastling, 0);
}

TEST(Castling, LostByARookMoveOrCapture) {
  Game white = GameFrom("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  Play(white, {"h1h8"});  // the rook leaves h1 and takes the rook on h8
  EXPECT_EQ(white.currentPosition.whiteCastling, kCastleQueenSide);
  EXPECT_EQ(white.currentPosition.blackCastling, kCastleQueenSide);
  EXPECT_TRUE(white.currentPosition.IsValidPosition());

  Game black = GameFrom("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  Play(black, {"a8a1"});
  EXPECT_EQ(black.currentPosition.whiteCastling, kCastleKingSide);
  EXPECT_EQ(black.currentPosition.blackCastling, kCastleKingSide);
  EXPECT_TRUE(black.currentPosition.IsValidPosition());
}

TEST(EnPassant, SquareSetOnlyWhenAPawnCanTake) {
  Game game;
  Play(game, {"e2e4"});
  EXPECT_EQ(game.currentPosition.epSquare, 0);
  Play(game, {"d7d5", "e4e5", "f7f5"});
  EXPECT_EQ(game.currentPosition.epSquare, F6);
  const Move capture = ParseMove(game.currentPosition, "e5f6");
  EXPECT_EQ(capture, MakeMoveWord(E5, F6, kPawn, kPawn));
  EXPECT_EQ(LongMoveText(capture), "e5xf6");
  game.PlayMove(capture);
  EXPECT_EQ(game.currentPosition.squares[F6], kPawn);
  EXPECT_EQ(game.currentPosition.squares[F5], 0);
  EXPECT_EQ(game.currentPosition.epSquare, 0);

  // A double step beside an enemy pawn on the far edge is no such chance.
  Game edge = GameFrom("4k3/8/8/8/7p/8/P7/4K3 w - - 0 1");
  Play(edge, {"a2a4"});
  EXPECT_EQ(edge.currentPosition.epSquare, 0);
  Game black = GameFrom("4k3/7p/8/6P1/8/8/8/4K3 b - - 0 1");
  Play(black, {"h7h5"});
  EXPECT_EQ(black.currentPosition.epSquare, H6);
  // Only right after the double step.
  Play(black, {"e1d1", "e8d8"});
  EXPECT_EQ(ParseError(black.currentPosition, "g5h6"), "Invalid move.");
}

TEST(HalfMoveCounter, CountsPliesWithoutCaptureOrPawnMove) {
  Game game;
  Play(game, {"g1f3", "b8c6"});
  EXPECT_EQ(game.currentPosition.halfMoveCounter, 2);
  Play(game, {"e2e4"});
  EXPECT_EQ(game.currentPosition.halfMoveCounter, 0);
  Play(game, {"c6d4"});
  EXPECT_EQ(game.currentPosition.halfMoveCounter, 1);
  Play(game, {"f3d4"});
  EXPECT_EQ(game.currentPosition.halfMoveCounter, 0);
}

TEST(PlayMove, RejectsIllegalMovesAndKeepsTheGame) {
  Game game;
  Play(game, {"e2e4"});
  const Game before = game;
  EXPECT_EQ(ThrownMessage([&] { game.PlayMove(MakeMoveWord(E4, E5, kPawn)); }), "invalid move.");
  EXPECT_EQ(ThrownMessage([&] { game.PlayMove(0); }), "invalid move.");
  EXPECT_EQ(game.currentPosition, before.currentPosition);
  EXPECT_EQ(game.moves, before.moves);
}

TEST(PlayMove, NothingIsPlayedInAFinishedGame) {
  Game game;
  Play(game, {"f2f3", "e7e5", "g2g4", "d8h4"});
  ASSERT_NE(game.currentPosition.result, kGameRunning);
  const Game before = game;
  for (Move m : {MakeMoveWord(E1, F2, kKing), MakeMoveWord(A2, A3, kPawn)})
    EXPECT_EQ(ThrownMessage([&] { game.PlayMove(m); }), "invalid move.");
  EXPECT_EQ(ParseError(game.currentPosition, "a2a3"), "Invalid move.");
  EXPECT_EQ(game.moves, before.moves);
  // Resignation and the other front-end outcomes end the game as well.
  Game resigned;
  resigned.currentPosition.result = kBlackWins;
  resigned.currentPosition.reason = kReasonResignation;
  EXPECT_EQ(ThrownMessage([&] { resigned.PlayMove(MakeMoveWord(E2, E4, kPawn)); }), "invalid move.");
}

TEST(TakeBack, RestoresThePreviousPositionExactly) {
  Game game = GameFrom(kCastlingFen);
  const Game fresh = game;
  game.TakeBack();
  EXPECT_EQ(game.currentPosition, fresh.currentPosition);
  EXPECT_TRUE(game.moves.empty());

  Play(game, {"e1g1"});
  game.TakeBack();
  EXPECT_EQ(game.currentPosition, fresh.currentPosition);
  EXPECT_TRUE(game.moves.empty());

  Game ep;
  Play(ep, {"e2e4", "a7a6", "e4e5", "d7d5"});
  const GamePosition withEp = ep.currentPosition;
  ASSERT_EQ(withEp.epSquare, D6);
  Play(ep, {"e5d6"});
  ep.TakeBack();
  EXPECT_EQ(ep.currentPosition, withEp);
  EXPECT_EQ(ep.moves.size(), 4u);
}

TEST(MoveText, TheThreeForms) {
  const GamePosition initial = GamePosition::Initial();
  const Move e2e4 = MakeMoveWord(E2, E4, kPawn);
  EXPECT_EQ(MoveToText(initial, e2e4, kMoveTextUpperCoordinates), "E2E4");
  EXPECT_EQ(MoveToText(initial, e2e4, kMoveTextLong), "e2-e4");
  EXPECT_EQ(MoveToText(initial, MakeMoveWord(G1, F3, kKnight), kMoveTextLong), "Ng1-f3");
  EXPECT_EQ(ThrownMessage([&] { MoveToText(initial, MakeMoveWord(E2, E5, kPawn), kMoveTextLong); }), "Invalid move.");
  EXPECT_DEATH(MoveToText(initial, e2e4, kMoveTextAlgebraic), "Algebraic not implemented!");

  const GamePosition promotion = ParseFen("k2r4/4P3/8/8/8/8/8/4K2R w K - 0 1");
  const Move capturePromotion = ParseMove(promotion, "e7d8n");
  EXPECT_EQ(MoveToText(promotion, capturePromotion, kMoveTextUpperCoordinates), "E7D8");
  EXPECT_EQ(LongMoveText(capturePromotion), "e7xd8N");
  EXPECT_EQ(LongMoveText(ParseMove(promotion, "e7e8")), "e7-e8Q");
  EXPECT_EQ(LongMoveText(kWhiteCastleShort), "Ke1-g1");
  EXPECT_EQ(LongMoveText(kBlackCastleLong), "Ke8-c8");

  EXPECT_EQ(CoordinateMoveText(e2e4), "e2e4");
  EXPECT_EQ(CoordinateMoveText(ParseMove(promotion, "e7e8")), "e7e8q");
  EXPECT_EQ(CoordinateMoveText(capturePromotion), "e7d8n");
  EXPECT_EQ(CoordinateMoveText(kWhiteCastleShort), "e1g1");  // no letter for the castling field
  std::string line = "pv ";
  AppendCoordinateMoveText(line, e2e4);
  AppendCoordinateMoveText(line, MakeMoveWord(H2, H1, kPawn, 0, kRook));
  EXPECT_EQ(line, "pv e2e4h2h1r");
}

}  // namespace

// The board picture in both glyph sets, from both sides, with the last move
// marked: exact lines for one position.
#include <gtest/gtest.h>

#include "board/board_picture.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

using Lines = std::vector<std::string>;

// After 1. e4 e5 2. Nf3 Nc6 3. Bb5: the bishop's squares f1 and b5 marked.
Game RuyLopez() {
  Game game;
  Play(game, {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"});
  return game;
}

TEST(BoardPicture, AsciiFromWhitesSide) {
  const Game game = RuyLopez();
  EXPECT_EQ(BoardPicture(game.currentPosition, kWhite, game.moves.back(), PieceGlyphs::kAscii),
            (Lines{"   a  b  c  d  e  f  g  h",
                   "8  r  .  b  q  k  b  n  r  8",
                   "7  p  p  p  p  .  p  p  p  7",
                   "6  .  .  n  .  .  .  .  .  6",
                   "5  . [B] .  .  p  .  .  .  5",
                   "4  .  .  .  .  P  .  .  .  4",
                   "3  .  .  .  .  .  N  .  .  3",
                   "2  P  P  P  P  .  P  P  P  2",
                   "1  R  N  B  Q  K [.] .  R  1",
                   "   a  b  c  d  e  f  g  h"}));
}

TEST(BoardPicture, AsciiFromBlacksSideWithoutALastMove) {
  const Game game = RuyLopez();
  EXPECT_EQ(BoardPicture(game.currentPosition, kBlack, 0, PieceGlyphs::kAscii),
            (Lines{"   h  g  f  e  d  c  b  a",
                   "1  R  .  .  K  Q  B  N  R  1",
                   "2  P  P  P  .  P  P  P  P  2",
                   "3  .  .  N  .  .  .  .  .  3",
                   "4  .  .  .  P  .  .  .  .  4",
                   "5  .  .  .  p  .  .  B  .  5",
                   "6  .  .  .  .  .  n  .  .  6",
                   "7  p  p  p  .  p  p  p  p  7",
                   "8  r  n  b  k  q  b  .  r  8",
                   "   h  g  f  e  d  c  b  a"}));
}

TEST(BoardPicture, UnicodeFromBothSides) {
  const Game game = RuyLopez();
  const Lines white = BoardPicture(game.currentPosition, kWhite, game.moves.back(), PieceGlyphs::kUnicode);
  EXPECT_EQ(white[1], "8  ♜  ·  ♝  ♛  ♚  ♝  ♞  ♜  8");
  EXPECT_EQ(white[4], "5  · [♗] ·  ·  ♟  ·  ·  ·  5");
  EXPECT_EQ(white[8], "1  ♖  ♘  ♗  ♕  ♔ [·] ·  ♖  1");
  const Lines black = BoardPicture(game.currentPosition, kBlack, game.moves.back(), PieceGlyphs::kUnicode);
  EXPECT_EQ(black[0], "   h  g  f  e  d  c  b  a");
  EXPECT_EQ(black[1], "1  ♖  · [·] ♔  ♕  ♗  ♘  ♖  1");
  EXPECT_EQ(black[2], "2  ♙  ♙  ♙  ·  ♙  ♙  ♙  ♙  2");
  EXPECT_EQ(black[5], "5  ·  ·  ·  ♟  ·  · [♗] ·  5");
  EXPECT_EQ(black.size(), 10u);
}

}  // namespace

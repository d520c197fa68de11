// Typed moves: what a person types, in SAN or coordinates, is the legal
// move or the reason why not, in a person's words.
#include <gtest/gtest.h>

#include "board/move_advice.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

const char* const kInitial = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char* const kTwoKnights = "4k3/8/8/8/8/2N5/8/4K1N1 w - - 0 1";          // c3 and g1 reach e2
const char* const kPinned = "4k3/4r3/8/8/8/5N2/4N3/4K3 w - - 0 1";            // the e2 knight is pinned
const char* const kPinnedEnPassant = "8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1";    // exd6 opens the fifth rank
const char* const kThroughCheck = "4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1";       // f1 attacked
const char* const kInCheck = "4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1";
const char* const kQueenSideOnly = "4k3/8/8/8/8/8/8/R3K2R w Q - 0 1";
const char* const kPromotion = "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1";
const char* const kBlackPromotion = "4k3/8/8/8/8/8/p7/1N2K3 b - - 0 1";
const char* const kTwoBishops = "4k3/7p/8/8/8/3B4/8/3BK3 w - - 0 1";         // d1 and d3 reach e2
const char* const kMated = "R2k4/8/3K4/8/8/8/8/8 b - - 0 1";

using P = MoveProblem;

TEST(TypedMove, IsTheLegalMoveOrSaysWhyNot) {
  const struct {
    const char* fen;
    std::string word;
    MoveProblem problem;
    const char* moveOrMessage;  // coordinates of the legal move, else the message
  } kCases[] = {
      {kInitial, "e4", P::kNone, "e2e4"},
      {kInitial, "E2E4", P::kNone, "e2e4"},
      {kInitial, "Nf3+", P::kNone, "g1f3"},
      {kPinnedEnPassant, "e6", P::kNone, "e5e6"},
      {kBlackPromotion, "a2b1N", P::kNone, "a2b1n"},
      {kBlackPromotion, "a1=Q", P::kNone, "a2a1q"},
      {kInitial, "", P::kNotAMove, "not a move"},
      {kInitial, "help", P::kNotAMove, "not a move"},
      {kInitial, "e2e4x", P::kNotAMove, "not a move"},
      {kInitial, "e4\x01", P::kNotAMove, "not a move"},
      {kInitial, "nf3", P::kNotAMove, "not a move"},
      {kInitial, "Nf5", P::kNoSuchMove, "no knight can go to f5"},
      {kInitial, "Nbd2", P::kNoSuchMove, "no knight on the b-file can go to d2"},
      {kInitial, "N1d2", P::kNoSuchMove, "no knight on rank 1 can go to d2"},
      {kInitial, "Ng1e2", P::kNoSuchMove, "no knight on g1 can go to e2"},
      {kInitial, "e5", P::kNoSuchMove, "no pawn can go to e5"},
      {kInitial, "exd3", P::kNoSuchMove, "no pawn on the e-file can take on d3"},
      {kInitial, "Qxd7", P::kNoSuchMove, "no queen can take on d7"},
      {kInitial, "Nxf3", P::kNoSuchMove, "there is nothing to take on f3"},
      {kInitial, "e2e5", P::kNoSuchMove, "the pawn on e2 cannot go to e5"},
      {kInitial, "g1e2", P::kNoSuchMove, "the knight on g1 cannot go to e2"},
      {kInitial, "e3e4", P::kNoSuchMove, "there is no piece on e3"},
      {kInitial, "e7e5", P::kNoSuchMove, "the pawn on e7 is not yours"},
      {kInitial, "e4=Q", P::kNoSuchMove, "only a pawn reaching the last rank promotes"},
      {kInitial, "e2e4q", P::kNoSuchMove, "only a pawn reaching the last rank promotes"},
      {kPinned, "Nc3", P::kLeavesKingInCheck, "your king would be in check"},
      {kPinned, "e2c3", P::kLeavesKingInCheck, "your king would be in check"},
      {kPinnedEnPassant, "exd6", P::kLeavesKingInCheck, "your king would be in check"},
      {kThroughCheck, "Kf1", P::kLeavesKingInCheck, "your king would be in check"},
      {kInCheck, "Ra2", P::kLeavesKingInCheck, "your king would be in check"},
      {kTwoKnights, "Ne2", P::kAmbiguous, "Nce2 or Nge2?"},
      {kTwoBishops, "Be2", P::kAmbiguous, "B1e2 or B3e2?"},
      {kTwoBishops, "B1e2", P::kNone, "d1e2"},
      {kTwoKnights, "Nxe2", P::kNoSuchMove, "there is nothing to take on e2"},
      {kPromotion, "e8", P::kPromotionPieceMissing, "say which piece the pawn becomes: e8=Q+, e8=R+, e8=B or e8=N"},
      {kPromotion, "e7e8", P::kPromotionPieceMissing,
       "say which piece the pawn becomes: e7e8q, e7e8r, e7e8b or e7e8n"},
      {kBlackPromotion, "axb1", P::kPromotionPieceMissing,
       "say which piece the pawn becomes: axb1=Q+, axb1=R+, axb1=B or axb1=N"},
      {kInitial, "O-O", P::kCastlingNotAllowed, "castling is not allowed now: pieces stand between your king and rook"},
      {kInCheck, "O-O-O", P::kCastlingNotAllowed, "castling is not allowed now: your king is in check"},
      {kQueenSideOnly, "e1g1", P::kCastlingNotAllowed, "castling is not allowed now: your king or that rook has moved"},
      {kThroughCheck, "0-0", P::kCastlingNotAllowed,
       "castling is not allowed now: your king would cross or land on an attacked square"},
      {kQueenSideOnly, "e1c1", P::kNone, "e1c1"},
      {kMated, "Ke7", P::kGameOver, "the game is over"},
      {kMated, "quit", P::kNotAMove, "not a move"},
  };
  for (const auto& c : kCases) {
    const GamePosition p = GameFrom(c.fen).currentPosition;
    const TypedMove typed = ReadTypedMove(p, c.word);
    EXPECT_EQ(typed.problem, c.problem) << c.fen << " " << c.word;
    if (c.problem == P::kNone) {
      EXPECT_EQ(typed.move, ParseMove(p, c.moveOrMessage)) << c.word;
      EXPECT_EQ(typed.message, "");
    } else {
      EXPECT_EQ(typed.message, c.moveOrMessage) << c.fen << " " << c.word;
      EXPECT_EQ(typed.move, 0u);
    }
  }
}

// What a person types in the wrong case or with an en-passant mark: read as
// meant where only one reading is a legal move, both readings offered where
// a small b may be a pawn's or a bishop's, and otherwise the problem of the
// word as typed or of its first reading that is a move at all.
TEST(TypedMove, ForgivingReadingsOfCaseAndMarks) {
  const char* const kPawnOrBishop = "4k3/8/8/3pP3/8/2n5/1P1B4/4K3 w - d6 0 1";  // b2 and d2 take on c3
  const char* const kPawnOnly = "4k3/8/8/8/8/2n5/1P6/4K3 w - - 0 1";
  const char* const kBishopOnly = "4k3/8/8/8/8/2n5/3B4/4K3 w - - 0 1";
  const char* const kBothReadings = "the pawn's capture (type b2c3) or the bishop's (type Bxc3)?";
  const struct {
    const char* fen;
    std::string word;
    MoveProblem problem;
    const char* moveOrMessage;
  } kCases[] = {
      {kInitial, "nf3", P::kNone, "g1f3"},
      {kInitial, "NF3", P::kNone, "g1f3"},
      {kInitial, "Nf3", P::kNone, "g1f3"},
      {kInitial, "E4", P::kNone, "e2e4"},
      {kInitial, "b4", P::kNone, "b2b4"},
      {kInitial, "b1c3", P::kNone, "b1c3"},
      {kPawnOrBishop, "kf2", P::kNone, "e1f2"},
      {kPawnOrBishop, "qd4", P::kNoSuchMove, "no queen can go to d4"},
      {kPawnOrBishop, "ke2", P::kLeavesKingInCheck, "your king would be in check"},
      {kPawnOrBishop, "exd6ep", P::kNone, "e5d6"},
      {kPawnOrBishop, "exd6e.p.", P::kNone, "e5d6"},
      {kPawnOrBishop, "Bxc3", P::kNone, "d2c3"},
      {kPawnOrBishop, "b2c3", P::kNone, "b2c3"},
      {kPawnOrBishop, "bxc3", P::kAmbiguous, kBothReadings},
      {kPawnOrBishop, "BXC3", P::kAmbiguous, kBothReadings},
      {kPawnOnly, "bxc3", P::kNone, "b2c3"},
      {kBishopOnly, "bxc3", P::kNone, "d2c3"},
      {kQueenSideOnly, "o-o-o", P::kNone, "e1c1"},
      {kQueenSideOnly, "o-o", P::kCastlingNotAllowed, "castling is not allowed now: your king or that rook has moved"},
      {kPromotion, "e8=q", P::kNone, "e7e8q"},
      {kPromotion, "E8=Q+", P::kNone, "e7e8q"},
      {kPromotion, "exd8n", P::kNone, "e7d8n"},
      {kInitial, "nd2", P::kNoSuchMove, "no knight can go to d2"},
      {kInitial, "bd3", P::kNoSuchMove, "no pawn on the b-file can take on d3"},
      {kInitial, "nf9", P::kNotAMove, "not a move"},
      {kInitial, "", P::kNotAMove, "not a move"},
      {kMated, "ke7", P::kGameOver, "the game is over"},
  };
  for (const auto& c : kCases) {
    const GamePosition p = GameFrom(c.fen).currentPosition;
    const TypedMove typed = ReadForgivingMove(p, c.word);
    EXPECT_EQ(typed.problem, c.problem) << c.fen << " " << c.word;
    if (c.problem == P::kNone)
      EXPECT_EQ(typed.move, ParseMove(p, c.moveOrMessage)) << c.word;
    else
      EXPECT_EQ(typed.message, c.moveOrMessage) << c.fen << " " << c.word;
  }
  EXPECT_TRUE(IsEnPassantMark("e.p.") && IsEnPassantMark("EP") && !IsEnPassantMark("e.p.."));
}

TEST(TypedMove, ShownWordKeepsPrintableAsciiAndCutsLongWords) {
  EXPECT_EQ(ShownWord("Nf3"), "Nf3");
  EXPECT_EQ(ShownWord(std::string("e4\0\t\xc3\xa9", 6)), "e4????");
  EXPECT_EQ(ShownWord(std::string(50, 'x')), std::string(40, 'x') + "...");
}

}  // namespace

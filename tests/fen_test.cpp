// The FEN reader and writer.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

TEST(Fen, ReadsAndWritesTheInitialPosition) {
  const std::string fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  EXPECT_EQ(ParseFen(fen), GamePosition::Initial());
  EXPECT_EQ(ToFen(GamePosition::Initial()), fen);
}

TEST(Fen, RoundTrips) {
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1",
                          "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 12 1", "r3k3/8/8/8/8/8/8/4K2R b Kq - 100 1"})
    EXPECT_EQ(ToFen(ParseFen(fen)), fen);
  EXPECT_EQ(ToFen(GamePosition::Initial(), 37), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 37");
}

// Chess960: Shredder-FEN's rook files and X-FEN's KQkq (the outermost
// rook) with a file letter for an inner rook read alike; Shredder's form is
// written. Standard reading refuses them as before.
TEST(Fen, Chess960InBothFormsWrittenAsShredderFen) {
  const GamePosition shredder = ParseFen("bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1", true);
  EXPECT_EQ(shredder, GamePosition::Chess960Start(0));
  EXPECT_EQ(ParseFen("bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1", true), shredder);
  EXPECT_EQ(ToFen(shredder), "bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1");
  EXPECT_EQ(shredder.castlingRookFile[kBlack][0], 7);
  EXPECT_EQ(shredder.castlingRookFile[kBlack][1], 5);
  // Start 518 is the usual position, written HAha in Chess960, KQkq else.
  EXPECT_EQ(ToFen(GamePosition::Chess960Start(518)), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w HAha - 0 1");
  EXPECT_EQ(ParseFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", true), GamePosition::Chess960Start(518));
  // Two rooks on the king's side: K is the outer one, the file letter the
  // inner one; a rook the right may not castle with loses it when it moves
  // (only the named rook's square counts).
  const char* const twoRooks = "4k3/8/8/8/8/8/8/R2K1RR1 w GA - 0 1";
  EXPECT_EQ(ParseFen(twoRooks, true).castlingRookFile[kWhite][0], 6);
  EXPECT_EQ(ParseFen("4k3/8/8/8/8/8/8/R2K1RR1 w KQ - 0 1", true), ParseFen(twoRooks, true));
  EXPECT_EQ(ParseFen("4k3/8/8/8/8/8/8/R2K1RR1 w FQ - 0 1", true).castlingRookFile[kWhite][0], 5);
  EXPECT_EQ(ToFen(ParseFen("4k3/8/8/8/8/8/8/R2K1RR1 w FQ - 0 1", true)), "4k3/8/8/8/8/8/8/R2K1RR1 w FA - 0 1");
  // Refused: a file with no rook of the side, and in standard chess the
  // letters and kings off e1/e8 as always; either form through ParseAnyFen.
  EXPECT_EQ(ThrownMessage([] { ParseFen("4k3/8/8/8/8/8/8/R2K1RR1 w E - 0 1", true); }),
            "Invalid FEN: castling letter 'E' has no rook to castle with");
  EXPECT_EQ(ThrownMessage([] { ParseFen("bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w HFhf - 0 1"); }),
            "Invalid FEN: unexpected castling letter 'H'");
  EXPECT_EQ(ThrownMessage([] { ParseFen("bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1"); }),
            "Invalid rochade flags.");
  EXPECT_EQ(ParseAnyFen("bbqnnrkr/pppppppp/8/8/8/8/PPPPPPPP/BBQNNRKR w KQkq - 0 1"), shredder);
  EXPECT_EQ(ParseAnyFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), GamePosition::Initial());
}

TEST(Fen, OptionalCountersAndIgnoredEnPassant) {
  const GamePosition fourFields = ParseFen("4k3/8/8/8/8/8/8/4K3 b - -");
  EXPECT_EQ(fourFields.sideToMove, kBlack);
  EXPECT_EQ(fourFields.halfMoveCounter, 0);
  EXPECT_EQ(ParseFen("4k3/8/8/8/8/8/8/4K3 w - - 42").halfMoveCounter, 42);
  // A real double step that no pawn can answer leaves no en-passant square.
  EXPECT_EQ(ParseFen("4k3/8/8/3p4/8/8/8/4K3 w - d6 0 1").epSquare, 0);
  EXPECT_EQ(ParseFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1").epSquare, D6);
}

TEST(Fen, MalformedTextIsRejectedWithItsReason) {
  const struct {
    const char* fen;
    const char* message;
  } kCases[] = {
      {"", "Invalid FEN: expected four to six fields, found 0"},
      {"8/8/8/8/8/8/8/8 w -", "Invalid FEN: expected four to six fields, found 3"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 1 extra", "Invalid FEN: expected four to six fields, found 7"},
      {"4k3/8/8/8/8/8/8/4K3/8 w - - 0 1", "Invalid FEN: more than eight ranks"},
      {"4k3/8/8/8/8/8/8 w - - 0 1", "Invalid FEN: the piece placement does not have eight full ranks"},
      {"4k3/8/8/8/8/8/8/4K2 w - - 0 1", "Invalid FEN: the piece placement does not have eight full ranks"},
      {"4k3/7/8/8/8/8/8/4K3 w - - 0 1", "Invalid FEN: rank 7 does not have eight squares"},
      {"4k4/8/8/8/8/8/8/4K3 w - - 0 1", "Invalid FEN: rank 8 has more than eight squares"},
      {"4k3p/8/8/8/8/8/8/4K3 w - - 0 1", "Invalid FEN: rank 8 has more than eight squares"},
      {"4k3/8/8/8/8/8/8/4K3/ w - - 0 1", "Invalid FEN: more than eight ranks"},
      {"4k3/8/8/8/8/8/8/4X3 w - - 0 1", "Invalid FEN: unexpected character 'X' in the piece placement"},
      {"4k3/8/8/8/0/8/8/4K3 w - - 0 1", "Invalid FEN: unexpected character '0' in the piece placement"},
      {"4k3/8/8/8/8/8/8/4K3 W - - 0 1", "Invalid FEN: side to move must be w or b, not 'W'"},
      {"4k3/8/8/8/8/8/8/4K3 white - - 0 1", "Invalid FEN: side to move must be w or b, not 'white'"},
      {"4k3/8/8/8/8/8/8/4K3 w x - 0 1", "Invalid FEN: unexpected castling letter 'x'"},
      {"4k3/8/8/8/8/8/8/4K2R w KK - 0 1", "Invalid FEN: castling letter 'K' given twice"},
      {"4k3/8/8/8/8/8/8/4K3 w K - 0 1", "Invalid rochade flags."},
      {"4k3/8/8/8/8/8/8/4K3 w - e9 0 1", "Invalid FEN: bad en-passant square 'e9'"},
      {"4k3/8/8/8/8/8/8/4K3 w - e 0 1", "Invalid FEN: bad en-passant square 'e'"},
      {"4k3/8/8/8/8/8/8/4K3 w - e3 0 1", "Invalid FEN: en-passant square e3 does not follow a double step"},
      {"4k3/8/8/8/8/8/8/4K3 w - e6 0 1", "Invalid FEN: en-passant square e6 does not follow a double step"},
      {"4k3/8/8/8/8/8/8/4K3 w - - -1 1", "Invalid FEN: bad half-move clock '-1'"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 101 1", "Invalid FEN: half-move clock 101 is out of range"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 99999999 1", "Invalid FEN: bad half-move clock '99999999'"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "Invalid FEN: move number 0 is out of range"},
      {"4k3/8/8/8/8/8/8/4K3 w - - 0 x", "Invalid FEN: bad move number 'x'"},
      {"8/8/8/8/8/8/8/4K3 w - - 0 1", "Black has no king.h"},
      {"4k3/8/8/8/8/8/8/8 w - - 0 1", "White has no king."},
      {"4k3/8/8/8/8/8/8/P3K3 w - - 0 1", "White pawn on first rank."},
      {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", "King can be captured."},
  };
  for (const auto& c : kCases) EXPECT_EQ(ThrownMessage([&] { ParseFen(c.fen); }), c.message) << c.fen;
  // Bytes outside ASCII are reported, never read past.
  EXPECT_EQ(ThrownMessage([&] { ParseFen("4k3/8/8/8/8/8/8/4K\xc3 w - - 0 1"); }),
            "Invalid FEN: unexpected character '\xc3' in the piece placement");
  EXPECT_EQ(ThrownMessage([&] { ParseFen(std::string(100000, '8') + " w - - 0 1"); }),
            "Invalid FEN: rank 8 has more than eight squares");
}

}  // namespace

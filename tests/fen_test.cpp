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

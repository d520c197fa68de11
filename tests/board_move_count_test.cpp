// The game board's legality test against reference move counts: over every
// from/to/promotion word, built as the move parser builds it, the number of
// words that IsLegalMove accepts must match the counts of well-known test
// positions at depths 1 and 2.
#include <gtest/gtest.h>

#include <set>

#include "board/fen.h"
#include "board/game_over.h"
#include "board/moves.h"

namespace {

std::vector<Move> LegalWords(const GamePosition& p) {
  std::set<Move> words;
  for (Square from = 0; from < 64; ++from)
    for (Square to = 0; to < 64; ++to)
      for (int promotion = kKnight; promotion <= kQueen; ++promotion) {
        const Move m = BuildMoveWord(p, from, to, promotion);
        if (IsLegalMove(p, m)) words.insert(m);
      }
  return {words.begin(), words.end()};
}

// Leaf count of the legal move tree; every node also checks that
// HasNoLegalMove agrees with the count of its legal words.
uint64_t CountLeaves(const GamePosition& p, int depth) {
  const std::vector<Move> words = LegalWords(p);
  EXPECT_EQ(HasNoLegalMove(p), words.empty());
  if (depth == 1) return words.size();
  uint64_t leaves = 0;
  for (Move m : words) {
    GamePosition child = p;
    ApplyMove(child, m);
    leaves += CountLeaves(child, depth - 1);
  }
  return leaves;
}

struct Reference {
  const char* fen;
  uint64_t depth1, depth2;
};

const Reference kReferences[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 20, 400},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 48, 2039},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 14, 191},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 6, 264},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 6, 264},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 44, 1486},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 46, 2079},
};

TEST(LegalMoveCount, MatchesTheReferenceCountsAtDepthOneAndTwo) {
  for (const Reference& r : kReferences) {
    SCOPED_TRACE(r.fen);
    const GamePosition p = ParseFen(r.fen);
    EXPECT_EQ(CountLeaves(p, 1), r.depth1);
    EXPECT_EQ(CountLeaves(p, 2), r.depth2);
  }
}

// After a double step next to an enemy pawn the en-passant capture is one
// of the legal words; a pinned pawn may not take en passant.
TEST(LegalMoveCount, EnPassantCountsOnlyWhenItKeepsTheKingSafe) {
  GamePosition free = ParseFen("4k3/8/8/8/1p6/8/P7/4K3 w - - 0 1");
  ApplyMove(free, BuildMoveWord(free, A2, A4, 0));
  ASSERT_EQ(free.epSquare, A3);
  EXPECT_EQ(LegalWords(free).size(), 7u);  // five king moves, b3 and bxa3

  // Black's c-pawn stands between its king on a4 and the rook on h4: taking
  // b4 en passant would open the rank.
  GamePosition pinned = ParseFen("8/8/8/8/k1p4R/8/1P6/4K3 w - - 0 1");
  ApplyMove(pinned, BuildMoveWord(pinned, B2, B4, 0));
  ASSERT_EQ(pinned.epSquare, B3);
  EXPECT_FALSE(IsLegalMove(pinned, BuildMoveWord(pinned, C4, B3, 0)));
  // Without the rook the same capture is fine.
  pinned.squares[H4] = 0;
  EXPECT_TRUE(IsLegalMove(pinned, BuildMoveWord(pinned, C4, B3, 0)));
}

}  // namespace

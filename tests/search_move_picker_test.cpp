// The move picker: every legal move exactly once, in the staged order,
// whatever the hash move and the killers are.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "position/make_move.h"
#include "position/movegen.h"
#include "position_test_support.h"
#include "search/move_ordering.h"
#include "search/move_picker.h"
#include "search/search_state.h"

using namespace position_test;

namespace {

Move pickerStack[kMoveStackSize];

template <int S>
std::vector<Move> PickAll(Move hash, Move killer1, Move killer2, const uint16_t* history) {
  const Move killers[2] = {killer1, killer2};
  MovePicker<S> picker(Stack().Current(), pickerStack + 1, hash, killers, history);
  std::vector<Move> moves;
  for (Move m = picker.Next(); m != 0; m = picker.Next()) moves.push_back(m);
  return moves;
}

std::vector<Move> Pick(Move hash, Move killer1, Move killer2, const uint16_t* history) {
  return Stack().Current().side == kWhite ? PickAll<kWhite>(hash, killer1, killer2, history)
                                          : PickAll<kBlack>(hash, killer1, killer2, history);
}

std::vector<Move> LegalMoves() {
  RootMove list[kMaxMovesPerPosition];
  std::vector<Move> moves;
  for (RootMove* r = list; r != GenerateLegalMoves(Stack(), list); ++r) moves.push_back(r->move);
  return moves;
}

// Each legal move but `excluded` comes exactly once; nothing comes twice.
void ExpectEachLegalMoveOnce(const std::vector<Move>& picked, Move excluded, const std::string& where) {
  std::map<Move, int> seen;
  for (Move m : picked) ++seen[m];
  for (auto [move, count] : seen) EXPECT_EQ(count, 1) << where << " move " << move;
  for (Move m : LegalMoves()) EXPECT_EQ(seen.count(m), m == excluded ? 0u : 1u) << where << " move " << m;
}

const uint16_t kNoHistory[4096] = {};

// Over the reference positions and every position one move later, with the
// hash move and killers taken from the position's own moves in every role:
// a capture, a quiet move, the same move twice, the hash move again, and
// moves that cannot be played here.
TEST(MovePicker, EachLegalMoveExactlyOnce) {
  const Move unplayable = MakeMoveWord(A1, H8, kKnight);
  int positions = 0;
  for (const PerftReference& reference : PerftReferences()) {
    LoadFen(reference.fen);
    std::vector<Move> roots = LegalMoves();
    roots.push_back(0);
    for (Move first : roots) {
      LoadFen(reference.fen);
      if (first != 0) {
        (Stack().Current().side == kWhite ? MakeWhiteMove : MakeBlackMove)(Stack(), first);
        Stack().positions[0] = Stack().positions[1];
        Stack().ply = 0;
      }
      if (Stack().Current().kingAttacked) continue;  // evasions have their own order
      ++positions;
      const std::vector<Move> legal = LegalMoves();
      Move capture = 0, quiet = 0;
      for (Move m : legal) (MoveCaptured(m) != 0 ? capture : quiet) = m;
      const std::string where = std::string(reference.name) + " after " + std::to_string(first);
      ExpectEachLegalMoveOnce(Pick(0, 0, 0, kNoHistory), 0, where);
      ExpectEachLegalMoveOnce(Pick(capture, capture, quiet, kNoHistory), capture, where + " hash capture");
      ExpectEachLegalMoveOnce(Pick(quiet, quiet, quiet, kNoHistory), quiet, where + " hash quiet");
      ExpectEachLegalMoveOnce(Pick(0, capture, capture, kNoHistory), 0, where + " capture killers");
      ExpectEachLegalMoveOnce(Pick(0, quiet, quiet, kNoHistory), 0, where + " repeated killer");
      ExpectEachLegalMoveOnce(Pick(quiet, unplayable, capture, kNoHistory), quiet, where + " unplayable killer");
    }
  }
  EXPECT_GT(positions, 150);
}

// The stages in order: captures that do not lose material by key, the
// killers, then losing captures and quiet moves by history, ties by the
// move word (a capture's word is the larger).
TEST(MovePicker, StagedOrder) {
  // Bb5xc6 gives a bishop for a knight (key 30); Nf3xe5 loses the knight
  // for a pawn to Nc6xe5 (a losing capture, kept for the last stage).
  LoadFen("r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 2 3");
  const Move nxe5 = MakeMoveWord(F3, E5, kKnight, kPawn), bxc6 = MakeMoveWord(B5, C6, kBishop, kKnight);
  const Move castle = kWhiteCastleShort, a3 = MakeMoveWord(A2, A3, kPawn), h3 = MakeMoveWord(H2, H3, kPawn);
  uint16_t history[4096] = {};
  history[HistoryIndex(h3)] = 5000;
  history[HistoryIndex(a3)] = 300;
  const std::vector<Move> picked = Pick(0, castle, a3, history);
  const std::vector<Move> expectedStart = {bxc6, castle, a3, h3, nxe5};
  ASSERT_GE(picked.size(), expectedStart.size());
  EXPECT_EQ(std::vector<Move>(picked.begin(), picked.begin() + 5), expectedStart);
  EXPECT_EQ(std::count(picked.begin(), picked.end(), a3), 1);
}

// The ordering key of a capture that gives up the more valuable piece is its
// exact static exchange when that does not lose, and negative when it does,
// also where a pawn or knight guard settles the sign without the exchange.
TEST(MoveOrdering, ExchangeKeyKeepsTheExchangeOrItsSign) {
  int losing = 0, kept = 0;
  for (const PerftReference& reference : PerftReferences()) {
    LoadFen(reference.fen);
    WalkTree(2, [&] {
      const TreePosition& p = Stack().Current();
      for (Move m : Captures()) {
        if (MoveCaptured(m) == 0 || kPieceValue[MovePiece(m)] <= kPieceValue[MoveCaptured(m)]) continue;
        const int key = p.side == kWhite ? ExchangeForMover<kWhite>(p, m) : ExchangeForMover<kBlack>(p, m);
        const int exact = p.side == kWhite ? StaticExchange(p, MoveFrom(m), MoveTo(m), 0)
                                           : -StaticExchange(p, MoveFrom(m), MoveTo(m), 1);
        if (exact < 0) {
          EXPECT_LT(key, 0) << reference.name << " move " << m;
          ++losing;
        } else {
          EXPECT_EQ(key, exact) << reference.name << " move " << m;
          ++kept;
        }
      }
    });
  }
  EXPECT_GT(losing, 1000);
  EXPECT_GT(kept, 1000);
}

}  // namespace

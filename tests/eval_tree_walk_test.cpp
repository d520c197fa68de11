// Determinism over many positions: every node of the trees of the reference
// positions to depth 3, made with the search's own make-move and
// generators, is evaluated with the full window, with a narrow window and
// with the full window again; both full-window scores must agree.
#include <gtest/gtest.h>

#include <cstdint>

#include "eval_test_support.h"
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"

using namespace eval_test;

namespace {

struct Reference {
  const char* fen;
  uint64_t leavesAtDepth3;
};

// From the shared perft reference list.
constexpr Reference kReferences[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 8902},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 97862},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 2812},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 9467},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 9467},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 62379},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 89890},
};

struct WalkStats {
  uint64_t leaves = 0;
  uint64_t nodes = 0;
  uint64_t mismatches = 0;
};

void EvaluateTwice(WalkStats& stats) {
  const int full = Evaluate(-32000, 32000);
  // A narrow window that moves with the node: sometimes around the score,
  // sometimes far from it, so lazy exits and partial pawn entries happen.
  const int offset = int(stats.nodes % 7) * 150 - 450;
  Evaluate(full + offset, full + offset + 1);
  if (Evaluate(-32000, 32000) != full) ++stats.mismatches;
  ++stats.nodes;
}

template <int S>
void Walk(int depth, WalkStats& stats) {
  EvaluateTwice(stats);
  if (depth == 0) {
    ++stats.leaves;
    return;
  }
  Move moves[320];  // every pseudo-legal move, with a margin
  const bool inCheck = Stack().Current().kingAttacked;
  Move* end = inCheck ? GenerateEvasions<S>(Stack().Current(), moves) : GenerateQuiets<S>(Stack().Current(), GenerateCaptures<S>(Stack().Current(), moves));
  for (Move* m = moves; m != end; ++m) {
    MakeMove<S>(Stack(), *m);
    const TreePosition& p = Stack().Current();
    if (inCheck || !IsAttackedBy<1 - S>(p, Own<S>(p).kingSquare)) Walk<1 - S>(depth - 1, stats);
    UnmakeMove(Stack());
  }
}

TEST(EvalTreeWalk, FullWindowScoresAreRepeatable) {
  for (const Reference& reference : kReferences) {
    eval_test::SetUpRoot(reference.fen);
    WalkStats stats;
    if (eval_test::Root().side == kWhite) Walk<kWhite>(3, stats);
    else Walk<kBlack>(3, stats);
    EXPECT_EQ(stats.leaves, reference.leavesAtDepth3) << reference.fen;
    EXPECT_EQ(stats.mismatches, 0u) << reference.fen;
  }
}

}  // namespace

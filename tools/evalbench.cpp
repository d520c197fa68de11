// Evaluation speed: evaluations per second over a fixed set of positions,
// each prepared as a search root and evaluated many times with a changing
// window. The checksum of the scores changes only when the evaluation does.
//
//   evalbench [ROUNDS] [classic|tuned]   (default 20 rounds of 20000 calls
//                                         per position, classic weights)
//
// Each round evaluates every position with changing windows (the figure to
// quote; lazy exits included) and then with the full window only.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/fen.h"
#include "board/search_position.h"
#include "eval/evaluator.h"
#include "search/engine.h"

namespace {

const char* const kPositions[] = {
    // Openings.
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 5",
    "rnbqk2r/ppp1ppbp/3p1np1/8/2PPP3/2N5/PP3PPP/R1BQKBNR w KQkq - 0 5",
    // Middlegames.
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r1b2rk1/pp3ppp/2n5/3q4/3P4/5N2/PP3PPP/R2QKB1R w KQ - 0 12",
    "r2q1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/R2Q1RK1 w - - 0 10",
    "6k1/pp3ppp/2p5/3r4/3P4/2P2Q2/P4PPP/4R1K1 b - - 0 25",
    // Endgames with pawns.
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/5pk1/6p1/7p/7P/6P1/5PK1/8 w - - 0 1",
    "8/8/1p2k3/p1p5/P1P5/1P2K3/8/8 b - - 0 1",
    "8/pp3k2/2p5/8/8/5K2/PP6/8 w - - 0 1",
    "2r3k1/5ppp/p7/1p6/8/P4P2/1P3KPP/2R5 w - - 0 30",
    "8/4kp2/4p3/3pP3/3P4/4K3/8/5B2 w - - 0 1",
    "8/8/4k3/8/2P5/8/4K3/8 w - - 0 1",
    "8/8/2k5/5P2/8/8/2K5/8 w - - 0 1",
    "5k2/8/8/8/8/8/1p3K2/8 b - - 0 1",
    "8/6k1/8/8/4Q3/8/1PP5/1K6 w - - 0 1",
    // Pawnless.
    "8/8/8/8/8/4k3/8/R3K3 w - - 0 1",
    "8/8/8/4k3/8/8/8/2B1KN2 w - - 0 1",
    "3k4/8/8/8/8/8/3r4/3QK3 w - - 0 1",
    "8/8/8/3k4/8/8/3K4/N1n5 w - - 0 1",
    "8/8/3k4/8/8/3B4/3K4/6N1 b - - 0 1",
};

constexpr int kCallsPerRound = 20000;

struct Run {
  int64_t evaluations = 0;
  double seconds = 0;
  uint64_t checksum = 0;
};

// Evaluates the prepared root kCallsPerRound times. With `fullWindow` off the
// windows have several widths around a centre that wanders over +-600, with
// a full window every eighth call.
void EvaluateRepeatedly(Evaluator& evaluator, const TreePosition& p, bool fullWindow, Run& run) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCallsPerRound; ++i) {
    const bool full = fullWindow || (i & 7) == 0;
    const int centre = (i * 97) % 1201 - 600;
    const int width = full ? 64000 : 1 << (i % 10);
    const int alpha = full ? -32000 : centre - width / 2;
    const int score = evaluator.Evaluate(p, alpha, alpha + width);
    run.checksum = run.checksum * 1000003 + uint64_t(int64_t(score));
  }
  run.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.evaluations += kCallsPerRound;
}

void Report(const char* name, const Run& run) {
  std::printf("%s: evaluations %lld, seconds %.3f, evaluations per second %.0f, checksum %016llx\n", name,
              static_cast<long long>(run.evaluations), run.seconds,
              run.seconds > 0 ? run.evaluations / run.seconds : 0.0, static_cast<unsigned long long>(run.checksum));
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
  const bool tuned = argc > 2 && std::strcmp(argv[2], "tuned") == 0;
  if (rounds < 1 || (argc > 2 && !tuned && std::strcmp(argv[2], "classic") != 0) || argc > 3) {
    std::fprintf(stderr, "usage: evalbench [ROUNDS] [classic|tuned]\n");
    return 2;
  }
  InitEngineTables();
  PawnHashTable pawnTable(uint64_t(8) << 20);
  Evaluator evaluator(pawnTable);
  evaluator.SelectWeights(tuned ? EvaluationSet::kTuned : EvaluationSet::kClassic);
  PositionStack position;

  Run windows, fullWindow;
  for (int round = 0; round < rounds; ++round) {
    for (const char* fen : kPositions) {
      try {
        LoadSearchRoot(position, ParseFen(fen));
      } catch (const GameError& error) {
        std::fprintf(stderr, "bad position %s: %s\n", fen, error.message().c_str());
        return 1;
      }
      const TreePosition& root = position.Root();
      evaluator.PrepareRoot(root);
      EvaluateRepeatedly(evaluator, root, false, windows);
      EvaluateRepeatedly(evaluator, root, true, fullWindow);
    }
  }
  std::printf("positions %zu, rounds %d, %s weights\n", sizeof kPositions / sizeof *kPositions, rounds,
              tuned ? "tuned" : "classic");
  Report("changing windows", windows);
  Report("full window", fullWindow);
  return 0;
}

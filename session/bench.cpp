#include "session/bench.h"

#include <algorithm>
#include <chrono>
#include <iterator>

#include "base/platform.h"
#include "board/fen.h"
#include "board/moves.h"

namespace {

const char* const kPositions[] = {
    // Openings.
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/2N2N2/PPPP1PPP/R1BQK2R w KQkq - 6 5",
    "rnbqkb1r/ppp2ppp/4pn2/3p2B1/2PP4/2N5/PP2PPPP/R2QKBNR b KQkq - 3 4",
    // Middlegames.
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/2RQ1RK1 w - - 0 11",
    "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
    // Tactics.
    "2rr3k/pp3pp1/1nnqbN1p/3pN3/2pP4/2P3Q1/PPB4P/R4RK1 w - - 0 1",
    "5rk1/1ppb3p/p1pb4/6q1/3P1p1r/2P1R2P/PP1BQ1P1/5RKN w - - 0 1",
    "r1bq2rk/pp3pbp/2p1p1pQ/7P/3P4/2PB1N2/PP3PPR/2KR4 w - - 0 1",
    "5k2/6pp/p1qN4/1p1p4/3P4/2PKP2Q/PP3r2/3R4 b - - 0 1",
    "7k/p7/1R5K/6r1/6p1/6P1/8/8 w - - 0 1",
    "rnbqkb1r/pppp1ppp/8/4P3/6n1/7P/PPPNPPP1/R1BQKBNR b KQkq - 0 1",
    "r4q1k/p2bR1rp/2p2Q1N/5p2/5p2/2P5/PP3PPP/R5K1 w - - 0 1",
    // Endgames.
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/8/8/4k3/8/8/4P3/4K3 w - - 0 1",
    "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/8/4k3/8/2p5/8/B2K4/8 w - - 0 1",
    "8/5pk1/6p1/8/4P3/5PK1/8/8 w - - 0 1",
    "2k5/8/1P6/8/8/8/6K1/8 w - - 0 1",
    // Pawnless.
    "8/8/8/8/8/3k4/8/3KR3 w - - 0 1",
    "8/8/8/4k3/8/8/8/KBN5 w - - 0 1",
    "8/8/8/3k4/8/8/2Q5/K7 w - - 0 1",
    "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1",
    "8/8/3k4/8/8/3rK3/8/7Q w - - 0 1",
    "8/8/2kn4/8/8/2KB4/8/8 w - - 0 1",
};

}  // namespace

int DefaultBenchIterations(SearchStyle style) { return style == SearchStyle::kSelective ? 12 : 6; }

std::span<const char* const> BenchPositions() { return kPositions; }

bool ReadBenchChoice(const std::string& word, const std::string& value, BenchSettings& settings) {
  const auto index = [&value](std::span<const std::string_view> names) {
    return int(std::find(names.begin(), names.end(), value) - names.begin());
  };
  if (word == "search" && index(kSearchStyleNames) < int(std::size(kSearchStyleNames))) {
    settings.style = SearchStyle(index(kSearchStyleNames));
    return true;
  }
  if (word == "evaluation" && index(kEvaluationSetNames) < int(std::size(kEvaluationSetNames))) {
    settings.evaluation = EvaluationSet(index(kEvaluationSetNames));
    return true;
  }
  return false;
}

BenchTotals RunBench(Engine& engine, const BenchSettings& settings, const std::function<void(const BenchLine&)>& onLine,
                     bool* started) {
  BenchTotals totals;
  const bool threads = engine.SetThreadCount(settings.threads);
  if (started != nullptr) *started = threads;
  if (!threads) return totals;
  // Quiet: no reports, no input, no game to play the move on.
  SearchListener quiet;
  const int iterations = settings.iterations != 0 ? settings.iterations : DefaultBenchIterations(settings.style);
  SearchParameters parameters{kModeThink, iterations, 0, 0};
  if (settings.moveTime != 0) parameters = SearchParameters{kModeThink, 0, settings.moveTime, 0};
  parameters.style = settings.style;
  parameters.evaluation = settings.evaluation;
  parameters.lines = settings.lines;

  const auto start = std::chrono::steady_clock::now();
  int number = 0;
  for (const char* fen : kPositions) {
    engine.NewGame();
    engine.LoadPosition(ParseFen(fen));
    const auto searchStart = std::chrono::steady_clock::now();
    const double processorStart = ThreadProcessorMilliseconds();
    engine.Think(parameters, quiet);
    BenchLine line;
    line.processorMilliseconds = ThreadProcessorMilliseconds() - processorStart;
    line.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - searchStart).count();
    const SearchInfo& info = engine.Info();
    line.number = ++number;
    line.fen = fen;
    line.nodes = info.totalNodes;
    line.move = info.pvMoves.empty() ? "-" : CoordinateMoveText(info.pvMoves[0]);
    line.score = info.bestScore;
    totals.nodes += info.totalNodes;
    onLine(line);
  }
  totals.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return totals;
}

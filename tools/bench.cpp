// bench [iterations] [threads N] [movetime MS] [search classic|selective]
// [evaluation classic|tuned] [lines N]: searches a fixed set of positions one after
// another, each from a fresh state, to a fixed number of iterations (by
// default 6 for the classic search, 12 for the selective one), with the
// classic evaluation unless told otherwise. The total node count is the
// search's signature: it changes only when the search or the evaluation
// changes. Reads no input.
//
// `threads N` searches on N threads; `movetime MS` gives each position MS
// milliseconds instead of the iteration limit. With either, every line
// also shows the position's search time in milliseconds (to the end of the
// last iteration: the time to that depth), on the clock and in the main
// thread's processor time. On a machine whose cores are busy with other
// work the second tells what the first would be with a core for each
// thread, as long as the threads get equal shares. `lines N` finds the N
// best lines (MultiPV) at every position.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "session/bench.h"
#include "session/settings.h"

namespace {

// False when the words are not a bench command line.
bool ReadSettings(int argc, char** argv, BenchSettings& settings, bool& timed) {
  int i = 1;
  if (i < argc && std::strcmp(argv[i], "threads") != 0 && std::strcmp(argv[i], "movetime") != 0 &&
      std::strcmp(argv[i], "search") != 0 && std::strcmp(argv[i], "evaluation") != 0 && std::strcmp(argv[i], "lines") != 0)
    settings.iterations = std::atoi(argv[i++]);
  for (; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "search") == 0 || std::strcmp(argv[i], "evaluation") == 0) {
      if (!ReadBenchChoice(argv[i], argv[i + 1], settings)) return false;
      continue;
    }
    const int value = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "lines") == 0 && value >= 1 && value <= kMaxMultiPv) {
      settings.lines = value;
      continue;
    }
    if (std::strcmp(argv[i], "threads") == 0 && value >= 1 && value <= kMaxSearchThreads)
      settings.threads = value;
    else if (std::strcmp(argv[i], "movetime") == 0 && value >= 1)
      settings.moveTime = value;
    else
      return false;
    timed = true;
  }
  if (settings.iterations == 0) settings.iterations = DefaultBenchIterations(settings.style);
  return i == argc && settings.iterations >= 1 && settings.iterations <= kMaxBenchIterations;
}

}  // namespace

int main(int argc, char** argv) {
  BenchSettings settings;
  bool timed = false;  // a time column on every line
  if (!ReadSettings(argc, argv, settings, timed)) {
    std::fprintf(stderr,
                 "usage: bench [iterations 1..%d] [threads 1..%d] [movetime MS] [search classic|selective]\n"
                 "             [evaluation classic|tuned] [lines 1..%d]\n",
                 kMaxBenchIterations, kMaxSearchThreads, kMaxMultiPv);
    return 2;
  }
  InitEngineTables();
  Engine engine(kBenchHashBytes, kBenchPawnHashBytes);
  bool started = false;
  const BenchTotals totals = RunBench(
      engine, settings,
      [timed](const BenchLine& line) {
        std::printf("%2d %10llu %-6s %6d  ", line.number, static_cast<unsigned long long>(line.nodes),
                    line.move.c_str(), line.score);
        if (timed) std::printf("%8.1f ms %8.1f cpu ms  ", line.milliseconds, line.processorMilliseconds);
        std::printf("%s\n", line.fen);
      },
      &started);
  if (!started) {
    std::fprintf(stderr, "bench: cannot start %d threads\n", settings.threads);
    return 1;
  }
  std::printf("total nodes %llu\n", static_cast<unsigned long long>(totals.nodes));
  std::printf("time %.2f s\n", totals.seconds);
  std::printf("nodes per second %llu\n", static_cast<unsigned long long>(totals.NodesPerSecond()));
  return 0;
}

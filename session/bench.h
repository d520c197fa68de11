// The bench: a fixed set of positions (openings, middlegames, tactics,
// endgames, pawnless) searched one after another, each from a fresh state,
// to a fixed number of iterations. The total node count is the search's
// signature: it changes only when the search or the evaluation changes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "base/clock.h"
#include "search/engine.h"

struct BenchSettings {
  int iterations = 0;  // 0: the search's own default (BenchIterations)
  SearchStyle style = SearchStyle::kClassic;
  EvaluationSet evaluation = EvaluationSet::kClassic;
  int threads = 1;
  Milliseconds moveTime = 0;  // 0: the iteration limit
  int lines = 1;              // the best lines to find (MultiPV)
};

// The iterations a bench searches by default: 6 for the classic search,
// 12 for the selective one, which reaches them in about the same time.
int DefaultBenchIterations(SearchStyle style);
inline constexpr int kMaxBenchIterations = 38;

// The table sizes of every bench, so that the signature does not depend on
// the memory an interface would give.
inline constexpr uint64_t kBenchHashBytes = uint64_t(16) << 20;
inline constexpr uint64_t kBenchPawnHashBytes = uint64_t(8) << 20;

std::span<const char* const> BenchPositions();

// Reads "search classic|selective" or "evaluation classic|tuned" into
// `settings`; false for any other word or value.
bool ReadBenchChoice(const std::string& word, const std::string& value, BenchSettings& settings);

// One position's search.
struct BenchLine {
  int number = 0;  // from 1
  const char* fen = "";
  uint64_t nodes = 0;
  std::string move;  // coordinates, "-" without one
  int score = 0;
  double milliseconds = 0;           // on the clock
  double processorMilliseconds = 0;  // the main thread's processor time
};

struct BenchTotals {
  uint64_t nodes = 0;
  double seconds = 0;
  uint64_t NodesPerSecond() const { return seconds > 0 ? uint64_t(double(nodes) / seconds) : 0; }
};

// Runs the bench on `engine` (its threads set to settings.threads; false
// in `started` when they cannot be had), calling `onLine` after each
// position. Reads no input and prints nothing.
BenchTotals RunBench(Engine& engine, const BenchSettings& settings, const std::function<void(const BenchLine&)>& onLine,
                     bool* started = nullptr);

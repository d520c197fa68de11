// Texel's method: fit the evaluation's weights so that a logistic of the
// score of quiet positions predicts their games' results. Each position is
// traced once (eval/eval_mode.h: how often its score counts each weight),
// so its score under any weights is the sum of coefficient x weight, and
// the mean squared error and its gradient over all the weights at once come
// from the traces without evaluating again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "eval/evaluator.h"

// A weight set as the tuner works on it: every value of the parameter
// table, as real numbers.
using WeightVector = std::vector<double>;

// The values of the classic or the tuned set.
WeightVector WeightsOf(EvaluationSet set);
// Which values the tuner may change: those of tuned weights, except the
// squares a table never reads.
std::vector<bool> TunableValues(const WeightVector& start);

struct TraceEntry {
  uint32_t index;  // in the weight set
  float coefficient;
};

// The traced positions: per position its result and its score as a
// constant plus the entries; the weights the tuner may not change are part
// of the constant.
class TrainingSet {
 public:
  void Add(float result, double constant, std::span<const TraceEntry> entries);

  size_t Size() const { return results_.size(); }
  float Result(size_t i) const { return results_[i]; }
  // The target of position i, for a target other than its game's result.
  void SetResult(size_t i, float target) { results_[i] = target; }
  // The score of position i under `weights`, White's view.
  double Score(size_t i, const WeightVector& weights) const;
  std::span<const TraceEntry> Entries(size_t i) const {
    return {entries_.data() + starts_[i], entries_.data() + starts_[i + 1]};
  }
  size_t EntryCount() const { return entries_.size(); }

 private:
  std::vector<float> results_;
  std::vector<double> constants_;
  std::vector<uint64_t> starts_{0};
  std::vector<TraceEntry> entries_;
};

// Traces positions under a weight set: each position is prepared as the
// root of a search and evaluated once with its trace.
class PositionTracer {
 public:
  explicit PositionTracer(EvaluationSet set);
  ~PositionTracer();

  // Adds the position of `fen` with `result` to `set`; false (nothing
  // added) for a FEN that is no legal position. `evaluation` receives the
  // evaluation's own score, White's view.
  bool Add(const std::string& fen, float result, TrainingSet& set, int* evaluation = nullptr);

 private:
  struct Workspace;
  std::unique_ptr<Workspace> work_;
  WeightVector start_;
  std::vector<bool> tunable_;
  std::vector<TraceEntry> entries_;
};

double Sigmoid(double x);

// The mean squared error E = mean over positions of (R - sigmoid(k q))^2,
// q the score under `weights`, over positions [first, last) of the set.
double MeanSquaredError(const TrainingSet& set, const WeightVector& weights, double k, size_t first = 0,
                        size_t last = SIZE_MAX);
// E over positions [first, last), and its gradient by every weight value
// written to `gradient` (sized to the weights). `threads` split the
// positions; the sums are added in a fixed order, so the result does not
// depend on the timing.
double ErrorAndGradient(const TrainingSet& set, const WeightVector& weights, double k, WeightVector& gradient,
                        size_t first = 0, size_t last = SIZE_MAX, int threads = 1);
// The k that minimises E under `weights` (golden-section search from 0 to
// kLargestScale, where a tenth of a pawn is odds of e to 1).
inline constexpr double kLargestScale = 0.1;
double FitScale(const TrainingSet& set, const WeightVector& weights);

// Adam on the tunable values.
class AdamOptimiser {
 public:
  AdamOptimiser(std::vector<bool> tunable, double rate, double beta1 = 0.9, double beta2 = 0.999,
                double epsilon = 1e-8);
  void Step(WeightVector& weights, const WeightVector& gradient);

 private:
  std::vector<bool> tunable_;
  double rate_, beta1_, beta2_, epsilon_;
  WeightVector m_, v_;
  int64_t steps_ = 0;
};

// The C++ source of a weight set (eval/tuned_weights.h): every weight by
// name with its note, square tables as diagrams, rank 8 on top, squares
// never read written M. `comments` go at the top, one a line.
std::string WeightsSource(std::span<const int32_t> values, const std::vector<std::string>& comments);

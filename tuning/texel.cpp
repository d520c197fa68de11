#include "tuning/texel.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "board/fen.h"
#include "board/search_position.h"
#include "eval/classic_weights.h"
#include "eval/eval_mode.h"
#include "eval/tuned_weights.h"

WeightVector WeightsOf(EvaluationSet set) {
  const EvalWeights& weights = set == EvaluationSet::kTuned ? kTunedWeights : kClassicWeights;
  return WeightVector(weights.value.begin(), weights.value.end());
}

std::vector<bool> TunableValues(const WeightVector& start) {
  std::vector<bool> tunable(start.size(), false);
  for (int i = 0; i < kWeightValueCount; ++i)
    tunable[i] = kWeightInfos[WeightOfIndex(i)].tuned && start[i] != kUnusedSquare;
  return tunable;
}

void TrainingSet::Add(float result, double constant, std::span<const TraceEntry> entries) {
  results_.push_back(result);
  constants_.push_back(constant);
  entries_.insert(entries_.end(), entries.begin(), entries.end());
  starts_.push_back(entries_.size());
}

double TrainingSet::Score(size_t i, const WeightVector& weights) const {
  double score = constants_[i];
  for (const TraceEntry& entry : Entries(i)) score += entry.coefficient * weights[entry.index];
  return score;
}

struct PositionTracer::Workspace {
  PawnHashTable pawnTable{uint64_t(1) << 16};
  Evaluator evaluator{pawnTable};
  PositionStack stack;
  EvalTrace trace;
};

PositionTracer::PositionTracer(EvaluationSet set)
    : work_(std::make_unique<Workspace>()), start_(WeightsOf(set)), tunable_(TunableValues(start_)) {
  work_->evaluator.SelectWeights(set);
}

PositionTracer::~PositionTracer() = default;

bool PositionTracer::Add(const std::string& fen, float result, TrainingSet& set, int* evaluation) {
  GamePosition position;
  try {
    position = ParseFen(fen);
  } catch (const GameError&) {
    return false;
  }
  if (!position.IsValidPosition()) return false;
  LoadSearchRoot(work_->stack, position);
  const TreePosition& root = work_->stack.Root();
  work_->evaluator.PrepareRoot(root);
  const int score = work_->evaluator.Trace(root, work_->trace);
  if (evaluation) *evaluation = score;
  double constant = work_->trace.constant;
  entries_.clear();
  for (int i = 0; i < kWeightValueCount; ++i) {
    const double coefficient = work_->trace.coefficient[i];
    if (coefficient == 0) continue;
    if (start_[i] == kUnusedSquare) throw std::logic_error("the evaluation read a square its table never reads");
    if (tunable_[i]) entries_.push_back(TraceEntry{uint32_t(i), float(coefficient)});
    else constant += coefficient * start_[i];
  }
  set.Add(result, constant, entries_);
  return true;
}

double Sigmoid(double x) { return 1.0 / (1.0 + std::exp(-x)); }

double MeanSquaredError(const TrainingSet& set, const WeightVector& weights, double k, size_t first, size_t last) {
  last = std::min(last, set.Size());
  if (first >= last) return 0;
  double sum = 0;
  for (size_t i = first; i < last; ++i) {
    const double d = set.Result(i) - Sigmoid(k * set.Score(i, weights));
    sum += d * d;
  }
  return sum / double(last - first);
}

namespace {

// The sums of (R - s)^2 and of its derivative by each weight over [first, last).
double AddErrorAndGradient(const TrainingSet& set, const WeightVector& weights, double k, WeightVector& gradient,
                           size_t first, size_t last) {
  double sum = 0;
  for (size_t i = first; i < last; ++i) {
    const double s = Sigmoid(k * set.Score(i, weights));
    const double d = set.Result(i) - s;
    sum += d * d;
    // d/dw of (R - s)^2 = -2 (R - s) s (1 - s) k dq/dw.
    const double factor = -2.0 * d * s * (1.0 - s) * k;
    for (const TraceEntry& entry : set.Entries(i)) gradient[entry.index] += factor * entry.coefficient;
  }
  return sum;
}

}  // namespace

double ErrorAndGradient(const TrainingSet& set, const WeightVector& weights, double k, WeightVector& gradient,
                        size_t first, size_t last, int threads) {
  last = std::min(last, set.Size());
  gradient.assign(weights.size(), 0.0);
  if (first >= last) return 0;
  const size_t n = last - first;
  threads = std::max(1, std::min<int>(threads, int(n / 1024) + 1));
  std::vector<WeightVector> partial(threads - 1, WeightVector(weights.size(), 0.0));
  std::vector<double> sums(threads, 0.0);
  std::vector<std::thread> workers;
  const auto part = [&](int t) { return first + n * size_t(t) / size_t(threads); };
  for (int t = 1; t < threads; ++t)
    workers.emplace_back(
        [&, t] { sums[t] = AddErrorAndGradient(set, weights, k, partial[t - 1], part(t), part(t + 1)); });
  sums[0] = AddErrorAndGradient(set, weights, k, gradient, part(0), part(1));
  for (std::thread& worker : workers) worker.join();
  double sum = sums[0];
  for (int t = 1; t < threads; ++t) {
    sum += sums[t];
    for (size_t i = 0; i < gradient.size(); ++i) gradient[i] += partial[t - 1][i];
  }
  for (double& g : gradient) g /= double(n);
  return sum / double(n);
}

double FitScale(const TrainingSet& set, const WeightVector& weights) {
  // E(k) has one minimum on scales from a tiny one (every score near a
  // draw) to one where a pawn is nearly a certain win.
  double low = 0.0, high = kLargestScale;
  const double golden = (std::sqrt(5.0) - 1) / 2;
  double a = high - golden * (high - low), b = low + golden * (high - low);
  double ea = MeanSquaredError(set, weights, a), eb = MeanSquaredError(set, weights, b);
  for (int i = 0; i < 60; ++i) {
    if (ea < eb) {
      high = b;
      b = a;
      eb = ea;
      a = high - golden * (high - low);
      ea = MeanSquaredError(set, weights, a);
    } else {
      low = a;
      a = b;
      ea = eb;
      b = low + golden * (high - low);
      eb = MeanSquaredError(set, weights, b);
    }
  }
  return (low + high) / 2;
}

AdamOptimiser::AdamOptimiser(std::vector<bool> tunable, double rate, double beta1, double beta2, double epsilon)
    : tunable_(std::move(tunable)),
      rate_(rate),
      beta1_(beta1),
      beta2_(beta2),
      epsilon_(epsilon),
      m_(tunable_.size(), 0.0),
      v_(tunable_.size(), 0.0) {}

void AdamOptimiser::Step(WeightVector& weights, const WeightVector& gradient) {
  ++steps_;
  const double correction1 = 1 - std::pow(beta1_, double(steps_));
  const double correction2 = 1 - std::pow(beta2_, double(steps_));
  for (size_t i = 0; i < weights.size(); ++i) {
    if (!tunable_[i]) continue;
    m_[i] = beta1_ * m_[i] + (1 - beta1_) * gradient[i];
    v_[i] = beta2_ * v_[i] + (1 - beta2_) * gradient[i] * gradient[i];
    weights[i] -= rate_ * (m_[i] / correction1) / (std::sqrt(v_[i] / correction2) + epsilon_);
  }
}

namespace {

// `text` as comment lines of at most about 100 columns after `indent`.
std::string CommentLines(std::string_view text, const std::string& indent) {
  std::string out, line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > 100) {
      // A line opening with a number reads as a numbered step: the word
      // before it moves down with it.
      const size_t lastSpace = line.rfind(' ');
      const bool carry = !word.empty() && std::isdigit(static_cast<unsigned char>(word[0])) &&
                         lastSpace != std::string::npos;
      const std::string carried = carry ? line.substr(lastSpace + 1) : "";
      out += indent + "// " + line.substr(0, carry ? lastSpace : line.size()) + "\n";
      line = carried;
    }
    if (!line.empty()) line += ' ';
    line += word;
    start = end + 1;
  }
  if (!line.empty()) out += indent + "// " + line + "\n";
  return out;
}

std::string ValueText(int32_t value) { return value == kUnusedSquare ? "M" : std::to_string(value); }

// The values of a weight as a source writes them: diagrams for square
// tables, `perLine` values a line otherwise.
void AppendValues(std::string& text, const WeightInfo& info, std::span<const int32_t> values) {
  const bool squares = info.shape == WeightShape::kSquares || info.shape == WeightShape::kPhaseSquares;
  if (!squares) {
    text += "{";
    for (int i = 0; i < info.count; ++i) {
      if (i > 0) text += (i % 12 == 0) ? ",\n        " : ", ";
      text += ValueText(values[WeightIndex(info.id, i)]);
    }
    text += "}";
    return;
  }
  static const char* const kPhaseNames[] = {"opening", "middlegame", "endgame"};
  text += "{\n";
  for (int table = 0; table < info.count / 64; ++table) {
    if (info.shape == WeightShape::kPhaseSquares) text += std::string("        // ") + kPhaseNames[table] + "\n";
    for (int row = 0; row < 8; ++row) {
      text += "       ";
      for (int file = 0; file < 8; ++file) {
        const int square = (7 - row) * 8 + file;  // rank 8 first
        char cell[16];
        std::snprintf(cell, sizeof cell, " %5s,", ValueText(values[WeightIndex(info.id, 64 * table + square)]).c_str());
        text += cell;
      }
      text += "\n";
    }
  }
  text += "    }";
}

}  // namespace

std::string WeightsSource(std::span<const int32_t> values, const std::vector<std::string>& comments) {
  std::string text;
  for (const std::string& comment : comments) text += CommentLines(comment, "");
  text +=
      "#pragma once\n\n#include \"eval/eval_weights.h\"\n\nnamespace tuned_weights {\n\n"
      "// A square the evaluation never reads.\nconstexpr int32_t M = kUnusedSquare;\n\n"
      "inline constexpr EvalWeights kWeights = MakeWeights({\n";
  for (const WeightInfo& info : kWeightInfos) {
    text += CommentLines(info.note, "    ");
    text += "    {" + std::string(info.identifier) + ", ";
    AppendValues(text, info, values);
    text += "},\n";
  }
  text += "});\n\n}  // namespace tuned_weights\n\n";
  text += "inline constexpr EvalWeights kTunedWeights = tuned_weights::kWeights;\n";
  return text;
}

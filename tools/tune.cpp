// tune DATA... [options]: Texel's method on training data from datagen (see
// tuning/texel.h). Every position is prepared as a search root and traced
// once under the start weights; the logistic scale k is fitted to the start
// weights on the training games; then Adam minimises the mean squared
// error over all tuned weights at once. Prints the errors on the training
// and the held-out games before and after, and writes the weights, rounded,
// as the C++ source the build uses. Without DATA it writes the start
// weights as they are (the tuned set before any tuning: a copy).
//
//   --out FILE         where the weights go (eval/tuned_weights.h to use them)
//   --start classic|tuned   the weights to start from and trace under
//                      (default classic)
//   --epochs N         passes over the training games (default 1000)
//   --batch N          positions a step; 0 (default) for one step a pass
//   --rate R           Adam's step size in centipawns (default 1)
//   --holdout P        percent of the games held out (default 10)
//   --seed N           picks the held-out games and the batches' order
//                      (default 1)
//   --scale K          the logistic scale, instead of fitting it
//   --lambda L         the training target: L times the game's result plus
//                      1 - L times the search's score as an expected result
//                      (sigmoid of k times it); default 1, the result alone.
//                      The held-out error is always on the results.
//   --threads N        threads for the traces and the gradient (default:
//                      every core)
//   --report N         epochs between progress lines (default 50)
//   --only W,W...      tune only these weights (their identifiers, as
//                      kKnightMobility), the others held at the start
//                      weights: new terms fitted beside a tuned set, on
//                      data too small to retune every table
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "eval/eval_weights.h"
#include "search/engine.h"
#include "tuning/texel.h"
#include "tuning/training_data.h"

namespace {

struct Options {
  std::vector<std::string> data;
  std::string out;
  EvaluationSet start = EvaluationSet::kClassic;
  int epochs = 1000;
  size_t batch = 0;
  double rate = 1.0;
  int holdout = 10;
  uint64_t seed = 1;
  double scale = 0;  // 0: fit it
  double lambda = 1;
  int threads = 1;
  int report = 50;
  std::vector<WeightId> only;  // empty: every tuned weight
};

// The weights named in a comma-separated list of identifiers; false for a
// name that is not a tuned weight's.
bool ReadWeightNames(const std::string& list, std::vector<WeightId>& ids) {
  size_t begin = 0;
  while (begin <= list.size()) {
    const size_t end = std::min(list.find(',', begin), list.size());
    const std::string_view name(list.data() + begin, end - begin);
    const auto info = std::find_if(std::begin(kWeightInfos), std::end(kWeightInfos),
                                   [&](const WeightInfo& w) { return w.identifier == name; });
    if (info == std::end(kWeightInfos) || !info->tuned) return false;
    ids.push_back(info->id);
    begin = end + 1;
  }
  return true;
}

bool ReadOptions(int argc, char** argv, Options& o) {
  const unsigned cores = std::thread::hardware_concurrency();
  o.threads = cores > 0 ? int(cores) : 1;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind("--", 0) != 0) {
      o.data.push_back(word);
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    char* end = nullptr;
    const double number = std::strtod(value, &end);
    const bool isNumber = end != value && *end == '\0';
    if (word == "--out") o.out = value;
    else if (word == "--start" && std::strcmp(value, "classic") == 0) o.start = EvaluationSet::kClassic;
    else if (word == "--start" && std::strcmp(value, "tuned") == 0) o.start = EvaluationSet::kTuned;
    else if (word == "--only" && ReadWeightNames(value, o.only)) continue;
    else if (!isNumber || number < 0) return false;
    else if (word == "--epochs") o.epochs = int(number);
    else if (word == "--batch") o.batch = size_t(number);
    else if (word == "--rate" && number > 0) o.rate = number;
    else if (word == "--holdout" && number < 100) o.holdout = int(number);
    else if (word == "--seed") o.seed = uint64_t(number);
    else if (word == "--scale") o.scale = number;
    else if (word == "--lambda" && number <= 1) o.lambda = number;
    else if (word == "--threads" && number >= 1) o.threads = int(number);
    else if (word == "--report" && number >= 1) o.report = int(number);
    else return false;
  }
  return !o.data.empty() || !o.out.empty();
}

uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

struct Sample {
  std::string fen;
  float result;
  float score;  // the search's, White's view
  bool heldOut;
};

struct Data {
  std::vector<Sample> samples;
  std::vector<std::string> provenance;  // the files' comment lines
  uint64_t games[2] = {0, 0};           // training, held out
};

// The positions of every complete game of the files; a game is held out by
// a hash of the seed, the file and the game number.
bool ReadData(const Options& o, Data& data) {
  for (size_t f = 0; f < o.data.size(); ++f) {
    std::ifstream in(o.data[f]);
    if (!in) {
      std::fprintf(stderr, "tune: cannot read %s\n", o.data[f].c_str());
      return false;
    }
    std::vector<TrainingPosition> pending;
    std::string line;
    while (std::getline(in, line)) {
      if (const std::optional<GameLineFields> game = ReadGameLine(line)) {
        const bool heldOut = Mix(o.seed ^ Mix((uint64_t(f) << 40) ^ game->game)) % 100 < uint64_t(o.holdout);
        for (TrainingPosition& p : pending)
          data.samples.push_back(Sample{std::move(p.fen), float(p.result), float(p.score), heldOut});
        if (!pending.empty()) ++data.games[heldOut ? 1 : 0];
        pending.clear();
      } else if (std::optional<TrainingPosition> position = ReadTrainingLine(line)) {
        pending.push_back(std::move(*position));
      } else if (!line.empty() && line[0] == '#') {
        data.provenance.push_back(o.data[f] + ": " + line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1));
      }
    }
  }
  return true;
}

// Traces the samples of one side of the split, on `threads` threads, each
// a share of them in order.
struct Traced {
  TrainingSet set;
  std::vector<float> scores;  // the search's score of each traced position
  uint64_t disagreements = 0;  // model and evaluation more than a rounding apart
  uint64_t unreadable = 0;
};

Traced TraceAll(const std::vector<const Sample*>& samples, EvaluationSet start, int threads) {
  std::vector<Traced> parts(threads);
  std::vector<std::thread> workers;
  const WeightVector weights = WeightsOf(start);
  const auto work = [&](int t) {
    PositionTracer tracer(start);
    Traced& part = parts[t];
    const size_t first = samples.size() * t / threads, last = samples.size() * (t + 1) / threads;
    for (size_t i = first; i < last; ++i) {
      int evaluation = 0;
      if (!tracer.Add(samples[i]->fen, samples[i]->result, part.set, &evaluation)) {
        ++part.unreadable;
        continue;
      }
      part.scores.push_back(samples[i]->score);
      // The shelter counted half again is halved with an integer division.
      if (std::abs(part.set.Score(part.set.Size() - 1, weights) - evaluation) > 0.51) ++part.disagreements;
    }
  };
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (std::thread& worker : workers) worker.join();
  Traced all = std::move(parts[0]);
  for (int t = 1; t < threads; ++t) {
    for (size_t i = 0; i < parts[t].set.Size(); ++i) {
      const std::span<const TraceEntry> entries = parts[t].set.Entries(i);
      // The constant: the score less what the entries make of the weights.
      double fromEntries = 0;
      for (const TraceEntry& e : entries) fromEntries += e.coefficient * weights[e.index];
      all.set.Add(parts[t].set.Result(i), parts[t].set.Score(i, weights) - fromEntries, entries);
    }
    all.scores.insert(all.scores.end(), parts[t].scores.begin(), parts[t].scores.end());
    all.disagreements += parts[t].disagreements;
    all.unreadable += parts[t].unreadable;
  }
  return all;
}

std::string Format(const char* format, double a, double b) {
  char text[200];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ReadOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: tune [DATA...] [--out FILE] [--start classic|tuned] [--epochs N] [--batch N] [--rate R]\n"
                 "            [--holdout PERCENT] [--seed N] [--scale K] [--lambda L] [--threads N]\n"
                 "            [--report N] [--only WEIGHT,...]\n");
    return 2;
  }
  std::string command = "tune";
  for (int i = 1; i < argc; ++i) command += std::string(" ") + argv[i];
  std::printf("%s\n", command.c_str());
  InitEngineTables();
  if (o.data.empty()) {
    const WeightVector start = WeightsOf(o.start);
    const std::vector<int32_t> values(start.begin(), start.end());
    std::ofstream out(o.out);
    out << WeightsSource(values, {"The tuned weights, written by tools/tune: do not edit by hand. No tuning run yet: "
                                  "a copy of the " +
                                  std::string(o.start == EvaluationSet::kClassic ? "classic" : "tuned") + " weights.",
                                  command});
    if (!out) {
      std::fprintf(stderr, "tune: cannot write %s\n", o.out.c_str());
      return 1;
    }
    std::printf("wrote %s\n", o.out.c_str());
    return 0;
  }
  const auto clockStart = std::chrono::steady_clock::now();
  const auto seconds = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - clockStart).count();
  };

  Data data;
  if (!ReadData(o, data)) return 1;
  for (const std::string& line : data.provenance) std::printf("data %s\n", line.c_str());
  std::vector<const Sample*> training, heldOut;
  for (const Sample& s : data.samples) (s.heldOut ? heldOut : training).push_back(&s);
  // The training positions in an order of the seed's, for the batches.
  std::shuffle(training.begin(), training.end(), std::mt19937_64(o.seed));
  std::printf("positions: %zu training (%llu games), %zu held out (%llu games)\n", training.size(),
              static_cast<unsigned long long>(data.games[0]), heldOut.size(),
              static_cast<unsigned long long>(data.games[1]));
  if (training.empty()) {
    std::fprintf(stderr, "tune: no training positions\n");
    return 1;
  }

  Traced train = TraceAll(training, o.start, o.threads);
  const Traced test = TraceAll(heldOut, o.start, o.threads);
  std::printf("traced in %.1f s: %zu entries (%.1f a position); unreadable %llu; model off the evaluation %llu\n",
              seconds(), train.set.EntryCount() + test.set.EntryCount(),
              double(train.set.EntryCount()) / double(train.set.Size()),
              static_cast<unsigned long long>(train.unreadable + test.unreadable),
              static_cast<unsigned long long>(train.disagreements + test.disagreements));

  const WeightVector start = WeightsOf(o.start);
  const double k = o.scale > 0 ? o.scale : FitScale(train.set, start);
  if (o.lambda < 1) {
    // The training targets blend each result with the search's view of the
    // position, which says more about one position than its game's end.
    for (size_t i = 0; i < train.set.Size(); ++i)
      train.set.SetResult(i, float(o.lambda * train.set.Result(i) + (1 - o.lambda) * Sigmoid(k * train.scores[i])));
    std::printf("training targets: %.2f of the result, %.2f of the search's score\n", o.lambda, 1 - o.lambda);
  }
  const double trainBefore = MeanSquaredError(train.set, start, k), testBefore = MeanSquaredError(test.set, start, k);
  std::printf("scale k %.6f%s; before: training error %.6f, held-out error %.6f\n", k,
              o.scale > 0 ? " (given)" : " (fitted to the start weights)", trainBefore, testBefore);
  if (o.scale == 0 && k > 0.99 * kLargestScale)
    std::printf("the scale is at the end of its range: the results hardly depend on the scores\n");

  WeightVector weights = start, gradient;
  std::vector<bool> tunable = TunableValues(start);
  if (!o.only.empty()) {
    for (int i = 0; i < kWeightValueCount; ++i)
      tunable[i] = tunable[i] && std::find(o.only.begin(), o.only.end(), WeightOfIndex(i)) != o.only.end();
  }
  AdamOptimiser adam(std::move(tunable), o.rate);
  const size_t n = train.set.Size();
  const size_t batch = o.batch == 0 || o.batch > n ? n : o.batch;
  for (int epoch = 1; epoch <= o.epochs; ++epoch) {
    double error = 0;
    for (size_t first = 0; first < n; first += batch) {
      const size_t last = std::min(n, first + batch);
      error += ErrorAndGradient(train.set, weights, k, gradient, first, last, o.threads) * double(last - first);
      adam.Step(weights, gradient);
    }
    if (epoch % o.report == 0 || epoch == o.epochs)
      std::printf("epoch %d: training error %.6f (during the pass), held-out error %.6f, %.0f s\n", epoch,
                  error / double(n), MeanSquaredError(test.set, weights, k), seconds());
    std::fflush(stdout);
  }

  std::vector<int32_t> rounded(weights.size());
  for (size_t i = 0; i < weights.size(); ++i) rounded[i] = int32_t(std::lround(weights[i]));
  const WeightVector final(rounded.begin(), rounded.end());
  const double trainAfter = MeanSquaredError(train.set, final, k), testAfter = MeanSquaredError(test.set, final, k);
  std::printf("after (weights rounded): training error %.6f, held-out error %.6f\n", trainAfter, testAfter);
  std::printf("material: pawn %d, knight %d, bishop %d, rook %d, queen %d\n", rounded[WeightIndex(kMaterial, 0)],
              rounded[WeightIndex(kMaterial, 1)], rounded[WeightIndex(kMaterial, 2)],
              rounded[WeightIndex(kMaterial, 3)], rounded[WeightIndex(kMaterial, 4)]);

  if (!o.out.empty()) {
    std::vector<std::string> comments = {
        "The tuned weights, written by tools/tune: do not edit by hand. Texel's method on the quiet positions of "
        "Ravok's own games (see the README).",
    };
    for (const std::string& line : data.provenance) comments.push_back("Data " + line);
    comments.push_back(command);
    if (!o.only.empty())
      comments.push_back("Only the weights named after --only were fitted; every other weight is the start set's, "
                         "from the runs before this one.");
    comments.push_back(std::to_string(train.set.Size()) + " training positions of " + std::to_string(data.games[0]) +
                       " games, " + std::to_string(test.set.Size()) + " held-out positions of " +
                       std::to_string(data.games[1]) + " games.");
    comments.push_back(Format("Scale k %.6f; training error %.6f", k, trainBefore) +
                       Format(" before, %.6f after; held-out error %.6f", trainAfter, testBefore) +
                       Format(" before, %.6f after.", testAfter, 0));
    std::ofstream out(o.out);
    out << WeightsSource(rounded, comments);
    if (!out) {
      std::fprintf(stderr, "tune: cannot write %s\n", o.out.c_str());
      return 1;
    }
    std::printf("wrote %s\n", o.out.c_str());
  }
  return 0;
}

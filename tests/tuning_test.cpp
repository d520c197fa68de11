// The tuner and its data: traces that reproduce the evaluation, the
// gradient against finite differences, the scale fit, the weights source,
// and self-play's positions and resumption.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/platform.h"
#include "board/fen.h"
#include "board/search_position.h"
#include "eval/classic_weights.h"
#include "eval/eval_mode.h"
#include "eval/tuned_weights.h"
#include "tuning/self_play.h"
#include "tuning/texel.h"

namespace {

// Openings, middlegames with both queens and castling rights on both wings,
// endgames, the pawn race, the drawn king-and-pawn rule, the gate, the
// pawnless endgames and the exits for pawns against far more material,
// Black's own king and duo values, and material only promotions give (three
// bishops against two knights, two queens against rooks), which the tuned
// piece values must count exactly.
const char* const kPositions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 5",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
    "r2qkb1r/B1p2ppp/1pnp1n2/4p3/4P3/2NP1N2/PPP2PPP/R2QKB1R w KQkq - 0 8",
    "r3kb1r/pp3ppp/2n1bn2/3p4/3P4/2N1BN2/PP3PPP/R3KB1R b - - 0 10",
    "3qk2r/8/8/8/8/8/PPPPPPPP/RNBQKBNR w KQk - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/4kp2/4p3/3pP3/3P4/4K3/8/5B2 w - - 0 1",
    "4k3/ppp3pp/8/8/8/8/PPP3PP/4K3 w - - 0 1",
    "8/8/2k5/5P2/8/8/2K5/8 w - - 0 1",
    "k7/8/K7/P7/8/8/8/8 w - - 0 1",
    "4k3/pp6/8/8/8/8/8/1NN1K3 w - - 0 1",
    "4k3/8/8/8/8/8/PP6/4K2Q w - - 0 1",
    "8/8/3k4/8/8/3B4/3K4/6N1 b - - 0 1",
    "8/8/8/8/8/4k3/8/R3K3 w - - 0 1",
    "1n2k1n1/pppq1ppp/8/8/8/8/PPP2PPP/1BB1KB2 w - - 0 1",
    "r2rk3/pp3ppp/8/8/8/8/PPQ2PPP/3QK1N1 b - - 0 1",
};

// The games' results of the positions above, for the error.
float ResultOf(int i) { return i % 3 == 0 ? 1.0f : i % 3 == 1 ? 0.5f : 0.0f; }

TrainingSet TraceAll(EvaluationSet set) {
  PositionTracer tracer(set);
  TrainingSet traced;
  for (int i = 0; i < int(std::size(kPositions)); ++i) EXPECT_TRUE(tracer.Add(kPositions[i], ResultOf(i), traced));
  return traced;
}

// The trace's sum of coefficient x weight is the evaluation's score under
// either set, to the rounding of the shelter's half with both queens on.
TEST(Tuning, TracesReproduceTheEvaluation) {
  for (const EvaluationSet set : {EvaluationSet::kClassic, EvaluationSet::kTuned}) {
    PawnHashTable pawns(uint64_t(1) << 16);
    Evaluator evaluator(pawns);
    evaluator.SelectWeights(set);
    PositionTracer tracer(set);
    TrainingSet traced;
    const WeightVector weights = WeightsOf(set);
    PositionStack stack;
    for (const char* fen : kPositions) {
      int traceScore = 0;
      ASSERT_TRUE(tracer.Add(fen, 0.5f, traced, &traceScore));
      LoadSearchRoot(stack, ParseFen(fen));
      evaluator.PrepareRoot(stack.Root());
      const int score = evaluator.Evaluate(stack.Root(), -32000, 32000);
      EXPECT_EQ(traceScore, score) << fen;
      EXPECT_NEAR(traced.Score(traced.Size() - 1, weights), score, 0.5) << fen;
    }
  }
  // A position's entries name each value once and only tunable values.
  const TrainingSet traced = TraceAll(EvaluationSet::kClassic);
  const std::vector<bool> tunable = TunableValues(WeightsOf(EvaluationSet::kClassic));
  for (size_t i = 0; i < traced.Size(); ++i) {
    std::map<uint32_t, int> seen;
    for (const TraceEntry& entry : traced.Entries(i)) {
      EXPECT_TRUE(tunable[entry.index]);
      EXPECT_EQ(++seen[entry.index], 1);
    }
  }
  // "6k1/5ppp/8/8/8/8/5PPP/3R2K1": White's extra rook is its only
  // material; in the initial position everything cancels out but the move
  // in hand; far ahead against no pawns
  // ("3qk2r/8/8/8/8/8/PPPPPPPP/RNBQKBNR") the pawnless evaluation decides,
  // a constant, and each pawn adds twice its passer value.
  std::map<uint32_t, float> material;
  for (const TraceEntry& entry : traced.Entries(8))
    if (WeightOfIndex(int(entry.index)) == kMaterial)
      material[entry.index - WeightIndex(kMaterial)] = entry.coefficient;
  EXPECT_EQ(material, (std::map<uint32_t, float>{{3, 1.0f}}));
  ASSERT_EQ(traced.Entries(0).size(), 1u);
  EXPECT_EQ(traced.Entries(0)[0].index, uint32_t(WeightIndex(kTempo)));
  EXPECT_EQ(traced.Entries(0)[0].coefficient, 1.0f);
  EXPECT_EQ(traced.Entries(6).size(), 8u);
  for (const TraceEntry& entry : traced.Entries(6)) {
    EXPECT_EQ(WeightOfIndex(int(entry.index)), kPassedSquares);
    EXPECT_EQ(entry.coefficient, 2.0f);
  }
}

// The analytic gradient of the mean squared error against central
// differences of the error itself, weight value by weight value; the
// gradient on two threads is the same sum.
TEST(Tuning, GradientMatchesFiniteDifferences) {
  const TrainingSet traced = TraceAll(EvaluationSet::kClassic);
  const WeightVector weights = WeightsOf(EvaluationSet::kClassic);
  const double k = 0.006;
  WeightVector gradient, twoThreads;
  const double error = ErrorAndGradient(traced, weights, k, gradient);
  EXPECT_DOUBLE_EQ(error, MeanSquaredError(traced, weights, k));
  ErrorAndGradient(traced, weights, k, twoThreads, 0, SIZE_MAX, 2);
  int compared = 0;
  for (size_t i = 0; i < weights.size(); ++i) {
    EXPECT_NEAR(twoThreads[i], gradient[i], 1e-12) << i;
    if (gradient[i] == 0) continue;
    WeightVector up = weights, down = weights;
    const double h = 0.01;
    up[i] += h;
    down[i] -= h;
    const double numeric = (MeanSquaredError(traced, up, k) - MeanSquaredError(traced, down, k)) / (2 * h);
    EXPECT_NEAR(gradient[i], numeric, 1e-5 * std::abs(numeric) + 1e-12) << "value " << i;
    ++compared;
  }
  EXPECT_GT(compared, 100);
  // Values the tuner may not change have no gradient: the pawnless weights
  // and the squares a table never reads.
  const std::vector<bool> tunable = TunableValues(weights);
  for (size_t i = 0; i < weights.size(); ++i)
    if (!tunable[i]) {
      EXPECT_EQ(gradient[i], 0.0) << i;
    }
}

// The fitted scale is the error's minimum; Adam's steps lower the error and
// move tunable values only.
TEST(Tuning, ScaleFitAndAdamLowerTheError) {
  const TrainingSet traced = TraceAll(EvaluationSet::kClassic);
  WeightVector weights = WeightsOf(EvaluationSet::kClassic);
  const double k = FitScale(traced, weights);
  const double best = MeanSquaredError(traced, weights, k);
  EXPECT_LE(best, MeanSquaredError(traced, weights, k * 0.9));
  EXPECT_LE(best, MeanSquaredError(traced, weights, k * 1.1));

  const WeightVector start = weights;
  const std::vector<bool> tunable = TunableValues(start);
  AdamOptimiser adam(tunable, 1.0);
  WeightVector gradient;
  for (int step = 0; step < 50; ++step) {
    ErrorAndGradient(traced, weights, k, gradient);
    adam.Step(weights, gradient);
  }
  EXPECT_LT(MeanSquaredError(traced, weights, k), best - 0.005);
  for (size_t i = 0; i < weights.size(); ++i)
    if (!tunable[i]) {
      EXPECT_EQ(weights[i], start[i]) << i;
    }
}

// The source the tuner writes, read back the way MakeWeights reads it,
// gives the values written; the compiled tuned set keeps what the tuner
// never changes.
TEST(Tuning, WeightsSourceReadsBackAsWritten) {
  EvalWeights varied = kClassicWeights;
  for (int i = 0; i < kWeightValueCount; ++i)
    if (varied.value[i] != kUnusedSquare) varied.value[i] += i % 7 - 3;
  const std::string source = WeightsSource(varied.value, {"a test"});
  // Each weight's entry: "{kName, {" up to the closing "}},"; comments out.
  std::string code;
  std::istringstream lines(source);
  for (std::string line; std::getline(lines, line);) code += line.substr(0, line.find("//")) + "\n";
  EvalWeights read{};
  int weightsRead = 0;
  for (const WeightInfo& info : kWeightInfos) {
    const std::string start = "{" + std::string(info.identifier) + ", {";
    const size_t from = code.find(start);
    ASSERT_NE(from, std::string::npos) << info.identifier;
    const size_t to = code.find("}}", from);
    std::vector<int32_t> values;
    const std::string body = code.substr(from + start.size(), to - from - start.size());
    // The numbers and the unused-square marks "M", in their order.
    for (size_t i = 0; i < body.size();) {
      const size_t start = body.find_first_of("-0123456789M", i);
      if (start == std::string::npos) break;
      if (body[start] == 'M') {
        values.push_back(kUnusedSquare);
        i = start + 1;
        continue;
      }
      size_t length = 0;
      values.push_back(std::stoi(body.substr(start), &length));
      i = start + length;
    }
    EXPECT_TRUE(SetWrittenValues(read, info.id, values)) << info.identifier;
    ++weightsRead;
  }
  EXPECT_EQ(weightsRead, kWeightCount);
  EXPECT_EQ(read.value, varied.value);

  for (int i = 0; i < kWeightValueCount; ++i) {
    const bool tuned = kWeightInfos[WeightOfIndex(i)].tuned && kClassicWeights.value[i] != kUnusedSquare;
    if (!tuned) {
      EXPECT_EQ(kTunedWeights.value[i], kClassicWeights.value[i]) << i;
    }
    EXPECT_EQ(kTunedWeights.value[i] == kUnusedSquare, kClassicWeights.value[i] == kUnusedSquare) << i;
  }
}

// The quiet test: no capture in sight, a capture that wins, a check.
TEST(SelfPlay, QuietTest) {
  QuietTest quiet(EvaluationSet::kClassic);
  EXPECT_TRUE(quiet.IsQuiet(ParseFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")));
  // A capture that loses (the knight for the e5 pawn) leaves it quiet.
  EXPECT_TRUE(quiet.IsQuiet(ParseFen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3")));
  // A queen en prise, to either side to move.
  EXPECT_FALSE(quiet.IsQuiet(ParseFen("rnb1kbnr/pppp1ppp/8/4p1q1/3P4/2N5/PPP1PPPP/R1BQKBNR w KQkq - 0 3")));
  EXPECT_FALSE(quiet.IsQuiet(ParseFen("rnbqkb1r/pppp1ppp/5n2/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq - 2 3")));
  // In check.
  EXPECT_FALSE(quiet.IsQuiet(ParseFen("rnbqk1nr/pppp1ppp/8/4p3/1b1P4/8/PPP1PPPP/RNBQKBNR w KQkq - 1 3")));
}

// The data of a short run: every position legal and quiet, with the result
// of the game whose line follows it; a continued run plays only the games
// missing (and cuts off an unfinished game first), and a game played again
// is the same game.
TEST(SelfPlay, ShortRunWritesQuietPositionsWithTheirGamesResults) {
  InitEngineTables();
  std::istringstream openingText("# two openings\ne2e4 e7e5 g1f3 b8c6\n\nd2d4 d7d5 c2c4 e7e6\n");
  const std::vector<Opening> openings = ReadOpenings(openingText);
  ASSERT_EQ(openings.size(), 2u);
  SelfPlaySettings settings;
  settings.nodes = 300;
  settings.randomPlies = 2;
  settings.maxPlies = 120;
  SelfPlayRun run;
  const std::string name = "ravok_selfplay_" + std::to_string(ProcessNumber()) + ".txt";
  run.path = (std::filesystem::temp_directory_path() / name).string();
  std::filesystem::remove(run.path);
  run.games = 3;
  run.threads = 2;
  run.hashBytes = uint64_t(1) << 20;
  run.header = "a test";
  const auto quietly = [](const std::string&) {};
  EXPECT_EQ(RunSelfPlay(run, openings, settings, quietly), 3u);
  {
    // An unfinished game at the end: two positions and no game line.
    std::ofstream out(run.path, std::ios::app);
    out << "8/8/8/8/8/8/8/K1k5 w - - 0 1; 1-0; 5\n8/8/8/8/8/8/8/K1k5 w - - 0 1; 1-0";
  }
  run.games = 5;
  EXPECT_EQ(RunSelfPlay(run, openings, settings, quietly), 2u);

  std::ifstream in(run.path);
  std::map<uint64_t, std::vector<TrainingPosition>> games;
  std::map<uint64_t, std::string> results;
  std::vector<TrainingPosition> pending;
  QuietTest quiet(settings.evaluation);
  int positions = 0, finished = 0;
  for (std::string line; std::getline(in, line);) {
    if (const std::optional<GameLineFields> game = ReadGameLine(line)) {
      EXPECT_EQ(games.count(game->game), 0u) << "game " << game->game << " twice";
      for (const TrainingPosition& p : pending) EXPECT_EQ(ResultText(p.result), game->result) << line;
      if (game->result == "*") {
        EXPECT_TRUE(pending.empty()) << line;
      } else {
        ++finished;
      }
      games[game->game] = pending;
      results[game->game] = game->result;
      pending.clear();
    } else if (const std::optional<TrainingPosition> p = ReadTrainingLine(line)) {
      const GamePosition position = ParseFen(p->fen);
      EXPECT_TRUE(position.IsValidPosition()) << p->fen;
      EXPECT_TRUE(quiet.IsQuiet(position)) << p->fen;
      pending.push_back(*p);
      ++positions;
    } else {
      EXPECT_TRUE(line.rfind("# a test", 0) == 0) << line;
    }
  }
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(finished, 5);
  EXPECT_GT(positions, 20);

  // The last game again, on another engine: the same game, positions,
  // scores and result.
  const uint64_t last = games.rbegin()->first;
  Engine engine(uint64_t(1) << 20, uint64_t(1) << 20);
  const SelfPlayGame again = PlaySelfPlayGame(engine, quiet, openings[last % openings.size()], last, settings);
  EXPECT_EQ(again.result, results[last]);
  ASSERT_EQ(again.positions.size(), games[last].size());
  for (size_t i = 0; i < again.positions.size(); ++i) {
    EXPECT_EQ(again.positions[i].fen, games[last][i].fen);
    EXPECT_EQ(again.positions[i].score, games[last][i].score);
    EXPECT_EQ(again.positions[i].result, games[last][i].result);
  }
  in.close();  // (Windows removes no open file)
  std::filesystem::remove(run.path);
}

}  // namespace

// Strength below full: the levels' limits, and the root noise that makes a
// weaker engine pick among its near-best moves without giving material away.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "board/fen.h"
#include "board/moves.h"
#include "search/engine.h"
#include "search/strength.h"

namespace {

// The move a search of the position under `parameters` plays.
std::string BestMove(Engine& engine, const std::string& fen, const SearchParameters& parameters) {
  engine.NewGame();
  engine.LoadPosition(ParseFen(fen));
  SearchListener quiet;
  engine.Think(parameters, quiet);
  return engine.Info().pvMoves.empty() ? "" : CoordinateMoveText(engine.Info().pvMoves[0]);
}

// A level's Elo gives its own budget and noise; an Elo between two levels
// something in between; the ends clamp; a smaller node limit already set
// stays. Every level searches with the classic search and weights it was
// calibrated on, whatever the full-strength settings are.
TEST(Strength, LevelsAndTheStepsBetween) {
  for (const StrengthLevel& level : StrengthLevels()) {
    SearchParameters p;
    p.style = SearchStyle::kSelective;
    p.evaluation = EvaluationSet::kTuned;
    LimitStrength(p, level.elo, 7);
    EXPECT_EQ(p.maxNodes, level.nodes) << level.elo;
    EXPECT_EQ(p.rootNoise, level.rootNoise) << level.elo;
    EXPECT_EQ(p.noiseSeed, 7u);
    EXPECT_EQ(p.style, SearchStyle::kClassic);
    EXPECT_EQ(p.evaluation, EvaluationSet::kClassic);
  }
  const StrengthLevel& a = kStrengthLevels[3];
  const StrengthLevel& b = kStrengthLevels[4];
  SearchParameters between;
  LimitStrength(between, (a.elo + b.elo) / 2, 0);
  EXPECT_GT(between.maxNodes, a.nodes);
  EXPECT_LT(between.maxNodes, b.nodes);
  EXPECT_LT(between.rootNoise, a.rootNoise);
  EXPECT_GT(between.rootNoise, b.rootNoise);
  SearchParameters weakest, strongest, capped;
  LimitStrength(weakest, 0, 0);
  LimitStrength(strongest, 99999, 0);
  EXPECT_EQ(weakest.maxNodes, kStrengthLevels[0].nodes);
  EXPECT_EQ(strongest.maxNodes, std::end(kStrengthLevels)[-1].nodes);
  capped.maxNodes = 5;
  LimitStrength(capped, kStrongestLimitedElo, 0);
  EXPECT_EQ(capped.maxNodes, 5u);
}

// From the start position many first moves are nearly equal: with the
// weakest level's noise the seeds spread the choice, also under its own
// node budget, which ends the first iteration after a few root moves;
// without noise the choice is the same every time. A queen that can be
// taken for nothing is taken whatever the seed. The score without noise is
// the search's own: 0.00 for two knights against a bare king, whatever
// bonus chose the move.
TEST(Strength, RootNoiseChoosesAmongNearBestMovesOnly) {
  Engine engine(uint64_t(1) << 20, uint64_t(1) << 18);
  const std::string start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  SearchParameters plain{kModeThink, 3, 0, 0};
  std::set<std::string> noisy, quiet;
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    SearchParameters p = plain;
    p.rootNoise = kStrengthLevels[0].rootNoise;
    p.noiseSeed = seed;
    noisy.insert(BestMove(engine, start, p));
    quiet.insert(BestMove(engine, start, plain));
  }
  EXPECT_GE(noisy.size(), 4u);
  EXPECT_EQ(quiet.size(), 1u);

  std::set<std::string> weakest;
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    SearchParameters p;
    LimitStrength(p, kWeakestElo, seed);
    weakest.insert(BestMove(engine, start, p));
  }
  EXPECT_GE(weakest.size(), 4u);

  const std::string twoKnights = "8/8/8/4k3/8/8/8/KNN5 w - - 0 1";
  int noisyScores = 0;
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    SearchParameters p;
    LimitStrength(p, kWeakestElo, seed);
    BestMove(engine, twoKnights, p);
    EXPECT_EQ(engine.Info().scoreWithoutNoise, 0) << seed;
    noisyScores += engine.Info().bestScore != 0;
  }
  EXPECT_GT(noisyScores, 0);

  const std::string hangingQueen = "rnb1kbnr/pppp1ppp/8/4p3/4P2q/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3";
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    SearchParameters p{kModeThink, 3, 0, 0};
    p.rootNoise = kStrengthLevels[0].rootNoise;
    p.noiseSeed = seed;
    EXPECT_EQ(BestMove(engine, hangingQueen, p), "f3h4") << seed;
  }
}

}  // namespace

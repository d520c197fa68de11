// The one limits builder: what a dialogue asks of a search, with the
// session's settings, into the search's parameters; and what the console's
// and the play mode's game session asks by its own clocks and settings.
#include <gtest/gtest.h>

#include "board/moves.h"
#include "search/strength.h"
#include "session/game_session.h"
#include "session/search_limits.h"

namespace {

SearchParameters Build(const SearchRequest& request, const SessionSettings& settings = {}, uint64_t seed = 0) {
  return BuildSearchLimits(request, settings, seed);
}

// A depth N is N - 1 iterations (depth 1 and 2 the single shallowest one);
// a mate to find sets no depth of its own and leaves a depth as it is;
// nodes pass through.
TEST(SearchLimits, DepthsAndMatesAsIterations) {
  const std::pair<int, int> depths[] = {{0, 0}, {1, 1}, {2, 1}, {6, 5}, {36, 35}};
  for (const auto& [depth, iterations] : depths) EXPECT_EQ(Build({.depth = depth}).maxDepth, iterations) << depth;
  EXPECT_EQ(Build({.mateMoves = 3}).maxDepth, 0);
  EXPECT_EQ(Build({.mateMoves = 3}).mateMoves, 3);
  EXPECT_EQ(Build({.depth = 9, .mateMoves = 2}).maxDepth, 8);
  EXPECT_EQ(Build({.nodes = 777}).maxNodes, 777u);
}

// A fixed time for the move is a hard limit of the time less the move
// overhead (the one margin: none on the console and under xboard by
// default), at least kShortestMoveTime; beside a clock the smaller hard
// limit wins, and a clock keeps the overhead back too.
TEST(SearchLimits, AFixedMoveTimeLessTheOverhead) {
  EXPECT_EQ(MoveTimeHardLimit(1000, 0), 1000);
  EXPECT_EQ(MoveTimeHardLimit(1000, 30), 970);
  EXPECT_EQ(MoveTimeHardLimit(0, 0), kShortestMoveTime);
  EXPECT_EQ(MoveTimeHardLimit(1000, 5000), kShortestMoveTime);
  SessionSettings settings;
  const SearchParameters st = Build({.moveTime = 2000, .targetTime = 3000}, settings);
  EXPECT_EQ(st.hardLimit, 2000);
  EXPECT_EQ(st.allotment, 3000);
  settings.timeRule = TimeRule::kIncrement;
  const ClockReading clock{100000, 0, 0, 0};
  const ClockLimits byClock = LimitsFromClock(clock, TimeRule::kIncrement);
  EXPECT_EQ(Build({.clock = clock, .moveTime = 500}, settings).hardLimit, 500);
  EXPECT_EQ(Build({.clock = clock, .moveTime = 500}, settings).allotment, byClock.allotment);
  EXPECT_EQ(Build({.clock = clock, .moveTime = 60000}, settings).hardLimit, byClock.hardLimit);
  settings.moveOverhead = 40;
  EXPECT_EQ(Build({.clock = clock}, settings).hardLimit,
            LimitsFromClock({100000, 0, 0, 40}, TimeRule::kIncrement).hardLimit);
}

// Every search carries the settings' search style and evaluation; a level
// below full strength gives a search on the engine's move and its ponder
// search the strength's node budget (a smaller one stays), root noise and
// seed, and the classic search and evaluation it was calibrated on. An analysis and a request for
// the engine's own judgement are at full strength.
TEST(SearchLimits, StyleAndStrengthFollowTheSettings) {
  SessionSettings settings;
  settings.search = SearchStyle::kSelective;
  settings.evaluation = EvaluationSet::kTuned;
  for (const int mode : {kModeThink, kModePonder, kModeAnalyze}) {
    const SearchParameters p = Build({.mode = mode}, settings);
    EXPECT_EQ(p.mode, mode);
    EXPECT_EQ(p.style, SearchStyle::kSelective);
    EXPECT_EQ(p.evaluation, EvaluationSet::kTuned);
    EXPECT_EQ(p.maxNodes, 0u);
  }
  settings.limitStrength = true;
  settings.strengthElo = kWeakestElo;
  for (const int mode : {kModeThink, kModePonder}) {
    const SearchParameters p = Build({.mode = mode}, settings, 99);
    EXPECT_EQ(p.maxNodes, kStrengthLevels[0].nodes);
    EXPECT_EQ(p.rootNoise, kStrengthLevels[0].rootNoise);
    EXPECT_EQ(p.noiseSeed, 99u);
    EXPECT_EQ(p.style, SearchStyle::kClassic);
    EXPECT_EQ(p.evaluation, EvaluationSet::kClassic);
  }
  EXPECT_EQ(Build({.nodes = 10}, settings).maxNodes, 10u);
  for (const SearchRequest& full : {SearchRequest{.mode = kModeAnalyze}, SearchRequest{.fullStrength = true}}) {
    const SearchParameters p = Build(full, settings);
    EXPECT_EQ(p.maxNodes, 0u);
    EXPECT_EQ(p.rootNoise, 0);
    EXPECT_EQ(p.style, SearchStyle::kSelective);
    EXPECT_EQ(p.evaluation, EvaluationSet::kTuned);
  }
}

// The game session asks by its settings without a clock ("sd", "st",
// "vartime") and by the side to move's clock under a time control; the
// strength seed is the current position's, the same again after a
// take-back.
TEST(SearchLimits, TheSessionAsksByItsSettingsOrItsClock) {
  GameSession session;
  SessionSettings& settings = session.Settings();
  settings.absoluteTime = 2000;
  SearchParameters p = session.LimitsForMove();
  EXPECT_EQ(p.maxDepth, 5);
  EXPECT_EQ(p.hardLimit, 2000);
  EXPECT_EQ(p.allotment, 3000);
  settings.absoluteTime = 0;
  settings.depth = 0;
  p = session.LimitsForMove();
  EXPECT_EQ(p.maxDepth, 0);
  EXPECT_EQ(p.hardLimit, 0);

  session.SetTimeControl(TimeControl{60000, 0, 0, 1000});
  settings.moveOverhead = 100;
  p = session.LimitsForMove();
  const ClockLimits expected = LimitsFromClock({60000, 1000, 0, 100}, settings.timeRule);
  EXPECT_EQ(p.hardLimit, expected.hardLimit);
  EXPECT_EQ(p.allotment, expected.allotment);
  EXPECT_EQ(p.maxDepth, 0);

  settings.limitStrength = true;
  settings.strengthElo = kWeakestElo;
  const uint64_t before = session.LimitsForMove().noiseSeed;
  session.PlayMove(ParseMove(session.game().currentPosition, "e2e4"), false);
  EXPECT_NE(session.LimitsForMove().noiseSeed, before);
  session.TakeBack();
  EXPECT_EQ(session.LimitsForMove().noiseSeed, before);
}

}  // namespace

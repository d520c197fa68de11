// Playing strength below the engine's full strength, for people and for
// interfaces that ask for it (UCI's UCI_LimitStrength and UCI_Elo): a
// weaker engine searches fewer nodes and picks among its near-best root
// moves with a measured amount of chance.
#pragma once

#include <cstdint>
#include <iterator>
#include <span>

#include "search/search_info.h"

// One step of strength: a node budget per move and the most a root move's
// score may be raised at random (in centipawns), with the Elo the step
// played at in calibration matches against Stockfish 15.1 at set UCI_Elo
// values, 10+0.1.
struct StrengthLevel {
  uint64_t nodes;
  int32_t rootNoise;
  int32_t elo;
};

// The steps from a beginner's upward; above the last the engine plays at
// full strength. Node budgets grow about three times a step and the root
// noise falls, so that neighbouring steps are told apart in play. The Elo
// figures come from 300 calibration games (20 or more a step): steps 3 to
// 9 lie on the line that fits them best against the node budget, steps 1
// and 2, below Stockfish's range, were measured against steps 2 and 3.
inline constexpr StrengthLevel kStrengthLevels[] = {
    {60, 300, 130},     {150, 250, 580},    {400, 200, 1070},   {1000, 150, 1190},  {3000, 100, 1340},
    {10000, 70, 1490},  {30000, 40, 1640},  {100000, 20, 1790}, {400000, 10, 1970},
};
inline std::span<const StrengthLevel> StrengthLevels() { return kStrengthLevels; }

// The range an Elo setting may take: the weakest and the strongest step.
inline constexpr int32_t kWeakestElo = kStrengthLevels[0].elo;
inline constexpr int32_t kStrongestLimitedElo = std::end(kStrengthLevels)[-1].elo;

// Limits a search to the strength of `elo` (within the range): the node
// budget and root noise of the steps around it, in between on a
// logarithmic scale of nodes. Keeps a smaller node limit the search
// already has. `seed` picks the chance moves; the same seed gives the same
// game. The search and the evaluation are the classic ones, on which the
// steps were calibrated.
void LimitStrength(SearchParameters& parameters, int32_t elo, uint64_t seed);

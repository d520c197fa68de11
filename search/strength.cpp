#include "search/strength.h"

#include <algorithm>
#include <cmath>

void LimitStrength(SearchParameters& parameters, int32_t elo, uint64_t seed) {
  elo = std::clamp(elo, kWeakestElo, kStrongestLimitedElo);
  const StrengthLevel* upper = std::begin(kStrengthLevels);
  while (upper->elo < elo) ++upper;
  const StrengthLevel* lower = upper == std::begin(kStrengthLevels) ? upper : upper - 1;
  const double share = upper == lower ? 0.0 : double(elo - lower->elo) / double(upper->elo - lower->elo);
  const double logNodes = std::log(double(lower->nodes)) + share * (std::log(double(upper->nodes)) - std::log(double(lower->nodes)));
  const uint64_t nodes = uint64_t(std::llround(std::exp(logNodes)));
  parameters.maxNodes = parameters.maxNodes == 0 ? nodes : std::min(parameters.maxNodes, nodes);
  parameters.rootNoise = int32_t(std::lround(lower->rootNoise + share * (upper->rootNoise - lower->rootNoise)));
  parameters.noiseSeed = seed;
  // The steps were calibrated on the classic search and evaluation.
  parameters.style = SearchStyle::kClassic;
  parameters.evaluation = EvaluationSet::kClassic;
}

// The value sets of the three phases under each weight set, filled from the
// parameter table once and copied by every preparation.
#include "eval/value_tables.h"

#include <array>

#include "eval/classic_weights.h"
#include "eval/tuned_weights.h"

namespace {

using PhaseSets = std::array<ValueSet, 3>;

PhaseSets FillPhaseSets(const EvalWeights& weights) {
  PhaseSets sets{};
  for (int phase = kOpeningPhase; phase <= kEndgamePhase; ++phase) {
    ValueSet& set = sets[phase];
    set.phase = phase;
    for (int side = kWhite; side <= kBlack; ++side)
      for (int table = 0; table < kSideTableCount; ++table)
        for (Square s = 0; s < 64; ++s)
          (set.side[side].*kSideTableMembers[table])[s] =
              weights.value[TableValueIndex(SideTable(table), phase, side, s)];
  }
  return sets;
}

}  // namespace

const ValueSet& PhaseValueSet(EvaluationSet set, int phase) {
  static const PhaseSets classic = FillPhaseSets(kClassicWeights);
  static const PhaseSets tuned = FillPhaseSets(kTunedWeights);
  return (set == EvaluationSet::kTuned ? tuned : classic)[phase];
}

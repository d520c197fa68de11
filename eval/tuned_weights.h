// The tuned weights: until the first tuning run writes this file (tools/tune
// --out eval/tuned_weights.h), the classic weights.
#pragma once

#include "eval/classic_weights.h"

inline constexpr EvalWeights kTunedWeights = kClassicWeights;

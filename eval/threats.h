// Threats: enemy pieces that a lesser man attacks, and enemy pieces that
// are attacked and defended by no man.
#pragma once

#include "eval/eval_mode.h"
#include "eval/eval_scratch.h"
#include "position/tree_position.h"

// Both sides' threats, White's view. The side to move can act on its own
// threats at once and must answer the other side's, so every threat is
// weighed by which of the two sides is to move.
template <class M = ClassicEval>
int ThreatTerms(const TreePosition& p, const EvalScratch& e);

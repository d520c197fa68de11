// The settings a dialogue plays by: the limits of a search without a clock,
// the way a clock is spent, pondering and the thinking output. The
// commands and the options table change them; each dialogue starts them as
// the options table says (see StartOptions).
#pragma once

#include <cstdint>

#include "base/clock.h"
#include "search/clock_rule.h"
#include "search/search_info.h"

struct SessionSettings {
  int32_t depth = 6;                 // the depth limit ("sd"; N - 1 iterations); 0 = none
  Milliseconds absoluteTime = 0;     // the hard limit a move ("abstime", "st"); 0 = none
  Milliseconds variableTime = 3000;  // the target a move ("vartime"); 0 = none
  TimeRule timeRule = TimeRule::kClassic;
  SearchStyle search = SearchStyle::kClassic;  // the search at full strength
  EvaluationSet evaluation = EvaluationSet::kClassic;  // the evaluation's weights at full strength
  Milliseconds moveOverhead = 0;  // kept back from a clock for the move's way to the interface
  bool ponder = false;            // think on the opponent's time (UCI: the interface may send "go ponder")
  bool post = true;               // xboard: show the thinking lines
  int32_t lines = 1;              // the best lines a search finds and shows (MultiPV)
  bool showWinDrawLoss = false;   // UCI: "wdl W D L" beside every score
  bool chess960 = false;          // games are Chess960 (UCI_Chess960, xboard's variant fischerandom)
  int64_t hashMebibytes = 0;      // both tables as last asked for; 0 = as they were at the start
  // Below full strength (UCI_LimitStrength, UCI_Elo, the play mode's levels):
  // the engine plays at about `strengthElo`. `strengthSeed` picks its chance
  // moves; each session draws its own, and the play mode a new one for
  // every game.
  bool limitStrength = false;
  int32_t strengthElo = 0;
  uint64_t strengthSeed = 0;
};

// The most lines a search finds (MultiPV): more than any position has moves.
inline constexpr int32_t kMaxMultiPv = 256;

// Which dialogue a session speaks, where an option starts differently.
enum class Dialogue { kConsoleXboard, kUci };

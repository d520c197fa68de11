// How long a move may take on a clock: the readings of one side's clock in,
// the search's limits out. Both dialogues feed it (xboard's "level" clocks,
// UCI's go words); every time here is in milliseconds.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/clock.h"

// One side's clock as the rule sees it, at the moment its search starts.
struct ClockReading {
  Milliseconds remaining = 0;  // below zero counts as an empty clock
  Milliseconds increment = 0;  // added after each of the side's moves
  int32_t movesToGo = 0;       // moves left in the period; 0 = the whole game
  Milliseconds overhead = 0;   // kept back for the move's way to the interface's clock
};

// The two ways Ravok spends a clock.
// - kClassic: the time left shared over the moves to go plus one (21 moves
//   without periods), the hard limit the time left less a tenth and less a
//   reserve; the increment is not spent ahead.
// - kIncrement: a smaller share of the time left plus most of the
//   increment, grown for the search's stop rules, which end most searches
//   well before the target; the hard limit a few times the target.
enum class TimeRule { kClassic, kIncrement };

// The rules' names in settings, in the order of the rules.
inline constexpr std::string_view kTimeRuleNames[] = {"classic", "increment"};
inline std::string_view TimeRuleName(TimeRule rule) { return kTimeRuleNames[int(rule)]; }

// Time kept back from every clock the interface runs: the move must still
// travel through the pipes and the interface's scheduling before the
// interface stops the clock.
inline constexpr Milliseconds kClockSafetyMargin = 50;

// The two limits of a timed search: past the hard limit the search stops
// at once; the target (allotment) scales the search's own stop rules.
struct ClockLimits {
  Milliseconds hardLimit;
  Milliseconds allotment;
};

// The limits for a move on this clock under `rule`. Whatever the rule, the
// hard limit is at least a millisecond and leaves the safety margin and, on
// a clock that gets no increment, a millisecond for each move still to come
// in the period (300 moves without periods), so that no sequence of moves
// that each take the whole hard limit runs the clock out.
ClockLimits LimitsFromClock(const ClockReading& clock, TimeRule rule);


#include "search/clock_rule.h"

#include <algorithm>

namespace {

// The classic rule's reserves and shares: 3 seconds kept per move to go,
// or a minute without periods, but never more than half the time left; the
// target shares the time among the moves to go plus one, or among 21
// without periods.
constexpr Milliseconds kReservePerMoveToGo = 3000;
constexpr Milliseconds kReserveWithoutPeriods = 60000;
constexpr int64_t kShareWithoutPeriods = 21;

// The classic hard limit's floor on a comfortable clock, and the target's
// floor on any clock (enough for the first iterations).
constexpr Milliseconds kHardLimitFloor = 1000;
constexpr Milliseconds kMinimumAllotment = 10;

// The increment rule: a move should cost a twentieth of the time left (or
// the period's even share, when that is larger) plus three quarters of the
// increment. The search's stop rules end most searches at a third to a
// half of the target, so the target is twice that cost; it never exceeds a
// quarter of the time left plus the increment, and the hard limit is three
// targets.
constexpr int64_t kIncrementRuleShare = 20;
// A clock that gets no increment and no new period must last the whole
// game: the time left is shared over twice as many moves.
constexpr int64_t kSuddenDeathShare = 40;
constexpr int64_t kIncrementSpentNumerator = 3;
constexpr int64_t kIncrementSpentDenominator = 4;
constexpr int64_t kStopRuleAllowance = 2;
constexpr int64_t kHardLimitTargets = 3;

// On a clock without increment, the moves a game may still need: each gets
// at least a millisecond before the flag falls.
constexpr int64_t kMovesKeptWithoutPeriods = 300;

// The most one move may take: the time left less the safety margin (half
// of it on a clock too short for the margin) and less a millisecond for
// each move still to come before the clock is refilled; at least a
// millisecond (0 would mean no limit).
Milliseconds SafeSpend(Milliseconds remaining, const ClockReading& clock) {
  Milliseconds spend = remaining > 2 * kClockSafetyMargin ? remaining - kClockSafetyMargin : remaining / 2;
  if (clock.increment <= 0) {
    const int64_t movesToCome = clock.movesToGo > 0 ? clock.movesToGo - 1 : kMovesKeptWithoutPeriods;
    spend = std::min(spend, remaining - movesToCome);
  }
  return std::max<Milliseconds>(spend, 1);
}

ClockLimits ClassicLimits(Milliseconds r, const ClockReading& clock) {
  const int64_t g = clock.movesToGo;
  const Milliseconds reserve = std::min(g != 0 ? g * kReservePerMoveToGo : kReserveWithoutPeriods, r / 2);
  const Milliseconds hard = std::max(r - r / 10 - reserve, std::min(kHardLimitFloor, r / 4));
  const int64_t share = g > 0 ? g + 1 : kShareWithoutPeriods;
  return ClockLimits{std::max<Milliseconds>(std::min(hard, SafeSpend(r, clock)), 1),
                     std::max(r / share, kMinimumAllotment)};
}

ClockLimits IncrementLimits(Milliseconds r, const ClockReading& clock) {
  const int64_t g = clock.movesToGo;
  const Milliseconds increment = std::max<Milliseconds>(clock.increment, 0);
  const int64_t share = g > 0           ? std::min<int64_t>(g + 1, kIncrementRuleShare)
                        : increment > 0 ? kIncrementRuleShare
                                        : kSuddenDeathShare;
  const Milliseconds cost = r / share + increment * kIncrementSpentNumerator / kIncrementSpentDenominator;
  const Milliseconds target = std::min(kStopRuleAllowance * cost, r / 4 + increment);
  const Milliseconds hard = std::min(kHardLimitTargets * target, SafeSpend(r, clock));
  return ClockLimits{std::max<Milliseconds>(hard, 1), std::clamp(target, kMinimumAllotment, std::max(hard, kMinimumAllotment))};
}

}  // namespace

ClockLimits LimitsFromClock(const ClockReading& clock, TimeRule rule) {
  const Milliseconds r = std::max<Milliseconds>(clock.remaining - clock.overhead, 0);
  return rule == TimeRule::kClassic ? ClassicLimits(r, clock) : IncrementLimits(r, clock);
}


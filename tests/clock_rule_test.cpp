// The clock rules with readings handed in: the limits a move gets from the
// time left, the increment and the moves to go. Times are milliseconds.
#include <gtest/gtest.h>

#include "search/clock_rule.h"

namespace {

struct Limits {
  Milliseconds hard, target;
};

Limits Classic(Milliseconds remaining, Milliseconds increment = 0, int32_t movesToGo = 0) {
  const ClockLimits l = LimitsFromClock(ClockReading{remaining, increment, movesToGo, 0}, TimeRule::kClassic);
  return Limits{l.hardLimit, l.allotment};
}

Limits Increment(Milliseconds remaining, Milliseconds increment = 0, int32_t movesToGo = 0) {
  const ClockLimits l = LimitsFromClock(ClockReading{remaining, increment, movesToGo, 0}, TimeRule::kIncrement);
  return Limits{l.hardLimit, l.allotment};
}

void ExpectLimits(const Limits& got, Milliseconds hard, Milliseconds target, const char* what) {
  EXPECT_EQ(got.hard, hard) << what;
  EXPECT_EQ(got.target, target) << what;
}

// The classic rule keeps the shape of "level"'s worked examples, and its
// reserve never takes more than half the clock.
TEST(ClassicClockRule, WorkedExamplesAndShortGames) {
  ExpectLimits(Classic(300000, 0, 40), 150000, 7317, "40 moves in 5 minutes: 300 - 30 - 120 s, 300 / 41 s");
  ExpectLimits(Classic(120000, 12000), 48000, 5714, "2 minutes + 12 s: 120 - 12 - 60 s, 120 / 21 s");
  ExpectLimits(Classic(60000, 1000), 24000, 2857, "1 minute + 1 s: 60 - 6 - 30 s");
  ExpectLimits(Classic(10000, 100), 4000, 476, "10 s + 0.1 s: 10 - 1 - 5 s");
  ExpectLimits(Classic(300, 100), 120, 14, "0.3 s left with an increment");
  ExpectLimits(Classic(60, 100), 24, 10, "too short for the margin: the reserve decides");
  ExpectLimits(Classic(1000, 0, 40), 400, 24, "forty moves to go and a second left");
  ExpectLimits(Classic(1000, 0, 1), 400, 500, "the last move of a period");
}

// The increment rule spends most of the increment ahead and grows the
// target for the stop rules; the hard limit is three targets.
TEST(IncrementClockRule, ShareOfTheClockPlusTheIncrement) {
  ExpectLimits(Increment(60000, 1000), 22500, 7500, "1 minute + 1 s: 2 x (3 + 0.75) s");
  ExpectLimits(Increment(30000, 1000), 13500, 4500, "30 s + 1 s: 2 x (1.5 + 0.75) s");
  ExpectLimits(Increment(10000, 100), 3450, 1150, "10 s + 0.1 s: 2 x (0.5 + 0.075) s");
  ExpectLimits(Increment(300, 100), 250, 175, "0.3 s left: a quarter plus the increment, the margin kept");
  ExpectLimits(Increment(5000), 750, 250, "5 s sudden death: the time shared over 40 moves");
  ExpectLimits(Increment(60000, 0, 40), 18000, 6000, "forty moves to go count as twenty");
  ExpectLimits(Increment(10000, 0, 1), 7500, 2500, "the last move of a period: a quarter");
}

// Whatever the clock, the hard limit leaves the safety margin and is never
// zero, which would mean no limit at all.
TEST(ClockRules, HardLimitOnShortAndEmptyClocks) {
  for (const TimeRule rule : {TimeRule::kClassic, TimeRule::kIncrement}) {
    for (const Milliseconds remaining : {Milliseconds(-7), Milliseconds(0), Milliseconds(3), Milliseconds(150),
                                         Milliseconds(2000), Milliseconds(10000)}) {
      const ClockLimits l = LimitsFromClock(ClockReading{remaining, 100, 0, 0}, rule);
      EXPECT_GE(l.hardLimit, 1) << remaining;
      EXPECT_GE(l.allotment, 10) << remaining;
      if (remaining > 2 * kClockSafetyMargin) {
        EXPECT_LE(l.hardLimit, remaining - kClockSafetyMargin) << remaining;
      }
    }
    // The move overhead comes off the time left first.
    EXPECT_EQ(LimitsFromClock(ClockReading{10030, 100, 0, 30}, rule).hardLimit,
              LimitsFromClock(ClockReading{10000, 100, 0, 0}, rule).hardLimit);
    // Absurd move counts neither overflow nor hand out time the clock lacks.
    const ClockLimits huge = LimitsFromClock(ClockReading{300000, 0, INT32_MAX, 0}, rule);
    EXPECT_GE(huge.hardLimit, 1);
    EXPECT_LE(huge.hardLimit, 300000);
  }
}

// A whole game of `moves` moves in which every move takes all the time the
// rule allows: the clock never runs out.
void PlayWholeHardLimits(TimeRule rule, Milliseconds base, Milliseconds increment, int32_t movesPerPeriod,
                         int moves) {
  Milliseconds remaining = base;
  int32_t movesToGo = movesPerPeriod;
  for (int move = 1; move <= moves; ++move) {
    remaining -= LimitsFromClock(ClockReading{remaining, increment, movesToGo, 0}, rule).hardLimit;
    remaining += increment;
    if (movesPerPeriod != 0 && --movesToGo == 0) {
      movesToGo = movesPerPeriod;
      remaining += base;
    }
    ASSERT_GT(remaining, 0) << TimeRuleName(rule) << " " << base << "+" << increment << ", move " << move;
  }
}

TEST(ClockRules, NoSequenceOfWholeHardLimitsRunsTheClockOut) {
  for (const TimeRule rule : {TimeRule::kClassic, TimeRule::kIncrement}) {
    PlayWholeHardLimits(rule, 10000, 100, 0, 300);    // 10 s + 0.1 s
    PlayWholeHardLimits(rule, 5000, 0, 0, 300);       // 5 s sudden death
    PlayWholeHardLimits(rule, 300000, 0, 0, 300);     // 5 minutes sudden death
    PlayWholeHardLimits(rule, 60000, 0, 40, 300);     // 40 moves a minute
    PlayWholeHardLimits(rule, 60000, 1000, 0, 300);   // 1 minute + 1 s
  }
}

}  // namespace

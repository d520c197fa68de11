// Clocks under a time control, the limits a search gets from them and the
// settings commands' conditions.
#include <gtest/gtest.h>

#include "frontend/player_clock.h"
#include "frontend/string_utils.h"

namespace {

using Words = std::vector<std::string>;

PlayerClock ClockAfterLevel(const Words& level) {
  PlayerClock clock;
  clock.ResetFrom(*TimeControlOf(level));
  return clock;
}

TEST(ClockLimits, FortyMovesInFiveMinutes) {
  const PlayerClock clock = ClockAfterLevel({"level", "40", "5", "0"});
  EXPECT_EQ(clock.remaining, 300);
  EXPECT_EQ(clock.movesToGo, 40);
  const ClockLimits limits = LimitsFromClock(clock);
  EXPECT_EQ(limits.hardLimit, 150);  // 300 - 30 - 120
  EXPECT_EQ(limits.allotment, 7);    // 300 / 41
}

TEST(ClockLimits, IncrementWithoutPeriods) {
  const PlayerClock clock = ClockAfterLevel({"level", "0", "2", "12"});
  EXPECT_EQ(clock.remaining, 120);
  EXPECT_EQ(clock.increment, 12);
  const ClockLimits limits = LimitsFromClock(clock);
  EXPECT_EQ(limits.hardLimit, 48);  // 120 - 12 - 60
  EXPECT_EQ(limits.allotment, 5);   // 120 / 21
}

TEST(ClockLimits, NoTimeLeftGivesOneSecondEach) {
  PlayerClock clock = ClockAfterLevel({"level", "40", "5", "0"});
  for (int remaining : {0, -7}) {
    clock.remaining = remaining;
    const ClockLimits limits = LimitsFromClock(clock);
    EXPECT_EQ(limits.hardLimit, 1);
    EXPECT_EQ(limits.allotment, 1);
  }
}

TEST(ClockLimits, HugeMoveCountsDoNotOverflow) {
  PlayerClock clock = ClockAfterLevel({"level", "99999999999", "5", "0"});
  const ClockLimits limits = LimitsFromClock(clock);
  EXPECT_EQ(limits.hardLimit, 1);
  EXPECT_EQ(limits.allotment, 1);
}

TEST(PlayerClock, StopTakesTheElapsedSecondsOff) {
  PlayerClock clock = ClockAfterLevel({"level", "0", "1", "0"});
  clock.Stop(1000);  // not running: nothing happens
  EXPECT_EQ(clock.remaining, 60);
  clock.Start(1000);
  EXPECT_EQ(clock.remaining, 60);  // a running clock is not reduced
  clock.Stop(1017);
  EXPECT_FALSE(clock.running);
  EXPECT_EQ(clock.remaining, 43);
  clock.Stop(1100);
  EXPECT_EQ(clock.remaining, 43);
}

TEST(PlayerClock, UpdateKeepsTheClockRunning) {
  PlayerClock clock = ClockAfterLevel({"level", "0", "1", "0"});
  clock.Start(50);
  clock.Update(80);
  EXPECT_TRUE(clock.running);
  EXPECT_EQ(clock.remaining, 30);
  EXPECT_EQ(clock.runStart, 80);
  clock.Stop(95);
  EXPECT_EQ(clock.remaining, 15);
}

TEST(PlayerClock, ResetKeepsTheFlags) {
  PlayerClock clock = ClockAfterLevel({"level", "40", "5", "3"});
  clock.engine = clock.drawOffered = true;
  clock.Start(10);
  clock.ResetFrom(TimeControl{60, 0, 0, 0});
  EXPECT_TRUE(clock.engine);
  EXPECT_TRUE(clock.drawOffered);
  EXPECT_FALSE(clock.running);
  EXPECT_EQ(clock.runStart, 0);
  EXPECT_EQ(clock.remaining, 60);
  EXPECT_EQ(clock.movesPerControl, 0);
  EXPECT_EQ(clock.increment, 0);
}

TEST(PlayerClock, MovesCompleteAPeriod) {
  PlayerClock clock = ClockAfterLevel({"level", "40", "5", "0"});
  int32_t now = 0;
  for (int move = 1; move <= 39; ++move) {
    clock.Start(now);
    now += 2;
    clock.CompleteMove(now);
  }
  EXPECT_EQ(clock.movesToGo, 1);
  EXPECT_EQ(clock.remaining, 300 - 78);
  clock.Start(now);
  clock.drawOffered = true;
  clock.CompleteMove(now + 2);
  EXPECT_FALSE(clock.drawOffered);
  EXPECT_EQ(clock.movesToGo, 40);
  EXPECT_EQ(clock.remaining, 600 - 80);
}

TEST(PlayerClock, IncrementAfterEachMove) {
  PlayerClock clock = ClockAfterLevel({"level", "0", "0:30", "5"});
  EXPECT_EQ(clock.remaining, 30);
  clock.Start(100);
  clock.CompleteMove(108);
  EXPECT_EQ(clock.remaining, 27);
  EXPECT_EQ(clock.movesToGo, 0);  // no periods: nothing counts down
}

TEST(LevelCommand, TimeWords) {
  EXPECT_EQ(TimeControlOf({"level", "40", "0:30", "0"})->baseTime, 30);
  EXPECT_EQ(TimeControlOf({"level", "40", "0", "0"})->baseTime, 10);
  EXPECT_EQ(*TimeControlOf({"level", "40", "5", "2", "extra"}), (TimeControl{300, 40, 40, 2}));
  EXPECT_THROW(TimeControlOf({"level", "40", "x", "0"}), string_conversion_error);
  EXPECT_THROW(TimeControlOf({"level", "40", "1:", "0"}), string_conversion_error);
  EXPECT_THROW(TimeControlOf({"level", "40", "99999999999", "0"}), string_conversion_error);
}

TEST(LevelCommand, RefusedArguments) {
  EXPECT_FALSE(TimeControlOf({"level", "40", "5"}));
  EXPECT_FALSE(TimeControlOf({"level", "-1", "5", "0"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "5", "-1"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "-5", "0"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "0:00", "0"}));
  // Numbers are read the atoi way: "12abc" is 12, "abc" is 0.
  EXPECT_EQ(TimeControlOf({"level", "abc", "1", "12abc"})->increment, 12);
  EXPECT_EQ(TimeControlOf({"level", "abc", "1", "0"})->movesPerControl, 0);
}

TEST(DepthCommand, StoresOneLessThanTheDepth) {
  EXPECT_EQ(DepthSettingOf({"sd", "6"}), 5);
  EXPECT_EQ(DepthSettingOf({"sd", "1"}), 0);
  EXPECT_EQ(DepthSettingOf({"sd", "0"}), 0);
  EXPECT_EQ(DepthSettingOf({"depth", "36"}), 35);
  EXPECT_FALSE(DepthSettingOf({"sd", "37"}));
  EXPECT_FALSE(DepthSettingOf({"sd", "-1"}));
  EXPECT_FALSE(DepthSettingOf({"sd"}));
  // Out of range, not wrapped round to a small number.
  EXPECT_FALSE(DepthSettingOf({"sd", "4294967297"}));
  EXPECT_FALSE(DepthSettingOf({"sd", "99999999999"}));
  EXPECT_EQ(DepthSettingOf({"sd", "word"}), 0);
}

TEST(TimeCommands, NonNegativeSeconds) {
  EXPECT_EQ(SecondsSettingOf({"st", "10"}), 10);
  EXPECT_EQ(SecondsSettingOf({"vartime", "0"}), 0);
  EXPECT_EQ(SecondsSettingOf({"abstime", "99999999999"}), 2147483647);
  EXPECT_FALSE(SecondsSettingOf({"abstime", "-3"}));
  EXPECT_FALSE(SecondsSettingOf({"st", "-99999999999"}));
  EXPECT_FALSE(SecondsSettingOf({"st"}));
}

}  // namespace

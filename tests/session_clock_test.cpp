// Clocks under a time control and the settings commands' conditions. Times are milliseconds; the clock readings
// are handed in, so nothing here sleeps.
#include <gtest/gtest.h>

#include "session/player_clock.h"
#include "session/string_utils.h"

namespace {

using Words = std::vector<std::string>;

PlayerClock ClockAfterLevel(const Words& level) {
  PlayerClock clock;
  clock.ResetFrom(*TimeControlOf(level));
  return clock;
}

TEST(PlayerClock, StopTakesTheElapsedTimeOff) {
  PlayerClock clock = ClockAfterLevel({"level", "0", "1", "0"});
  clock.Stop(1000);  // not running: nothing happens
  EXPECT_EQ(clock.remaining, 60000);
  clock.Start(1000);
  EXPECT_EQ(clock.remaining, 60000);  // a running clock is not reduced
  clock.Stop(18437);
  EXPECT_FALSE(clock.running);
  EXPECT_EQ(clock.remaining, 42563);
  clock.Stop(30000);
  EXPECT_EQ(clock.remaining, 42563);
}

// The flag falls the millisecond the clock passes zero.
TEST(PlayerClock, UpdateToTheMillisecond) {
  PlayerClock clock = ClockAfterLevel({"level", "0", "0:02", "0"});
  clock.Start(50);
  clock.Update(2049);
  EXPECT_TRUE(clock.running);
  EXPECT_EQ(clock.remaining, 1);
  EXPECT_EQ(clock.runStart, 2049);
  clock.Update(2050);
  EXPECT_EQ(clock.remaining, 0);
  clock.Stop(2051);
  EXPECT_EQ(clock.remaining, -1);
  // Starting a clock that already runs charges the time it has run.
  clock.Start(3000);
  clock.Start(3500);
  clock.Stop(3600);
  EXPECT_EQ(clock.remaining, -601);
}

TEST(PlayerClock, ResetKeepsTheFlags) {
  PlayerClock clock = ClockAfterLevel({"level", "40", "5", "3"});
  clock.engine = clock.drawOffered = true;
  clock.Start(10);
  clock.ResetFrom(TimeControl{60000, 0, 0, 0});
  EXPECT_TRUE(clock.engine);
  EXPECT_TRUE(clock.drawOffered);
  EXPECT_FALSE(clock.running);
  EXPECT_EQ(clock.runStart, 0);
  EXPECT_EQ(clock.remaining, 60000);
  EXPECT_EQ(clock.movesPerControl, 0);
  EXPECT_EQ(clock.increment, 0);
}

TEST(PlayerClock, MovesCompleteAPeriod) {
  PlayerClock clock = ClockAfterLevel({"level", "40", "5", "0.5"});
  TimePoint now = 0;
  for (int move = 1; move <= 39; ++move) {
    clock.Start(now);
    now += 2001;
    clock.CompleteMove(now);
  }
  EXPECT_EQ(clock.movesToGo, 1);
  EXPECT_EQ(clock.remaining, 300000 - 39 * 2001 + 39 * 500);
  clock.Start(now);
  clock.drawOffered = true;
  clock.CompleteMove(now + 2001);
  EXPECT_FALSE(clock.drawOffered);
  EXPECT_EQ(clock.movesToGo, 40);
  EXPECT_EQ(clock.remaining, 600000 - 40 * 2001 + 40 * 500);
}

TEST(PlayerClock, IncrementAfterEachMove) {
  PlayerClock clock = ClockAfterLevel({"level", "0", "0:30", "5"});
  EXPECT_EQ(clock.remaining, 30000);
  clock.Start(100);
  clock.CompleteMove(8100);
  EXPECT_EQ(clock.remaining, 27000);
  EXPECT_EQ(clock.movesToGo, 0);  // no periods: nothing counts down
}

TEST(LevelCommand, TimeWords) {
  EXPECT_EQ(TimeControlOf({"level", "40", "0:30", "0"})->baseTime, 30000);
  EXPECT_EQ(TimeControlOf({"level", "40", "0", "0"})->baseTime, 10000);
  EXPECT_EQ(*TimeControlOf({"level", "40", "5", "2", "extra"}), (TimeControl{300000, 40, 40, 2000}));
  EXPECT_EQ(*TimeControlOf({"level", "40", "0:30", "0.5"}), (TimeControl{30000, 40, 40, 500}));
  EXPECT_THROW(TimeControlOf({"level", "40", "x", "0"}), string_conversion_error);
  EXPECT_THROW(TimeControlOf({"level", "40", "1:", "0"}), string_conversion_error);
  EXPECT_THROW(TimeControlOf({"level", "40", "1e9", "0"}), string_conversion_error);
  EXPECT_THROW(TimeControlOf({"level", "40", "0:-5", "0"}), string_conversion_error);
  EXPECT_THROW(TimeControlOf({"level", "40", "99999999999", "0"}), string_conversion_error);
}

TEST(LevelCommand, RefusedArguments) {
  EXPECT_FALSE(TimeControlOf({"level", "40", "5"}));
  EXPECT_FALSE(TimeControlOf({"level", "-1", "5", "0"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "5", "-1"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "5", "-0.1"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "-5", "0"}));
  EXPECT_FALSE(TimeControlOf({"level", "40", "0:00", "0"}));
}

// Numbers are read the atoi way: reading stops at the first character that
// cannot continue the number, and huge values are clamped, not wrapped.
TEST(LevelCommand, IncrementsAreReadTheAtoiWay) {
  const auto increment = [](const std::string& word) { return TimeControlOf({"level", "0", "1", word})->increment; };
  EXPECT_EQ(increment("0.1"), 100);
  EXPECT_EQ(increment(".25"), 250);
  EXPECT_EQ(increment("1.2345"), 1234);
  EXPECT_EQ(increment("12abc"), 12000);
  EXPECT_EQ(increment("0.0.1"), 0);
  EXPECT_EQ(increment("1e9"), 1000);
  EXPECT_EQ(increment("99999999999"), 2147483647000);
  EXPECT_EQ(TimeControlOf({"level", "abc", "1", "0"})->movesPerControl, 0);
}

TEST(DepthCommand, ReadsTheDepthZeroToThirtySix) {
  EXPECT_EQ(DepthSettingOf({"sd", "6"}), 6);
  EXPECT_EQ(DepthSettingOf({"sd", "1"}), 1);
  EXPECT_EQ(DepthSettingOf({"sd", "0"}), 0);  // no limit
  EXPECT_EQ(DepthSettingOf({"depth", "36"}), 36);
  EXPECT_FALSE(DepthSettingOf({"sd", "37"}));
  EXPECT_FALSE(DepthSettingOf({"sd", "-1"}));
  EXPECT_FALSE(DepthSettingOf({"sd"}));
  // Out of range, not wrapped round to a small number.
  EXPECT_FALSE(DepthSettingOf({"sd", "4294967297"}));
  EXPECT_FALSE(DepthSettingOf({"sd", "99999999999"}));
  EXPECT_EQ(DepthSettingOf({"sd", "word"}), 0);
}

TEST(TimeCommands, WholeSecondsAsMilliseconds) {
  EXPECT_EQ(SecondsSettingOf({"st", "10"}), 10000);
  EXPECT_EQ(SecondsSettingOf({"st", "0"}), 0);  // no time limit of its own
  EXPECT_EQ(SecondsSettingOf({"abstime", "99999999999"}), 2147483647000);
  EXPECT_FALSE(SecondsSettingOf({"abstime", "-3"}));
  EXPECT_FALSE(SecondsSettingOf({"st", "-99999999999"}));
  EXPECT_FALSE(SecondsSettingOf({"st"}));
}

}  // namespace

#include "frontend/player_clock.h"

#include <algorithm>

#include "frontend/string_utils.h"

namespace {

// The clock rule's reserves and shares: 3 seconds kept per move to go, or
// a minute without periods; the target shares the time among the moves to
// go plus one, or among 21 without periods.
constexpr Milliseconds kReservePerMoveToGo = 3000;
constexpr Milliseconds kReserveWithoutPeriods = 60000;
constexpr int kShareWithoutPeriods = 21;

// The hard limit's floor on a comfortable clock, and the target's floor on
// any clock (enough for the first iterations).
constexpr Milliseconds kHardLimitFloor = 1000;
constexpr Milliseconds kMinimumAllotment = 10;

// The most a move may take with `remaining` left on the clock.
Milliseconds SafeSpend(Milliseconds remaining) {
  if (remaining > 2 * kClockSafetyMargin) return remaining - kClockSafetyMargin;
  return std::max<Milliseconds>(remaining / 2, 1);
}

}  // namespace

void PlayerClock::Start(TimePoint now) {
  Update(now);  // a clock that already runs keeps what it has used
  running = true;
  runStart = now;
}

void PlayerClock::Stop(TimePoint now) {
  if (!running) return;
  Update(now);
  running = false;
}

void PlayerClock::Update(TimePoint now) {
  if (!running) return;
  remaining -= now - runStart;
  runStart = now;
}

void PlayerClock::ResetFrom(const TimeControl& control) {
  baseTime = control.baseTime;
  movesPerControl = control.movesPerControl;
  movesToGo = control.movesToGo;
  increment = control.increment;
  running = false;
  runStart = 0;
  remaining = baseTime;
}

void PlayerClock::CompleteMove(TimePoint now) {
  Stop(now);
  drawOffered = false;
  remaining += increment;
  if (movesPerControl != 0) {
    --movesToGo;
    if (movesToGo <= 0) {
      movesToGo = movesPerControl;
      remaining += baseTime;
    }
  }
}

ClockLimits LimitsFromClock(const PlayerClock& clock) {
  const Milliseconds r = std::max<Milliseconds>(clock.remaining, 0);
  const int64_t g = clock.movesToGo;
  const Milliseconds reserve = g != 0 ? g * kReservePerMoveToGo : kReserveWithoutPeriods;
  const Milliseconds hard = std::max(r - r / 10 - reserve, std::min(kHardLimitFloor, r / 4));
  const int64_t share = g > 0 ? g + 1 : kShareWithoutPeriods;
  // A hard limit of 0 would mean none: a millisecond at the very least.
  return ClockLimits{std::max<Milliseconds>(std::min(hard, SafeSpend(r)), 1), std::max(r / share, kMinimumAllotment)};
}

Milliseconds HardLimitForMoveTime(Milliseconds moveTime) { return moveTime == 0 ? 0 : SafeSpend(moveTime); }

std::optional<int32_t> DepthSettingOf(const std::vector<std::string>& words) {
  if (words.size() < 2) return std::nullopt;
  const int n = SaturatingAtoi(words[1]);
  if (n < 0 || n > kMaxDepthSetting) return std::nullopt;
  return n == 0 ? 0 : std::max(n - 1, 1);
}

std::optional<Milliseconds> SecondsSettingOf(const std::vector<std::string>& words, int minimumSeconds) {
  if (words.size() < 2) return std::nullopt;
  const int n = SaturatingAtoi(words[1]);
  if (n < minimumSeconds) return std::nullopt;
  return Milliseconds(n) * kMillisecondsPerSecond;
}

std::optional<TimeControl> TimeControlOf(const std::vector<std::string>& words) {
  if (words.size() < 4) return std::nullopt;
  const int movesPerControl = SaturatingAtoi(words[1]);
  const Milliseconds base = Milliseconds(TimeTextToSeconds(words[2])) * kMillisecondsPerSecond;
  const Milliseconds increment = SaturatingDecimalMilliseconds(words[3]);
  if (movesPerControl < 0 || base <= 0 || increment < 0) return std::nullopt;
  return TimeControl{base, movesPerControl, movesPerControl, increment};
}

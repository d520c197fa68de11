#include "frontend/player_clock.h"

#include <algorithm>
#include <climits>
#include <ctime>

#include "frontend/string_utils.h"

namespace {

// Clock arithmetic in 64 bits, brought back into the 32-bit fields without
// wrapping: absurd "level" arguments must not turn a clock negative.
int32_t Clamp32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

constexpr int kMaxDepthSetting = 36;

}  // namespace

void PlayerClock::Start(int32_t now) {
  running = true;
  runStart = now;
}

void PlayerClock::Stop(int32_t now) {
  if (!running) return;
  Update(now);
  running = false;
}

void PlayerClock::Update(int32_t now) {
  if (!running) return;
  remaining = Clamp32(int64_t(remaining) - (int64_t(now) - runStart));
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

void PlayerClock::CompleteMove(int32_t now) {
  Stop(now);
  drawOffered = false;
  remaining = Clamp32(int64_t(remaining) + increment);
  if (movesPerControl != 0) {
    --movesToGo;
    if (movesToGo <= 0) {
      movesToGo = movesPerControl;
      remaining = Clamp32(int64_t(remaining) + baseTime);
    }
  }
}

ClockLimits LimitsFromClock(const PlayerClock& clock) {
  const int64_t r = clock.remaining;
  const int64_t g = clock.movesToGo;
  int64_t hard = 0, target = 0;
  if (r >= 1) {
    hard = r - r / 10;
    target = r;
  }
  hard -= g != 0 ? g * 3 : 60;
  const int64_t share = g > 0 ? g + 1 : 21;
  return ClockLimits{Clamp32(std::max<int64_t>(hard, 1)), Clamp32(std::max<int64_t>(target / share, 1))};
}

int32_t ClockNow() { return int32_t(time(nullptr)); }

std::optional<int32_t> DepthSettingOf(const std::vector<std::string>& words) {
  if (words.size() < 2) return std::nullopt;
  const int n = SaturatingAtoi(words[1]);
  if (n < 0 || n > kMaxDepthSetting) return std::nullopt;
  return n == 0 ? 0 : n - 1;
}

std::optional<int32_t> SecondsSettingOf(const std::vector<std::string>& words) {
  if (words.size() < 2) return std::nullopt;
  const int n = SaturatingAtoi(words[1]);
  if (n < 0) return std::nullopt;
  return n;
}

std::optional<TimeControl> TimeControlOf(const std::vector<std::string>& words) {
  if (words.size() < 4) return std::nullopt;
  const int movesPerControl = SaturatingAtoi(words[1]);
  const int base = TimeTextToSeconds(words[2]);
  const int increment = SaturatingAtoi(words[3]);
  if (movesPerControl < 0 || base <= 0 || increment < 0) return std::nullopt;
  return TimeControl{base, movesPerControl, movesPerControl, increment};
}

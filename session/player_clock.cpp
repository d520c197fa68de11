#include "session/player_clock.h"

#include <algorithm>

#include "session/string_utils.h"

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

std::optional<int32_t> DepthSettingOf(const std::vector<std::string>& words) {
  if (words.size() < 2) return std::nullopt;
  const int n = SaturatingAtoi(words[1]);
  if (n < 0 || n > kMaxDepthSetting) return std::nullopt;
  return n;
}

std::optional<Milliseconds> SecondsSettingOf(const std::vector<std::string>& words) {
  if (words.size() < 2) return std::nullopt;
  const int n = SaturatingAtoi(words[1]);
  if (n < 0) return std::nullopt;
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

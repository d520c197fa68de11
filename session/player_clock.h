// Per-side clocks under a "level" time control, the limits a search gets
// from them, and the settings commands that steer the searches' limits.
// Every time here is in milliseconds of the engine's monotonic clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "search/clock_rule.h"
#include "search/search_info.h"

// The last "level" command: time per period, moves per period (0 = the
// whole game), moves left in the first period, time added per move.
struct TimeControl {
  Milliseconds baseTime = 0;
  int32_t movesPerControl = 0;
  int32_t movesToGo = 0;
  Milliseconds increment = 0;

  bool operator==(const TimeControl&) const = default;
};

// One side's flags and clock. A running clock keeps `remaining` as it was
// at `runStart` until it stops or is brought up to date.
struct PlayerClock {
  bool engine = false;       // the engine plays this side
  bool drawOffered = false;  // this side has a standing draw offer
  bool running = false;
  TimePoint runStart = 0;
  Milliseconds remaining = 0;
  Milliseconds baseTime = 0;
  int32_t movesPerControl = 0;
  int32_t movesToGo = 0;
  Milliseconds increment = 0;

  // Starts the clock; one that already runs is first brought up to date.
  void Start(TimePoint now);
  // Takes the time since the last start off `remaining`.
  void Stop(TimePoint now);
  // Back to the start of the time control; the clock stands. The flags
  // stay.
  void ResetFrom(const TimeControl& control);
  // The clock's side has made a move: the clock stops, a standing draw
  // offer is withdrawn, the increment is added, and when the move completes
  // a period the next period's moves and time are added. The caller starts
  // the other side's clock.
  void CompleteMove(TimePoint now);
  // Brings a running clock up to date (remaining time as of `now`).
  void Update(TimePoint now);
  // The clock as the clock rule reads it (the limits builder keeps the
  // move overhead back).
  ClockReading Reading() const { return ClockReading{remaining, increment, movesToGo, 0}; }
};

// Argument of "depth"/"sd": the depth N (which the limits builder runs as
// N - 1 iterations, the last shown as depth N, depth 1 as the single
// shallowest one); 0 removes the limit. Nothing when the command lacks its
// number or N is outside 0..36.
std::optional<int32_t> DepthSettingOf(const std::vector<std::string>& words);

// Argument of "abstime", "vartime" or "st": whole seconds, at least 0, as
// milliseconds; nothing otherwise. "st 0" sets no time limit at all, so
// that a depth limit alone bounds the search.
std::optional<Milliseconds> SecondsSettingOf(const std::vector<std::string>& words);

// "level MPS BASE INC" read into a time control (movesToGo = MPS). BASE is
// minutes or minutes:seconds, INC seconds with an optional fraction ("0.1").
// Nothing when words are missing or MPS < 0, BASE <= 0 or INC < 0. Throws
// string_conversion_error when BASE is not a valid time text.
std::optional<TimeControl> TimeControlOf(const std::vector<std::string>& words);

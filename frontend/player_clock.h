// Per-side clocks under a "level" time control, the limits a search gets
// from them, and the settings commands that steer the searches' limits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The last "level" command: seconds per period, moves per period (0 = the
// whole game), moves left in the first period, seconds added per move.
struct TimeControl {
  int32_t baseTime = 0;
  int32_t movesPerControl = 0;
  int32_t movesToGo = 0;
  int32_t increment = 0;

  bool operator==(const TimeControl&) const = default;
};

// One side's flags and clock. Times are whole seconds of wall-clock time;
// a running clock keeps `remaining` as it was at `runStart` until it stops.
struct PlayerClock {
  bool engine = false;       // the engine plays this side
  bool drawOffered = false;  // this side has a standing draw offer
  bool running = false;
  int32_t runStart = 0;
  int32_t remaining = 0;
  int32_t baseTime = 0;
  int32_t movesPerControl = 0;
  int32_t movesToGo = 0;
  int32_t increment = 0;

  void Start(int32_t now);
  // Takes the seconds since the last start off `remaining`.
  void Stop(int32_t now);
  // Back to the start of the time control; the clock stands. The flags
  // stay.
  void ResetFrom(const TimeControl& control);
  // The clock's side has made a move: the clock stops, a standing draw
  // offer is withdrawn, the increment is added, and when the move completes
  // a period the next period's moves and time are added. The caller starts
  // the other side's clock.
  void CompleteMove(int32_t now);
  // Brings a running clock up to date (remaining time as of `now`).
  void Update(int32_t now);
};

// The time limits of a search in clock mode.
struct ClockLimits {
  int32_t hardLimit;
  int32_t allotment;
};

// Limits for a search by the side whose clock this is: a hard limit of the
// remaining time less a tenth and less 3 seconds per move to go (60 without
// periods), a target of the remaining time shared among the moves to go
// plus one (21 without periods); both at least 1 second.
ClockLimits LimitsFromClock(const PlayerClock& clock);

// The seconds now, as the clocks count them.
int32_t ClockNow();

// Argument of "depth"/"sd" as the stored iteration limit (N - 1, 0 for no
// limit), or nothing when the command lacks its number or N is outside
// 0..36.
std::optional<int32_t> DepthSettingOf(const std::vector<std::string>& words);

// Argument of "abstime", "vartime" or "st": a number >= 0, or nothing.
std::optional<int32_t> SecondsSettingOf(const std::vector<std::string>& words);

// "level MPS BASE INC" read into a time control (movesToGo = MPS). Nothing
// when words are missing or MPS < 0, BASE <= 0 or INC < 0. Throws
// string_conversion_error when BASE is not a valid time text.
std::optional<TimeControl> TimeControlOf(const std::vector<std::string>& words);

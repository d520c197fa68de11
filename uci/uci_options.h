// The options Ravok offers a UCI interface: their announcement after "uci"
// and the reading of "setoption".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"
#include "search/clock_rule.h"

enum class UciOptionId { kHash, kClearHash, kPonder, kMoveOverhead, kTimeRule };

// The values of the options that are settings (Clear Hash is an action).
struct UciSettings {
  int64_t hashMebibytes = 24;  // both hash tables together
  bool ponder = false;         // the interface may send "go ponder"
  Milliseconds moveOverhead = 30;
  // UCI spends the increment by default: nothing binds UCI to the classic
  // rule, and it plays fast games with more of the clock.
  TimeRule timeRule = TimeRule::kIncrement;
};

inline constexpr int64_t kMinimumHashMebibytes = 1;
inline constexpr int64_t kMaximumHashMebibytes = 65536;
inline constexpr Milliseconds kMaximumMoveOverhead = 5000;

// One "option name ..." line per option, in the order interfaces show them,
// with the current settings as the defaults.
std::vector<std::string> OptionLines(const UciSettings& settings);

// A "setoption" read: the option and its value (the number of a spin, 1 or
// 0 for a check, 0 for a button, the rule for Time Rule), or the reason it
// cannot be used.
struct OptionChange {
  bool ok = false;
  UciOptionId id = UciOptionId::kHash;
  int64_t value = 0;
  std::string problem;
};

// Reads "setoption name <name> [value <value>]". The name may have blanks
// and is matched without regard to case; so are "true" and "false". A spin
// value must be a whole number within the option's range.
OptionChange ReadSetOption(const std::vector<std::string>& words);

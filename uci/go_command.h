// The UCI "go" command: its words read into limits, and the search those
// limits ask for when a given side is to move.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "search/clock_rule.h"
#include "search/search_info.h"

// The limits of one "go", as far as its words could be used. Each word that
// could not be used as sent leaves a sentence in `problems`, for the
// interface's "info string" lines.
struct GoCommand {
  std::optional<Milliseconds> time[2];  // wtime, btime (indexed by colour)
  Milliseconds increment[2] = {0, 0};   // winc, binc
  int32_t movesToGo = 0;                // 0 = none given
  std::optional<Milliseconds> moveTime;
  int32_t depth = 0;      // 0 = none given
  int32_t mateDepth = 0;  // the depth "mate N" asks for; 0 = none given
  uint64_t nodes = 0;  // 0 = none given
  bool infinite = false;
  bool ponder = false;
  std::vector<std::string> searchMoves;  // as sent; read on the position at "go"
  std::vector<std::string> problems;
};

// Reads the words after "go". A limit whose number is missing, unreadable or
// out of range is read as its most cautious value, the one that ends the
// search soonest: a clock or move time as empty (times below zero too), a
// depth or node count as 1; so a go with a limit word always ends by
// itself. A move count that cannot be used is left out (the time is then
// shared as over the whole game); depths beyond Ravok's deepest search are
// cut to it. "mate N" is searched as depth 2N - 1, deep enough to find such
// a mate. The words after "searchmoves" up to the next keyword are its
// moves; unknown words are skipped. Each reading of a word that was not
// used as sent leaves a sentence in `problems`.
GoCommand ReadGoCommand(const std::vector<std::string>& words);

// How a "go" is searched.
struct GoPlan {
  // The search's parameters as it starts. A ponder search carries the limits
  // it gets at "ponderhit" in hardLimit and allotment (an open-ended search
  // does not look at them).
  SearchParameters parameters;
  // The go has a limit of its own (clock, move time, depth or nodes): the
  // search ends by itself once it is no longer pondering. Without one it
  // searches until "stop".
  bool limited = false;
};

// The shortest hard limit a move time gives, whatever the overhead.
inline constexpr Milliseconds kShortestMoveTime = 5;

// The plan for `go` with `side` to move: the side's clock (less
// `moveOverhead`, not below zero) with its increment and moves to go feeds
// the clock rule `rule` (LimitsFromClock); a move time is a hard limit
// less the overhead, at least kShortestMoveTime (the smaller hard limit wins
// when there is a clock too); depth N runs the iterations "sd N" runs; nodes
// are the search's node limit. "ponder" searches open-ended as a ponder
// search; "infinite", or no limit at all, open-ended as an analysis.
GoPlan PlanSearch(const GoCommand& go, int side, Milliseconds moveOverhead, TimeRule rule);

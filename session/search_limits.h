// The one limits builder of every dialogue: what a dialogue asks of a
// search, in its own terms (a clock reading, a fixed time for the move, a
// depth, a node budget, a mate to find, an open-ended search), together
// with the session's settings (the move overhead, the clock rule, the
// search style and evaluation, the level of strength) in; the search's
// parameters out.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/clock.h"
#include "base/types.h"
#include "search/clock_rule.h"
#include "search/search_info.h"
#include "session/settings.h"

struct SearchRequest {
  // kModeThink: the engine's move; kModePonder: on the expected reply,
  // open-ended until the ponder hit; kModeAnalyze: open-ended until it is
  // stopped.
  int32_t mode = kModeThink;
  // The side to move's clock: the time left, the increment, the moves to
  // go. The settings' move overhead is kept back from it.
  std::optional<ClockReading> clock{};
  // A fixed time for the move (xboard's "st", UCI's "movetime").
  std::optional<Milliseconds> moveTime{};
  // A target without a hard limit (the console's "vartime"); 0 = none.
  // A clock sets its own.
  Milliseconds targetTime = 0;
  // A depth as people count it ("sd N", "go depth N"): N - 1 iterations,
  // the last shown as depth N; 0 = none.
  int32_t depth = 0;
  // A mate in N moves to find ("go mate N"): the search stops once it has
  // found a mate in N moves or fewer; other limits still end it. 0 = none.
  int32_t mateMoves = 0;
  uint64_t nodes = 0;  // 0 = none
  // The engine's own judgement whatever the level of strength (the play
  // mode's hint and its weighing of a draw offer).
  bool fullStrength = false;
  // The root moves the search may choose from; empty = all.
  std::vector<Move> onlyMoves{};
};

// The shortest hard limit a move time gives, whatever the overhead.
inline constexpr Milliseconds kShortestMoveTime = 5;

// The hard limit of a fixed time for the move: the time less the move
// overhead, at least kShortestMoveTime. The overhead is the one margin:
// the console and xboard keep none by default, UCI 30 ms.
Milliseconds MoveTimeHardLimit(Milliseconds moveTime, Milliseconds overhead);

// The search's parameters for `request` under `settings`: the clock through
// the clock rule the settings name, a move time through MoveTimeHardLimit
// (with a clock too, the smaller hard limit wins), the depth as its
// iterations, the node budget, the root moves, the settings' search style
// and evaluation; below full strength (the settings' level, unless the request asks for
// full strength) a search on the engine's move or its ponder search gets
// the node budget and root noise of that strength, its chance moves drawn
// from `strengthSeed`. An analysis is always at full strength.
SearchParameters BuildSearchLimits(const SearchRequest& request, const SessionSettings& settings,
                                   uint64_t strengthSeed);

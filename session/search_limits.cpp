#include "session/search_limits.h"

#include <algorithm>

#include "search/strength.h"

Milliseconds MoveTimeHardLimit(Milliseconds moveTime, Milliseconds overhead) {
  return std::max(moveTime - overhead, kShortestMoveTime);
}

SearchParameters BuildSearchLimits(const SearchRequest& request, const SessionSettings& settings,
                                   uint64_t strengthSeed) {
  SearchParameters p;
  p.mode = request.mode;
  p.style = settings.search;
  p.evaluation = settings.evaluation;
  p.onlyMoves = request.onlyMoves;
  p.allotment = request.targetTime;
  if (request.clock) {
    ClockReading reading = *request.clock;
    reading.overhead = settings.moveOverhead;
    const ClockLimits limits = LimitsFromClock(reading, settings.timeRule);
    p.hardLimit = limits.hardLimit;
    p.allotment = limits.allotment;
  }
  if (request.moveTime) {
    const Milliseconds hard = MoveTimeHardLimit(*request.moveTime, settings.moveOverhead);
    p.hardLimit = p.hardLimit == 0 ? hard : std::min(p.hardLimit, hard);
  }
  p.maxDepth = IterationLimitForDepth(request.depth);
  p.mateMoves = request.mateMoves;
  p.lines = settings.lines;
  p.maxNodes = request.nodes;
  if (settings.limitStrength && !request.fullStrength && request.mode != kModeAnalyze) {
    LimitStrength(p, settings.strengthElo, strengthSeed);
    p.lines = 1;  // a level picks its move among its own near-best ones
  }
  return p;
}

#include "search/time_management.h"

#include <algorithm>
#include <cstdlib>

#include "search/search_info.h"
#include "search/search_state.h"

DriverState driverState;

namespace {

// Milliseconds between two polls of the input and the clock.
constexpr Milliseconds kPollInterval = 2;

struct FactorPair {
  double beforeRootMove;
  double insideTree;
};

// A fresh first move gets little time; a re-search after a fail-low much
// more, graded by how far the score fell; a new best move moderately more.
constexpr FactorPair kFirstMove{0.33, 1.66};
constexpr FactorPair kFirstMoveFailHigh{0.66, 0.8};
constexpr FactorPair kFirstMoveFailLow{6.0, 8.0};
constexpr FactorPair kAfterFailLowDrop200{6.0, 8.0};
constexpr FactorPair kAfterFailLowDrop100{4.0, 6.0};
constexpr FactorPair kAfterFailLowDrop25{2.5, 4.0};
constexpr FactorPair kAfterFailLowSmallDrop{2.33, 4.0};
constexpr FactorPair kNewBestResearch{5.0, 6.0};
constexpr FactorPair kLaterMove{1.66, 2.66};

FactorPair CurrentFactors() {
  if (driverState.firstMove) {
    if (searchInfo.failLowResearch) return kFirstMoveFailLow;
    if (searchInfo.failHighResearch) return kFirstMoveFailHigh;
    return kFirstMove;
  }
  if (driverState.failedLowThisIteration) {
    const int drop = std::abs(driverState.scoreBeforeFailLow - searchInfo.bestScore);
    if (drop > 199) return kAfterFailLowDrop200;
    if (drop >= 100) return kAfterFailLowDrop100;
    if (drop >= 25) return kAfterFailLowDrop25;
    return kAfterFailLowSmallDrop;
  }
  if (driverState.newBestResearch) return kNewBestResearch;
  return kLaterMove;
}

}  // namespace

double TimeFactor(bool insideTree) {
  const FactorPair f = CurrentFactors();
  return insideTree ? f.insideTree : f.beforeRootMove;
}

void CheckTimeBeforeRootMove() {
  const Milliseconds elapsed = Now() - searchInfo.startTime;
  if (searchInfo.hardLimit != 0 && elapsed >= searchInfo.hardLimit) throw search_aborted_exception(false);
  if (searchInfo.allotment != 0 && elapsed > searchInfo.allotment * TimeFactor(false))
    throw search_aborted_exception(false);
}

bool TimeIsUp(TimePoint now) {
  if (driverState.openEnded) return false;
  const Milliseconds elapsed = now - searchInfo.startTime;
  if (searchInfo.hardLimit != 0 && elapsed >= searchInfo.hardLimit) return true;
  if (searchInfo.allotment == 0) return false;
  return elapsed > searchInfo.allotment * TimeFactor(true);
}

void PollDuringSearch() {
  if (searchCallbacks.poll != nullptr) searchCallbacks.poll();
  const TimePoint now = Now();
  if (TimeIsUp(now)) throw search_aborted_exception(false);
  // The next poll after about kPollInterval at the speed so far: often
  // enough for limits of a few milliseconds, rare enough to cost nothing.
  const uint64_t total = uint64_t(searchInfo.totalNodes) + nodeCount;
  const uint64_t perMillisecond = total / uint64_t(std::max<Milliseconds>(now - searchInfo.startTime, 1));
  pollCountdown = int(std::min<uint64_t>(perMillisecond * kPollInterval + 100, 20000));
}

#include "search/time_management.h"

#include <algorithm>
#include <cstdlib>

#include "search/search_info.h"
#include "search/search_state.h"

DriverState driverState;

namespace {

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
  const long elapsed = long(time(nullptr) - searchInfo.startTime);
  if (searchInfo.hardLimit != 0 && elapsed >= searchInfo.hardLimit) throw search_aborted_exception(false);
  if (searchInfo.allotment != 0 && elapsed > searchInfo.allotment * TimeFactor(false))
    throw search_aborted_exception(false);
}

bool TimeIsUp(time_t now) {
  if (driverState.openEnded) return false;
  const long elapsed = long(now - searchInfo.startTime);
  if (searchInfo.hardLimit != 0 && elapsed >= searchInfo.hardLimit) return true;
  if (searchInfo.allotment == 0) return false;
  return elapsed > searchInfo.allotment * TimeFactor(true);
}

void PollDuringSearch() {
  if (searchCallbacks.poll != nullptr) searchCallbacks.poll();
  const time_t now = time(nullptr);
  if (TimeIsUp(now)) throw search_aborted_exception(false);
  const uint64_t total = uint64_t(searchInfo.totalNodes) + nodeCount;
  const long elapsed = long(now - searchInfo.startTime);
  const uint64_t perSecond = elapsed > 0 ? total / uint64_t(elapsed) : total;
  pollCountdown = int(std::min<uint64_t>(perSecond / 8 + 100, 20000));
}

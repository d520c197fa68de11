#include "search/time_management.h"

#include <algorithm>
#include <cstdlib>

#include "search/helper_threads.h"
#include "search/searcher.h"

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

// The selective search's stability scale: a best move new in the last
// iteration gives the ordinary stops half as much time again; each
// iteration it stays best takes away 0.18, down to 0.6. In games at 10+0.1
// about half the moves end with a best move five or more iterations old
// and a quarter with a new one, so the scale averages about one and the
// clock is spent as before, only moved from the settled moves to the
// unsettled ones.
constexpr double kChangedBestScale = 1.5;
constexpr double kScalePerStableIteration = 0.18;
constexpr double kMostStableScale = 0.6;

// Milliseconds between two polls of the input and the clock.
constexpr Milliseconds kPollInterval = 2;
constexpr uint64_t kMinimumPollNodes = 100;
constexpr uint64_t kMaximumPollNodes = 20000;

FactorPair CurrentFactors(const DriverState& driver, const SearchInfo& info) {
  if (driver.firstMove) {
    if (info.failLowResearch) return kFirstMoveFailLow;
    if (info.failHighResearch) return kFirstMoveFailHigh;
    return kFirstMove;
  }
  if (driver.failedLowThisIteration) {
    const int drop = std::abs(driver.scoreBeforeFailLow - info.bestScore);
    if (drop > 199) return kAfterFailLowDrop200;
    if (drop >= 100) return kAfterFailLowDrop100;
    if (drop >= 25) return kAfterFailLowDrop25;
    return kAfterFailLowSmallDrop;
  }
  if (driver.newBestResearch) return kNewBestResearch;
  return kLaterMove;
}

bool HardLimitReached(const SearchInfo& info, Milliseconds elapsed) {
  return info.hardLimit != 0 && elapsed >= info.hardLimit;
}

}  // namespace

double TimeFactor(const DriverState& driver, const SearchInfo& info, bool insideTree) {
  const FactorPair f = CurrentFactors(driver, info);
  const double factor = insideTree ? f.insideTree : f.beforeRootMove;
  // A fail-low or a new best move takes the time it takes; the ordinary
  // stops follow the best move's stability.
  const bool ordinary = !info.failLowResearch && !info.failHighResearch && !driver.failedLowThisIteration &&
                        !driver.newBestResearch;
  return ordinary ? factor * driver.stabilityScale : factor;
}

double StabilityScale(int stableIterations) {
  return std::max(kMostStableScale, kChangedBestScale - kScalePerStableIteration * stableIterations);
}

bool RootMoveTimeIsUp(const DriverState& driver, const SearchInfo& info, TimePoint now) {
  const Milliseconds elapsed = now - info.startTime;
  if (HardLimitReached(info, elapsed)) return true;
  return info.allotment != 0 && elapsed > info.allotment * TimeFactor(driver, info, false);
}

bool TimeIsUp(const DriverState& driver, const SearchInfo& info, TimePoint now) {
  if (driver.openEnded) return false;
  const Milliseconds elapsed = now - info.startTime;
  if (HardLimitReached(info, elapsed)) return true;
  if (info.allotment == 0) return false;
  return elapsed > info.allotment * TimeFactor(driver, info, true);
}

void Searcher::CheckTimeBeforeRootMove() {
  if (RootMoveTimeIsUp(driver_, info_, Now())) throw search_aborted_exception(false);
}

void Searcher::Poll() {
  // The helpers' nodes count toward the reports and the node limit.
  uint64_t threads = 1;
  if (helpers_ != nullptr) {
    info_.totalNodes += helpers_->TakeNodes();
    threads += uint64_t(helpers_->Count());
  }
  listener_->Poll();
  const TimePoint now = Now();
  if (TimeIsUp(driver_, info_, now)) throw search_aborted_exception(false);
  // The next poll after about kPollInterval at the speed so far (of one
  // thread): often enough for limits of a few milliseconds, rare enough to
  // cost nothing.
  const uint64_t total = info_.totalNodes + state_.nodeCount;
  const uint64_t perMillisecond = total / uint64_t(std::max<Milliseconds>(now - info_.startTime, 1)) / threads;
  uint64_t countdown = std::clamp(perMillisecond * kPollInterval, kMinimumPollNodes, kMaximumPollNodes);
  // A node limit is met exactly on one thread: the poll at the limit stops
  // the search. Helpers search on meanwhile and publish their counts at
  // their own polls, so with them the main searcher polls after its share
  // of the nodes left, and the search ends a little past the limit.
  if (info_.maxNodes != 0) {
    if (total >= info_.maxNodes) throw search_aborted_exception(false);
    countdown = std::min(countdown, (info_.maxNodes - total) / threads);
  }
  state_.SetPollCountdown(int(countdown));
}

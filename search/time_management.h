// Time tests of the search driver.
#pragma once

#include "base/clock.h"

// What the driver is doing, as far as the time tests care.
struct DriverState {
  bool firstMove = false;             // the first root move of the iteration is searched
  bool failedLowThisIteration = false;
  bool newBestResearch = false;       // a later root move that beat the best is re-searched
  bool openEnded = false;             // analysis or pondering: no time tests
  int scoreBeforeFailLow = 0;
};
extern DriverState driverState;

// Allotment factor for the current situation: before a root move (false)
// or inside the tree (true).
double TimeFactor(bool insideTree);

// The test before every root move from iteration 2 on; throws
// search_aborted_exception to stop.
void CheckTimeBeforeRootMove();

// The in-tree test: true when the time is up.
bool TimeIsUp(TimePoint now);

// The poll inside the tree: input, then the clock; sets the next countdown
// so that the next poll comes a couple of milliseconds later.
void PollDuringSearch();

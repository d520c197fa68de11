// The time tests of the search driver: allotment factors by what the
// iteration has found so far, and the hard limit.
#pragma once

#include "base/clock.h"
#include "search/search_info.h"

// Allotment factor for the current situation: before a root move (false)
// or inside the tree (true).
double TimeFactor(const DriverState& driver, const SearchInfo& info, bool insideTree);

// The factor by which the selective search scales its ordinary stops when
// its best move has stayed the same for `stableIterations` iterations.
double StabilityScale(int stableIterations);

// The test before every root move from iteration 2 on: true when the search
// is to stop (the hard limit is reached, or the allotment times the factor
// exceeded).
bool RootMoveTimeIsUp(const DriverState& driver, const SearchInfo& info, TimePoint now);

// The in-tree test: true when the time is up. Open-ended searches never
// stop on time.
bool TimeIsUp(const DriverState& driver, const SearchInfo& info, TimePoint now);

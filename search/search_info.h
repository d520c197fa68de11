// The search driver's interface with the front end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"
#include "position/basics.h"

// Ends a running search. discardResult: true drops the result (no move is
// played); false keeps the best move found so far.
class search_aborted_exception {
 public:
  explicit search_aborted_exception(bool discard) : discardResult(discard) {}
  bool discardResult;
};

enum SearchMode : int32_t { kModeThink = 0, kModeAnalyze = 1, kModePonder = 2 };

// Limits of one search, filled by the front end.
struct SearchParameters {
  int32_t mode = kModeThink;
  int32_t maxDepth = 0;        // iterations; 0 = none
  Milliseconds hardLimit = 0;  // 0 = none
  Milliseconds allotment = 0;  // target time; 0 = no time control
};

// The running or last search, read by the front end and the thinking output.
struct SearchInfo {
  int32_t rootMoveCount = 0;
  int32_t currentRootMove = 0;
  int32_t displayDepth = 0;
  uint32_t totalNodes = 0;
  uint8_t failLowResearch = 0;
  uint8_t failHighResearch = 0;
  int32_t bestScore = 0;
  std::vector<Move> pvMoves;
  std::vector<std::string> pvText;
  int32_t resultCode = 0;  // 0 moves exist, 1 stalemate, 2 Black mated, 3 White mated
  TimePoint startTime = 0;
  TimePoint endTime = 0;  // 0 while searching
  uint8_t searching = 0;
  int32_t mode = kModeThink;
  int32_t maxDepth = 0;
  Milliseconds hardLimit = 0;
  Milliseconds allotment = 0;
};

extern SearchInfo searchInfo;

// The front end's services that the search uses; unset ones are skipped
// (the benchmark runs without input and without a game).
struct SearchCallbacks {
  void (*poll)() = nullptr;                         // read and handle waiting input
  void (*finished)(bool discardResult) = nullptr;   // play or record the result
  bool (*postEnabled)() = nullptr;                  // thinking lines in xboard mode
  void (*ponderAnnotation)() = nullptr;             // note of ponder iteration headers
};
extern SearchCallbacks searchCallbacks;

// Searches the loaded root position (record 0) under `parameters`, then
// reports through OnSearchFinished.
void Think(const SearchParameters& parameters);

// Nodes counted since the driver last added them to totalNodes.
uint32_t CurrentIterationNodes();

// Clears the driver's open-ended flag: a ponder search that became the real
// search obeys its time tests and depth limit from now on.
void EndOpenEndedSearch();

// Clears the killer table (start-up).
void ClearKillers();

// What a front end hands the search (the parameters) and what it reads back
// (the search information record), and the way a search is ended early.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/types.h"
#include "eval/value_tables.h"

// Ends a running search when thrown from a listener's poll. discardResult:
// true drops the result (no move is played); false keeps the best move
// found so far.
class search_aborted_exception {
 public:
  explicit search_aborted_exception(bool discard) : discardResult(discard) {}
  bool discardResult;
};

// The deepest search a depth setting ("sd", UCI's "go depth") can ask for.
inline constexpr int32_t kMaxDepthSetting = 36;

// A requested depth N as the driver's iteration limit: N - 1 iterations (the
// last shown as depth N), depth 1 the single shallowest one; 0 stays 0 (no
// limit).
constexpr int32_t IterationLimitForDepth(int32_t depth) { return depth <= 1 ? depth : depth - 1; }

enum SearchMode : int32_t { kModeThink = 0, kModeAnalyze = 1, kModePonder = 2 };

// The two searches on the one node routine:
// - kClassic: nearly every move to the full depth, with null move,
//   razoring and futility near the leaves and fractional extensions;
// - kSelective: the same node with the steps that spend the nodes on the
//   few moves that matter (late-move reductions and pruning, pruning on the
//   static evaluation, and the ordering that makes them safe).
enum class SearchStyle : int32_t { kClassic, kSelective };

// The searches' names in settings, in the order of the styles.
inline constexpr std::string_view kSearchStyleNames[] = {"classic", "selective"};

// Limits of one search, filled by the front end.
struct SearchParameters {
  int32_t mode = kModeThink;
  int32_t maxDepth = 0;        // iterations; 0 = none
  Milliseconds hardLimit = 0;  // 0 = none
  Milliseconds allotment = 0;  // target time; 0 = no time control
  uint64_t maxNodes = 0;       // the search stops soon after; 0 = none
  // The search stops once it finds a mate in this many moves or fewer for
  // the side to move ("go mate N"); 0 = none.
  int32_t mateMoves = 0;
  // The best lines to find (MultiPV): 1, the best move and its line alone,
  // is the designed search; with more, every root move is searched to an
  // exact score or to below the last of the lines.
  int32_t lines = 1;
  // Below full strength: each root move's score is raised by a random amount
  // up to `rootNoise` centipawns, drawn anew for every search from
  // `noiseSeed`; 0 = none, the engine's own choice.
  int32_t rootNoise = 0;
  uint64_t noiseSeed = 0;
  SearchStyle style = SearchStyle::kClassic;
  // The weights the evaluation reads (the classic ones by default).
  EvaluationSet evaluation = EvaluationSet::kClassic;
  // The root moves the search may choose from; empty = every legal move.
  // Moves that are not legal at the root are passed over.
  std::vector<Move> onlyMoves{};
};

// The running or last search, read by the front end and its reports.
struct SearchInfo {
  int32_t rootMoveCount = 0;
  int32_t currentRootMove = 0;  // 1-based index of the root move being searched
  int32_t displayDepth = 0;     // iteration number + 1, the depth reports show
  uint64_t totalNodes = 0;      // nodes of the finished root-move searches, of every thread
  uint8_t failLowResearch = 0;
  uint8_t failHighResearch = 0;
  int32_t bestScore = 0;        // centipawns from the root side's view
  // bestScore less the best move's random bonus below full strength: the
  // search's own judgement of the position, as people are shown it and as
  // draw offers are weighed (the same as bestScore at full strength).
  int32_t scoreWithoutNoise = 0;
  std::vector<Move> pvMoves;    // the current best line
  int32_t resultCode = 0;       // 0 moves exist, 1 stalemate, 2 Black mated, 3 White mated
  TimePoint startTime = 0;
  TimePoint endTime = 0;        // 0 while searching
  uint8_t searching = 0;
  int32_t mode = kModeThink;
  int32_t maxDepth = 0;
  Milliseconds hardLimit = 0;
  Milliseconds allotment = 0;
  uint64_t maxNodes = 0;
  int32_t mateMoves = 0;
  // With several lines to find: how many were asked for, and after each
  // iteration its lines (as many, or as many as there are root moves), best
  // first, with their scores.
  int32_t lineCount = 1;
  struct Line {
    int32_t score = 0;
    std::vector<Move> moves;
  };
  std::vector<Line> lines;
};

// What the driver is doing, as far as the time tests care.
struct DriverState {
  bool firstMove = false;  // the first root move of the iteration is searched
  bool failedLowThisIteration = false;
  bool newBestResearch = false;  // a later root move that beat the best is re-searched
  bool openEnded = false;        // analysis or pondering: no time tests
  int scoreBeforeFailLow = 0;
  // The selective search's time use: the best move of the last iteration,
  // the iterations it has stayed best, and the factor that scales the
  // ordinary stop rules by it (1 for the classic search).
  Move lastBestMove = 0;
  int stableIterations = 0;
  double stabilityScale = 1.0;
};

// The search driver: iterative deepening with aspiration windows over the
// legal root moves, time management and the best line.
#include <algorithm>
#include <cstring>
#include <ostream>

#include "app/xboard_mode.h"
#include "board/moves.h"
#include "eval/prescan.h"
#include "frontend/console_io.h"
#include "frontend/protocol_words.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "search/alpha_beta.h"
#include "search/hash_table.h"
#include "search/search_info.h"
#include "search/search_state.h"
#include "search/thinking_output.h"
#include "search/time_management.h"

SearchInfo searchInfo;
SearchCallbacks searchCallbacks;

namespace {

constexpr int kMaxIterations = 38;
constexpr int kResearchStep = 475;  // window steps of the fail-low and fail-high re-searches

RootMove rootMoves[kMaxMovesPerPosition];
int rootMoveCount = 0;

void AddNodes() {
  searchInfo.totalNodes += nodeCount;
  nodeCount = 0;
}

void PrintMarker(const char* text) {
  if (xboardMode) return;
  EngineOutput() << text;
  EngineOutput().flush();
}

void MakeMoveOnCurrentPly(Move move) {
  if (CurrentPosition().side == kWhite)
    MakeWhiteMove(move);
  else
    MakeBlackMove(move);
}

// Searches one root move: the time test, then the reply at one ply less.
int SearchRootMove(Move move, int depthPlies, int alpha, int beta) {
  if (depthPlies > 1 && !driverState.openEnded) CheckTimeBeforeRootMove();
  iterationDepth = depthPlies;
  const int side = TreePositions[0].side;
  MakeMoveOnCurrentPly(move);
  const int depth = (depthPlies - 1) * kOnePly;
  const int score = side == kWhite ? -SearchBlack(-beta, -alpha, depth, 0, MoveStack, true, kNodeOrdinary)
                                   : -SearchWhite(-beta, -alpha, depth, 0, MoveStack, true, kNodeOrdinary);
  UnmakeMove();
  return score;
}

// The best line of ply 0 into SearchInfo, as move words and texts.
void RecordPrincipalVariation() {
  searchInfo.pvMoves.clear();
  searchInfo.pvText.clear();
  for (int i = 0; i < kMaxPly && PrincipalVariation[0][i] != 0; ++i) {
    const Move move = PrincipalVariation[0][i];
    searchInfo.pvMoves.push_back(move);
    searchInfo.pvText.push_back(xboardMode ? CoordinateMoveText(move) : LongMoveText(move));
  }
}

// Writes the previous best line back into the transposition table so that
// the next iteration follows it first.
void WriteBackPrincipalVariation() {
  const std::vector<Move>& line = searchInfo.pvMoves;
  const int length = int(line.size());
  for (int k = 1; k < length; ++k) {
    MakeMoveOnCurrentPly(line[k - 1]);
    const TreePosition& p = CurrentPosition();
    HashBucket& bucket = BucketFor(p.hashKey);
    if (ProbeBucket(bucket, p.hashKey) != nullptr) continue;
    const int depth = std::max(0, (length - k) * 32);
    const int score = k % 2 == 0 ? searchInfo.bestScore : -searchInfo.bestScore;
    const HashSlot slot{uint32_t(p.hashKey), uint32_t(p.hashKey >> 32), MakeHashData(line[k], kBoundExact, false, false),
                        int16_t(score), int16_t(depth)};
    if (bucket.slot[0].depth < depth) {
      bucket.slot[1] = bucket.slot[0];
      bucket.slot[0] = slot;
    } else {
      bucket.slot[1] = slot;
    }
  }
  currentPly = 0;
}

void NewBestLine(Move move, int score) {
  SetPvRow(0, move);
  RecordPrincipalVariation();
  AddNodes();
  searchInfo.bestScore = score;
  ReportThinking();
}

void PrintIterationHeader() {
  if (xboardMode) return;
  std::ostream& out = EngineOutput();
  out << Word(kWordDepth) << ' ' << searchInfo.displayDepth;
  if (searchInfo.mode == kModePonder) {
    out << ' ';
    if (searchCallbacks.ponderAnnotation != nullptr) searchCallbacks.ponderAnnotation();
  }
  out << '\n';
  out.flush();
}

void SearchIteration(int j) {
  SearchInfo& info = searchInfo;
  driverState.failedLowThisIteration = false;
  info.displayDepth = j + 1;
  PrintIterationHeader();
  std::stable_sort(rootMoves, rootMoves + rootMoveCount,
                   [](const RootMove& a, const RootMove& b) { return a.score > b.score; });
  info.currentRootMove = 1;
  driverState.firstMove = true;
  SetExtensionLimits(j, 1);

  // Aspiration window around the last score; the first iteration is open.
  const int halfWidth = AspirationHalfWidth(info.bestScore, j);
  int alpha = -kInfinity, beta = kInfinity;
  if (j >= 2) {
    WriteBackPrincipalVariation();
    alpha = info.bestScore - halfWidth;
    beta = info.bestScore + halfWidth;
  }

  const Move first = rootMoves[0].move;
  int w = SearchRootMove(first, j, alpha, beta);
  if ((w > kMateThreshold && info.bestScore > kMateThreshold) ||
      (w < -kMateThreshold && info.bestScore < -kMateThreshold))
    throw search_aborted_exception(false);  // the mate is confirmed
  if (w <= alpha) {
    PrintMarker("?");
    driverState.scoreBeforeFailLow = info.bestScore;
    info.failLowResearch = 1;
    driverState.failedLowThisIteration = true;
    w = SearchRootMove(first, j, alpha - kResearchStep, alpha);
    if (w <= alpha - kResearchStep) {
      PrintMarker("?");
      w = SearchRootMove(first, j, -kInfinity, alpha - kResearchStep);
    }
    PrintMarker(" ");
    info.failLowResearch = 0;
  } else if (w >= beta) {
    PrintMarker("!");
    info.failHighResearch = 1;
    w = SearchRootMove(first, j, beta, beta + kResearchStep);
    if (w >= beta + kResearchStep) {
      PrintMarker("!");
      w = SearchRootMove(first, j, beta + kResearchStep, kInfinity);
    }
    PrintMarker(" ");
    info.failHighResearch = 0;
  }
  rootMoves[0].score = w;
  NewBestLine(first, w);
  driverState.firstMove = false;
  SetExtensionLimits(j, 0);

  // The other moves with a zero window around the best score.
  for (int k = 2; k <= rootMoveCount; ++k) {
    info.currentRootMove = k;
    const Move move = rootMoves[k - 1].move;
    int s = SearchRootMove(move, j, w, w + 1);
    if (s > w) {
      PrintMarker("!?");
      driverState.newBestResearch = true;
      info.failHighResearch = 1;
      SetExtensionLimits(j, 1);
      const int upper = w + halfWidth + 1;
      s = SearchRootMove(move, j, w + 1, upper);
      if (s >= upper) {
        PrintMarker("!");
        s = SearchRootMove(move, j, upper, upper + kResearchStep);
        if (s >= upper + kResearchStep) {
          PrintMarker("!");
          s = SearchRootMove(move, j, upper + kResearchStep, kInfinity);
        }
      }
      if (s > w) {
        if (!xboardMode) WriteLine(std::string(" ") + Word(kWordTrue));
        NewBestLine(move, s);
        w = s;
      } else if (!xboardMode) {
        WriteLine(std::string(" ") + Word(kWordFalse));
      }
      SetExtensionLimits(j, 0);
      driverState.newBestResearch = false;
      info.failHighResearch = 0;
    }
    rootMoves[k - 1].score = s;
    AddNodes();
  }
}

void FinishSearch(bool discardResult) {
  AddNodes();
  searchInfo.endTime = Now();
  searchInfo.searching = 0;
  if (searchCallbacks.finished != nullptr) searchCallbacks.finished(discardResult);
}

}  // namespace

uint32_t CurrentIterationNodes() { return nodeCount; }

void EndOpenEndedSearch() { driverState.openEnded = false; }

void ClearKillers() { std::memset(Killers, 0, sizeof Killers); }

void Think(const SearchParameters& parameters) {
  SearchInfo& info = searchInfo;
  info.searching = 1;
  info.startTime = Now();
  info.mode = parameters.mode;
  info.maxDepth = parameters.maxDepth;
  info.hardLimit = parameters.hardLimit;
  info.allotment = parameters.allotment;
  info.endTime = 0;
  currentPly = 0;
  rootMoveCount = int(GenerateLegalMoves(rootMoves) - rootMoves);
  info.rootMoveCount = rootMoveCount;
  info.currentRootMove = 0;
  info.pvText.clear();
  info.pvMoves.clear();
  info.totalNodes = 0;
  nodeCount = 0;
  info.bestScore = 0;
  info.displayDepth = 0;
  info.failLowResearch = info.failHighResearch = 0;

  if (rootMoveCount == 0) {
    const TreePosition& root = TreePositions[0];
    if (root.kingAttacked) {
      info.bestScore = -kInfinity;
      info.resultCode = root.side == kWhite ? 3 : 2;
    } else {
      info.bestScore = 0;
      info.resultCode = 1;
    }
    FinishSearch(false);
    return;
  }

  info.resultCode = 0;
  std::memset(History, 0, sizeof History);
  AgeHashTable();
  std::memset(CheckSequenceCount, 0, sizeof CheckSequenceCount);
  PrescanRoot();
  pollCountdown = 100;
  driverState = DriverState{};
  driverState.openEnded = info.mode != kModeThink;
  if (info.maxDepth == 0 || info.mode == kModeAnalyze) info.maxDepth = kMaxIterations;

  try {
    for (int j = 1; j <= info.maxDepth || (driverState.openEnded && j <= kMaxIterations); ++j) SearchIteration(j);
  } catch (const search_aborted_exception& abort) {
    if (!xboardMode) WriteLine(Word(kWordSearchAborted));
    // A search stopped before its first root move finished still owes a
    // legal move: fall back to the first root move.
    if (info.pvMoves.empty()) {
      const Move move = rootMoves[0].move;
      info.pvMoves.push_back(move);
      info.pvText.push_back(xboardMode ? CoordinateMoveText(move) : LongMoveText(move));
    }
    FinishSearch(abort.discardResult);
    return;
  }
  FinishSearch(false);
}

// The searcher: one object that owns everything a search works on — the
// per-ply records of the principal variation, killers and check sequences,
// the history table, the move stack, counters, limits and the search
// information record — and runs the iterative-deepening driver, the
// alpha-beta search and the quiescence search on the loaded root.
#pragma once

#include <cstdint>

#include "eval/evaluator.h"
#include "eval/pawn_hash.h"
#include "position/movegen.h"
#include "position/tree_position.h"
#include "search/hash_table.h"
#include "search/search_info.h"
#include "search/search_listener.h"
#include "search/search_state.h"
#include "search/search_steps.h"

class HelperThreads;

class Searcher {
 public:
  Searcher(TranspositionTable& table, PawnHashTable& pawnTable);
  Searcher(const Searcher&) = delete;
  Searcher& operator=(const Searcher&) = delete;

  // Searches the loaded root position (record 0) under `parameters`,
  // reporting to `listener`. Returns whether the result is to be discarded:
  // false after a normal end, the exception's word after an abort. Any
  // other exception from the listener ends the search and is passed on.
  bool Think(const SearchParameters& parameters, SearchListener& listener);

  // The running or last search.
  const SearchInfo& Info() const { return info_; }
  // Nodes counted since the driver last added them to the total.
  uint32_t CurrentIterationNodes() const { return state_.nodeCount; }

  // The helper threads that this searcher, as the main searcher, starts
  // beside every search and stops at its end; null (the default) searches
  // alone.
  void SetHelpers(HelperThreads* helpers) { helpers_ = helpers; }

  // A helper's part. Takes the main searcher's root position, history and
  // root moves (on the main searcher's thread, before the helper starts).
  void AdoptRoot(const Searcher& main);
  // Searches the adopted root open-ended, at the iterations `helpers`
  // chooses for helper `index`, reporting to `listener`, whose poll ends
  // the search.
  void Help(const HelperThreads& helpers, int index, SearchListener& listener);

  // The next node polls (a helper's poll then sees the stop at once).
  void PollAtNextNode() { state_.SetPollCountdown(0); }

  // A ponder search becomes the real search: from now on it obeys its time
  // tests and depth limit, with these time limits.
  void EndOpenEndedSearch(Milliseconds hardLimit, Milliseconds allotment);

  // Killers and the selective search's move histories survive from one
  // search to the next; this clears them.
  void ClearKillers();

  // The evaluation as the last search prepared it.
  Evaluator& Evaluation() { return evaluator_; }
  const Evaluator& Evaluation() const { return evaluator_; }

  // The search position: the root is loaded into record 0.
  PositionStack& Positions() { return positions_; }
  const PositionStack& Positions() const { return positions_; }

  // The plain per-search records, open for tests of single nodes.
  SearchState& State() { return state_; }

  // Fail-soft negamax node of side S at the current ply, with the steps of
  // the classic or the selective search. `stack` is this node's region of
  // the move stack (its first word receives the status word), depth is in
  // 1/64 ply, `counters` holds the six extension counters.
  template <int S, class Steps = ClassicSteps>
  int Search(int alpha, int beta, int depth, uint32_t counters, Move* stack, bool nullMoveForbidden, int kind);

  // Capture search at the leaves: stand pat, captures that can still reach
  // alpha, or every useful evasion when in check.
  template <int S, class Steps = ClassicSteps>
  int Quiesce(int alpha, int beta, Move* stack);

 private:
  // The driver (think.cpp).
  bool RunSearch(const SearchParameters& parameters);
  void BeginSearch(const SearchParameters& parameters);
  void PrepareIterations();
  void KeepOnlyRootMoves(const std::vector<Move>& moves);
  // Below full strength: the root moves in the order of their random
  // bonus, captures still first.
  void OrderRootMovesByBonus();
  void StartIteration(int j);
  void SearchIteration(int j);
  // An iteration that finds several lines (MultiPV).
  void SearchIterationForLines(int j);
  int WidenNarrowWindow(Move first, int j, int alpha, int beta, int w);
  int SearchLineScore(Move move, int j, int guess, int floor);
  // Whether `score`, the first root move's in iteration j, confirms the
  // mate of the last iteration, which ends the search.
  bool MateConfirmed(int score, int j) const;
  // After an iteration of the selective search: how long its best move has
  // stayed best, and the time scale that follows.
  void NoteBestMoveStability();
  // The most iterations, and the last ply an extension may reach, of the
  // running search's kind.
  int MaxIterations() const;
  int LastExtendingPly() const;
  int SearchRootMove(Move move, int depthPlies, int alpha, int beta);
  // The random amount, 0 to rootNoise_, by which `move`'s score is raised:
  // the same for the move through the whole search.
  int RootBonus(Move move) const;
  void WriteBackPrincipalVariation();
  void RecordPrincipalVariation();
  void NewBestLine(Move move, int score);
  void AddNodes();
  void Report(SearchEvent event) { listener_->OnSearchEvent(event, info_); }
  void Finish();

  // Time (time_management.cpp).
  void CheckTimeBeforeRootMove();
  void Poll();

  // The steps of an interior node (alpha_beta.cpp, selective_steps.h), in
  // the order they run.
  struct Node;
  template <int S>
  void MakeNullMove();
  // Starts loading the table entries that the position just made will read
  // first: its transposition-table bucket for an interior node, the
  // evaluation's entries for a quiescence node (which evaluates at once).
  // The loads then overlap the legality test and the child's first steps.
  void PrefetchChild(bool interior) {
    const TreePosition& child = positions_.Current();
    if (interior)
      table_.Prefetch(child.hashKey);
    else
      evaluator_.Prefetch(child);
  }
  bool AllowsExtension(const Node& node, int kind) const;
  void Extend(Node& node, int kind, int amount);
  // Ends the node with a status word and an empty best line.
  int EndNode(Node& node, int32_t status, int score);
  template <int S>
  bool CheckSequence(Node& node, const TreePosition& pos, int& score);
  template <int S>
  void ExtendForcingMoves(Node& node, const TreePosition& pos);
  template <class Steps>
  bool ProbeTable(Node& node, const HashBucket& bucket, uint64_t key, int& score);
  template <class Steps>
  void StoreResult(const Node& node, HashBucket& bucket, uint64_t key);
  template <int S, class Steps>
  void EvaluateNode(Node& node, const TreePosition& pos);
  template <int S, class Steps>
  bool ReverseFutility(const Node& node, int& score);
  template <int S, class Steps>
  bool TryNullMove(Node& node, const TreePosition& pos, int& score);
  template <int S, class Steps>
  bool NullCutoffVerified(const Node& node, int reduction);
  template <int S>
  void Razor(Node& node, const TreePosition& pos);
  template <int S, class Steps>
  bool EvalRazor(const Node& node, int& score);
  template <int S, class Steps>
  bool InternalDeepening(Node& node, int& score);
  template <int S, class Steps>
  int SearchChild(const Node& node, int depth, int alpha, int beta, Move* childStack, int kind = kNodeOrdinary);
  template <class Steps>
  static int ChildKind(const Node& node);
  template <int S, class Steps>
  bool NodeReaches(const Node& node, int bound, int depth);
  template <int S, class Steps>
  int SingularExtension(Node& node);
  template <int S, class Steps>
  void SearchHashMove(Node& node);
  template <int S, class Steps>
  bool TryMove(Node& node, Move move, Move* childStack);
  template <int S, class Steps>
  bool SkipLateMove(const Node& node, Move move, bool givesCheck) const;
  template <int S, class Steps>
  int SearchLateMove(Node& node, Move move, bool givesCheck, Move* childStack);
  template <int S, class Steps>
  bool SearchEvasions(Node& node, const TreePosition& pos, int& score);
  template <int S, class Steps>
  void SearchOrderedMoves(Node& node, const TreePosition& pos);
  template <int S, class Steps>
  void RememberGoodMove(const Node& node);
  template <int S>
  void UpdateMoveHistories(const Node& node);
  void RememberSearchedMove(Node& node, Move move);
  // The selective search's history of a quiet move, and its key in the move
  // order.
  template <int S>
  int QuietHistory(Move move) const;
  template <int S>
  int QuietMoveScore(Move move) const;
  // The selective search's keys for the move picker.
  template <int S>
  class HistoryKeys;
  // The evaluation of the position at the current ply, the side to move's
  // view.
  template <int S>
  int StaticEvaluation(const TreePosition& pos) {
    return S == kWhite ? evaluator_.Evaluate(pos, -kInfinity, kInfinity) : -evaluator_.Evaluate(pos, -kInfinity, kInfinity);
  }

  TranspositionTable& table_;
  Evaluator evaluator_;
  PositionStack positions_;
  SearchState state_;
  MoveHistories histories_{};
  SearchInfo info_;
  DriverState driver_;
  RootMove rootMoves_[kMaxMovesPerPosition];
  int rootMoveCount_ = 0;
  SearchStyle style_ = SearchStyle::kClassic;
  SearchListener* listener_ = nullptr;
  HelperThreads* helpers_ = nullptr;
  uint64_t adoptedNodeLimit_ = 0;  // a helper's: the main searcher's node limit
  // Below full strength, the most a root move's score is raised at random,
  // and the seed that draws each move's amount (see RootBonus).
  int32_t rootNoise_ = 0;
  uint64_t noiseSeed_ = 0;
};

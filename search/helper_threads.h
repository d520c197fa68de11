// The helper threads of a search on several cores. Each helper owns a
// searcher of its own (position stack, killers, history, evaluator and pawn
// table) on the transposition table that every thread shares. The main
// searcher, on the caller's thread, starts the helpers on its root once its
// own preparation is done, decides the move and reports; the helpers only
// fill the shared table, at the main searcher's iteration or the next one,
// and stop when the main searcher stops them. The threads start once, with
// the pool, and wait between searches.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "eval/pawn_hash.h"
#include "search/hash_table.h"

class Searcher;

class HelperThreads {
 public:
  // `count` helper threads on `table`; each helper's pawn table takes the
  // size of `mainPawnTable` at every start. Throws when the threads or
  // their memory cannot be had.
  HelperThreads(int count, TranspositionTable& table, const PawnHashTable& mainPawnTable);
  // Ends and joins the threads; no search may be running.
  ~HelperThreads();
  HelperThreads(const HelperThreads&) = delete;
  HelperThreads& operator=(const HelperThreads&) = delete;

  int Count() const { return int(helpers_.size()); }

  // The main searcher's side, on its own thread.
  // Starts every helper on the main searcher's root position, history and
  // root moves; the table must be aged already.
  void Start(const Searcher& main);
  // The main searcher begins iteration `iteration`.
  void MainIterationStarted(int iteration) { mainIteration_.store(iteration, std::memory_order_relaxed); }
  // Stops the helpers and waits until every one has left its search.
  void Stop();
  // The nodes the helpers searched since the last call.
  uint64_t TakeNodes();

  // The helpers' side: the iteration helper `index` (1 and up) searches
  // after finishing `finished` (0 at the start).
  int NextIteration(int index, int finished) const;

  // Empties the helpers' pawn tables; forgets their killers.
  void ClearPawnTables();
  void ClearKillers();

 private:
  struct Helper;
  void Run(Helper& helper);
  void EndThreads();

  const PawnHashTable& mainPawnTable_;
  std::vector<std::unique_ptr<Helper>> helpers_;
  std::mutex mutex_;
  std::condition_variable wake_;  // a search to help, or the end
  std::condition_variable idle_;  // every helper has left its search
  uint64_t generation_ = 0;       // searches started
  int running_ = 0;               // helpers inside a search
  bool quit_ = false;
  // Read by every helper at every poll; written at the start and the end of
  // a search: on lines of their own, away from the fields above.
  alignas(64) std::atomic<bool> stop_{false};
  alignas(64) std::atomic<int> mainIteration_{0};
};

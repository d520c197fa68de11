// The engine as the dialogues drive it, and all they see of the search: the
// hash tables (sized, cleared, fresh for a new game), the position the next
// search starts from, the search itself with its limits and a listener that
// receives the reports and polls the input, the move pondered on becoming
// the real one, and what a running or finished search has found.
#pragma once

#include <cstdint>
#include <memory>

#include "board/game.h"
#include "eval/pawn_hash.h"
#include "search/hash_table.h"
#include "search/helper_threads.h"
#include "search/searcher.h"
#include "search/table_memory.h"

// The most threads a search may run on.
inline constexpr int kMaxSearchThreads = 256;

// Builds the static tables that are computed at start-up: attacks, keys.
// Called once, before the first Engine is made.
void InitEngineTables();

// What became of a request to change the hash tables.
enum class TableChange {
  kDone,           // the tables are as asked (also when they were so already)
  kNoMemory,       // the machine cannot give the size: both tables stay as they were
  kSearchRunning,  // the tables cannot change under a search: nothing happened
};

class Engine {
 public:
  // Tables of the given sizes (their minimums when a size cannot be had),
  // their memory from `memory` (a test's source, or the system's).
  explicit Engine(uint64_t hashBytes = kDefaultHashBytes, uint64_t pawnHashBytes = kDefaultPawnHashBytes,
                  const TableMemorySource& memory = SystemTableMemory());

  // The tables. A new game owes nothing to the last one: empty tables and
  // no killer moves in any thread, so that a search by depth or by nodes on
  // one thread gives the same result every time. Resizing shares
  // `totalBytes` between the two tables by SplitHashMemory, both or neither
  // (every helper thread's pawn table follows the main one's size at its
  // next search).
  TableChange NewGame();
  TableChange ClearTables();
  TableChange ResizeTables(uint64_t totalBytes);
  // Each table's size, and both together.
  HashSizes TableSizes() const { return HashSizes{table_.Bytes(), pawnTable_.Bytes()}; }
  uint64_t TableBytes() const { return table_.Bytes() + pawnTable_.Bytes(); }
  // The transposition table's fill in permille.
  int HashFull() const { return table_.PermilleFull(); }

  // The next search starts from the game's current position, with the
  // game's positions since the last capture or pawn move as the repetition
  // history.
  void LoadGame(const Game& game);
  // The next search starts from `position`, with no history before it.
  void LoadPosition(const GamePosition& position);
  // The root the next (or the last) search starts from.
  const TreePosition& SearchRoot() const { return searcher_->Positions().Root(); }

  // Searches from now on run on `count` threads: the main searcher on the
  // caller's thread and count - 1 helpers, whose threads start here and
  // wait between searches. Every helper has a pawn table of the main one's
  // size. Idle only. False, with the count kept, for a count outside 1 to
  // kMaxSearchThreads, during a search, or when the threads or their memory
  // cannot be had.
  bool SetThreadCount(int count);
  int ThreadCount() const { return 1 + (helpers_ != nullptr ? helpers_->Count() : 0); }

  // Searches the loaded position (see Searcher::Think): the main searcher
  // decides the move and reports; Info() counts the nodes of every thread.
  bool Think(const SearchParameters& parameters, SearchListener& listener) {
    searcher_->Evaluation().SelectWeights(parameters.evaluation);
    return searcher_->Think(parameters, listener);
  }
  bool Searching() const { return searcher_->Info().searching != 0; }
  // A ponder search or analysis becomes a timed search under these limits,
  // counted from its start.
  void EndOpenEndedSearch(Milliseconds hardLimit, Milliseconds allotment) {
    searcher_->EndOpenEndedSearch(hardLimit, allotment);
  }
  // The running or last search.
  const SearchInfo& Info() const { return searcher_->Info(); }
  // Its nodes so far, the current iteration's included.
  uint64_t NodesSoFar() const { return uint64_t(Info().totalNodes) + searcher_->CurrentIterationNodes(); }

  // The static evaluation of the game's position with the value sets the
  // last search prepared. It works on a
  // position and scratch of its own, so a running search is not disturbed.
  int Evaluate(const Game& game);

 private:
  TranspositionTable table_;
  PawnHashTable pawnTable_;
  std::unique_ptr<Searcher> searcher_;      // large: kept off the caller's stack
  std::unique_ptr<HelperThreads> helpers_;  // null on one thread
};

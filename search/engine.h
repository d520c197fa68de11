// The engine as a front end drives it: the hash tables, the searcher on
// them, and the game or position the next search starts from. A front end
// sets up the position, starts a search with its limits and a listener
// that receives the reports and polls the input, and reads the result.
#pragma once

#include <cstdint>
#include <memory>

#include "board/game.h"
#include "eval/pawn_hash.h"
#include "search/hash_table.h"
#include "search/helper_threads.h"
#include "search/searcher.h"

inline constexpr uint64_t kDefaultHashBytes = uint64_t(16) << 20;
inline constexpr uint64_t kDefaultPawnHashBytes = uint64_t(8) << 20;
// The most threads a search may run on.
inline constexpr int kMaxSearchThreads = 256;

// Builds the static tables that are computed at start-up: attacks, keys.
// Called once, before the first Engine is made.
void InitEngineTables();

class Engine {
 public:
  // Tables of the given sizes (their minimums when a size cannot be had).
  explicit Engine(uint64_t hashBytes = kDefaultHashBytes, uint64_t pawnHashBytes = kDefaultPawnHashBytes);

  // The next search starts from the game's current position, with the
  // game's positions since the last capture or pawn move as the repetition
  // history.
  void LoadGame(const Game& game);
  // The next search starts from `position`, with no history before it.
  void LoadPosition(const GamePosition& position);

  // Searches the loaded position (see Searcher::Think).
  bool Think(const SearchParameters& parameters, SearchListener& listener) {
    return searcher_->Think(parameters, listener);
  }

  // Searches from now on run on `count` threads: the main searcher on the
  // caller's thread and count - 1 helpers, whose threads start here and
  // wait between searches. Every helper has a pawn table of the main one's
  // size. Idle only. False, with the count kept, for a count outside 1 to
  // kMaxSearchThreads, during a search, or when the threads or their memory
  // cannot be had.
  bool SetThreadCount(int count);
  int ThreadCount() const { return 1 + (helpers_ != nullptr ? helpers_->Count() : 0); }

  // Empties the transposition table and every thread's pawn table.
  void ClearTables();
  // Every thread's killers (see Searcher::ClearKillers).
  void ClearKillers();

  // The main searcher: it decides the move and reports; Info() counts the
  // nodes of every thread.
  Searcher& Search() { return *searcher_; }
  const SearchInfo& Info() const { return searcher_->Info(); }
  TranspositionTable& Table() { return table_; }
  // The main searcher's pawn table.
  PawnHashTable& PawnTable() { return pawnTable_; }

 private:
  TranspositionTable table_;
  PawnHashTable pawnTable_;
  std::unique_ptr<Searcher> searcher_;  // large: kept off the caller's stack
  std::unique_ptr<HelperThreads> helpers_;  // null on one thread
};

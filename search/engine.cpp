#include "search/engine.h"

#include <exception>

#include "base/platform.h"
#include "base/tables.h"
#include "board/search_position.h"
#include "eval/evaluator.h"

void InitEngineTables() {
  InitStaticTables();
}

Engine::Engine(uint64_t hashBytes, uint64_t pawnHashBytes, const TableMemorySource& memory)
    : table_(hashBytes, memory),
      pawnTable_(pawnHashBytes, memory),
      searcher_(std::make_unique<Searcher>(table_, pawnTable_)) {}

TableChange Engine::NewGame() {
  if (ClearTables() != TableChange::kDone) return TableChange::kSearchRunning;
  searcher_->ClearKillers();
  if (helpers_ != nullptr) helpers_->ClearKillers();
  return TableChange::kDone;
}

TableChange Engine::ClearTables() {
  if (Searching()) return TableChange::kSearchRunning;
  table_.Clear();
  pawnTable_.Clear();
  if (helpers_ != nullptr) helpers_->ClearPawnTables();
  return TableChange::kDone;
}

TableChange Engine::ResizeTables(uint64_t totalBytes) {
  if (Searching()) return TableChange::kSearchRunning;
  const HashSizes sizes = SplitHashMemory(totalBytes);
  const uint64_t oldPawnBytes = pawnTable_.Bytes();
  if (sizes.mainBytes == table_.Bytes() && sizes.pawnBytes == oldPawnBytes) return TableChange::kDone;
  // A budget beyond the machine's memory would only be allocated to be
  // thrown out by the system once the tables are filled.
  const uint64_t physical = PhysicalMemoryBytes();
  if (physical != 0 && totalBytes > physical) return TableChange::kNoMemory;
  // Both tables or neither: the smaller pawn table first, put back when the
  // main table cannot be had.
  if (!pawnTable_.Allocate(sizes.pawnBytes)) return TableChange::kNoMemory;
  if (!table_.Allocate(sizes.mainBytes)) {
    pawnTable_.Allocate(oldPawnBytes);
    return TableChange::kNoMemory;
  }
  return TableChange::kDone;
}

bool Engine::SetThreadCount(int count) {
  if (count < 1 || count > kMaxSearchThreads || Searching()) return false;
  if (count == ThreadCount()) return true;
  std::unique_ptr<HelperThreads> helpers;
  if (count > 1) {
    try {
      helpers = std::make_unique<HelperThreads>(count - 1, table_, pawnTable_);
    } catch (const std::exception&) {
      return false;
    }
  }
  searcher_->SetHelpers(helpers.get());
  helpers_ = std::move(helpers);  // the old helpers' threads end here
  return true;
}

void Engine::LoadGame(const Game& game) { LoadSearchPosition(searcher_->Positions(), game); }

void Engine::LoadPosition(const GamePosition& position) {
  LoadSearchRoot(searcher_->Positions(), position);
}

int Engine::Evaluate(const Game& game) {
  PositionStack position;
  LoadSearchPosition(position, game);
  Evaluator evaluator(pawnTable_, searcher_->Evaluation().Preparation());
  return evaluator.Evaluate(position.Root(), -32000, 32000);
}

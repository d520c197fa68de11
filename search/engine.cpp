#include "search/engine.h"

#include <exception>

#include "base/tables.h"
#include "board/search_position.h"

void InitEngineTables() {
  InitStaticTables();
}

Engine::Engine(uint64_t hashBytes, uint64_t pawnHashBytes)
    : table_(hashBytes), pawnTable_(pawnHashBytes), searcher_(std::make_unique<Searcher>(table_, pawnTable_)) {}

void Engine::LoadGame(const Game& game) { LoadSearchPosition(searcher_->Positions(), game); }

void Engine::LoadPosition(const GamePosition& position) {
  LoadSearchRoot(searcher_->Positions(), position);
}

bool Engine::SetThreadCount(int count) {
  if (count < 1 || count > kMaxSearchThreads || Info().searching != 0) return false;
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

void Engine::ClearTables() {
  table_.Clear();
  pawnTable_.Clear();
  if (helpers_ != nullptr) helpers_->ClearPawnTables();
}

void Engine::ClearKillers() {
  searcher_->ClearKillers();
  if (helpers_ != nullptr) helpers_->ClearKillers();
}

#include "search/engine.h"

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

// Helpers for the evaluation tests: set up a search root from FEN, prepare
// the evaluation for it and evaluate with the full window.
#pragma once

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "board/fen.h"
#include "eval/eval_scratch.h"
#include "eval/evaluate.h"
#include "eval/prescan.h"
#include "position/build.h"
#include "search/hash_table.h"

namespace eval_test {

inline void ClearPawnHash() {
  std::memset(static_cast<void*>(pawnHashTable), 0, pawnHashEntryCount * sizeof(PawnHashEntry));
}

// Loads `fen` as the search root, prepares the evaluation for it and empties
// the pawn hash (stored structure scores depend on the prepared tables).
inline void SetUpRoot(const std::string& fen) {
  try {
    LoadSearchRoot(ParseFen(fen));
  } catch (const CommBoard::CommBoardException& error) {
    ADD_FAILURE() << fen << ": " << error.message();
  }
  PrescanRoot();
  ClearPawnHash();
}

inline int FullEval() { return EvaluatePosition(-32000, 32000); }

// Sets up the root and evaluates it once, which leaves the facts of the call
// in evalScratch for the term tests.
inline int SetUpAndEvaluate(const std::string& fen) {
  SetUpRoot(fen);
  return FullEval();
}

inline const TreePosition& Root() { return TreePositions[0]; }

}  // namespace eval_test

// Helpers for the evaluation tests: set up a search root from FEN, prepare
// the evaluation for it and evaluate with the full window.
#pragma once

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "board/fen.h"
#include "board/search_position.h"
#include "eval/eval_scratch.h"
#include "eval/evaluator.h"
#include "eval/pawn_hash.h"
#include "position/build.h"
#include "test_position_stack.h"

namespace eval_test {

// The evaluator of the tests and its pawn table.
inline PawnHashTable& TestPawnTable() {
  static PawnHashTable table(uint64_t(1) << 20);
  return table;
}
inline Evaluator& TestEvaluator() {
  static Evaluator evaluator(TestPawnTable());
  return evaluator;
}
inline EvalScratch& Scratch() { return TestEvaluator().Scratch(); }
inline const EvalPreparation& Prepared() { return TestEvaluator().Preparation(); }

inline void ClearPawnHash() { TestPawnTable().Clear(); }

inline const TreePosition& Root() { return Stack().positions[0]; }

// Loads `fen` as the search root, prepares the evaluation for it and empties
// the pawn hash (stored structure scores depend on the prepared tables).
inline void SetUpRoot(const std::string& fen) {
  try {
    LoadSearchRoot(Stack(), ParseFen(fen));
  } catch (const GameError& error) {
    ADD_FAILURE() << fen << ": " << error.message();
  }
  TestEvaluator().PrepareRoot(Root());
  ClearPawnHash();
}

inline int Evaluate(int alpha, int beta) { return TestEvaluator().Evaluate(Root(), alpha, beta); }
inline int FullEval() { return Evaluate(-32000, 32000); }

// Sets up the root and evaluates it once, which leaves the facts of the call
// in Scratch() for the term tests.
inline int SetUpAndEvaluate(const std::string& fen) {
  SetUpRoot(fen);
  return FullEval();
}

}  // namespace eval_test

// The static evaluation: prepared from the search's root before every
// search, then asked for a score at every node.
#pragma once

#include <cstdint>

#include "base/power_of_two_table.h"
#include "eval/eval_scratch.h"
#include "eval/pawn_hash.h"
#include "eval/value_tables.h"
#include "position/tree_position.h"

// Bound on the positional part of the evaluation: the lazy exits and the
// search's futility tests trust that position never outweighs material by
// more than this.
inline constexpr int kPositionalMargin = 320;

struct EvalTrace;

// What the preparation before a search leaves for the evaluation of every
// node: the weight set, three value sets and the rule that picks one.
struct EvalPreparation {
  EvaluationSet weights = EvaluationSet::kClassic;
  ValueSet rootSet{};       // the root's phase, with queens on
  ValueSet alternateSet{};  // without queens
  ValueSet endgameSet{};    // once the material has thinned out
  int32_t phaseThreshold = 0;     // piece units above which the root's tables apply
  bool rootHasPawns = false;
};

// The king and piece terms of one position under one preparation.
struct PieceTermsEntry {
  uint64_t key;          // the position's hash key
  int32_t score;         // White's view
  uint32_t preparation;  // the number of the preparation; 0 = empty
};
static_assert(sizeof(PieceTermsEntry) == 16);

class Evaluator {
 public:
  explicit Evaluator(PawnHashTable& pawnTable) : pawnTable_(pawnTable) { AllocatePieceTerms(); }
  // An evaluator that reads another's preparation, with scratch of its own
  // (the "eval" command beside a running search).
  Evaluator(PawnHashTable& pawnTable, const EvalPreparation& preparation)
      : pawnTable_(pawnTable), preparation_(preparation) {
    AllocatePieceTerms();
  }

  // The weight set that the next preparations fill the value sets from and
  // the evaluation reads (the Evaluation setting); classic until chosen.
  void SelectWeights(EvaluationSet set) { selected_ = set; }
  EvaluationSet SelectedWeights() const { return selected_; }

  // Decides the root's phase and fills the value sets the evaluation reads
  // during the search, under the selected weights.
  void PrepareRoot(const TreePosition& root);

  // Score of `p` in centipawns from White's point of view. The window only
  // steers the lazy exits; it never clips the result.
  int Evaluate(const TreePosition& p, int alpha, int beta);

  // The full-window score of `p` under the preparation, as Evaluate gives
  // it, with the trace of the weights it used (see EvalTrace). Neither the
  // pawn table nor the kept piece terms are read or written.
  int Trace(const TreePosition& p, EvalTrace& trace);

  // Starts loading the table entries an evaluation of `p` reads (see
  // PowerOfTwoTable::Prefetch).
  void Prefetch(const TreePosition& p) const {
    pawnTable_.Prefetch(p.pawnHashKey);
    pieceTerms_.Prefetch(p.hashKey);
  }

  const EvalPreparation& Preparation() const { return preparation_; }
  // The facts of the last Evaluate call (for tests of single terms).
  EvalScratch& Scratch() { return scratch_; }
  PawnHashTable& PawnTable() { return pawnTable_; }

  // Tests switch the lazy exits off with a margin out of reach.
  void SetPositionalMargin(int margin) { positionalMargin_ = margin; }

 private:
  // The evaluation under the weights and trace of mode M (eval/eval_mode.h).
  template <class M>
  int EvaluateIn(const TreePosition& p, int alpha, int beta);
  // The king and piece terms, White's view: they depend on
  // the position and the preparation only, never on the window.
  template <class M>
  static int PieceTerms(const TreePosition& p, const EvalScratch& e, bool endgame);
  void AllocatePieceTerms();

  PawnHashTable& pawnTable_;
  EvalPreparation preparation_;
  EvalScratch scratch_{};
  int positionalMargin_ = kPositionalMargin;
  // The king and piece terms of positions evaluated since the last
  // preparation: about a third of the evaluations that get that far meet
  // their position again (transpositions, the next iteration) and skip the
  // terms, the most expensive part of the evaluation.
  PowerOfTwoTable<PieceTermsEntry> pieceTerms_;
  uint32_t preparationNumber_ = 1;
  EvaluationSet selected_ = EvaluationSet::kClassic;
};

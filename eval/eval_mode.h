// The modes the evaluation is compiled in: the weight set it reads (known at
// compile time, so each weight folds into the code as a constant) and
// whether it keeps a trace of the weights it uses. The terms take the mode
// as a template parameter and read every weight through Weight() and
// TableWeight() below.
#pragma once

#include <array>

#include "eval/classic_weights.h"
#include "eval/eval_scratch.h"
#include "eval/tuned_weights.h"
#include "position/tree_position.h"

// The trace of one evaluation: how many times, counted from White's side,
// the score holds each value of the weight set. The evaluation is a sum of
// weights, so the score is the sum of coefficient x value over the set plus
// `constant` (the part no weight explains). The exceptions are written down
// where they occur: the shelter counted half again with both queens on (a
// factor of 1.5 here, the evaluation halves with an integer division), the
// better of two wings taken as the wing the traced weights choose, and the
// scores that rules decide (a drawn pawn ending, a side that cannot win, the
// endgames without pawns), which the trace keeps as a constant.
struct EvalTrace {
  std::array<double, kWeightValueCount> coefficient{};
  double constant = 0;
  // Multiplies what is noted: 1, 1.5 for the shelter with both queens on, 0
  // while a term is worked out only to be compared.
  double factor = 1;

  void Clear() {
    coefficient.fill(0);
    constant = 0;
    factor = 1;
  }
  void Note(int index, int count) { coefficient[index] += factor * count; }
};

template <const EvalWeights& W, bool Trace>
struct EvalMode {
  static constexpr const EvalWeights& kWeights = W;
  static constexpr bool kTrace = Trace;
  // The material weights are the search position's own piece values: the
  // balance that make-move keeps is the evaluation's.
  static constexpr bool kBaseMaterial = W.At(kMaterial, 0) == kPawnValue && W.At(kMaterial, 1) == kKnightValue &&
                                        W.At(kMaterial, 2) == kBishopValue && W.At(kMaterial, 3) == kRookValue &&
                                        W.At(kMaterial, 4) == kQueenValue;
};

using ClassicEval = EvalMode<kClassicWeights, false>;
using TunedEval = EvalMode<kTunedWeights, false>;
using TracedClassicEval = EvalMode<kClassicWeights, true>;
using TracedTunedEval = EvalMode<kTunedWeights, true>;

// Instantiates X(mode) for every mode the evaluation is compiled in.
#define RAVOK_FOR_EACH_EVAL_MODE(X) X(ClassicEval) X(TunedEval) X(TracedClassicEval) X(TracedTunedEval)

// Whether mode M reads weight `id`: outside the trace, a term whose weight
// is zero throughout the set is skipped at compile time, so terms that a set
// leaves out cost it nothing.
template <class M>
constexpr bool Reads(WeightId id) {
  if (M::kTrace) return true;
  for (int i = 0; i < kWeightInfos[id].count; ++i)
    if (M::kWeights.At(id, i) != 0) return true;
  return false;
}

// Value `entry` of weight `id`, a bonus for side S; the trace counts it for
// S.
template <class M, int S = kWhite>
inline int Weight(const EvalScratch& e, WeightId id, int entry = 0) {
  const int index = WeightIndex(id, entry);
  if constexpr (M::kTrace) e.trace->Note(index, S == kWhite ? 1 : -1);
  return M::kWeights.value[index];
}

// The same, `count` times.
template <class M, int S = kWhite>
inline int WeightTimes(const EvalScratch& e, WeightId id, int entry, int count) {
  const int index = WeightIndex(id, entry);
  if constexpr (M::kTrace) e.trace->Note(index, S == kWhite ? count : -count);
  return M::kWeights.value[index] * count;
}

// Side S's value on `square` in table `table` of the value set in use; the
// trace counts the weight the preparation filled it from.
template <class M, int S>
inline int TableWeight(const EvalScratch& e, SideTable table, Square square) {
  if constexpr (M::kTrace) e.trace->Note(TableValueIndex(table, e.activeSet->phase, S, square), S == kWhite ? 1 : -1);
  return (e.activeSet->side[S].*kSideTableMembers[table])[square];
}

// The material balance under the mode's piece values, White's view.
//
// The classic values are the ones make-move keeps the balance in. Other
// values need the difference in each kind of piece; the trace counts them
// one by one, the search recovers them from what make-move already keeps
// (pawns, the minor and major tallies, the classic balance) and one count
// of the queens: with the queens known the majors give the rooks, and the
// classic balance, in which a bishop is worth 20 more than a knight, tells
// the bishops from the knights.
template <class M>
inline int MaterialBalance(const TreePosition& p, const EvalScratch& e) {
  if constexpr (M::kBaseMaterial && !M::kTrace) {
    return p.materialBalance;
  } else {
    const int pawns = p.white.numPawns - p.black.numPawns;
    int knights, bishops, rooks, queens;
    if constexpr (M::kTrace) {
      knights = PopCount(p.white.knight) - PopCount(p.black.knight);
      bishops = PopCount(p.white.bishop) - PopCount(p.black.bishop);
      rooks = PopCount(p.white.rook) - PopCount(p.black.rook);
      queens = PopCount(p.white.queen) - PopCount(p.black.queen);
    } else {
      const int minors = (p.white.valMinors - p.black.valMinors) / 3;
      queens = PopCount(p.white.queen) - PopCount(p.black.queen);
      rooks = p.white.valMajors - p.black.valMajors - 2 * queens;
      bishops = (p.materialBalance - kPawnValue * pawns - kKnightValue * minors - kRookValue * rooks -
                 kQueenValue * queens) /
                (kBishopValue - kKnightValue);
      knights = minors - bishops;
    }
    // Written out rather than looped, so each weight folds into a constant.
    return WeightTimes<M>(e, kMaterial, 0, pawns) + WeightTimes<M>(e, kMaterial, 1, knights) +
           WeightTimes<M>(e, kMaterial, 2, bishops) + WeightTimes<M>(e, kMaterial, 3, rooks) +
           WeightTimes<M>(e, kMaterial, 4, queens);
  }
}

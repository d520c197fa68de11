// The steps that set the two searches apart. Both run the one node routine
// and move picker; each selective step is a named switch that the node
// reads as a compile-time constant, so that the classic search compiles to
// the node it always was, at its speed, and a step can be measured alone by
// switching it off.
#pragma once

// The search as it was designed: every step below off.
struct ClassicSteps {
  static constexpr bool kSelective = false;
  static constexpr bool kLateMoveReductions = false;
  static constexpr bool kReverseFutility = false;
  static constexpr bool kMoveCountPruning = false;
  static constexpr bool kEvalFutility = false;
  static constexpr bool kEvalRazoring = false;
  static constexpr bool kAdaptiveNullMove = false;
  static constexpr bool kNullVerification = false;
  static constexpr bool kExchangePruning = false;
  static constexpr bool kGravityHistory = false;
  static constexpr bool kCaptureHistory = false;
  static constexpr bool kInternalReduction = false;
  static constexpr bool kSingularExtension = false;
  static constexpr bool kNarrowAspiration = false;
  static constexpr bool kStabilityTime = false;
  static constexpr bool kCutNodeReduction = false;
  static constexpr bool kQuiescenceTable = false;
};

// The selective search. Besides its steps it always has a deeper record
// array, mate scores stored relative to the node in the table, and
// mate-distance bounds.
struct SelectiveSteps {
  static constexpr bool kSelective = true;
  // Quiet moves late in the order are searched shallower, and searched
  // again at full depth when they beat alpha.
  static constexpr bool kLateMoveReductions = true;
  // A node whose static evaluation stands far enough above beta near the
  // leaves returns at once.
  static constexpr bool kReverseFutility = true;
  // Near the leaves, quiet moves beyond a count that grows with the depth
  // are not searched.
  static constexpr bool kMoveCountPruning = true;
  // Near the leaves, quiet moves that leave the static evaluation far
  // below alpha are not searched.
  static constexpr bool kEvalFutility = true;
  // Near the leaves, a node whose static evaluation stands far below alpha
  // is settled by the quiescence search when that confirms it, in place of
  // the classic razoring on the material balance.
  static constexpr bool kEvalRazoring = false;
  // The null move is tried when the static evaluation reaches beta, and
  // searched shallower the deeper the node and the further above beta.
  static constexpr bool kAdaptiveNullMove = true;
  // Deep in the tree a null move's cut-off stands only when a search of the
  // node's own moves, as shallow as the pass and without one, confirms it:
  // in a zugzwang passing is the best move and its cut-off is false.
  static constexpr bool kNullVerification = true;
  // Near the leaves, moves that lose material by static exchange are not
  // searched.
  static constexpr bool kExchangePruning = true;
  // Quiet-move history with bounded updates, a penalty for the quiet moves
  // that failed before the cut-off, and continuation histories.
  static constexpr bool kGravityHistory = true;
  // Captures ordered within their stage by a history of their own (piece,
  // target, captured piece), bounded as the quiet ones; needs the above.
  static constexpr bool kCaptureHistory = false;
  // A node without a table move is searched one ply shallower instead of
  // by a shallower search of its own first.
  static constexpr bool kInternalReduction = false;
  // A table move that is much better than every other extends.
  static constexpr bool kSingularExtension = false;
  // Narrow aspiration windows at the root, widened step by step.
  static constexpr bool kNarrowAspiration = false;
  // On a clock, a best move that stays the same iteration after iteration
  // ends the search sooner, one that changes makes it go on longer.
  static constexpr bool kStabilityTime = false;
  // Late moves of a node expected to cut off are reduced a ply more: the
  // node's first moves usually refute, and a late one rarely matters.
  static constexpr bool kCutNodeReduction = false;
  // The quiescence search reads the transposition table, ending a
  // zero-window node whose stored bound settles it, and stores its own
  // results, below every full-width depth.
  static constexpr bool kQuiescenceTable = false;
};

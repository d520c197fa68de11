// The steps of the selective search, each switched on by its name in
// SelectiveSteps: the static evaluation of every node and what it prunes,
// late-move reductions and pruning, the adaptive null move, the singular
// extension and the move histories that order the quiet moves. Included by
// the node (alpha_beta.cpp) only; the classic search compiles none of it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "position/static_exchange.h"
#include "search/search_node.h"

// A move that neither captures nor promotes.
inline bool IsQuietMove(Move m) { return MoveCaptured(m) == 0 && (MovePiece(m) != kPawn || MoveSpecial(m) == 0); }

// No score at `ply` lies beyond being mated here or mating on the next ply:
// the window shrinks to that; true when nothing is left of it.
inline bool MateDistanceBounds(int& alpha, int& beta, int ply) {
  alpha = std::max(alpha, -kInfinity + ply);
  beta = std::min(beta, kInfinity - ply - 1);
  return alpha >= beta;
}

// The plies left at a node, counting the last full-width ply (a node of
// depth below one ply still tries every move) as one.
inline int PliesLeft(int depth) { return depth / kOnePly + 1; }

// Late-move reductions in 1/64 ply by plies left and move number (both
// capped at 63): a + ln(plies)·ln(moves)/b, from the published form.
class LateMoveReductions {
 public:
  LateMoveReductions() {
    for (int plies = 1; plies < 64; ++plies)
      for (int moves = 1; moves < 64; ++moves)
        table_[plies][moves] = int16_t(kOnePly * (kBase + std::log(plies) * std::log(moves) / kDivisor));
  }
  int Of(int plies, int moves) const { return table_[std::min(plies, 63)][std::min(moves, 63)]; }

 private:
  static constexpr double kBase = 0.75;
  static constexpr double kDivisor = 2.25;
  int16_t table_[64][64] = {};
};
inline const LateMoveReductions kLateMoveReductions;

// Near the leaves: how far the static evaluation must stand above beta for
// the node to return at once, and below alpha for a quiet move to be left
// out; how many moves are searched before the quiet ones are left out.
inline constexpr int kReverseFutilityPlies = 8;
inline constexpr int kFutilityPlies = 6;
inline constexpr int kMoveCountPlies = 8;
inline constexpr int kExchangePlies = 8;
inline constexpr int kRazorPlies = 3;
inline int ReverseFutilityMargin(int plies, bool improving) { return 120 * (plies - (improving ? 1 : 0)); }
inline int RazorMargin(int plies) { return 250 + 200 * plies; }
inline int FutilityMargin(int plies) { return 100 + 80 * plies; }
inline int MoveCountLimit(int plies, bool improving) {
  return improving ? 5 + 2 * plies * plies : 3 + plies * plies;
}
// The static exchange below which a move is left out near the leaves.
inline int QuietExchangeLimit(int plies) { return -60 * plies; }
inline int CaptureExchangeLimit(int plies) { return -20 * plies * plies; }

// The adaptive null move: where the static evaluation reaches beta, the
// side has a piece besides its pawns (zugzwang is rare then) and the node's
// window is closed.
template <int S>
inline bool AdaptiveNullMoveAllowed(bool pv, bool forbidden, bool inCheck, int evaluation, int beta,
                                    const TreePosition& p) {
  const SidePieces& own = Own<S>(p);
  return !pv && !forbidden && !inCheck && evaluation >= beta && beta > -kMateThreshold &&
         own.valMinors + own.valMajors > 0;
}
// Three plies and a quarter of the depth, and up to three more as the
// evaluation stands further above beta; in 1/64 ply.
inline int AdaptiveNullMoveReduction(int depth, int evaluation, int beta) {
  return 3 * kOnePly + depth / 4 + std::min(3, (evaluation - beta) / 200) * kOnePly;
}

// The depth from which a null move's cut-off is verified.
inline constexpr int kNullVerificationDepth = 12 * kOnePly;

// The bonus a move earns in the histories at `plies` left.
inline int HistoryBonus(int plies) { return std::min(16 * plies * plies + 128 * plies, 1600); }

// The node's static evaluation, and whether it rose since the side's last
// move (the node two plies up, or four when that one was in check).
template <int S, class Steps>
void Searcher::EvaluateNode(Node& node, const TreePosition& pos) {
  int& stored = state_.staticEvaluation[node.ply];
  if (node.inCheck) {
    stored = node.staticEvaluation = kNoEvaluation;
    node.improving = false;
    return;
  }
  // A singular test searches the node again: its evaluation stands.
  if (state_.excludedMove[node.ply] == 0) stored = StaticEvaluation<S>(pos);
  node.staticEvaluation = stored;
  int earlier = node.ply >= 2 ? state_.staticEvaluation[node.ply - 2] : kNoEvaluation;
  if (earlier == kNoEvaluation && node.ply >= 4) earlier = state_.staticEvaluation[node.ply - 4];
  node.improving = earlier == kNoEvaluation || stored > earlier;
}

// Reverse futility: near the leaves, a node whose evaluation stands a
// margin above beta returns it.
template <int S, class Steps>
bool Searcher::ReverseFutility(const Node& node, int& score) {
  if constexpr (!Steps::kReverseFutility) return false;
  const int plies = PliesLeft(node.depth);
  if (node.pv || node.inCheck || plies > kReverseFutilityPlies || node.staticEvaluation >= kMateThreshold ||
      node.beta <= -kMateThreshold)
    return false;
  if (node.staticEvaluation - ReverseFutilityMargin(plies, node.improving) < node.beta) return false;
  score = node.staticEvaluation;
  SetStatus(node.stack, kStatusOrdinary);
  state_.ClearPvRow(node.ply);
  return true;
}

// Razoring on the evaluation: near the leaves, a node whose static
// evaluation lies a margin below alpha returns the quiescence search's
// score when that stays at or below alpha too.
template <int S, class Steps>
bool Searcher::EvalRazor(const Node& node, int& score) {
  const int plies = PliesLeft(node.depth);
  if (node.pv || node.inCheck || plies > kRazorPlies || node.alpha >= kMateThreshold ||
      node.staticEvaluation + RazorMargin(plies) >= node.alpha)
    return false;
  const int quiet = Quiesce<S, Steps>(node.alpha, node.alpha + 1, node.stack);
  if (quiet > node.alpha) return false;
  score = quiet;
  SetStatus(node.stack, kStatusOrdinary);
  return true;
}

// Moves left out near the leaves, once a move has been searched and the
// node is not lost: late quiet moves, quiet moves that leave the
// evaluation far below alpha, and moves that lose material by static
// exchange. A move that gives check, or any move in check, is searched.
template <int S, class Steps>
bool Searcher::SkipLateMove(const Node& node, Move move, bool givesCheck) const {
  if (node.searched == 0 || node.inCheck || givesCheck || node.best <= -kMateThreshold) return false;
  const int plies = PliesLeft(node.depth);
  const TreePosition& pos = positions_.positions[node.ply];
  if (IsQuietMove(move)) {
    if (Steps::kMoveCountPruning && plies <= kMoveCountPlies && node.counted > MoveCountLimit(plies, node.improving))
      return true;
    if (Steps::kEvalFutility && plies <= kFutilityPlies && node.staticEvaluation + FutilityMargin(plies) <= node.alpha)
      return true;
    if (Steps::kExchangePruning && plies <= kExchangePlies &&
        ExchangeForSide<S>(pos, MoveFrom(move), MoveTo(move)) < QuietExchangeLimit(plies))
      return true;
    return false;
  }
  // A capture of a piece on its square (not en passant, not a promotion).
  if (Steps::kExchangePruning && plies <= kExchangePlies && pos.squares[MoveTo(move)] != 0 &&
      (MovePiece(move) != kPawn || MoveSpecial(move) == 0) &&
      ExchangeForSide<S>(pos, MoveFrom(move), MoveTo(move)) < CaptureExchangeLimit(plies))
    return true;
  return false;
}

// The kind of a child searched with a zero window: the later moves of a
// node with an open window, and every move of a node not expected to cut,
// are expected to be refuted by the child; a cut node's children are not.
template <class Steps>
int Searcher::ChildKind(const Node& node) {
  if constexpr (!Steps::kCutNodeReduction) return kNodeOrdinary;
  if (node.pv) return node.searched == 0 ? kNodeOrdinary : kNodeExpectedCut;
  return node.kind == kNodeExpectedCut ? kNodeOrdinary : kNodeExpectedCut;
}

// A move after the first: a late quiet move is searched shallower with a
// zero window at alpha, and again at full depth when it beats alpha; at a
// node with an open window a move that beats alpha is searched once more
// with the whole window.
template <int S, class Steps>
int Searcher::SearchLateMove(Node& node, Move move, bool givesCheck, Move* childStack) {
  const int depth = node.depth - kOnePly;
  const int kind = ChildKind<Steps>(node);
  if (node.searched == 0) return SearchChild<S, Steps>(node, depth, node.alpha, node.beta, childStack, kind);
  int reduction = 0;
  // Once a mate is the score to beat, a shorter one must not hide behind a
  // reduction.
  if (Steps::kLateMoveReductions && node.depth >= 2 * kOnePly && node.counted > (node.pv ? 2 : 1) && !node.inCheck &&
      !givesCheck && IsQuietMove(move) && std::abs(node.alpha) < kMateThreshold) {
    reduction = kLateMoveReductions.Of(PliesLeft(node.depth), node.counted);
    if (node.pv) reduction -= kOnePly;
    if (!node.improving) reduction += kOnePly / 2;
    if (Steps::kCutNodeReduction && node.kind == kNodeExpectedCut) reduction += kOnePly;
    const Move* killers = state_.killers[node.ply];
    if (move == MoveLow21(killers[0]) || move == MoveLow21(killers[1])) reduction -= kOnePly;
    if constexpr (Steps::kGravityHistory) reduction -= QuietHistory<S>(move) * kOnePly / 8192;
    reduction = std::clamp(reduction, 0, depth);
  }
  int score = SearchChild<S, Steps>(node, depth - reduction, node.alpha, node.alpha + 1, childStack, kind);
  if (reduction > 0 && score > node.alpha)
    score = SearchChild<S, Steps>(node, depth, node.alpha, node.alpha + 1, childStack, kind);
  if (node.pv && score > node.alpha && score < node.beta)
    score = SearchChild<S, Steps>(node, depth, node.alpha, node.beta, childStack);
  return score;
}

// Whether the node's own moves, searched again at `depth` against a zero
// window without a null move, reach `bound`; the node's status is set
// back to ordinary after.
template <int S, class Steps>
bool Searcher::NodeReaches(const Node& node, int bound, int depth) {
  const int score = Search<S, Steps>(bound - 1, bound, depth, node.counters, node.stack, true, kNodeOrdinary);
  SetStatus(node.stack, kStatusOrdinary);
  return score >= bound;
}

// The singular extension: deep enough, with a table result that is a lower
// bound nearly as deep as the node, the other moves are searched at half
// the depth against a bound a little below the table's score; when none
// reaches it, the table move is the only good one and extends by a ply.
template <int S, class Steps>
int Searcher::SingularExtension(Node& node) {
  if (node.depth < 7 * kOnePly || !node.mayExtend || state_.excludedMove[node.ply] != 0) return 0;
  HashEntry entry;
  const TreePosition& pos = positions_.positions[node.ply];
  if (!ProbeBucket(table_.BucketFor(pos.hashKey), pos.hashKey, entry)) return 0;
  const int score = ScoreFromTable(entry.score, node.ply);
  const uint32_t bound = HashBoundOf(entry.data);
  if ((bound != kBoundLower && bound != kBoundExact) || entry.depth < node.depth - 3 * kOnePly ||
      std::abs(score) >= kMateThreshold)
    return 0;
  const int singularBeta = score - 2 * PliesLeft(node.depth);
  state_.excludedMove[node.ply] = node.hashMove;
  const bool othersReach = NodeReaches<S, Steps>(node, singularBeta, (node.depth - kOnePly) / 2);
  state_.excludedMove[node.ply] = 0;
  return othersReach ? 0 : kOnePly;
}

// Deep in the tree a null move's cut-off is confirmed by searching the
// node's own moves as shallow as the pass was: a side in zugzwang fails to
// reach beta with any move.
template <int S, class Steps>
bool Searcher::NullCutoffVerified(const Node& node, int reduction) {
  if constexpr (!Steps::kNullVerification) {
    return true;
  } else {
    return node.depth < kNullVerificationDepth || NodeReaches<S, Steps>(node, node.beta, node.depth - reduction);
  }
}

// The quiet moves and captures a node has searched, for the history
// penalties after a cut-off.
inline void Searcher::RememberSearchedMove(Node& node, Move move) {
  if (IsQuietMove(move)) {
    if (node.quietsSearched < kQuietsRemembered) state_.quietsSearched[node.ply][node.quietsSearched++] = move;
  } else if (MoveCaptured(move) != 0 && node.capturesSearched < kCapturesRemembered) {
    state_.capturesSearched[node.ply][node.capturesSearched++] = move;
  }
}

// The side's history of a quiet move: from-to, and after the opponent's
// last move and the side's own.
template <int S>
int Searcher::QuietHistory(Move move) const {
  const int ply = positions_.ply;
  const int index = PieceSquareIndex(move);
  int sum = histories_.quiet[S][HistoryIndex(move)];
  if (ply >= 1 && state_.pathMove[ply - 1] != 0)
    sum += histories_.continuation[0][PieceSquareIndex(state_.pathMove[ply - 1])][S][index];
  if (ply >= 2 && state_.pathMove[ply - 2] != 0)
    sum += histories_.continuation[1][PieceSquareIndex(state_.pathMove[ply - 2])][S][index];
  return sum;
}

// The move picker's key for a quiet move: its history, from 0 to 1536.
template <int S>
int Searcher::QuietMoveScore(Move move) const {
  return std::clamp((QuietHistory<S>(move) + 3 * kHistoryBound) >> 6, 0, 2047);
}

// The capture history's entry for a capture.
inline int16_t& CaptureHistoryEntry(MoveHistories& histories, int side, Move move) {
  return histories.capture[side][MovePiece(move)][MoveTo(move)][MoveCaptured(move)];
}
inline int CaptureHistoryOf(const MoveHistories& histories, int side, Move move) {
  return histories.capture[side][MovePiece(move)][MoveTo(move)][MoveCaptured(move)];
}

// The keys of the selective move order: a quiet move's histories, and a
// capture's material key moved by its capture history.
template <int S>
class Searcher::HistoryKeys {
 public:
  explicit HistoryKeys(const Searcher& searcher) : searcher_(searcher) {}
  int Quiet(Move move) const { return searcher_.QuietMoveScore<S>(move); }
  int Capture(Move move, int materialKey) const {
    if constexpr (!SelectiveSteps::kCaptureHistory) return materialKey;
    return std::clamp(materialKey + CaptureHistoryOf(searcher_.histories_, S, move) / 64, 0, 2047);
  }

 private:
  const Searcher& searcher_;
};

// After a cut-off: a quiet move earns a bonus in every quiet history and
// each quiet move searched before it as much of a penalty; a capture that
// cuts earns a bonus in the capture history, and the captures searched
// before the cut-off move, whatever it is, a penalty.
template <int S>
void Searcher::UpdateMoveHistories(const Node& node) {
  if (node.best < node.beta || node.bestMove == 0) return;
  const int bonus = HistoryBonus(PliesLeft(node.depth));
  const int ply = node.ply;
  if constexpr (SelectiveSteps::kCaptureHistory) {
    if (!IsQuietMove(node.bestMove) && MoveCaptured(node.bestMove) != 0)
      AddHistoryBonus(CaptureHistoryEntry(histories_, S, node.bestMove), bonus);
    const Move* captures = state_.capturesSearched[ply];
    for (int i = 0; i < node.capturesSearched; ++i)
      if (captures[i] != node.bestMove) AddHistoryBonus(CaptureHistoryEntry(histories_, S, captures[i]), -bonus);
  }
  if (!IsQuietMove(node.bestMove)) return;
  const Move earlier[2] = {ply >= 1 ? state_.pathMove[ply - 1] : 0, ply >= 2 ? state_.pathMove[ply - 2] : 0};
  const auto update = [&](Move move, int amount) {
    AddHistoryBonus(histories_.quiet[S][HistoryIndex(move)], amount);
    for (int back = 0; back < 2; ++back)
      if (earlier[back] != 0)
        AddHistoryBonus(histories_.continuation[back][PieceSquareIndex(earlier[back])][S][PieceSquareIndex(move)],
                        amount);
  };
  update(node.bestMove, bonus);
  const Move* tried = state_.quietsSearched[ply];
  for (int i = 0; i < node.quietsSearched; ++i)
    if (tried[i] != node.bestMove) update(tried[i], -bonus);
}

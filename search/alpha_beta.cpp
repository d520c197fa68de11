// Interior nodes: fail-soft negamax with principal-variation windows, the
// transposition table, null move, fractional extensions, razoring, futility
// pruning, internal iterative deepening and staged move ordering. The node
// runs its steps in order; each step is a function of its own below, and
// the steps of the selective search (selective_steps.h) join them where
// their switches are on.
#include "search/searcher.h"

#include <algorithm>

#include "eval/evaluator.h"
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "search/move_ordering.h"
#include "search/move_picker.h"
#include "search/search_node.h"
#include "search/selective_steps.h"

namespace {

// The classic search's record array ends here: a node deeper than this
// returns alpha.
constexpr int kLastSearchPly = 38;
// Extensions stop near the end of the record array.
constexpr int kLastExtendingPly = 35;
constexpr int kSelectiveLastExtendingPly = kSelectiveLastPly - 3;

// Extension amounts in 1/64 ply (halved beyond reach).
constexpr int kCheckExtension = 48;
constexpr int kRecaptureExtension = 32;
constexpr int kPawnSeventhExtension = 48;
constexpr int kForcedReplyExtension = 64;
constexpr int kMateThreatExtension = 32;
constexpr int kCheckSequenceExtension = 64;

constexpr int kNullMoveReduction = 2 * kOnePly;
constexpr int kInternalDeepeningDepth = 4 * kOnePly;
constexpr int kInternalDeepeningReduction = 2 * kOnePly;
constexpr int kPvsMinDepth = 2 * kOnePly;
constexpr int kChecksBeforePerpetual = 5;

// Razoring: at remaining depth of about one, two and three plies the node
// drops into the quiescence search when alpha lies this far above the
// material balance; not beyond 3.25 plies, nor with little material left.
constexpr int kRazorMinPieceUnits = 16;
constexpr int kRazorMaxDepth = 208;
constexpr int kRazorTwoPlies = 2 * kOnePly;
constexpr int kRazorThreePlies = 3 * kOnePly;
constexpr int kRazorMarginOnePly = 375;
constexpr int kRazorMarginTwoPlies = 660;
constexpr int kRazorMarginThreePlies = 1455;
// Move futility near the leaves needs this much material on the board
// (razored nodes excepted).
constexpr int kFutilityMinPieceUnits = 12;

// The number of consecutive checks after which a check sequence counts as a
// perpetual: more when the checked side has won material meanwhile or its
// king walked away, fewer when the king stands without own neighbours.
template <int S>
int PerpetualCheckThreshold(const TreePosition& now, const TreePosition& start) {
  int threshold = kChecksBeforePerpetual;
  const int gained = SideBalance<S>(now) - SideBalance<S>(start);
  if (gained >= 1) threshold = (gained >> 8) + 6;
  const Square king = Own<S>(now).kingSquare, oldKing = Own<S>(start).kingSquare;
  const int distance = KingDistance[oldKing][king];
  if (distance < 2) {
    const int neighbours = PopCount(KingAttacks[king] & Own<S>(now).friendly);
    const int oldNeighbours = PopCount(KingAttacks[oldKing] & Own<S>(start).friendly);
    if (neighbours == 0)
      threshold -= 1;
    else if (oldNeighbours >= 1 && neighbours >= oldNeighbours + 2)
      threshold += 1;
  } else {
    threshold += distance <= 3 ? 1 : 2;
  }
  return threshold;
}

}  // namespace

// Copy the position forward and hand the move to the other side.
template <int S>
void Searcher::MakeNullMove() {
  const TreePosition& from = positions_.Current();
  TreePosition& to = positions_.positions[positions_.ply + 1];
  to = from;
  ++positions_.ply;
  to.side = 1 - S;
  if (to.epSquare != 0) {
    to.hashKey ^= EnPassantSources[to.epSquare];
    to.epSquare = 0;
  }
  to.hashKey ^= SideKey;
  to.kingAttacked = IsAttackedBy<S>(to, Enemy<S>(to).kingSquare);
}

bool Searcher::AllowsExtension(const Node& node, int kind) const {
  return node.mayExtend && ExtensionCount(node.counters, kind) < state_.extensionLimit[kind];
}

void Searcher::Extend(Node& node, int kind, int amount) {
  node.depth += node.withinReach ? amount : amount / 2;
  node.counters = AddExtension(node.counters, kind);
  node.extended = true;
}

int Searcher::EndNode(Node& node, int32_t status, int score) {
  SetStatus(node.stack, status);
  state_.ClearPvRow(node.ply);
  return score;
}

// A long sequence of checks extends, and may be a perpetual check:
// with no capture among the evasions it is scored as a draw (at alpha >= 0
// at once, otherwise by capping the score at 0). True when the node ends
// here, with its score in `score`.
template <int S>
bool Searcher::CheckSequence(Node& node, const TreePosition& pos, int& score) {
  const int ply = node.ply;
  if (!node.inCheck) {
    state_.checkSequenceCount[ply] = 0;
    return false;
  }
  if (ply <= 1 || node.kind == kNodeNullReply) {
    state_.checkSequenceCount[ply] = 1;
    state_.checkSequenceStart[ply] = ply;
  } else if (node.kind != kNodeInternalDeepening) {
    const int earlier = state_.checkSequenceCount[ply - 2];
    state_.checkSequenceCount[ply] = earlier + 1;
    state_.checkSequenceStart[ply] = earlier != 0 ? state_.checkSequenceStart[ply - 2] : ply;
  }
  if (state_.checkSequenceCount[ply] < kChecksBeforePerpetual) return false;
  if (AllowsExtension(node, kExtendCheckSequence)) Extend(node, kExtendCheckSequence, kCheckSequenceExtension);
  const TreePosition& start = positions_.positions[state_.checkSequenceStart[ply]];
  if (state_.checkSequenceCount[ply] < PerpetualCheckThreshold<S>(pos, start)) return false;
  Move* const list = node.List();
  Move* const end = GenerateEvasions<S>(pos, list);
  if (end == list) {
    score = EndNode(node, kStatusDrawOrNoMove, -kInfinity + ply);
    return true;
  }
  if (std::any_of(list, end, [](Move m) { return MoveCaptured(m) != 0; })) return false;
  state_.ClearPvRow(ply);
  if (node.alpha >= 0) {
    SetStatus(node.stack, kStatusDrawOrNoMove);
    score = 0;
    return true;
  }
  if (node.beta > 0) node.beta = 0;
  node.capped = true;
  return false;
}

// A check, a recapture inside the window and a pawn reaching the
// seventh rank extend (one of them, at most one extension per node here).
template <int S>
void Searcher::ExtendForcingMoves(Node& node, const TreePosition& pos) {
  constexpr int Them = 1 - S;
  if (!node.mayExtend || node.extended) return;
  const int balance = SideBalance<S>(pos);
  const Move last = pos.lastMove, previous = positions_.positions[node.ply - 1].lastMove;
  const bool recapture = last != 0 && previous != 0 && MoveTo(last) == MoveTo(previous) &&
                         MoveCaptured(previous) != 0 && node.alpha < balance + kPositionalMargin &&
                         balance - kPositionalMargin < node.beta;
  const bool pawnToSeventh = MovePiece(last) == kPawn && (Them == kWhite ? MoveTo(last) >= A7 : MoveTo(last) <= H2);
  if (node.inCheck && AllowsExtension(node, kExtendCheck))
    Extend(node, kExtendCheck, kCheckExtension);
  else if (recapture && AllowsExtension(node, kExtendRecapture))
    Extend(node, kExtendRecapture, kRecaptureExtension);
  else if (pawnToSeventh && AllowsExtension(node, kExtendPawnSeventh))
    Extend(node, kExtendPawnSeventh, kPawnSeventhExtension);
}

// The transposition table gives a move to try first, the forced
// and threat flags, and, deep enough and with a fitting bound, the score.
// The selective search keeps its mates relative to the node in the table
// and takes no score at a node with an open window, whose best line the
// table would cut short.
template <class Steps>
bool Searcher::ProbeTable(Node& node, const HashBucket& bucket, uint64_t key, int& score) {
  HashEntry entry;
  if (!ProbeBucket(bucket, key, entry)) return false;
  node.hashMove = entry.data & kHashMoveMask;
  node.forced = (entry.data & kHashForcedFlag) != 0;
  if (node.forced && !node.extended && AllowsExtension(node, kExtendForced))
    Extend(node, kExtendForced, kForcedReplyExtension);
  if (entry.depth >= node.depth && !(Steps::kSelective && node.pv)) {
    const uint32_t bound = HashBoundOf(entry.data);
    score = Steps::kSelective ? ScoreFromTable(entry.score, node.ply) : entry.score;
    if (BoundSettles(bound, score, node.alpha, node.beta)) {
      state_.principalVariation[node.ply][0] = node.hashMove;
      state_.principalVariation[node.ply][1] = 0;
      return true;
    }
  }
  node.threatened = (entry.data & kHashThreatFlag) != 0;
  return false;
}

// The node's result goes into the table.
template <class Steps>
void Searcher::StoreResult(const Node& node, HashBucket& bucket, uint64_t key) {
  const int boundBeta = node.capped && node.beta == 0 ? 1 : node.beta;
  const uint32_t bound = node.best >= boundBeta ? kBoundLower : node.alphaRaised ? kBoundExact : kBoundUpper;
  const bool forced = node.forced || (node.counted == 1 && node.best < node.beta);
  const int score = Steps::kSelective ? ScoreToTable(node.best, node.ply) : node.best;
  StoreHashEntry(bucket, key, MakeHashData(node.bestMove, bound, node.threatened, forced), score, node.depth);
}

// Null move: passing and still failing high at a reduced depth ends the
// node; being mated after a pass is a threat, which extends. The classic
// search passes where its material allows, at a two-ply reduction; the
// adaptive one where the static evaluation reaches beta, reduced more the
// deeper the node and the further above beta.
template <int S, class Steps>
bool Searcher::TryNullMove(Node& node, const TreePosition& pos, int& score) {
  constexpr int Them = 1 - S;
  int reduction = kNullMoveReduction;
  bool allowed;
  if constexpr (Steps::kAdaptiveNullMove) {
    allowed = AdaptiveNullMoveAllowed<S>(node.pv, node.nullMoveForbidden, node.inCheck, node.staticEvaluation,
                                         node.beta, pos) &&
              !node.threatened && state_.excludedMove[node.ply] == 0;
    reduction = AdaptiveNullMoveReduction(node.depth, node.staticEvaluation, node.beta);
  } else {
    allowed = !node.threatened && NullMoveAllowed<S>(pos, node.alpha, node.depth, node.nullMoveForbidden);
  }
  if (allowed) {
    MakeNullMove<S>();
    if constexpr (Steps::kSelective) state_.pathMove[node.ply] = 0;
    PrefetchChild(node.depth >= reduction);
    const int beta = node.beta;
    const int reply = node.depth < reduction
                          ? -Quiesce<Them, Steps>(-beta, -beta + 1, node.List())
                          : -Search<Them, Steps>(-beta, -beta + 1, node.depth - reduction, node.counters,
                                                 node.List(), true, kNodeNullReply);
    UnmakeMove(positions_);
    if ((Steps::kAdaptiveNullMove ? reply >= beta : reply > beta) && NullCutoffVerified<S, Steps>(node, reduction)) {
      // A mate found behind a pass proves nothing about the moves.
      score = EndNode(node, kStatusNullMoveBound, Steps::kSelective && reply > kMateThreshold ? beta : reply);
      return true;
    }
    if (reply < -kMateThreshold) node.threatened = true;
  }
  if (node.threatened && !node.extended && AllowsExtension(node, kExtendMateThreat))
    Extend(node, kExtendMateThreat, kMateThreatExtension);
  return false;
}

// Razoring: near the leaves a node far below alpha drops into the
// quiescence search (razoring), and moves that cannot reach alpha are not
// searched (futility).
template <int S>
void Searcher::Razor(Node& node, const TreePosition& pos) {
  const int balance = SideBalance<S>(pos);
  bool razored = false;
  const int depth = node.depth;
  if (!node.extended && node.alpha < kMateThreshold && !node.inCheck && depth >= kOnePly && depth <= kRazorMaxDepth &&
      pos.pieceUnits >= kRazorMinPieceUnits) {
    const int margin = depth >= kRazorThreePlies ? kRazorMarginThreePlies
                       : depth >= kRazorTwoPlies ? kRazorMarginTwoPlies
                                                 : kRazorMarginOnePly;
    if (node.alpha > balance + margin) {
      node.depth = 0;
      razored = true;
    }
  }
  node.futility = node.depth < kOnePly && (razored || pos.pieceUnits >= kFutilityMinPieceUnits) &&
                  kPositionalMargin + balance < node.alpha;
}

// Without a move from the table: internal deepening, a shallower search of
// the same node that finds one to try first (true when that search
// already ends the node: a draw or no move); or, in the selective search,
// internal reduction, which searches the node a ply shallower instead.
template <int S, class Steps>
bool Searcher::InternalDeepening(Node& node, int& score) {
  if (node.hashMove != 0 || node.depth < kInternalDeepeningDepth) return false;
  if constexpr (Steps::kInternalReduction) {
    node.depth -= kOnePly;
    return false;
  }
  score = Search<S, Steps>(node.alpha, node.beta, node.depth - kInternalDeepeningReduction, node.counters, node.stack,
                           true, kNodeInternalDeepening);
  if (StatusOf(node.stack) == kStatusDrawOrNoMove) return true;
  SetStatus(node.stack, kStatusOrdinary);
  node.hashMove = state_.principalVariation[node.ply][0];
  return false;
}

// The child's search at `depth` (the node's depth less a ply, less any
// reduction): the quiescence search below zero, else an interior node.
template <int S, class Steps>
int Searcher::SearchChild(const Node& node, int depth, int alpha, int beta, Move* childStack, int kind) {
  constexpr int Them = 1 - S;
  return depth < 0 ? -Quiesce<Them, Steps>(-beta, -alpha, childStack)
                   : -Search<Them, Steps>(-beta, -alpha, depth, node.counters, childStack, false, kind);
}

// The hash move, found playable, is made without a legality test
// (the full key matched) and searched with the full window.
template <int S, class Steps>
void Searcher::SearchHashMove(Node& node) {
  int depth = node.depth - kOnePly;
  if constexpr (Steps::kSingularExtension) depth += SingularExtension<S, Steps>(node);
  MakeMove<S>(positions_, node.hashMove);
  PrefetchChild(depth >= 0);
  if constexpr (Steps::kSelective) state_.pathMove[node.ply] = node.hashMove;
  const int score = SearchChild<S, Steps>(node, depth, node.alpha, node.beta, node.List(), ChildKind<Steps>(node));
  UnmakeMove(positions_);
  state_.SetPvRow(node.ply, node.hashMove);
  node.best = score;
  node.bestMove = node.hashMove;
  node.counted = node.searched = 1;
  if constexpr (Steps::kSelective) RememberSearchedMove(node, node.hashMove);
  if (score >= node.beta) return;
  if (!Steps::kSelective && StatusOf(node.List()) == kStatusNullMoveBound) {
    node.bestFromNullBound = true;
  } else if (score > node.alpha) {
    node.alpha = score;
    node.alphaRaised = true;
  }
}

// One move of the loop: legality, then the classic search's futility and
// zero-window search around the best with a re-search when it beats the
// best, or the selective search's pruning, reductions and zero window
// around alpha; then the best-move bookkeeping. True on a cut-off.
template <int S, class Steps>
bool Searcher::TryMove(Node& node, Move move, Move* childStack) {
  constexpr int Them = 1 - S;
  if constexpr (Steps::kSingularExtension) {
    if (move == state_.excludedMove[node.ply]) return false;
  }
  MakeMove<S>(positions_, move);
  PrefetchChild(node.depth >= kOnePly);
  const TreePosition& child = positions_.positions[node.ply + 1];
  if (!node.inCheck && IsAttackedBy<Them>(child, Own<S>(child).kingSquare)) {
    UnmakeMove(positions_);
    return false;
  }
  ++node.counted;
  int score;
  if constexpr (Steps::kSelective) {
    const bool givesCheck = child.kingAttacked != 0;
    if (SkipLateMove<S, Steps>(node, move, givesCheck)) {
      UnmakeMove(positions_);
      return false;
    }
    state_.pathMove[node.ply] = move;
    score = SearchLateMove<S, Steps>(node, move, givesCheck, childStack);
    UnmakeMove(positions_);
    ++node.searched;
    RememberSearchedMove(node, move);
    if (score <= node.best) return false;
  } else {
    if (node.futility && node.searched > 0 && !child.kingAttacked &&
        kPositionalMargin + SideBalance<S>(child) + MoveGain(move) < node.alpha) {
      UnmakeMove(positions_);
      return false;
    }
    if (node.searched > 0 && node.alpha + 4 < node.beta && node.depth >= kPvsMinDepth) {
      score = -Search<Them, Steps>(-node.best - 1, -node.best, node.depth - kOnePly, node.counters, childStack, false,
                                   kNodeOrdinary);
      if (score > node.best) score = SearchChild<S, Steps>(node, node.depth - kOnePly, node.alpha, node.beta, childStack);
    } else {
      score = SearchChild<S, Steps>(node, node.depth - kOnePly, node.alpha, node.beta, childStack);
    }
    UnmakeMove(positions_);
    ++node.searched;
    if (score <= node.best) return false;
    const bool childNullBound = StatusOf(childStack) == kStatusNullMoveBound;
    if (childNullBound && !node.bestFromNullBound && node.searched > 1) return false;
    node.bestFromNullBound = childNullBound;
  }
  state_.SetPvRow(node.ply, move);
  node.best = score;
  node.bestMove = move;
  if (score >= node.beta) return true;
  if (score > node.alpha) {
    node.alpha = score;
    node.alphaRaised = true;
  }
  return false;
}

// In check: every evasion, ordered; a single one extends. True when
// there is none (mate), with the score in `score`.
template <int S, class Steps>
bool Searcher::SearchEvasions(Node& node, const TreePosition& pos, int& score) {
  Move* const list = node.List();
  Move* end = GenerateEvasions<S>(pos, list);
  if (end == list) {
    score = EndNode(node, kStatusDrawOrNoMove, -kInfinity + node.ply);
    return true;
  }
  if (end - list == 1) {
    if (list[0] != node.hashMove && !node.extended && AllowsExtension(node, kExtendForced))
      Extend(node, kExtendForced, kForcedReplyExtension);
    node.forced = true;
  }
  end = OrderEvasions<S>(pos, list, end, node.hashMove, 0);
  for (Move* m = list; m != end; ++m)
    if (TryMove<S, Steps>(node, *m, end)) break;
  return false;
}

// Not in check: the staged order of the move picker, its quiet moves keyed
// by the classic history or by the selective search's histories.
template <int S, class Steps>
void Searcher::SearchOrderedMoves(Node& node, const TreePosition& pos) {
  if constexpr (Steps::kGravityHistory) {
    MovePicker<S, HistoryKeys<S>> picker(pos, node.List(), node.hashMove, state_.killers[node.ply],
                                         HistoryKeys<S>(*this));
    for (Move move = picker.Next(); move != 0; move = picker.Next())
      if (TryMove<S, Steps>(node, move, picker.ChildStack())) break;
  } else {
    MovePicker<S> picker(pos, node.List(), node.hashMove, state_.killers[node.ply], state_.history[S]);
    for (Move move = picker.Next(); move != 0; move = picker.Next())
      if (TryMove<S, Steps>(node, move, picker.ChildStack())) break;
  }
}

// A quiet move that beat alpha earns history, a cut-off move
// becomes the first killer.
template <int S, class Steps>
void Searcher::RememberGoodMove(const Node& node) {
  const Move move = node.bestMove;
  if constexpr (Steps::kGravityHistory) {
    UpdateMoveHistories<S>(node);
  } else if (!node.inCheck && node.best > node.alpha && move != 0 && MoveCaptured(move) == 0 &&
             MoveSpecial(move) == 0) {
    uint16_t& h = state_.history[S][HistoryIndex(move)];
    const int square = node.depth * node.depth;
    h = h + square > 65534 ? 65535 : uint16_t(h + square + 1);
  }
  Move* killers = state_.killers[node.ply];
  if (node.best >= node.beta && move != killers[0] && !node.capped) {
    killers[1] = killers[0];
    killers[0] = move;
  }
}

template <int S, class Steps>
int Searcher::Search(int alpha, int beta, int depth, uint32_t counters, Move* stack, bool nullMoveForbidden,
                     int kind) {
  // The record array ends here.
  const int ply = positions_.ply;
  const TreePosition& pos = positions_.positions[ply];
  if constexpr (Steps::kSelective) {
    if (ply >= kSelectiveLastPly) return pos.kingAttacked ? 0 : StaticEvaluation<S>(pos);
  } else if (ply > kLastSearchPly) {
    return alpha;
  }

  // Extensions are not taken in the reply to a null move or near the end of
  // the record array, and count half beyond twice the iteration depth.
  Node node{alpha,
            beta,
            depth,
            counters,
            stack,
            ply,
            kind,
            nullMoveForbidden,
            pos.kingAttacked != 0,
            kind != kNodeNullReply && ply <= (Steps::kSelective ? kSelectiveLastExtendingPly : kLastExtendingPly),
            ply < 2 * state_.iterationDepth};
  // The node is counted, then the input and the clock are polled every
  // couple of milliseconds; under a node limit the poll that finds the
  // count at the limit stops the search, so it stops at the limit to the
  // node.
  ++state_.nodeCount;
  if (state_.PollDue()) Poll();
  SetStatus(stack, kStatusOrdinary);

  int score;
  if (CheckSequence<S>(node, pos, score)) return score;

  // Draws by rule.
  if (IsDrawByMaterial(pos) || IsDrawByRepetitionOrFiftyMoves(positions_, ply)) return EndNode(node, kStatusDrawOrNoMove, 0);

  // The selective search: no score beyond the quickest mate still possible.
  const Move excluded = Steps::kSingularExtension ? state_.excludedMove[ply] : 0;
  if constexpr (Steps::kSelective) {
    node.pv = node.beta - node.alpha > 1;
    node.quietsSearched = node.capturesSearched = 0;
    if (MateDistanceBounds(node.alpha, node.beta, ply)) return EndNode(node, kStatusOrdinary, node.alpha);
  }

  ExtendForcingMoves<S>(node, pos);
  HashBucket& bucket = table_.BucketFor(pos.hashKey);
  if (excluded == 0 && ProbeTable<Steps>(node, bucket, pos.hashKey, score)) return score;
  // The hash move is made without a legality test, but one stored for
  // another position with the same 64-bit key (with a large table, once in
  // some days of search) must not reach make-move when its piece is not
  // there.
  if (node.hashMove != 0 && !IsPlayable<S>(pos, node.hashMove)) node.hashMove = 0;
  if constexpr (Steps::kSelective) {
    EvaluateNode<S, Steps>(node, pos);
    if (excluded == 0 && ReverseFutility<S, Steps>(node, score)) return score;
  }
  if (TryNullMove<S, Steps>(node, pos, score)) return score;
  if constexpr (Steps::kEvalRazoring) {
    if (excluded == 0 && EvalRazor<S, Steps>(node, score)) return score;
  } else {
    Razor<S>(node, pos);
  }
  if (InternalDeepening<S, Steps>(node, score)) return score;

  if (node.hashMove != 0) SearchHashMove<S, Steps>(node);
  if (node.hashMove == 0 || node.best < node.beta) {
    if (node.inCheck) {
      if (SearchEvasions<S, Steps>(node, pos, score)) return score;
    } else {
      SearchOrderedMoves<S, Steps>(node, pos);
    }
  }

  // A singular test with no other move fails low: the left-out move is
  // the only one.
  if (excluded != 0 && node.best == -kInfinity) return EndNode(node, kStatusOrdinary, node.alpha);
  // No legal move and not in check is stalemate.
  if (node.best == -kInfinity && !node.capped) return EndNode(node, kStatusDrawOrNoMove, 0);

  RememberGoodMove<S, Steps>(node);
  if (excluded == 0) StoreResult<Steps>(node, bucket, pos.hashKey);
  return node.best;
}

template int Searcher::Search<kWhite, ClassicSteps>(int, int, int, uint32_t, Move*, bool, int);
template int Searcher::Search<kBlack, ClassicSteps>(int, int, int, uint32_t, Move*, bool, int);
template int Searcher::Search<kWhite, SelectiveSteps>(int, int, int, uint32_t, Move*, bool, int);
template int Searcher::Search<kBlack, SelectiveSteps>(int, int, int, uint32_t, Move*, bool, int);

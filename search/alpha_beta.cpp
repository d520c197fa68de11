// Interior nodes: fail-soft negamax with principal-variation windows, the
// transposition table, null move, fractional extensions, razoring, futility
// pruning, internal iterative deepening and staged move ordering.
#include "search/searcher.h"

#include <algorithm>
#include <functional>

#include "eval/evaluator.h"
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "search/move_ordering.h"

namespace {

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
constexpr int kRazorMinPieceUnits = 16;
constexpr int kFutilityMinPieceUnits = 12;
constexpr int kPvsMinDepth = 2 * kOnePly;
constexpr int kChecksBeforePerpetual = 5;

// Razoring: at remaining depth of about one, two and three plies the node
// drops into the quiescence search when alpha lies this far above the
// material balance.
constexpr int kRazorMarginOnePly = 375;
constexpr int kRazorMarginTwoPlies = 660;
constexpr int kRazorMarginThreePlies = 1455;

}  // namespace

// Copy the position forward and hand the move to the other side.
template <int S>
void Searcher::MakeNullMove() {
  const TreePosition& from = TreePositions[currentPly];
  TreePosition& to = TreePositions[currentPly + 1];
  to = from;
  ++currentPly;
  to.side = 1 - S;
  if (to.epSquare != 0) {
    to.hashKey ^= EnPassantSources[to.epSquare];
    to.epSquare = 0;
  }
  to.hashKey ^= SideKey;
  to.kingAttacked = IsAttackedBy<S>(to, Enemy<S>(to).kingSquare);
}

namespace {

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

int HistoryKey(uint16_t h) { return h == 0 ? 0 : h < 64 ? 1 : h / 64; }

}  // namespace

template <int S>
int Searcher::Search(int alpha, int beta, int depth, uint32_t counters, Move* stack, bool nullMoveForbidden,
                     int kind) {
  constexpr int Them = 1 - S;

  // Step 1: poll the input and the clock about eight times a second.
  if (--state_.pollCountdown <= 0) Poll();

  // Step 2: the record array ends here.
  const int ply = currentPly;
  if (ply > 38) return alpha;

  // Step 3: extensions are not taken in the reply to a null move or near
  // the end of the record array, and count half beyond twice the
  // iteration depth.
  const bool mayExtend = kind != kNodeNullReply && ply < 36;
  const bool withinReach = ply < 2 * state_.iterationDepth;
  bool extended = false;
  auto extend = [&](int kindOfExtension, int amount) {
    depth += withinReach ? amount : amount / 2;
    counters = AddExtension(counters, kindOfExtension);
    extended = true;
  };
  auto allows = [&](int kindOfExtension) {
    return ExtensionCount(counters, kindOfExtension) < state_.extensionLimit[kindOfExtension];
  };

  // Step 4.
  ++state_.nodeCount;
  SetStatus(stack, kStatusOrdinary);
  const TreePosition& pos = TreePositions[ply];
  const bool inCheck = pos.kingAttacked;
  Move* const list = stack + 1;
  bool capped = false;

  // Step 5: check sequences, their extension and the perpetual-check test.
  if (inCheck) {
    if (ply <= 1 || kind == kNodeNullReply) {
      state_.checkSequenceCount[ply] = 1;
      state_.checkSequenceStart[ply] = ply;
    } else if (kind != kNodeInternalDeepening) {
      const int earlier = state_.checkSequenceCount[ply - 2];
      state_.checkSequenceCount[ply] = earlier + 1;
      state_.checkSequenceStart[ply] = earlier != 0 ? state_.checkSequenceStart[ply - 2] : ply;
    }
    if (state_.checkSequenceCount[ply] >= kChecksBeforePerpetual) {
      if (mayExtend && allows(kExtendCheckSequence)) extend(kExtendCheckSequence, kCheckSequenceExtension);
      const TreePosition& start = TreePositions[state_.checkSequenceStart[ply]];
      if (state_.checkSequenceCount[ply] >= PerpetualCheckThreshold<S>(pos, start)) {
        Move* end = GenerateEvasions<S>(list);
        if (end == list) {
          SetStatus(stack, kStatusDrawOrNoMove);
          state_.ClearPvRow(ply);
          return -kInfinity + ply;
        }
        if (std::none_of(list, end, [](Move m) { return MoveCaptured(m) != 0; })) {
          state_.ClearPvRow(ply);
          if (alpha >= 0) {
            SetStatus(stack, kStatusDrawOrNoMove);
            return 0;
          }
          if (beta > 0) beta = 0;
          capped = true;
        }
      }
    }
  } else {
    state_.checkSequenceCount[ply] = 0;
  }

  // Steps 6 and 7: draws by rule.
  if (IsDrawByMaterial(pos) || IsDrawByRepetitionOrFiftyMoves(pos, ply)) {
    state_.ClearPvRow(ply);
    SetStatus(stack, kStatusDrawOrNoMove);
    return 0;
  }

  // Step 8: check, recapture and pawn-to-seventh extensions.
  if (mayExtend && !extended) {
    const int balance = SideBalance<S>(pos);
    const Move last = pos.lastMove, previous = TreePositions[ply - 1].lastMove;
    if (inCheck && allows(kExtendCheck)) {
      extend(kExtendCheck, kCheckExtension);
    } else if (last != 0 && previous != 0 && MoveTo(last) == MoveTo(previous) && MoveCaptured(previous) != 0 &&
               alpha < balance + kPositionalMargin && balance - kPositionalMargin < beta &&
               allows(kExtendRecapture)) {
      extend(kExtendRecapture, kRecaptureExtension);
    } else if (MovePiece(last) == kPawn && (Them == kWhite ? MoveTo(last) >= A7 : MoveTo(last) <= H2) &&
               allows(kExtendPawnSeventh)) {
      extend(kExtendPawnSeventh, kPawnSeventhExtension);
    }
  }

  // Step 9: transposition table probe.
  HashBucket& bucket = table_.BucketFor(pos.hashKey);
  Move hashMove = 0;
  bool hashForced = false, threatened = false;
  if (const HashSlot* slot = ProbeBucket(bucket, pos.hashKey)) {
    hashMove = slot->data & kHashMoveMask;
    hashForced = (slot->data & kHashForcedFlag) != 0;
    if (hashForced && mayExtend && !extended && allows(kExtendForced)) extend(kExtendForced, kForcedReplyExtension);
    if (slot->depth >= depth) {
      const uint32_t bound = HashBoundOf(slot->data);
      const int score = slot->score;
      if (bound == kBoundExact || (bound == kBoundLower && score >= beta) || (bound == kBoundUpper && alpha >= score)) {
        state_.principalVariation[ply][0] = hashMove;
        state_.principalVariation[ply][1] = 0;
        return score;
      }
    }
    threatened = (slot->data & kHashThreatFlag) != 0;
  }

  // Step 10: null move with a two-ply reduction.
  const int balance = SideBalance<S>(pos);
  if (!threatened && NullMoveAllowed<S>(pos, alpha, depth, nullMoveForbidden)) {
    MakeNullMove<S>();
    const int score = depth < kNullMoveReduction
                          ? -Quiesce<Them>(-beta, -beta + 1, list)
                          : -Search<Them>(-beta, -beta + 1, depth - kNullMoveReduction, counters, list, true,
                                          kNodeNullReply);
    UnmakeMove();
    if (score > beta) {
      state_.ClearPvRow(ply);
      SetStatus(stack, kStatusNullMoveBound);
      return score;
    }
    if (score < -kMateThreshold) threatened = true;
  }

  // Step 11: a mate threat extends.
  if (threatened && mayExtend && !extended && allows(kExtendMateThreat))
    extend(kExtendMateThreat, kMateThreatExtension);

  // Step 12: razoring and move futility near the leaves.
  bool razored = false;
  if (!extended && alpha < kMateThreshold && !inCheck && depth >= kOnePly && depth <= 208 &&
      pos.pieceUnits >= kRazorMinPieceUnits) {
    if ((depth >= 192 && alpha > balance + kRazorMarginThreePlies) ||
        (depth >= 128 && depth < 192 && alpha > balance + kRazorMarginTwoPlies) ||
        (depth < 128 && alpha > balance + kRazorMarginOnePly)) {
      depth = 0;
      razored = true;
    }
  }
  const bool futility = depth < kOnePly && (razored || pos.pieceUnits >= kFutilityMinPieceUnits) &&
                        kPositionalMargin + balance < alpha;

  // Step 13: internal iterative deepening finds a first move to try.
  if (hashMove == 0 && depth >= kInternalDeepeningDepth) {
    const int score = Search<S>(alpha, beta, depth - kInternalDeepeningReduction, counters, stack, true,
                                kNodeInternalDeepening);
    if (StatusOf(stack) == kStatusDrawOrNoMove) return score;
    SetStatus(stack, kStatusOrdinary);
    hashMove = state_.principalVariation[ply][0];
  }

  int best = -kInfinity;
  Move bestMove = 0;
  bool bestFromNullBound = false, alphaRaised = false;
  int counted = 0;   // legal moves met, the hash move included
  int searched = 0;  // moves actually searched

  auto searchChild = [&](int childAlpha, int childBeta, Move* childStack) {
    return depth < kOnePly ? -Quiesce<Them>(-childBeta, -childAlpha, childStack)
                           : -Search<Them>(-childBeta, -childAlpha, depth - kOnePly, counters, childStack, false,
                                           kNodeOrdinary);
  };

  // Step 14: the hash move, made without validity test (the full key
  // matched), searched with the full window.
  if (hashMove != 0) {
    MakeMove<S>(hashMove);
    const int score = searchChild(alpha, beta, list);
    UnmakeMove();
    state_.SetPvRow(ply, hashMove);
    best = score;
    bestMove = hashMove;
    counted = searched = 1;
    if (score < beta) {
      if (StatusOf(list) == kStatusNullMoveBound)
        bestFromNullBound = true;
      else if (score > alpha) {
        alpha = score;
        alphaRaised = true;
      }
    }
  }

  // One move of the loop: legality, futility, the zero-window search and
  // the best-move bookkeeping. Returns true on a cut-off.
  auto tryMove = [&](Move move, Move* childStack) {
    MakeMove<S>(move);
    const TreePosition& child = TreePositions[ply + 1];
    if (!inCheck && IsAttackedBy<Them>(child, Own<S>(child).kingSquare)) {
      UnmakeMove();
      return false;
    }
    ++counted;
    if (futility && searched > 0 && !child.kingAttacked &&
        kPositionalMargin + SideBalance<S>(child) + MoveGain(move) < alpha) {
      UnmakeMove();
      return false;
    }
    int score;
    if (searched > 0 && alpha + 4 < beta && depth >= kPvsMinDepth) {
      score = -Search<Them>(-best - 1, -best, depth - kOnePly, counters, childStack, false, kNodeOrdinary);
      if (score > best) score = searchChild(alpha, beta, childStack);
    } else {
      score = searchChild(alpha, beta, childStack);
    }
    UnmakeMove();
    ++searched;
    if (score <= best) return false;
    const bool childNullBound = StatusOf(childStack) == kStatusNullMoveBound;
    if (childNullBound && !bestFromNullBound && searched > 1) return false;
    state_.SetPvRow(ply, move);
    best = score;
    bestMove = move;
    if (score >= beta) return true;
    bestFromNullBound = childNullBound;
    if (score > alpha) {
      alpha = score;
      alphaRaised = true;
    }
    return false;
  };

  // Step 15: the remaining moves.
  bool forced = hashForced;
  if (hashMove == 0 || best < beta) {
    if (inCheck) {
      Move* end = GenerateEvasions<S>(list);
      if (end == list) {
        SetStatus(stack, kStatusDrawOrNoMove);
        state_.ClearPvRow(ply);
        return -kInfinity + ply;
      }
      if (end - list == 1) {
        if (list[0] != hashMove && mayExtend && !extended && allows(kExtendForced))
          extend(kExtendForced, kForcedReplyExtension);
        forced = true;
      }
      end = OrderEvasions<S>(list, end, hashMove, 0);
      for (Move* m = list; m != end; ++m)
        if (tryMove(*m, end)) break;
    } else {
      // Stage 1: captures and queen promotions, keyed by material and
      // static exchange; captures that lose material are set aside.
      const Move killer1 = state_.killers[ply][0], killer2 = state_.killers[ply][1];
      bool killerListed[2] = {false, false};
      Move losing[kMaxMovesPerPosition];
      int losingCount = 0;
      Move* const captureEnd = GenerateCaptures<S>(list);
      Move* goodEnd = list;
      for (Move* m = list; m != captureEnd; ++m) {
        const Move move = *m;
        if (move == hashMove) continue;
        if (move == killer1) killerListed[0] = true;
        if (move == killer2) killerListed[1] = true;
        const int difference = kPieceValue[MoveCaptured(move)] - kPieceValue[MovePiece(move)];
        int key = difference + 50;
        if (difference <= -50) {
          if (MoveCaptured(move) == 0) {
            key = 100;  // a queen promotion without capture
          } else {
            key = ExchangeForMover<S>(move);
            if (key < 0) {
              losing[losingCount++] = move;
              continue;
            }
          }
        }
        *goodEnd++ = PackKey(key, move);
      }
      std::sort(list, goodEnd, std::greater<Move>());
      Move* const restBegin = goodEnd;
      Move* restEnd = std::copy(losing, losing + losingCount, restBegin);

      bool cutoff = false;
      for (Move* m = list; m != goodEnd && !cutoff; ++m) cutoff = tryMove(MoveLow21(*m), restEnd);

      // Stages 2 and 3: the killers, when still playable here.
      bool killerTried[2] = {false, false};
      if (!cutoff && killer1 != 0 && killer1 != hashMove && !killerListed[0] && IsPlayable<S>(killer1)) {
        killerTried[0] = true;
        cutoff = tryMove(killer1, restEnd);
      }
      if (!cutoff && killer2 != 0 && killer2 != hashMove && killer2 != killer1 && !killerListed[1] &&
          IsPlayable<S>(killer2)) {
        killerTried[1] = true;
        cutoff = tryMove(killer2, restEnd);
      }

      // Stages 4 and 5: the losing captures and the quiet moves, by history
      // first, then by the move word (specials, captures, bigger pieces).
      if (!cutoff) {
        restEnd = GenerateQuiets<S>(restEnd);
        Move* keep = restBegin;
        for (Move* m = restBegin; m != restEnd; ++m) {
          const Move move = *m;
          if (move == hashMove || (killerTried[0] && move == killer1) || (killerTried[1] && move == killer2))
            continue;
          *keep++ = PackKey(HistoryKey(state_.history[S][HistoryIndex(move)]), move);
        }
        restEnd = keep;
        std::sort(restBegin, restEnd, std::greater<Move>());
        for (Move* m = restBegin; m != restEnd; ++m)
          if (tryMove(MoveLow21(*m), restEnd)) break;
      }
    }
  }

  // Step 16: no legal move and not in check is stalemate.
  if (best == -kInfinity && !capped) {
    SetStatus(stack, kStatusDrawOrNoMove);
    state_.ClearPvRow(ply);
    return 0;
  }

  // Step 17: history for quiet moves that beat alpha, killers for cut-offs.
  if (!inCheck && best > alpha && bestMove != 0 && MoveCaptured(bestMove) == 0 && MoveSpecial(bestMove) == 0) {
    uint16_t& h = state_.history[S][HistoryIndex(bestMove)];
    const int square = depth * depth;
    h = h + square > 65534 ? 65535 : uint16_t(h + square + 1);
  }
  if (best >= beta && bestMove != state_.killers[ply][0] && !capped) {
    state_.killers[ply][1] = state_.killers[ply][0];
    state_.killers[ply][0] = bestMove;
  }

  // Step 18: store the result.
  const int boundBeta = capped && beta == 0 ? 1 : beta;
  const uint32_t bound = best >= boundBeta ? kBoundLower : alphaRaised ? kBoundExact : kBoundUpper;
  if (counted == 1 && best < beta) forced = true;
  StoreHashEntry(bucket, pos.hashKey, MakeHashData(bestMove, bound, threatened, forced), best, depth);
  return best;
}

template int Searcher::Search<kWhite>(int, int, int, uint32_t, Move*, bool, int);
template int Searcher::Search<kBlack>(int, int, int, uint32_t, Move*, bool, int);

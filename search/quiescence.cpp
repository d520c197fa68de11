// The quiescence search: stand pat or resolve captures that can still reach
// alpha; in check, every useful evasion.
#include <algorithm>

#include "eval/evaluator.h"
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "search/move_ordering.h"
#include "search/searcher.h"

namespace {

// Not even a queen capture plus the positional margin reaches alpha below
// this material deficit.
constexpr int kHopelessMaterialMargin = 1080;

// The depth the quiescence search's results are stored at: below every
// full-width depth, so that they settle no node of the main search.
constexpr int kQuiescenceDepth = -kOnePly;

}  // namespace

template <int S, class Steps>
int Searcher::Quiesce(int alpha, int beta, Move* stack) {
  constexpr int Them = 1 - S;

  // The end of the record array, the node count, draws by rule. Under a
  // node limit the poll's countdown counts these nodes too, so that the
  // search stops at the limit to the node, and so at the same node whatever
  // the clock says; otherwise only full-width nodes count down.
  const int ply = positions_.ply;
  if constexpr (Steps::kSelective) {
    if (ply >= kSelectiveLastPly) {
      const TreePosition& last = positions_.positions[ply];
      return last.kingAttacked ? 0 : StaticEvaluation<S>(last);
    }
  } else if (ply > 37) {
    return alpha;
  }
  state_.ClearPvRow(ply);
  ++state_.nodeCount;
  if (info_.maxNodes != 0 && state_.PollDue()) Poll();
  SetStatus(stack, kStatusOrdinary);
  const TreePosition& pos = positions_.positions[ply];
  if (IsDrawByMaterial(pos) || IsDrawByRepetitionOrFiftyMoves(positions_, ply)) {
    SetStatus(stack, kStatusDrawOrNoMove);
    return 0;
  }

  // A stored bound that settles a zero-window node ends it.
  HashBucket* bucket = nullptr;
  if constexpr (Steps::kQuiescenceTable) {
    bucket = &table_.BucketFor(pos.hashKey);
    HashEntry entry;
    if (beta - alpha == 1 && ProbeBucket(*bucket, pos.hashKey, entry)) {
      const int score = ScoreFromTable(entry.score, ply);
      if (BoundSettles(HashBoundOf(entry.data), score, alpha, beta)) return score;
    }
  }
  const int windowAlpha = alpha;
  const auto store = [&](int score, Move move) {
    if constexpr (Steps::kQuiescenceTable) {
      const uint32_t bound = score >= beta ? kBoundLower : score > windowAlpha ? kBoundExact : kBoundUpper;
      StoreHashEntry(*bucket, pos.hashKey, MakeHashData(move, bound, false, false), ScoreToTable(score, ply),
                     kQuiescenceDepth);
    }
  };

  // A material deficit that not even a queen capture and the positional
  // margin make up fails low at once.
  const int balance = SideBalance<S>(pos);
  if (balance + kHopelessMaterialMargin < alpha) return alpha;

  const bool inCheck = pos.kingAttacked;
  Move* const list = stack + 1;
  Move* end = list;
  int best;
  if (!inCheck) {
    // Stand pat, then the captures whose gain can lift the score to
    // alpha and that do not lose material by static exchange.
    const int standPat = S == kWhite ? evaluator_.Evaluate(pos, alpha, beta) : -evaluator_.Evaluate(pos, -beta, -alpha);
    if (standPat >= beta) {
      store(standPat, 0);
      return standPat;
    }
    if (standPat > alpha) alpha = standPat;
    best = standPat;
    const int threshold = std::max(0, alpha - balance - kPositionalMargin);
    Move* const scratchEnd = GenerateCaptures<S>(pos, state_.captureScratch);
    for (Move* m = state_.captureScratch; m != scratchEnd; ++m) {
      const Move move = *m;
      const int gain = MoveGain(move);
      if (gain < threshold) continue;
      int key = gain + 50 - kPieceValue[MovePiece(move)];
      if (key <= 0) {
        key = ExchangeForMover<S>(pos, move);
        if (key < 0) continue;
      }
      *end++ = PackKey(key, move);
    }
    if (end == list) {
      store(best, 0);
      return best;
    }
    SortDescending(list, end);
  } else {
    // In check; with alpha out of reach only winning captures.
    best = -kInfinity + ply;
    const int threshold = std::max(0, alpha - balance - kPositionalMargin);
    end = GenerateEvasions<S>(pos, list);
    if (end == list) return -kInfinity + ply;
    end = OrderEvasions<S>(pos, list, end, 0, threshold);
    if (end == list) return -kInfinity + ply;
  }

  // The move loop.
  Move bestMove = 0;
  for (Move* m = list; m != end; ++m) {
    const Move move = MoveLow21(*m);
    MakeMove<S>(positions_, move);
    if constexpr (Steps::kQuiescenceTable) table_.Prefetch(positions_.Current().hashKey);
    PrefetchChild(false);
    const TreePosition& child = positions_.positions[ply + 1];
    if (!inCheck && IsAttackedBy<Them>(child, Own<S>(child).kingSquare)) {
      UnmakeMove(positions_);
      continue;
    }
    const int score = -Quiesce<Them, Steps>(-beta, -alpha, end);
    UnmakeMove(positions_);
    if (score >= beta) {
      state_.SetPvRow(ply, move);
      store(score, move);
      return score;
    }
    if (score > best) {
      state_.SetPvRow(ply, move);
      best = score;
      bestMove = move;
      alpha = std::max(alpha, score);
    }
  }
  store(best, bestMove);
  return best;
}

template int Searcher::Quiesce<kWhite, ClassicSteps>(int, int, Move*);
template int Searcher::Quiesce<kBlack, ClassicSteps>(int, int, Move*);
template int Searcher::Quiesce<kWhite, SelectiveSteps>(int, int, Move*);
template int Searcher::Quiesce<kBlack, SelectiveSteps>(int, int, Move*);

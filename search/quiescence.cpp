// The quiescence search: stand pat or resolve captures that can still reach
// alpha; in check, every useful evasion.
#include <algorithm>
#include <functional>

#include "eval/evaluate.h"
#include "position/attacks.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "search/alpha_beta.h"
#include "search/move_ordering.h"
#include "search/search_state.h"

namespace {

// Not even a queen capture plus the positional margin reaches alpha below
// this material deficit.
constexpr int kHopelessMaterialMargin = 1080;

// Captures are generated here and the survivors copied, keyed, into the
// node's own region of the move stack.
Move captureScratch[kMaxMovesPerPosition];

}  // namespace

template <int S>
int Quiesce(int alpha, int beta, Move* stack) {
  constexpr int Them = 1 - S;

  // Steps 1-3: the end of the record array, the node count, draws by rule.
  const int ply = currentPly;
  if (ply > 37) return alpha;
  ClearPvRow(ply);
  ++nodeCount;
  SetStatus(stack, kStatusOrdinary);
  const TreePosition& pos = TreePositions[ply];
  if (IsDrawByMaterial(pos) || IsDrawByRepetitionOrFiftyMoves(pos, ply)) {
    SetStatus(stack, kStatusDrawOrNoMove);
    return 0;
  }

  // Step 4.
  const int balance = SideBalance<S>(pos);
  if (balance + kHopelessMaterialMargin < alpha) return alpha;

  const bool inCheck = pos.kingAttacked;
  Move* const list = stack + 1;
  Move* end = list;
  int best;
  if (!inCheck) {
    // Step 5: stand pat, then the captures whose gain can lift the score to
    // alpha and that do not lose material by static exchange.
    const int standPat = S == kWhite ? EvaluatePosition(alpha, beta) : -EvaluatePosition(-beta, -alpha);
    if (standPat >= beta) return standPat;
    if (standPat > alpha) alpha = standPat;
    best = standPat;
    const int threshold = std::max(0, alpha - balance - positionalMargin);
    Move* const scratchEnd = GenerateCaptures<S>(captureScratch);
    for (Move* m = captureScratch; m != scratchEnd; ++m) {
      const Move move = *m;
      const int gain = MoveGain(move);
      if (gain < threshold) continue;
      int key = gain + 50 - kPieceValue[MovePiece(move)];
      if (key <= 0) {
        key = ExchangeForMover<S>(move);
        if (key < 0) continue;
      }
      *end++ = PackKey(key, move);
    }
    if (end == list) return best;
    std::sort(list, end, std::greater<Move>());
  } else {
    // Step 6: in check; with alpha out of reach only winning captures.
    best = -kInfinity + ply;
    const int threshold = std::max(0, alpha - balance - positionalMargin);
    end = GenerateEvasions<S>(list);
    if (end == list) return -kInfinity + ply;
    end = OrderEvasions<S>(list, end, 0, threshold);
    if (end == list) return -kInfinity + ply;
  }

  // Step 7: the move loop.
  for (Move* m = list; m != end; ++m) {
    const Move move = MoveLow21(*m);
    MakeMove<S>(move);
    const TreePosition& child = TreePositions[ply + 1];
    if (!inCheck && IsAttackedBy<Them>(child, Own<S>(child).kingSquare)) {
      UnmakeMove();
      continue;
    }
    const int score = -Quiesce<Them>(-beta, -alpha, end);
    UnmakeMove();
    if (score >= beta) {
      SetPvRow(ply, move);
      return score;
    }
    if (score > best) {
      SetPvRow(ply, move);
      best = score;
      alpha = std::max(alpha, score);
    }
  }
  return best;
}

template int Quiesce<kWhite>(int, int, Move*);
template int Quiesce<kBlack>(int, int, Move*);

// The evaluation driver: table choice, special exits, material imbalance,
// the lazy exit, then the king, piece, pawn-structure and centre terms, and
// the mating-potential gate.
#include "eval/evaluator.h"

#include <new>

#include "eval/eval_mode.h"
#include "eval/eval_scratch.h"
#include "eval/eval_side.h"
#include "eval/king_safety.h"
#include "eval/material.h"
#include "eval/pawnless.h"
#include "eval/pawns.h"
#include "eval/piece_terms.h"
#include "eval/threats.h"

namespace {

Bitboard Bit(Square s) { return SquareMask[s]; }

// Beyond any score: the traced evaluation's full window.
constexpr int kBeyondAnyScore = 1 << 20;

// Each far-advanced pawn can still swing the score by this much in a bare
// endgame.
constexpr int kAdvancedPawnMargin = 200;

// The centre squares and the blocked d- and e-pawns.
template <class M>
int CentreTerms(const TreePosition& p, const EvalScratch& e) {
  // Each centre square and the entry of kCentreOutOfReach it has for White
  // (its own fourth rank or fifth) and for Black.
  struct CentreSquare { Square square; int whiteEntry, blackEntry; };
  static constexpr CentreSquare kCentre[] = {{E4, 0, 1}, {E5, 1, 0}, {D4, 0, 1}, {D5, 1, 0}};
  const Bitboard pawns = p.white.pawn | p.black.pawn;
  int v = 0;
  for (const CentreSquare& c : kCentre) {
    if (pawns & Bit(c.square)) continue;
    if ((WhitePawnReach[c.square] & p.white.pawn) == 0) v += Weight<M, kWhite>(e, kCentreOutOfReach, c.whiteEntry);
    if ((BlackPawnReach[c.square] & p.black.pawn) == 0) v -= Weight<M, kBlack>(e, kCentreOutOfReach, c.blackEntry);
  }
  if ((p.white.pawn & Bit(D2)) && (p.white.pawn & Bit(E2))) v += Weight<M, kWhite>(e, kHomeCentrePawns);
  if ((p.black.pawn & Bit(D7)) && (p.black.pawn & Bit(E7))) v -= Weight<M, kBlack>(e, kHomeCentrePawns);
  return v;
}

// Pawns whose step ahead is occupied by any piece.
template <int S>
int BlockedPawns(const TreePosition& p) {
  return PopCount(ShiftAhead<S>(Own<S>(p).pawn) & p.occupied);
}

// Pawns of side S on its sixth and seventh ranks.
template <int S>
int FarAdvancedPawns(const TreePosition& p) {
  return PopCount(Own<S>(p).pawn & (S == kWhite ? RankMask[5] | RankMask[6] : RankMask[2] | RankMask[1]));
}

// A side without mating potential gets no winning score: the gate looks at
// the side the score favours.
int Gate(int score, bool whiteCanWin, bool blackCanWin) {
  if (score < 1) return blackCanWin ? score : 0;
  return whiteCanWin ? score : 0;
}

}  // namespace

template <class M>
int Evaluator::PieceTerms(const TreePosition& p, const EvalScratch& e, bool endgame) {
  int s = 0;
  int whiteShelter = 0, blackShelter = 0;
  // With both queens on, king safety counts half again.
  const bool bothQueens = p.white.queen && p.black.queen;
  if (!endgame) {
    if constexpr (M::kTrace) e.trace->factor = bothQueens ? 1.5 : 1;
    whiteShelter = KingPlacement<kWhite, M>(p, e);
    blackShelter = KingPlacement<kBlack, M>(p, e);
    if constexpr (M::kTrace) e.trace->factor = 1;
    s += whiteShelter - blackShelter;
    s += KingZoneAttack<kWhite, M>(p, e) - KingZoneAttack<kBlack, M>(p, e);
  }
  s += TableWeight<M, kWhite>(e, kKingTable, p.white.kingSquare) -
       TableWeight<M, kBlack>(e, kKingTable, p.black.kingSquare);
  s += KnightTerms<kWhite, M>(p, e) - KnightTerms<kBlack, M>(p, e);
  s += BishopTerms<kWhite, M>(p, e) - BishopTerms<kBlack, M>(p, e);
  if (endgame) s += BishopCountTerm<M>(p, e);
  s += RookTerms<kWhite, M>(p, e) - RookTerms<kBlack, M>(p, e);
  s += QueenTerms<kWhite, M>(p, e) - QueenTerms<kBlack, M>(p, e);
  s += ThreatTerms<M>(p, e);

  if (bothQueens) s += (whiteShelter - blackShelter) / 2;
  return s;
}

void Evaluator::AllocatePieceTerms() {
  constexpr uint64_t kPieceTermsBytes = uint64_t(1) << 20;
  if (!pieceTerms_.Resize(kPieceTermsBytes, 0, kPieceTermsBytes)) throw std::bad_alloc();
}

int Evaluator::Evaluate(const TreePosition& p, int alpha, int beta) {
  if (preparation_.weights == EvaluationSet::kTuned) return EvaluateIn<TunedEval>(p, alpha, beta);
  return EvaluateIn<ClassicEval>(p, alpha, beta);
}

int Evaluator::Trace(const TreePosition& p, EvalTrace& trace) {
  trace.Clear();
  scratch_.trace = &trace;
  const int score = preparation_.weights == EvaluationSet::kTuned
                        ? EvaluateIn<TracedTunedEval>(p, -kBeyondAnyScore, kBeyondAnyScore)
                        : EvaluateIn<TracedClassicEval>(p, -kBeyondAnyScore, kBeyondAnyScore);
  scratch_.trace = nullptr;
  return score;
}

template <class M>
int Evaluator::EvaluateIn(const TreePosition& p, int alpha, int beta) {
  EvalScratch& e = scratch_;
  const EvalPreparation& prepared = preparation_;
  const int positionalMargin = positionalMargin_;

  // Facts of the position that the terms below share.
  e.queensOnBoard = (p.white.queen | p.black.queen) != 0;
  e.whiteBare = p.white.valMinors == 0 && p.white.valMajors == 0;
  e.blackBare = p.black.valMinors == 0 && p.black.valMajors == 0;
  e.drawDetected = false;

  // The value set for this node.
  if (p.pieceUnits > prepared.phaseThreshold)
    e.activeSet = e.queensOnBoard ? &prepared.rootSet : &prepared.alternateSet;
  else
    e.activeSet = (e.queensOnBoard || !prepared.rootHasPawns) ? &prepared.endgameSet : &prepared.alternateSet;
  const bool endgame = EndgameMode(e);

  // A score that rules decide: the trace keeps it as a constant.
  const auto ruled = [&e](int score) {
    if constexpr (M::kTrace) {
      e.trace->Clear();
      e.trace->constant = score;
    }
    return score;
  };

  // Pawnless exits: no pawns at all, or a side without pawns facing more
  // than 504 of extra material; the far side's pawns are added as runners.
  if (p.white.pawn == 0) {
    if (p.black.pawn == 0) return ruled(PawnlessEvaluation<M>(p, e));
    if (-100 * p.black.numPawns - p.materialBalance > 504) {
      int v = ruled(PawnlessEvaluation<M>(p, e));
      for (Bitboard b = p.black.pawn; b;) {
        const Square s = PopHighest(b);
        v -= 2 * TableWeight<M, kBlack>(e, kPassedTable, s) + Weight<M, kBlack>(e, kPawnlessRunner);
        if constexpr (M::kTrace) e.trace->Note(TableValueIndex(kPassedTable, e.activeSet->phase, kBlack, s), -1);
      }
      return v;
    }
  } else if (p.black.pawn == 0 && p.materialBalance - 100 * p.white.numPawns > 504) {
    int v = ruled(PawnlessEvaluation<M>(p, e));
    for (Bitboard b = p.white.pawn; b;) {
      const Square s = PopLowest(b);
      v += 2 * TableWeight<M, kWhite>(e, kPassedTable, s) + Weight<M, kWhite>(e, kPawnlessRunner);
      if constexpr (M::kTrace) e.trace->Note(TableValueIndex(kPassedTable, e.activeSet->phase, kWhite, s), 1);
    }
    return v;
  }

  // The pawn hash entry: a hit bounds the search for passers and may hold
  // the structure score. The traced evaluation works out everything afresh.
  PawnHashEntry traceEntry{};
  PawnHashEntry& entry = M::kTrace ? traceEntry : pawnTable_.EntryFor(p.pawnHashKey);
  const bool hit = !M::kTrace && entry.key == p.pawnHashKey;

  // Pawn attacks and defended pawns.
  e.whitePawnAttacks = PawnAttacksOfSet<kWhite>(p.white.pawn);
  e.blackPawnAttacks = PawnAttacksOfSet<kBlack>(p.black.pawn);
  e.whiteDefendedPawns = p.white.pawn & e.whitePawnAttacks;
  e.blackDefendedPawns = p.black.pawn & e.blackPawnAttacks;

  FindPassedPawns(p, hit ? &entry : nullptr, e);

  // Mating potential, judged only in the endgame.
  const bool whiteCanWin = !endgame || CanWin(p.white);
  const bool blackCanWin = !endgame || CanWin(p.black);

  // Material imbalance and passed pawns.
  const int material = MaterialBalance<M>(p, e);
  int s = ImbalanceBonus<M>(p, e);
  s += PassedPawnScore<M>(p, e);

  // A drawn pawn ending.
  if (e.drawDetected) return ruled(0);

  // Lazy exit: material and passed pawns alone put the score far outside
  // the window.
  const int t = s + material;
  if (t > beta + positionalMargin || t < alpha - positionalMargin) {
    if (!endgame) return t;
    if (e.whiteBare || e.blackBare) {
      // Far-advanced pawns can still turn a bare endgame: each one widens
      // the margin on the side of the window its owner could pull the
      // score back from. The gate tests the sign of the score returned.
      const int upper = beta + positionalMargin + kAdvancedPawnMargin * FarAdvancedPawns<kBlack>(p);
      const int lower = alpha - positionalMargin - kAdvancedPawnMargin * FarAdvancedPawns<kWhite>(p);
      if (t > upper || t < lower) return Gate(t, whiteCanWin, blackCanWin);
    }
  }

  // King safety and pieces, computed once per position and preparation.
  if constexpr (M::kTrace) {
    s += PieceTerms<M>(p, e, endgame);
  } else {
    PieceTermsEntry& cached = pieceTerms_.At(p.hashKey);
    if (cached.key != p.hashKey || cached.preparation != preparationNumber_)
      cached = PieceTermsEntry{p.hashKey, PieceTerms<M>(p, e, endgame), preparationNumber_};
    s += cached.score;
  }

  // Pawn structure, from the hash when the entry is complete.
  int structure;
  if (hit && !(entry.flags & kPawnEntryPartial)) {
    structure = entry.score;
  } else if (hit) {
    const int u = material + s;
    const int margin = positionalMargin / 2;
    structure = (alpha <= u + margin && u - margin <= beta)
                    ? PawnStructure<M>(p, e, entry, s, alpha, beta, positionalMargin)
                    : entry.score;
  } else {
    structure = PawnStructure<M>(p, e, entry, s, alpha, beta, positionalMargin);
  }
  s += structure;

  if (!endgame) s += CentreTerms<M>(p, e);

  // Blocked pawns and material.
  int r = s + material + WeightTimes<M, kWhite>(e, kBlockedPawn, 0, BlockedPawns<kWhite>(p)) -
          WeightTimes<M, kBlack>(e, kBlockedPawn, 0, BlockedPawns<kBlack>(p));
  // The move in hand.
  if constexpr (Reads<M>(kTempo)) r += WeightTimes<M>(e, kTempo, 0, p.side == kWhite ? 1 : -1);

  const int gated = Gate(r, whiteCanWin, blackCanWin);
  if constexpr (M::kTrace)
    if (gated != r) return ruled(gated);
  return gated;
}

#define RAVOK_INSTANTIATE(M) template int Evaluator::EvaluateIn<M>(const TreePosition&, int, int);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE

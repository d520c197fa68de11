// The evaluation driver: table choice, special exits, material imbalance,
// the lazy exit, then the king, piece, pawn-structure and centre terms, and
// the mating-potential gate.
#include "eval/evaluator.h"

#include <new>

#include "eval/eval_scratch.h"
#include "eval/eval_side.h"
#include "eval/king_safety.h"
#include "eval/material.h"
#include "eval/pawnless.h"
#include "eval/pawns.h"
#include "eval/piece_terms.h"

namespace {

Bitboard Bit(Square s) { return SquareMask[s]; }

// Each far-advanced pawn can still swing the score by this much in a bare
// endgame.
constexpr int kAdvancedPawnMargin = 200;

// The centre squares and the blocked d- and e-pawns.
int CentreTerms(const TreePosition& p) {
  struct CentreSquare { Square square; int whiteMiss, blackMiss; };
  static constexpr CentreSquare kCentre[] = {{E4, 6, 4}, {E5, 4, 6}, {D4, 6, 4}, {D5, 4, 6}};
  const Bitboard pawns = p.white.pawn | p.black.pawn;
  int v = 0;
  for (const CentreSquare& c : kCentre) {
    if (pawns & Bit(c.square)) continue;
    if ((WhitePawnReach[c.square] & p.white.pawn) == 0) v -= c.whiteMiss;
    if ((BlackPawnReach[c.square] & p.black.pawn) == 0) v += c.blackMiss;
  }
  if ((p.white.pawn & Bit(D2)) && (p.white.pawn & Bit(E2))) v -= 20;
  if ((p.black.pawn & Bit(D7)) && (p.black.pawn & Bit(E7))) v += 20;
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

int Evaluator::PieceTerms(const TreePosition& p, const EvalScratch& e, bool endgame) {
  int s = 0;
  int whiteShelter = 0, blackShelter = 0;
  if (!endgame) {
    whiteShelter = KingPlacement<kWhite>(p);
    blackShelter = KingPlacement<kBlack>(p);
    s += whiteShelter - blackShelter;
  }
  s += Tables<kWhite>(e).king[p.white.kingSquare] - Tables<kBlack>(e).king[p.black.kingSquare];
  s += KnightTerms<kWhite>(p, e) - KnightTerms<kBlack>(p, e);
  s += BishopTerms<kWhite>(p, e) - BishopTerms<kBlack>(p, e);
  if (endgame) s += BishopCountTerm(p);
  s += RookTerms<kWhite>(p, e) - RookTerms<kBlack>(p, e);
  s += QueenTerms<kWhite>(p, e) - QueenTerms<kBlack>(p, e);

  // With both queens on, king safety counts half again.
  if (p.white.queen && p.black.queen) s += (whiteShelter - blackShelter) / 2;
  return s;
}

void Evaluator::AllocatePieceTerms() {
  constexpr uint64_t kPieceTermsBytes = uint64_t(1) << 20;
  if (!pieceTerms_.Resize(kPieceTermsBytes, 0, kPieceTermsBytes)) throw std::bad_alloc();
}

int Evaluator::Evaluate(const TreePosition& p, int alpha, int beta) {
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

  // Pawnless exits: no pawns at all, or a side without pawns facing more
  // than 504 of extra material; the far side's pawns are added as runners.
  if (p.white.pawn == 0) {
    if (p.black.pawn == 0) return PawnlessEvaluation(p);
    if (-100 * p.black.numPawns - p.materialBalance > 504) {
      int v = PawnlessEvaluation(p);
      for (Bitboard b = p.black.pawn; b;) v -= 2 * Tables<kBlack>(e).passed[PopHighest(b)] + 100;
      return v;
    }
  } else if (p.black.pawn == 0 && p.materialBalance - 100 * p.white.numPawns > 504) {
    int v = PawnlessEvaluation(p);
    for (Bitboard b = p.white.pawn; b;) v += 2 * Tables<kWhite>(e).passed[PopLowest(b)] + 100;
    return v;
  }

  // The pawn hash entry: a hit bounds the search for passers and may hold
  // the structure score.
  PawnHashEntry& entry = pawnTable_.EntryFor(p.pawnHashKey);
  const bool hit = entry.key == p.pawnHashKey;

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
  int s = ImbalanceBonus(p);
  s += PassedPawnScore(p, e);

  // A drawn pawn ending.
  if (e.drawDetected) return 0;

  // Lazy exit: material and passed pawns alone put the score far outside
  // the window.
  const int t = s + p.materialBalance;
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
  PieceTermsEntry& cached = pieceTerms_.At(p.hashKey);
  if (cached.key != p.hashKey || cached.preparation != preparationNumber_)
    cached = PieceTermsEntry{p.hashKey, PieceTerms(p, e, endgame), preparationNumber_};
  s += cached.score;

  // Pawn structure, from the hash when the entry is complete.
  int structure;
  if (hit && !(entry.flags & kPawnEntryPartial)) {
    structure = entry.score;
  } else if (hit) {
    const int u = p.materialBalance + s;
    const int margin = positionalMargin / 2;
    structure = (alpha <= u + margin && u - margin <= beta) ? PawnStructure(p, e, entry, s, alpha, beta, positionalMargin)
                                                           : entry.score;
  } else {
    structure = PawnStructure(p, e, entry, s, alpha, beta, positionalMargin);
  }
  s += structure;

  if (!endgame) s += CentreTerms(p);

  // Blocked pawns and material.
  const int r = s + p.materialBalance - 4 * BlockedPawns<kWhite>(p) + 4 * BlockedPawns<kBlack>(p);

  return Gate(r, whiteCanWin, blackCanWin);
}

// The preparation before every search: the root's phase and the value sets
// the evaluation reads at every node.
#include "base/tables.h"
#include "eval/evaluator.h"
#include "position/tree_position.h"

namespace {


// Opening while castling is possible or a minor piece still stands on its
// starting square.
bool Undeveloped(const TreePosition& p) {
  if (p.white.castling || p.black.castling) return true;
  const auto on = [](Bitboard set, Square a, Square b) { return (set & (SquareMask[a] | SquareMask[b])) != 0; };
  return on(p.white.knight, B1, G1) || on(p.white.bishop, C1, F1) || on(p.black.knight, B8, G8) ||
         on(p.black.bishop, C8, F8);
}

// An endgame when both sides are down to 20 units (rook 5, queen 10, minor
// 3, 4 more for pawns on the board).
int RootPhase(const TreePosition& p, bool pawns) {
  const int pawnUnits = pawns ? 4 : 0;
  const int whiteUnits = 5 * p.white.valMajors + p.white.valMinors + pawnUnits;
  const int blackUnits = 5 * p.black.valMajors + p.black.valMinors + pawnUnits;
  if (whiteUnits <= 20 && blackUnits <= 20) return kEndgamePhase;
  return Undeveloped(p) ? kOpeningPhase : kMiddlegamePhase;
}

}  // namespace

void Evaluator::PrepareRoot(const TreePosition& p) {
  // Terms kept under the previous preparation no longer apply; after 2^32
  // preparations the numbers start again from an empty table.
  if (++preparationNumber_ == 0) {
    pieceTerms_.Clear();
    preparationNumber_ = 1;
  }
  // The pawn table's structure scores were made with the other weights.
  if (preparation_.weights != selected_) pawnTable_.Clear();
  preparation_.weights = selected_;
  const auto fill = [this](ValueSet& values, int phase) { values = PhaseValueSet(selected_, phase); };
  const bool pawns = (p.white.pawn | p.black.pawn) != 0;
  const int phase = RootPhase(p, pawns);

  // The root's own tables; a pawnless root never reads them.
  if (pawns) fill(preparation_.rootSet, phase);

  // The tables for positions without queens, judged by rooks and minors.
  const int noPawnUnits = pawns ? 0 : 4;
  const int whiteUnits = 5 * PopCount(p.white.rook) + p.white.valMinors + noPawnUnits;
  const int blackUnits = 5 * PopCount(p.black.rook) + p.black.valMinors + noPawnUnits;
  fill(preparation_.alternateSet, whiteUnits > 20 || blackUnits > 20 ? kMiddlegamePhase : kEndgamePhase);

  preparation_.rootHasPawns = pawns;

  // Below the threshold the endgame tables take over; an endgame root has
  // no threshold and never reads them.
  if (phase == kEndgamePhase) {
    preparation_.phaseThreshold = -1;
  } else {
    preparation_.phaseThreshold = 20;
    fill(preparation_.endgameSet, kEndgamePhase);
  }
}

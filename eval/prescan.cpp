#include "eval/prescan.h"

#include "base/fatal_error.h"
#include "base/tables.h"
#include "eval/evaluator.h"
#include "position/tree_position.h"

namespace eval_pieces {

namespace {

// Adds one to `counts[type]` of every square each piece of `pieces` attacks.
template <typename AttackFn>
void CountAttacks(Bitboard pieces, int type, uint16_t (*counts)[6], AttackFn attacks) {
  while (pieces) {
    Bitboard targets = attacks(PopLowest(pieces));
    while (targets) ++counts[PopLowest(targets)][type];
  }
}

std::unique_ptr<CPiece> MakePiece(Square s, int code) {
  switch (code) {
    case kPawn: return std::make_unique<CWhitePawn>(s, code);
    case -kPawn: return std::make_unique<CBlackPawn>(s, code);
    case kKnight: case -kKnight: return std::make_unique<CKnight>(s, code);
    case kBishop: case -kBishop: return std::make_unique<CBishop>(s, code);
    case kRook: case -kRook: return std::make_unique<CRook>(s, code);
    case kQueen: case -kQueen: return std::make_unique<CQueen>(s, code);
    case kKing: case -kKing: return std::make_unique<CKing>(s, code);
    case kEmpty: return nullptr;
    default: FatalError("CSquare::InitPiece() switch fell through!");
  }
}

SideCounts CountSide(const SidePieces& side) {
  SideCounts c;
  c.pawns = PopCount(side.pawn);
  c.knights = PopCount(side.knight);
  c.bishops = PopCount(side.bishop);
  c.rooks = PopCount(side.rook);
  c.queens = PopCount(side.queen);
  c.minors = c.knights + c.bishops;
  c.majors = c.rooks + c.queens;
  return c;
}

}  // namespace

void CSquare::InitPiece(CPrescan& prescan, const TreePosition& p) {

  // 1. Attack counts by side and piece type on the root's occupancy.
  uint16_t white[64][6] = {}, black[64][6] = {};
  const auto pawnW = [](Square s) { return WhitePawnAttacks[s]; };
  const auto pawnB = [](Square s) { return BlackPawnAttacks[s]; };
  const auto knight = [](Square s) { return KnightAttacks[s]; };
  const auto bishop = [&p](Square s) { return BishopAttacksOf(s, p.occupied45, p.occupied315); };
  const auto rook = [&p](Square s) { return RookAttacksOf(s, p.occupied, p.occupied90); };
  const auto queen = [&](Square s) { return bishop(s) | rook(s); };
  const auto king = [](Square s) { return KingAttacks[s]; };
  CountAttacks(p.white.pawn, 0, white, pawnW);
  CountAttacks(p.black.pawn, 0, black, pawnB);
  CountAttacks(p.white.knight, 1, white, knight);
  CountAttacks(p.black.knight, 1, black, knight);
  CountAttacks(p.white.bishop, 2, white, bishop);
  CountAttacks(p.black.bishop, 2, black, bishop);
  CountAttacks(p.white.rook, 3, white, rook);
  CountAttacks(p.black.rook, 3, black, rook);
  CountAttacks(p.white.queen, 4, white, queen);
  CountAttacks(p.black.queen, 4, black, queen);
  CountAttacks(SquareMask[p.white.kingSquare], 5, white, king);
  CountAttacks(SquareMask[p.black.kingSquare], 5, black, king);

  // 2. The square records and their piece objects, each analysed at once.
  for (Square s = 0; s < 64; ++s) {
    CSquare& record = prescan.squares[s];
    record.square = s;
    std::copy(white[s], white[s] + 6, record.attackersWhite);
    std::copy(black[s], black[s] + 6, record.attackersBlack);
    record.piece.reset();
    record.piece = MakePiece(s, p.squares[s]);
    if (record.piece) record.piece->Analyse(p);
  }

  // 3. The summary.
  prescan.totalPieceUnits = p.white.valMinors + p.black.valMinors + 5 * (p.white.valMajors + p.black.valMajors);
  prescan.rootHasPawns = (p.white.pawn | p.black.pawn) != 0;
  prescan.white = CountSide(p.white);
  prescan.black = CountSide(p.black);
}

void CPrescan::PreparePrescanEntry_Endgame(PrescanEntry& entry, int variant) {
  // The three endgame king tables hold the same centre-seeking values.
  switch (variant) {
    case 0:
    case 1:
    case 2:
      FillEndgameSet(entry, CentreTable);
      return;
    default:
      FatalError("CPrescan::PreparePrescanEntry_Endgame switch fell through");
  }
}

}  // namespace eval_pieces

using eval_pieces::CPrescan;

namespace {

void FillForPhase(PrescanEntry& entry, int phase, int endgameVariant) {
  entry.phase = phase;
  switch (phase) {
    case kOpeningPhase: FillOpeningSet(entry); break;
    case kMiddlegamePhase: FillMiddlegameSet(entry); break;
    default: CPrescan::PreparePrescanEntry_Endgame(entry, endgameVariant); break;
  }
}

// Opening while castling is possible or a minor piece still stands on its
// starting square.
bool Undeveloped(const TreePosition& p) {
  if (p.white.castling || p.black.castling) return true;
  const auto on = [](Bitboard set, Square a, Square b) { return (set & (SquareMask[a] | SquareMask[b])) != 0; };
  return on(p.white.knight, B1, G1) || on(p.white.bishop, C1, F1) || on(p.black.knight, B8, G8) ||
         on(p.black.bishop, C8, F8);
}

}  // namespace

void Evaluator::PrepareRoot(const TreePosition& p) {
  // 0. Terms kept under the previous preparation no longer apply; after
  // 2^32 preparations the numbers start again from an empty table.
  if (++preparationNumber_ == 0) {
    pieceTerms_.Clear();
    preparationNumber_ = 1;
  }
  // 1-2. The root analysis.
  CPrescan& prescan = prescan_;
  eval_pieces::CSquare::InitPiece(prescan, p);
  const bool pawns = prescan.rootHasPawns;
  PrescanEntry& rootEntry = preparation_.rootEntry;
  PrescanEntry& alternateEntry = preparation_.alternateEntry;
  PrescanEntry& endgameEntry = preparation_.endgameEntry;

  // 3. Phase: an endgame when both sides are down to 20 units (rook 5,
  // queen 10, minor 3, 4 more for pawns on the board).
  const int pawnUnits = pawns ? 4 : 0;
  const int whiteUnits = 5 * p.white.valMajors + p.white.valMinors + pawnUnits;
  const int blackUnits = 5 * p.black.valMajors + p.black.valMinors + pawnUnits;
  if (whiteUnits <= 20 && blackUnits <= 20) prescan.phase = kEndgamePhase;
  else prescan.phase = Undeveloped(p) ? kOpeningPhase : kMiddlegamePhase;

  // 4. The root's own tables; a pawnless root never reads them.
  if (pawns) FillForPhase(rootEntry, prescan.phase, 0);

  // 5. The tables for positions without queens, judged by rooks and minors.
  const int noPawnUnits = pawns ? 0 : 4;
  const int whiteR = 5 * prescan.white.rooks + p.white.valMinors + noPawnUnits;
  const int blackR = 5 * prescan.black.rooks + p.black.valMinors + noPawnUnits;
  if (whiteR > 20 || blackR > 20) FillForPhase(alternateEntry, kMiddlegamePhase, 0);
  else FillForPhase(alternateEntry, kEndgamePhase, pawns ? 2 : 1);

  // 6.
  preparation_.rootHasPawns = pawns;

  // 7. Threshold and the endgame tables.
  if (prescan.phase == kEndgamePhase) {
    preparation_.phaseThreshold = -1;
  } else {
    preparation_.phaseThreshold = 20;
    FillForPhase(endgameEntry, kEndgamePhase, 2);
  }
}

// Preparation of the evaluation before every search: the root's phase, the
// three prepared value sets and the root analysis objects.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "eval/pieces.h"
#include "eval/value_tables.h"

// Decides the root's phase and fills the value tables the evaluation reads
// during the search. Works on the current ply (the root).
void PrescanRoot();

// The prepared value sets and settings; written only by PrescanRoot, zero
// before the first search.
extern PrescanEntry rootEntry;       // the root's phase, with queens on
extern PrescanEntry alternateEntry;  // without queens
extern PrescanEntry endgameEntry;    // once the material has thinned out
extern int32_t phaseThreshold;       // piece units above which the root's tables apply
extern bool rootHasPawns;

namespace eval_pieces {

class CPrescan;

// One square of the root: its attackers by type and side, and the piece
// object standing on it.
struct CSquare {
  int32_t square = 0;
  std::unique_ptr<CPiece> piece;
  uint16_t attackersWhite[6] = {};  // pawns, knights, bishops, rooks, queens, kings
  uint16_t attackersBlack[6] = {};

  // Rebuilds all 64 square records and the summary of `prescan` from the
  // current ply's position.
  static void InitPiece(CPrescan& prescan);
};

// Piece counts of one side of the root.
struct SideCounts {
  int32_t pawns = 0, knights = 0, bishops = 0, rooks = 0, queens = 0, minors = 0, majors = 0;
};

// The root analysis: the phase of the last prepared root, the square records
// and a summary of the material.
class CPrescan {
 public:
  // Fills `entry` with the endgame set; the variant (0-2) picks one of the
  // three endgame king tables.
  static void PreparePrescanEntry_Endgame(PrescanEntry& entry, int variant);

  int32_t phase = kOpeningPhase;
  std::array<CSquare, 64> squares;
  int32_t totalPieceUnits = 0;  // minors 3, rooks 5, queens 10, both sides
  bool rootHasPawns = false;
  SideCounts white, black;
};

// The process-wide instance, created by the first PrescanRoot; null before.
const CPrescan* CurrentPrescan();

}  // namespace eval_pieces

// The root analysis that the evaluation's preparation builds before every
// search: one record per square with its attackers and piece object.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "eval/pieces.h"
#include "eval/value_tables.h"
#include "position/tree_position.h"

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
  // root position `p`.
  static void InitPiece(CPrescan& prescan, const TreePosition& p);
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

}  // namespace eval_pieces

// The evaluation's value tables: the prepared value sets that the evaluation
// reads at every node, and the opening, middlegame and endgame sets they are
// filled from.
#pragma once

#include <array>
#include <cstdint>

#include "base/types.h"

// Game phases of a prepared value set.
enum GamePhase : int32_t { kOpeningPhase = 0, kMiddlegamePhase = 1, kEndgamePhase = 2 };

// Stands on the squares where a pawn table is never consulted (ranks 1 and 8,
// and the squares each table's rules exclude).
inline constexpr int32_t kUnusedSquare = 1000000;

// One side's tables, indexed by the real square. Black's tables hold Black's
// own values already mirrored, so a look-up never flips the square.
struct SideTables {
  int32_t knight[64];
  int32_t bishop[64];
  int32_t rook[64];
  int32_t king[64];
  int32_t pawn[64];
  int32_t passed[64];
  int32_t passedDefended[64];
  int32_t defended[64];
  int32_t duo[64];
  int32_t passedDuo[64];
};

// A prepared value set: its phase and the tables of White and Black.
struct ValueSet {
  int32_t phase;
  SideTables side[2];
};

// Centre-weighted table of the endgame knights, bishops and kings (White's
// view; symmetric between the colours).
extern const std::array<int32_t, 64> CentreTable;

// Copy the opening, middlegame or endgame set into `values` (tables only).
void FillOpeningSet(ValueSet& values);
void FillMiddlegameSet(ValueSet& values);
void FillEndgameSet(ValueSet& values);

// The evaluation's value tables: the prepared entry that the evaluation reads
// at every node, and the three fixed value sets it is filled from.
#pragma once

#include <array>
#include <cstdint>

#include "base/types.h"

// Game phases of a prepared entry.
enum GamePhase : int32_t { kOpeningPhase = 0, kMiddlegamePhase = 1, kEndgamePhase = 2 };

// Stands on the squares where a pawn table is never consulted (ranks 1 and 8,
// and the squares each table's rules exclude).
inline constexpr int32_t kUnusedSquare = 1000000;

// One side's tables, indexed by the real square. Black's tables hold Black's
// own values already mirrored, so a look-up never flips the square.
struct SideTables {
  int32_t KnightTable[64];
  int32_t BishopTable[64];
  int32_t RookTable[64];
  int32_t KingTable[64];
  int32_t PawnTable[64];
  int32_t PassedTable[64];
  int32_t PassedDefendedTable[64];
  int32_t DefendedTable[64];
  int32_t DuoTable[64];
  int32_t PassedDuoTable[64];
};

// A prepared value set: its phase and the tables of White and Black.
struct PrescanEntry {
  int32_t phase;
  SideTables side[2];
};

// Centre-weighted table of the endgame knights, bishops and kings (White's
// view; symmetric between the colours).
extern const std::array<int32_t, 64> CentreTable;

// Copy the opening, middlegame or endgame set into an entry (tables only).
void FillOpeningSet(PrescanEntry& entry);
void FillMiddlegameSet(PrescanEntry& entry);
void FillEndgameSet(PrescanEntry& entry);

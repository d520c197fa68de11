// The evaluation's value tables: the prepared value sets that the evaluation
// reads at every node, filled for the root's phases from the weights of the
// parameter table (eval/eval_weights.h).
#pragma once

#include <cstdint>
#include <string_view>

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

// The tables of a side by name, in the order of SideTables.
enum SideTable : int {
  kKnightTable,
  kBishopTable,
  kRookTable,
  kKingTable,
  kPawnTable,
  kPassedTable,
  kPassedDefendedTable,
  kDefendedTable,
  kDuoTable,
  kPassedDuoTable,
  kSideTableCount
};
inline constexpr int32_t (SideTables::*kSideTableMembers[kSideTableCount])[64] = {
    &SideTables::knight, &SideTables::bishop,         &SideTables::rook,     &SideTables::king, &SideTables::pawn,
    &SideTables::passed, &SideTables::passedDefended, &SideTables::defended, &SideTables::duo,  &SideTables::passedDuo,
};

// A prepared value set: its phase and the tables of White and Black.
struct ValueSet {
  int32_t phase;
  SideTables side[2];
};

// The two weight sets the evaluation can play with (the Evaluation setting):
// the classic weights, set by hand, and the tuned ones, fitted to the
// results of Ravok's own games (eval/tuned_weights.h).
enum class EvaluationSet : int32_t { kClassic, kTuned };

// Their names in settings, in the order of the sets.
inline constexpr std::string_view kEvaluationSetNames[] = {"classic", "tuned"};

// The value set of `phase` under the weights of `set`, filled once and kept.
const ValueSet& PhaseValueSet(EvaluationSet set, int phase);

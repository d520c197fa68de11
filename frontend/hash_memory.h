// A memory budget for the two hash tables: how the xboard "memory" command
// and the UCI "Hash" option divide it between the transposition table and
// the pawn hash table, and the resize of both.
#pragma once

#include <cstdint>

#include "search/engine.h"

inline constexpr uint64_t kMebibyte = 1048576;

// Byte counts for the transposition table and the pawn hash table that
// together fit `totalBytes`: the main table gets the largest power of two
// that leaves room for the smallest pawn table, the pawn table the largest
// power of two that fits the rest, but at most half the main table (the
// ratio of the default sizes). Both are 0 when `totalBytes` cannot hold the
// two tables at their minimum sizes.
struct HashSizes {
  uint64_t mainBytes = 0;
  uint64_t pawnBytes = 0;
};
HashSizes SplitHashMemory(uint64_t totalBytes);

// Resizes both of the engine's tables to the sizes SplitHashMemory gives
// `totalBytes`, or neither. True when the tables have those sizes now (also
// when they had them already; they are then left untouched, contents and
// all); false, with both tables as they were, when the budget is more than
// the machine's physical memory or an allocation fails.
bool ResizeHashTables(Engine& engine, uint64_t totalBytes);

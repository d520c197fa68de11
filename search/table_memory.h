// The memory of the two hash tables: their default sizes, and the one rule
// by which a budget for both (xboard's "memory", the Hash option) is shared
// between the transposition table and the pawn hash table.
#pragma once

#include <cstdint>

inline constexpr uint64_t kMebibyte = uint64_t(1) << 20;

// The tables at start-up: 16 MiB and 8 MiB. The smallest and largest sizes
// are the tables' own (kMinimumHashBytes, kMinimumPawnHashBytes and the
// maximums beside them).
inline constexpr uint64_t kDefaultHashBytes = 16 * kMebibyte;
inline constexpr uint64_t kDefaultPawnHashBytes = 8 * kMebibyte;

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

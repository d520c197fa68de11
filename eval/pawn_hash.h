// The pawn hash table: the pawn-structure score of each pawn placement seen,
// with its passed-pawn counts.
#pragma once

#include <cstdint>

#include "base/power_of_two_table.h"

// Pawn hash entry: the pawn key, the pawn-structure score and its flags
// (bit 0 partial, bits 1-2 White passers, bits 3-4 Black passers).
struct PawnHashEntry {
  uint32_t key;
  int16_t score;
  uint16_t flags;
};
static_assert(sizeof(PawnHashEntry) == 8);

inline constexpr uint64_t kMinimumPawnHashBytes = 2048;
// The entry index is 32-bit: larger requests are cut to the most that such
// an index can address.
inline constexpr uint64_t kMaximumPawnHashBytes = uint64_t(1) << 35;

class PawnHashTable {
 public:
  // A table of `bytes` (the minimum when that cannot be had), its memory
  // from `memory`.
  explicit PawnHashTable(uint64_t bytes = kMinimumPawnHashBytes, const TableMemorySource& memory = SystemTableMemory())
      : entries_(memory) {
    if (!Allocate(bytes)) Allocate(kMinimumPawnHashBytes);
  }

  // Resizes to the largest power of two of entries that fits `bytes`. False
  // (old table kept) below the minimum size or when the allocation fails.
  // The new table is empty.
  bool Allocate(uint64_t bytes) { return entries_.Resize(bytes, kMinimumPawnHashBytes, kMaximumPawnHashBytes); }
  void Clear() { entries_.Clear(); }

  PawnHashEntry& EntryFor(uint32_t pawnKey) { return entries_.At(pawnKey); }
  // Starts loading the entry for `pawnKey` (see PowerOfTwoTable::Prefetch).
  void Prefetch(uint32_t pawnKey) const { entries_.Prefetch(pawnKey); }

  uint64_t EntryCount() const { return entries_.Count(); }
  uint64_t Bytes() const { return entries_.Bytes(); }

 private:
  PowerOfTwoTable<PawnHashEntry> entries_;
};

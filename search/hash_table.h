// The transposition table: two-slot buckets of search results.
#pragma once

#include <cstdint>

#include "base/power_of_two_table.h"
#include "base/types.h"

// One slot: the key halves, a data word (bits 0-20 best move, 21-22 bound,
// 23 threat flag, 24 forced flag), the score and the depth in 1/64 ply.
struct HashSlot {
  uint32_t keyLow;
  uint32_t keyHigh;
  uint32_t data;
  int16_t score;
  int16_t depth;
};

// Slot 0 keeps the deeper result, slot 1 the most recent one.
struct HashBucket {
  HashSlot slot[2];
};
static_assert(sizeof(HashBucket) == 32);

enum HashBound : uint32_t { kBoundExact = 1, kBoundUpper = 2, kBoundLower = 3 };
inline constexpr uint32_t kHashMoveMask = 0x1FFFFF;
inline constexpr int kHashBoundShift = 21;
inline constexpr uint32_t kHashThreatFlag = 1u << 23;
inline constexpr uint32_t kHashForcedFlag = 1u << 24;

inline uint32_t HashBoundOf(uint32_t data) { return (data >> kHashBoundShift) & 3; }

inline constexpr uint64_t kMinimumHashBytes = 16384;
// The bucket index is 32-bit: larger requests are cut to the most that such
// an index can address.
inline constexpr uint64_t kMaximumHashBytes = uint64_t(1) << 37;

inline bool SlotHolds(const HashSlot& slot, uint64_t key) {
  return slot.keyLow == uint32_t(key) && slot.keyHigh == uint32_t(key >> 32);
}

// The slot of `bucket` that holds `key` (slot 0 tested first), or null.
inline HashSlot* ProbeBucket(HashBucket& bucket, uint64_t key) {
  if (SlotHolds(bucket.slot[0], key)) return &bucket.slot[0];
  if (SlotHolds(bucket.slot[1], key)) return &bucket.slot[1];
  return nullptr;
}

inline uint32_t MakeHashData(Move move, uint32_t bound, bool threat, bool forced) {
  return (move & kHashMoveMask) | bound << kHashBoundShift | (threat ? kHashThreatFlag : 0) |
         (forced ? kHashForcedFlag : 0);
}

// Stores a search result: dropped when slot 1 is more than two plies deeper;
// a result at least as deep as slot 0 pushes slot 0 into slot 1, any other
// result replaces slot 1.
void StoreHashEntry(HashBucket& bucket, uint64_t key, uint32_t data, int score, int depth);

class TranspositionTable {
 public:
  // A table of `bytes` (the minimum when that cannot be had).
  explicit TranspositionTable(uint64_t bytes = kMinimumHashBytes) {
    if (!Allocate(bytes)) Allocate(kMinimumHashBytes);
  }

  // Resizes to the largest power of two of buckets that fits `bytes`. False
  // (old table kept) below the minimum size or when the allocation fails.
  // The new table is empty.
  bool Allocate(uint64_t bytes) {
    if (!buckets_.Resize(bytes, kMinimumHashBytes, kMaximumHashBytes)) return false;
    maybeWritten_ = false;
    return true;
  }
  // Halves the depth of every slot (toward zero); at the start of every
  // search, so that old results give way to new ones. A table that nobody
  // can have written since it was cleared or allocated is all zero, and the
  // pass over it is skipped.
  void Age();
  void Clear() {
    buckets_.Clear();
    maybeWritten_ = false;
  }

  // The bucket for `key`, to read or write: every write into the table goes
  // through a reference obtained here after the last Clear or Allocate.
  HashBucket& BucketFor(uint64_t key) {
    maybeWritten_ = true;
    return buckets_.At(key);
  }
  // Starts loading the bucket for `key` (see PowerOfTwoTable::Prefetch).
  void Prefetch(uint64_t key) const { buckets_.Prefetch(key); }

  uint64_t BucketCount() const { return buckets_.Count(); }
  uint64_t Bytes() const { return buckets_.Bytes(); }
  // Permille of a sample of slots that hold a result (UCI's "hashfull").
  int PermilleFull() const;

 private:
  PowerOfTwoTable<HashBucket> buckets_;
  // False while the table is known to be all zero.
  bool maybeWritten_ = false;
};

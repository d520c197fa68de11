// The transposition table: two-slot buckets of search results, shared by
// every thread of a search without locks.
#pragma once

#include <atomic>
#include <cstdint>

#include "base/power_of_two_table.h"
#include "base/types.h"

// A slot's result: a data word (bits 0-20 best move, 21-22 bound, 23
// threat flag, 24 forced flag), the score and the depth in 1/64 ply.
struct HashEntry {
  uint32_t data;
  int16_t score;
  int16_t depth;
};

// One slot as stored: the result packed into one word (data in bits 0-31,
// score in 32-47, depth in 48-63) and the position's key folded with that
// word into the other. Threads read and write each word whole, without
// locks; a slot whose words come from two different writes fails the key
// test like a slot of another position, so a torn slot is never taken for
// the probing position's result.
struct HashSlot {
  uint64_t keyCheck;  // key ^ result
  uint64_t result;
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

// Whether a stored score with `bound` settles a node searched with the
// window (alpha, beta).
inline bool BoundSettles(uint32_t bound, int score, int alpha, int beta) {
  return bound == kBoundExact || (bound == kBoundLower && score >= beta) || (bound == kBoundUpper && alpha >= score);
}

inline constexpr uint64_t kMinimumHashBytes = 16384;
// The bucket index is 32-bit: larger requests are cut to the most that such
// an index can address.
inline constexpr uint64_t kMaximumHashBytes = uint64_t(1) << 37;

inline uint32_t MakeHashData(Move move, uint32_t bound, bool threat, bool forced) {
  return (move & kHashMoveMask) | bound << kHashBoundShift | (threat ? kHashThreatFlag : 0) |
         (forced ? kHashForcedFlag : 0);
}

inline uint64_t PackHashResult(uint32_t data, int score, int depth) {
  return uint64_t(data) | uint64_t(uint16_t(score)) << 32 | uint64_t(uint16_t(depth)) << 48;
}
inline HashEntry UnpackHashResult(uint64_t result) {
  return HashEntry{uint32_t(result), int16_t(result >> 32), int16_t(result >> 48)};
}

// A slot word read or written whole while other threads may write it: a
// plain load or store on x86-64, no lock and no fence.
inline uint64_t LoadSlotWord(const uint64_t& word) {
  return std::atomic_ref<uint64_t>(const_cast<uint64_t&>(word)).load(std::memory_order_relaxed);
}
inline void StoreSlotWord(uint64_t& word, uint64_t value) {
  std::atomic_ref<uint64_t>(word).store(value, std::memory_order_relaxed);
}

// The depth of the result in `slot`, whatever position it belongs to.
inline int SlotDepth(const HashSlot& slot) { return UnpackHashResult(LoadSlotWord(slot.result)).depth; }

// True when `slot` holds a result for `key`, unpacked into `entry`.
inline bool ReadSlot(const HashSlot& slot, uint64_t key, HashEntry& entry) {
  const uint64_t result = LoadSlotWord(slot.result);
  if ((LoadSlotWord(slot.keyCheck) ^ result) != key) return false;
  entry = UnpackHashResult(result);
  return true;
}

inline void WriteSlot(HashSlot& slot, uint64_t key, uint64_t result) {
  StoreSlotWord(slot.result, result);
  StoreSlotWord(slot.keyCheck, key ^ result);
}

// The result `bucket` holds for `key` (slot 0 tested first) into `entry`;
// false when it holds none.
inline bool ProbeBucket(const HashBucket& bucket, uint64_t key, HashEntry& entry) {
  return ReadSlot(bucket.slot[0], key, entry) || ReadSlot(bucket.slot[1], key, entry);
}

// Stores a search result: dropped when slot 1 is more than two plies deeper;
// a result at least as deep as slot 0 pushes slot 0 into slot 1, any other
// result replaces slot 1.
void StoreHashEntry(HashBucket& bucket, uint64_t key, uint32_t data, int score, int depth);

// Stores a move of the last best line, which the next iteration follows
// first: deeper than slot 0, it pushes slot 0 into slot 1; otherwise it
// replaces slot 1.
void StoreBestLineEntry(HashBucket& bucket, uint64_t key, uint32_t data, int score, int depth);

class TranspositionTable {
 public:
  // A table of `bytes` (the minimum when that cannot be had), its memory
  // from `memory`.
  explicit TranspositionTable(uint64_t bytes = kMinimumHashBytes,
                              const TableMemorySource& memory = SystemTableMemory())
      : buckets_(memory) {
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
  // search, so that old results give way to new ones. Results reach the
  // table only from searches, each after its own ageing, so a table aged
  // nowhere since it was cleared or allocated is all zero, and the pass
  // over it is skipped.
  void Age();
  void Clear() {
    buckets_.Clear();
    maybeWritten_ = false;
  }

  // The bucket for `key`, to read or write.
  HashBucket& BucketFor(uint64_t key) { return buckets_.At(key); }
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

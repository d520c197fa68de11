#include "search/hash_table.h"

#include <algorithm>
#include <cstring>
#include <new>

HashBucket* hashTable = nullptr;
uint64_t hashBucketCount = 0;
uint32_t hashMask = 0;
PawnHashEntry* pawnHashTable = nullptr;
uint64_t pawnHashEntryCount = 0;
uint32_t pawnHashMask = 0;

namespace {

uint64_t LargestPowerOfTwoAtMost(uint64_t n) {
  uint64_t p = 1;
  while (p <= n / 2) p *= 2;
  return p;
}

// Shared by both tables: allocate first, release the old one after.
template <typename Entry>
int Reallocate(Entry*& table, uint64_t& count, uint32_t& mask, uint64_t bytes, uint64_t minimum, uint64_t maximum) {
  if (bytes < minimum) return 0;
  uint64_t entries = LargestPowerOfTwoAtMost(std::min(bytes, maximum) / sizeof(Entry));
  Entry* fresh = new (std::nothrow) Entry[entries];
  if (fresh == nullptr) return 0;
  delete[] table;
  table = fresh;
  count = entries;
  mask = uint32_t(entries - 1);
  std::memset(static_cast<void*>(table), 0, entries * sizeof(Entry));
  return 1;
}

}  // namespace

int AllocateHashTable(uint64_t bytes) {
  return Reallocate(hashTable, hashBucketCount, hashMask, bytes, kMinimumHashBytes, kMaximumHashBytes);
}

int AllocatePawnHashTable(uint64_t bytes) {
  return Reallocate(pawnHashTable, pawnHashEntryCount, pawnHashMask, bytes, kMinimumPawnHashBytes,
                    kMaximumPawnHashBytes);
}

void AgeHashTable() {
  for (uint64_t i = 0; i < hashBucketCount; ++i)
    for (HashSlot& slot : hashTable[i].slot) slot.depth = int16_t(slot.depth / 2);
}

namespace {

HashSlot MakeSlot(uint64_t key, uint32_t data, int score, int depth) {
  return HashSlot{uint32_t(key), uint32_t(key >> 32), data, int16_t(score), int16_t(depth)};
}

}  // namespace

void StoreHashEntry(HashBucket& bucket, uint64_t key, uint32_t data, int score, int depth) {
  constexpr int kTwoPlies = 128;
  if (bucket.slot[1].depth > depth + kTwoPlies) return;
  if (depth >= bucket.slot[0].depth) {
    bucket.slot[1] = bucket.slot[0];
    bucket.slot[0] = MakeSlot(key, data, score, depth);
  } else {
    bucket.slot[1] = MakeSlot(key, data, score, depth);
  }
}

void ClearHashTables() {
  if (hashTable != nullptr) std::memset(static_cast<void*>(hashTable), 0, hashBucketCount * sizeof(HashBucket));
  if (pawnHashTable != nullptr)
    std::memset(static_cast<void*>(pawnHashTable), 0, pawnHashEntryCount * sizeof(PawnHashEntry));
}

void ReleaseHashTables() {
  delete[] hashTable;
  delete[] pawnHashTable;
  hashTable = nullptr;
  pawnHashTable = nullptr;
  hashBucketCount = pawnHashEntryCount = 0;
  hashMask = pawnHashMask = 0;
}

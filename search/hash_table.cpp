#include "search/hash_table.h"

#include <algorithm>

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

void TranspositionTable::Age() {
  if (!maybeWritten_) return;
  for (HashBucket& bucket : buckets_)
    for (HashSlot& slot : bucket.slot) slot.depth = int16_t(slot.depth / 2);
}

int TranspositionTable::PermilleFull() const {
  constexpr uint64_t kSampleBuckets = 500;
  const uint64_t sample = std::min<uint64_t>(kSampleBuckets, buckets_.Count());
  int used = 0;
  for (uint64_t i = 0; i < sample; ++i)
    for (const HashSlot& slot : buckets_.begin()[i].slot) used += slot.data != 0 ? 1 : 0;
  return sample == 0 ? 0 : int(used * 1000 / (2 * sample));
}

#include "search/hash_table.h"

#include <algorithm>

namespace {

// Slot 0's result moves to slot 1 and the new one takes its place.
void PushDown(HashBucket& bucket, uint64_t key, uint64_t result) {
  HashSlot& deep = bucket.slot[0];
  HashSlot& recent = bucket.slot[1];
  StoreSlotWord(recent.result, LoadSlotWord(deep.result));
  StoreSlotWord(recent.keyCheck, LoadSlotWord(deep.keyCheck));
  WriteSlot(deep, key, result);
}

}  // namespace

void StoreHashEntry(HashBucket& bucket, uint64_t key, uint32_t data, int score, int depth) {
  constexpr int kTwoPlies = 128;
  if (SlotDepth(bucket.slot[1]) > depth + kTwoPlies) return;
  const uint64_t result = PackHashResult(data, score, depth);
  if (depth >= SlotDepth(bucket.slot[0]))
    PushDown(bucket, key, result);
  else
    WriteSlot(bucket.slot[1], key, result);
}

void StoreBestLineEntry(HashBucket& bucket, uint64_t key, uint32_t data, int score, int depth) {
  const uint64_t result = PackHashResult(data, score, depth);
  if (SlotDepth(bucket.slot[0]) < depth)
    PushDown(bucket, key, result);
  else
    WriteSlot(bucket.slot[1], key, result);
}

void TranspositionTable::Age() {
  if (maybeWritten_) {
    for (HashBucket& bucket : buckets_)
      for (HashSlot& slot : bucket.slot) {
        const uint64_t result = LoadSlotWord(slot.result);
        const uint64_t key = LoadSlotWord(slot.keyCheck) ^ result;
        HashEntry entry = UnpackHashResult(result);
        // The quiescence search's results, stored below every full-width
        // depth, stay there.
        if (entry.depth > 0) entry.depth = int16_t(entry.depth / 2);
        WriteSlot(slot, key, PackHashResult(entry.data, entry.score, entry.depth));
      }
  }
  // The search that follows writes.
  maybeWritten_ = true;
}

int TranspositionTable::PermilleFull() const {
  constexpr uint64_t kSampleBuckets = 500;
  const uint64_t sample = std::min<uint64_t>(kSampleBuckets, buckets_.Count());
  int used = 0;
  for (uint64_t i = 0; i < sample; ++i)
    for (const HashSlot& slot : buckets_.begin()[i].slot) used += UnpackHashResult(LoadSlotWord(slot.result)).data != 0 ? 1 : 0;
  return sample == 0 ? 0 : int(used * 1000 / (2 * sample));
}

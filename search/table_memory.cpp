#include "search/table_memory.h"

#include <algorithm>

#include "eval/pawn_hash.h"
#include "search/hash_table.h"

namespace {

uint64_t LargestPowerOfTwoAtMost(uint64_t n) {
  uint64_t p = 1;
  while (p <= n / 2) p *= 2;
  return p;
}

}  // namespace

HashSizes SplitHashMemory(uint64_t totalBytes) {
  if (totalBytes < kMinimumHashBytes + kMinimumPawnHashBytes) return {};
  HashSizes sizes;
  sizes.mainBytes = LargestPowerOfTwoAtMost(std::min(totalBytes - kMinimumPawnHashBytes, kMaximumHashBytes));
  sizes.pawnBytes =
      LargestPowerOfTwoAtMost(std::min({totalBytes - sizes.mainBytes, sizes.mainBytes / 2, kMaximumPawnHashBytes}));
  return sizes;
}

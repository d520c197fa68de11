#include "frontend/hash_memory.h"

#include <unistd.h>

#include <algorithm>

#include "eval/pawn_hash.h"
#include "search/hash_table.h"

namespace {

uint64_t LargestPowerOfTwoAtMost(uint64_t n) {
  uint64_t p = 1;
  while (p <= n / 2) p *= 2;
  return p;
}

// The machine's physical memory in bytes, 0 when unknown.
uint64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : 0;
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

bool ResizeHashTables(Engine& engine, uint64_t totalBytes) {
  const HashSizes sizes = SplitHashMemory(totalBytes);
  TranspositionTable& table = engine.Table();
  PawnHashTable& pawnTable = engine.PawnTable();
  const uint64_t oldPawnBytes = pawnTable.Bytes();
  if (sizes.mainBytes == table.Bytes() && sizes.pawnBytes == oldPawnBytes) return true;
  // More than the machine has would only be allocated to be thrown out by
  // the system once the tables are filled.
  const uint64_t physical = PhysicalMemoryBytes();
  if (physical != 0 && totalBytes > physical) return false;
  // Both tables or neither: the smaller pawn table first, put back when the
  // main table cannot be had.
  if (!pawnTable.Allocate(sizes.pawnBytes)) return false;
  if (!table.Allocate(sizes.mainBytes)) {
    pawnTable.Allocate(oldPawnBytes);
    return false;
  }
  return true;
}

#include "base/table_memory_source.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint64_t kCacheLineBytes = 64;
constexpr uint64_t kLargePageBytes = uint64_t(2) << 20;

uint64_t RoundUp(uint64_t bytes, uint64_t unit) { return (bytes + unit - 1) / unit * unit; }

// A mapping of `bytes` (a multiple of the large page) that starts on a
// large-page boundary: a mapping one page longer, with the slack before and
// after the aligned part given back.
void* MapAligned(uint64_t bytes) {
  const uint64_t length = bytes + kLargePageBytes;
  void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(mapping);
  const uintptr_t aligned = RoundUp(start, kLargePageBytes);
  if (aligned > start) munmap(mapping, aligned - start);
  const uintptr_t end = start + length, alignedEnd = aligned + bytes;
  if (end > alignedEnd) munmap(reinterpret_cast<void*>(alignedEnd), end - alignedEnd);
  void* memory = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
  madvise(memory, bytes, MADV_HUGEPAGE);
#endif
  return memory;
}

TableMemory Allocate(uint64_t bytes) {
  TableMemory memory{nullptr, bytes, 0};
  if (bytes >= kLargePageBytes) {
    memory.mapped = RoundUp(bytes, kLargePageBytes);
    memory.address = MapAligned(memory.mapped);
    if (memory.address == nullptr) memory.mapped = 0;
    return memory;
  }
  memory.address = std::aligned_alloc(kCacheLineBytes, RoundUp(bytes, kCacheLineBytes));
  if (memory.address != nullptr) std::memset(memory.address, 0, bytes);
  return memory;
}

void Clear(const TableMemory& memory) {
  // Dropped pages of a private anonymous mapping read as zeros again.
  if (memory.mapped == 0 || madvise(memory.address, memory.mapped, MADV_DONTNEED) != 0)
    std::memset(memory.address, 0, memory.bytes);
}

void Release(const TableMemory& memory) {
  if (memory.mapped != 0)
    munmap(memory.address, memory.mapped);
  else
    std::free(memory.address);
}

constexpr TableMemorySource kSystemMemory{Allocate, Clear, Release};

}  // namespace

const TableMemorySource& SystemTableMemory() { return kSystemMemory; }

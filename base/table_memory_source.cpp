#include "base/table_memory_source.h"

#include <cstring>
#include <new>

#include "base/platform.h"

namespace {

constexpr uint64_t kCacheLineBytes = 64;
// Blocks from this size on come straight from the system.
constexpr uint64_t kSystemBlockBytes = uint64_t(2) << 20;

uint64_t RoundUp(uint64_t bytes, uint64_t unit) { return (bytes + unit - 1) / unit * unit; }

SystemMemory SystemBlock(const TableMemory& memory) {
  return SystemMemory{memory.address, memory.mapped, memory.largePages};
}

TableMemory Allocate(uint64_t bytes) {
  TableMemory memory{nullptr, bytes, 0};
  if (bytes >= kSystemBlockBytes) {
    const SystemMemory block = TakeSystemMemory(bytes);
    if (block.address != nullptr) memory = TableMemory{block.address, bytes, block.length, block.largePages};
    return memory;
  }
  memory.address = ::operator new(RoundUp(bytes, kCacheLineBytes), std::align_val_t(kCacheLineBytes), std::nothrow);
  if (memory.address != nullptr) std::memset(memory.address, 0, bytes);
  return memory;
}

void Clear(const TableMemory& memory) {
  if (memory.mapped == 0 || !GiveBackSystemPages(SystemBlock(memory))) std::memset(memory.address, 0, memory.bytes);
}

void Release(const TableMemory& memory) {
  if (memory.mapped != 0)
    ReleaseSystemMemory(SystemBlock(memory));
  else
    ::operator delete(memory.address, std::align_val_t(kCacheLineBytes));
}

constexpr TableMemorySource kSystemMemory{Allocate, Clear, Release};

}  // namespace

const TableMemorySource& SystemTableMemory() { return kSystemMemory; }

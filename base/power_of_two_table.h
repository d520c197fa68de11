// A table of 2^n plain entries addressed by the low bits of a key: the
// storage of the transposition table and of the pawn hash table.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#if defined(__linux__)
#include <sys/mman.h>
#endif

template <typename Entry>
class PowerOfTwoTable {
  static_assert(std::is_trivial_v<Entry>, "entries are plain data, zero-filled in raw storage");

 public:
  PowerOfTwoTable() = default;
  PowerOfTwoTable(const PowerOfTwoTable&) = delete;
  PowerOfTwoTable& operator=(const PowerOfTwoTable&) = delete;
  ~PowerOfTwoTable() { std::free(entries_); }

  // Resizes to the largest power of two of entries that fits `bytes`, cut to
  // `maximum` bytes. False, with the old table kept, below `minimum` bytes or
  // when the memory cannot be had. The new table is zero-filled.
  bool Resize(uint64_t bytes, uint64_t minimum, uint64_t maximum) {
    if (bytes < minimum) return false;
    uint64_t count = 1;
    while (count <= std::min(bytes, maximum) / sizeof(Entry) / 2) count *= 2;
    Entry* fresh = AllocateEntries(count * sizeof(Entry));
    if (fresh == nullptr) return false;
    std::free(entries_);
    entries_ = fresh;
    count_ = count;
    mask_ = uint32_t(count - 1);
    Clear();
    return true;
  }

  void Clear() {
    if (entries_ != nullptr) std::memset(static_cast<void*>(entries_), 0, count_ * sizeof(Entry));
  }

  // The entry for `key`; the table must have been sized.
  Entry& At(uint64_t key) { return entries_[uint32_t(key) & mask_]; }
  const Entry& At(uint64_t key) const { return entries_[uint32_t(key) & mask_]; }
  // Starts loading the entry for `key` into the cache and returns at once:
  // only its address is computed, the entry itself is not read.
  void Prefetch(uint64_t key) const {
    const Entry* entry = &entries_[uint32_t(key) & mask_];
    __builtin_prefetch(entry);
    // GCC counts a prefetch as no effect at all and drops calls to functions
    // that do nothing else; this empty statement, which costs nothing, keeps
    // the calls (and so the prefetch) in place.
    asm volatile("" : : "r"(entry));
  }

  uint64_t Count() const { return count_; }
  uint64_t Bytes() const { return count_ * sizeof(Entry); }
  Entry* begin() { return entries_; }
  Entry* end() { return entries_ + count_; }
  const Entry* begin() const { return entries_; }
  const Entry* end() const { return entries_ + count_; }

 private:
  static constexpr uint64_t kCacheLineBytes = 64;
  static constexpr uint64_t kHugePageBytes = uint64_t(2) << 20;

  // Storage aligned to the cache line, so that no entry of a power-of-two
  // size up to 64 bytes straddles two lines (a probe then misses the cache
  // once, not twice); from 2 MiB on aligned to and advised for the
  // processor's 2 MiB pages, which spare the random probes most of their
  // address-translation misses. Null when the memory cannot be had.
  static Entry* AllocateEntries(uint64_t bytes) {
    const uint64_t alignment = bytes >= kHugePageBytes ? kHugePageBytes : kCacheLineBytes;
    bytes = (bytes + alignment - 1) / alignment * alignment;
    void* memory = std::aligned_alloc(alignment, bytes);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (memory != nullptr && alignment == kHugePageBytes) madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    return static_cast<Entry*>(memory);
  }

  Entry* entries_ = nullptr;
  uint64_t count_ = 0;
  uint32_t mask_ = 0;
};

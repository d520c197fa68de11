// A table of 2^n plain entries addressed by the low bits of a key: the
// storage of the transposition table and of the pawn hash table.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "base/table_memory_source.h"

template <typename Entry>
class PowerOfTwoTable {
  static_assert(std::is_trivial_v<Entry>, "entries are plain data, zero-filled in raw storage");

 public:
  // A table whose memory comes from `source` (the system's by default).
  explicit PowerOfTwoTable(const TableMemorySource& source = SystemTableMemory()) : source_(&source) {}
  PowerOfTwoTable(const PowerOfTwoTable&) = delete;
  PowerOfTwoTable& operator=(const PowerOfTwoTable&) = delete;
  ~PowerOfTwoTable() { Release(); }

  // Resizes to the largest power of two of entries that fits `bytes`, cut to
  // `maximum` bytes. False, with the old table kept, below `minimum` bytes or
  // when the memory cannot be had. The new table reads as zero-filled; its
  // pages are only touched when entries are written.
  bool Resize(uint64_t bytes, uint64_t minimum, uint64_t maximum) {
    if (bytes < minimum) return false;
    uint64_t count = 1;
    while (count <= std::min(bytes, maximum) / sizeof(Entry) / 2) count *= 2;
    TableMemory fresh = source_->allocate(count * sizeof(Entry));
    if (fresh.address == nullptr) return false;
    Release();
    memory_ = fresh;
    entries_ = static_cast<Entry*>(fresh.address);
    count_ = count;
    mask_ = uint32_t(count - 1);
    return true;
  }

  // Every entry back to zero. A large table gives its pages back instead of
  // writing them, so that clearing never touches memory that the next
  // searches do not use.
  void Clear() {
    if (entries_ != nullptr) source_->clear(memory_);
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
  void Release() {
    if (entries_ != nullptr) source_->release(memory_);
    entries_ = nullptr;
  }

  const TableMemorySource* source_;
  TableMemory memory_{};
  Entry* entries_ = nullptr;
  uint64_t count_ = 0;
  uint32_t mask_ = 0;
};

// Where the hash tables' memory comes from: the system's memory, or in a
// test a source of its own (one that fails, say).
#pragma once

#include <cstdint>

// A block of table memory as its source handed it out.
struct TableMemory {
  void* address = nullptr;  // null: the memory could not be had
  uint64_t bytes = 0;       // as asked for
  // The source's own bookkeeping: the length of a block straight from the
  // system (0 for one from the heap), and whether it is on large pages.
  uint64_t mapped = 0;
  bool largePages = false;
};

// The three things a table asks of its memory. `allocate` gives a block of
// at least `bytes` that reads as zero-filled and is aligned to the cache
// line (a null address when the memory cannot be had); `clear` makes a
// block read as zero-filled again; `release` gives it back.
struct TableMemorySource {
  TableMemory (*allocate)(uint64_t bytes);
  void (*clear)(const TableMemory& memory);
  void (*release)(const TableMemory& memory);
};

// The system's memory. Blocks of 2 MiB and more come straight from the
// system (base/platform.h), on the processor's large pages where it can
// (which spare random probes most of their address-translation misses);
// their pages are only backed when touched, and where the system allows,
// clearing gives them back instead of writing zeros, so a table larger
// than what a search fills costs nothing beyond its address range. Smaller
// blocks come from the heap, cache-line aligned and zero-filled.
const TableMemorySource& SystemTableMemory();

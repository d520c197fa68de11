// The transposition table under writers on several threads: a probe that
// finds its key always finds a result written for that key.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "search/hash_table.h"

namespace {

uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// Each key's own result, so that a result written for another key shows.
uint32_t DataOf(uint64_t key) { return uint32_t(key >> 13) & 0x1FFFFFF; }
int ScoreOf(uint64_t key) { return int16_t(key >> 44) / 2; }

TEST(HashTableThreads, ConcurrentWritersNeverMixKeysAndResults) {
  // Two buckets, the busiest a table can be: four threads store and probe
  // 64 keys there all the time, so that stores meet probes and other stores
  // in the middle of a slot.
  alignas(64) HashBucket buckets[2] = {};
  constexpr int kThreads = 4;
  constexpr int kRounds = 4000000;
  constexpr uint64_t kKeys = 64;
  std::atomic<int> wrong{0};
  std::atomic<int> found{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      int myWrong = 0, myFound = 0;
      uint64_t state = Mix(uint64_t(t) + 1);
      for (int round = 0; round < kRounds; ++round) {
        state = Mix(state);
        const uint64_t key = Mix(state % kKeys);
        HashBucket& bucket = buckets[key & 1];
        const int depth = int(state >> 52) % 640;
        if (round % 3 == 0) {
          StoreBestLineEntry(bucket, key, DataOf(key), ScoreOf(key), depth);
        } else if (round % 3 == 1) {
          StoreHashEntry(bucket, key, DataOf(key), ScoreOf(key), depth);
        } else {
          HashEntry entry;
          if (ProbeBucket(bucket, key, entry)) {
            ++myFound;
            if (entry.data != DataOf(key) || entry.score != ScoreOf(key)) ++myWrong;
          }
        }
      }
      wrong += myWrong;
      found += myFound;
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
  // The probes did find results: the test looked at something.
  EXPECT_GT(found.load(), kThreads * kRounds / 100);
}

}  // namespace

// Sizing, ageing and replacement of the transposition and pawn tables.
#include <gtest/gtest.h>

#include "search/hash_table.h"

namespace {

class HashTableTest : public testing::Test {
 protected:
  void TearDown() override {
    AllocateHashTable(kMinimumHashBytes);
    AllocatePawnHashTable(kMinimumPawnHashBytes);
  }
};

TEST_F(HashTableTest, SizesArePowersOfTwoWithMinimums) {
  ASSERT_EQ(AllocateHashTable(16384), 1);
  EXPECT_EQ(hashBucketCount, 512u);
  EXPECT_EQ(hashMask, 511u);
  ASSERT_EQ(AllocateHashTable(1000000), 1);
  EXPECT_EQ(hashBucketCount, 16384u);  // 524288 bytes used
  const HashBucket* kept = hashTable;
  EXPECT_EQ(AllocateHashTable(16383), 0);
  EXPECT_EQ(hashTable, kept);
  EXPECT_EQ(hashBucketCount, 16384u);

  ASSERT_EQ(AllocatePawnHashTable(2048), 1);
  EXPECT_EQ(pawnHashEntryCount, 256u);
  EXPECT_EQ(AllocatePawnHashTable(2047), 0);
  EXPECT_EQ(pawnHashEntryCount, 256u);
  ASSERT_EQ(AllocatePawnHashTable(8388608), 1);
  EXPECT_EQ(pawnHashEntryCount, 1048576u);
}

TEST_F(HashTableTest, AnAllocationThatFailsKeepsTheOldTable) {
  ASSERT_EQ(AllocateHashTable(1 << 20), 1);
  const HashBucket* kept = hashTable;
  const uint64_t count = hashBucketCount;
  // Far more than any machine has: refused, and the old table stays.
  EXPECT_EQ(AllocateHashTable(uint64_t(1) << 62), 0);
  EXPECT_EQ(hashTable, kept);
  EXPECT_EQ(hashBucketCount, count);
}

TEST_F(HashTableTest, NewTablesAreZeroAndAgeingHalvesDepths) {
  ASSERT_EQ(AllocateHashTable(16384), 1);
  for (uint64_t i = 0; i < hashBucketCount; ++i)
    for (const HashSlot& slot : hashTable[i].slot) ASSERT_EQ(slot.depth, 0);
  hashTable[3].slot[0] = HashSlot{1, 2, MakeHashData(12345, kBoundExact, true, false), -77, 320};
  hashTable[3].slot[1] = HashSlot{3, 4, 0, 5, 64};
  hashTable[4].slot[0].depth = 97;
  hashTable[4].slot[1].depth = -3;
  AgeHashTable();
  EXPECT_EQ(hashTable[3].slot[0].depth, 160);
  EXPECT_EQ(hashTable[3].slot[1].depth, 32);
  EXPECT_EQ(hashTable[4].slot[0].depth, 48);
  EXPECT_EQ(hashTable[4].slot[1].depth, -1);  // toward zero
  // Everything but the depth stays.
  EXPECT_EQ(hashTable[3].slot[0].score, -77);
  EXPECT_EQ(hashTable[3].slot[0].data & kHashMoveMask, 12345u);
  EXPECT_EQ(HashBoundOf(hashTable[3].slot[0].data), kBoundExact);
  EXPECT_TRUE(hashTable[3].slot[0].data & kHashThreatFlag);
}

TEST_F(HashTableTest, ReplacementKeepsTheDeeperAndTheNewer) {
  HashBucket bucket{};
  const uint64_t a = 0x1111111122222222ULL, b = 0x3333333344444444ULL, c = 0x5555555566666666ULL;
  StoreHashEntry(bucket, a, 1, 10, 320);
  EXPECT_TRUE(SlotHolds(bucket.slot[0], a));
  // As deep as slot 0: pushes it down.
  StoreHashEntry(bucket, b, 2, 20, 320);
  EXPECT_TRUE(SlotHolds(bucket.slot[0], b));
  EXPECT_TRUE(SlotHolds(bucket.slot[1], a));
  // Shallower than slot 0, within two plies of slot 1: replaces slot 1.
  StoreHashEntry(bucket, c, 3, 30, 192);
  EXPECT_TRUE(SlotHolds(bucket.slot[0], b));
  EXPECT_TRUE(SlotHolds(bucket.slot[1], c));
  EXPECT_EQ(bucket.slot[1].score, 30);
  // Three plies shallower than slot 1: dropped.
  StoreHashEntry(bucket, a, 4, 40, 0);
  EXPECT_TRUE(SlotHolds(bucket.slot[1], c));
  // Exactly two plies shallower than slot 1 is still stored.
  StoreHashEntry(bucket, a, 5, 50, 64);
  EXPECT_TRUE(SlotHolds(bucket.slot[1], a));

  EXPECT_EQ(ProbeBucket(bucket, b), &bucket.slot[0]);
  EXPECT_EQ(ProbeBucket(bucket, a), &bucket.slot[1]);
  EXPECT_EQ(ProbeBucket(bucket, c), nullptr);
  // Both halves of the key must match.
  EXPECT_EQ(ProbeBucket(bucket, (b & 0xFFFFFFFFULL) | (a & ~0xFFFFFFFFULL)), nullptr);
}

TEST_F(HashTableTest, DataWordLayout) {
  const uint32_t data = MakeHashData(0xFFFFFFFF, kBoundLower, true, true);
  EXPECT_EQ(data & kHashMoveMask, 0x1FFFFFu);  // only the low 21 bits of the move
  EXPECT_EQ(HashBoundOf(data), kBoundLower);
  EXPECT_EQ(data >> 25, 0u);
  EXPECT_EQ(MakeHashData(287108, kBoundUpper, false, false), 287108u | (2u << 21));
}

}  // namespace

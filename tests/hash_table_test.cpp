// Sizing, ageing and replacement of the transposition and pawn tables.
#include <gtest/gtest.h>

#include "eval/pawn_hash.h"
#include "search/hash_table.h"

namespace {

TEST(HashTables, SizesArePowersOfTwoWithMinimums) {
  TranspositionTable table;
  ASSERT_TRUE(table.Allocate(16384));
  EXPECT_EQ(table.BucketCount(), 512u);
  ASSERT_TRUE(table.Allocate(1000000));
  EXPECT_EQ(table.BucketCount(), 16384u);  // 524288 bytes used
  EXPECT_EQ(table.Bytes(), 524288u);
  const HashBucket* kept = &table.BucketFor(0);
  EXPECT_FALSE(table.Allocate(16383));
  EXPECT_EQ(&table.BucketFor(0), kept);
  EXPECT_EQ(table.BucketCount(), 16384u);
  // The low bits of the key pick the bucket.
  EXPECT_EQ(&table.BucketFor(0xABCD00000000ULL + 16384 + 5), &table.BucketFor(5));

  PawnHashTable pawns;
  ASSERT_TRUE(pawns.Allocate(2048));
  EXPECT_EQ(pawns.EntryCount(), 256u);
  EXPECT_FALSE(pawns.Allocate(2047));
  EXPECT_EQ(pawns.EntryCount(), 256u);
  ASSERT_TRUE(pawns.Allocate(8388608));
  EXPECT_EQ(pawns.EntryCount(), 1048576u);
}

TEST(HashTables, AnAllocationThatFailsKeepsTheOldTable) {
  TranspositionTable table(1 << 20);
  const HashBucket* kept = &table.BucketFor(0);
  const uint64_t count = table.BucketCount();
  // Far more than any machine has: refused, and the old table stays.
  EXPECT_FALSE(table.Allocate(uint64_t(1) << 62));
  EXPECT_EQ(&table.BucketFor(0), kept);
  EXPECT_EQ(table.BucketCount(), count);
  // A table asked for more than can be had starts at the minimum size.
  EXPECT_EQ(TranspositionTable(uint64_t(1) << 62).Bytes(), kMinimumHashBytes);
}

TEST(HashTables, NewTablesAreZeroAndAgeingHalvesDepths) {
  TranspositionTable table(16384);
  for (uint64_t key = 0; key < table.BucketCount(); ++key)
    for (const HashSlot& slot : table.BucketFor(key).slot) ASSERT_EQ(slot.depth, 0);
  table.BucketFor(3).slot[0] = HashSlot{1, 2, MakeHashData(12345, kBoundExact, true, false), -77, 320};
  table.BucketFor(3).slot[1] = HashSlot{3, 4, 0, 5, 64};
  table.BucketFor(4).slot[0].depth = 97;
  table.BucketFor(4).slot[1].depth = -3;
  table.Age();
  EXPECT_EQ(table.BucketFor(3).slot[0].depth, 160);
  EXPECT_EQ(table.BucketFor(3).slot[1].depth, 32);
  EXPECT_EQ(table.BucketFor(4).slot[0].depth, 48);
  EXPECT_EQ(table.BucketFor(4).slot[1].depth, -1);  // toward zero
  // Everything but the depth stays.
  const HashSlot& slot = table.BucketFor(3).slot[0];
  EXPECT_EQ(slot.score, -77);
  EXPECT_EQ(slot.data & kHashMoveMask, 12345u);
  EXPECT_EQ(HashBoundOf(slot.data), kBoundExact);
  EXPECT_TRUE(slot.data & kHashThreatFlag);
}

// Ageing skips a table known to be empty: results written after a Clear,
// and results that survived an earlier ageing, are still halved.
TEST(HashTables, AgeingAfterClearAndAgainStillHalves) {
  TranspositionTable table(16384);
  table.BucketFor(7).slot[0].depth = 320;
  table.Clear();
  table.Age();
  EXPECT_EQ(table.BucketFor(7).slot[0].depth, 0);
  table.BucketFor(7).slot[0].depth = 320;
  table.Age();
  table.Age();
  EXPECT_EQ(table.BucketFor(7).slot[0].depth, 80);
}

TEST(HashTables, ReplacementKeepsTheDeeperAndTheNewer) {
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

TEST(HashTables, DataWordLayout) {
  const uint32_t data = MakeHashData(0xFFFFFFFF, kBoundLower, true, true);
  EXPECT_EQ(data & kHashMoveMask, 0x1FFFFFu);  // only the low 21 bits of the move
  EXPECT_EQ(HashBoundOf(data), kBoundLower);
  EXPECT_EQ(data >> 25, 0u);
  EXPECT_EQ(MakeHashData(287108, kBoundUpper, false, false), 287108u | (2u << 21));
}

}  // namespace

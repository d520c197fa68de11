// Sizing, ageing and replacement of the transposition and pawn tables.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

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

// The depth of the result `table` holds for `key`, or -999 without one.
int DepthFor(TranspositionTable& table, uint64_t key) {
  HashEntry entry;
  return ProbeBucket(table.BucketFor(key), key, entry) ? entry.depth : -999;
}

TEST(HashTables, NewTablesAreZeroAndAgeingHalvesDepths) {
  TranspositionTable table(16384);
  for (uint64_t key = 0; key < table.BucketCount(); ++key)
    for (const HashSlot& slot : table.BucketFor(key).slot) ASSERT_EQ(SlotDepth(slot), 0);
  // The search that writes ages the table first.
  table.Age();
  const uint64_t a = 3 + (uint64_t(1) << 40), b = 3 + (uint64_t(2) << 40), c = 4, d = 4 + (uint64_t(1) << 40);
  WriteSlot(table.BucketFor(a).slot[0], a, PackHashResult(MakeHashData(12345, kBoundExact, true, false), -77, 320));
  WriteSlot(table.BucketFor(b).slot[1], b, PackHashResult(0, 5, 64));
  WriteSlot(table.BucketFor(c).slot[0], c, PackHashResult(1, 0, 97));
  WriteSlot(table.BucketFor(d).slot[1], d, PackHashResult(1, 0, -3));
  table.Age();
  EXPECT_EQ(DepthFor(table, a), 160);
  EXPECT_EQ(DepthFor(table, b), 32);
  EXPECT_EQ(DepthFor(table, c), 48);
  EXPECT_EQ(DepthFor(table, d), -3);  // the quiescence search's, below every full-width depth
  // Everything but the depth stays, and the key still matches.
  HashEntry entry;
  ASSERT_TRUE(ProbeBucket(table.BucketFor(a), a, entry));
  EXPECT_EQ(entry.score, -77);
  EXPECT_EQ(entry.data & kHashMoveMask, 12345u);
  EXPECT_EQ(HashBoundOf(entry.data), kBoundExact);
  EXPECT_TRUE(entry.data & kHashThreatFlag);
}

// Ageing skips a table known to be empty: results written after a Clear,
// and results that survived an earlier ageing, are still halved.
TEST(HashTables, AgeingAfterClearAndAgainStillHalves) {
  TranspositionTable table(16384);
  table.Age();
  StoreHashEntry(table.BucketFor(7), 7, 1, 0, 320);
  table.Clear();
  table.Age();
  EXPECT_EQ(DepthFor(table, 7), -999);
  StoreHashEntry(table.BucketFor(7), 7, 1, 0, 320);
  table.Age();
  table.Age();
  EXPECT_EQ(DepthFor(table, 7), 80);
}

// The data word of the result `bucket` holds for each key is the one
// expected (0: none).
void ExpectData(const HashBucket& bucket, std::initializer_list<std::pair<uint64_t, uint32_t>> expected) {
  for (const auto& [key, data] : expected) {
    HashEntry entry;
    EXPECT_EQ(ProbeBucket(bucket, key, entry) ? entry.data : 0, data) << std::hex << key;
  }
}

TEST(HashTables, ReplacementKeepsTheDeeperAndTheNewer) {
  HashBucket bucket{};
  const uint64_t a = 0x1111111122222222ULL, b = 0x3333333344444444ULL, c = 0x5555555566666666ULL;
  StoreHashEntry(bucket, a, 1, 10, 320);
  ExpectData(bucket, {{a, 1}});
  // As deep as slot 0: pushes it down.
  StoreHashEntry(bucket, b, 2, 20, 320);
  EXPECT_EQ(SlotDepth(bucket.slot[0]), 320);
  ExpectData(bucket, {{b, 2}, {a, 1}});
  // Shallower than slot 0, within two plies of slot 1: replaces slot 1.
  StoreHashEntry(bucket, c, 3, 30, 192);
  ExpectData(bucket, {{b, 2}, {a, 0}, {c, 3}});
  HashEntry entry;
  ASSERT_TRUE(ProbeBucket(bucket, c, entry));
  EXPECT_EQ(entry.score, 30);
  EXPECT_EQ(entry.depth, 192);
  // Three plies shallower than slot 1: dropped.
  StoreHashEntry(bucket, a, 4, 40, 0);
  ExpectData(bucket, {{c, 3}, {a, 0}});
  // Exactly two plies shallower than slot 1 is still stored.
  StoreHashEntry(bucket, a, 5, 50, 64);
  // Both halves of the key must match.
  ExpectData(bucket, {{a, 5}, {b, 2}, {(b & 0xFFFFFFFFULL) | (a & ~0xFFFFFFFFULL), 0}});

  // A best-line move pushes slot 0 down only when it is deeper.
  StoreBestLineEntry(bucket, c, 6, 0, 320);
  ExpectData(bucket, {{b, 2}, {c, 6}});
  StoreBestLineEntry(bucket, a, 7, 0, 321);
  ExpectData(bucket, {{a, 7}, {b, 2}, {c, 0}});
}

// A slot whose two words come from different writes (a result half written
// over by another thread's store) belongs to no key.
TEST(HashTables, ATornSlotMatchesNoKey) {
  HashSlot slot{};
  const uint64_t a = 0x0123456789ABCDEFULL, b = 0xFEDCBA9876543210ULL;
  const uint64_t first = PackHashResult(MakeHashData(1001, kBoundLower, false, false), 40, 256);
  const uint64_t second = PackHashResult(MakeHashData(2002, kBoundUpper, false, true), -40, 128);
  WriteSlot(slot, a, first);
  HashEntry entry;
  ASSERT_TRUE(ReadSlot(slot, a, entry));
  EXPECT_EQ(entry.data & kHashMoveMask, 1001u);
  // b's result word beside a's key word, and the other way round.
  StoreSlotWord(slot.result, second);
  EXPECT_FALSE(ReadSlot(slot, a, entry));
  EXPECT_FALSE(ReadSlot(slot, b, entry));
  WriteSlot(slot, b, second);
  StoreSlotWord(slot.result, first);
  EXPECT_FALSE(ReadSlot(slot, a, entry));
  EXPECT_FALSE(ReadSlot(slot, b, entry));
}

TEST(HashTables, DataWordLayout) {
  const uint32_t data = MakeHashData(0xFFFFFFFF, kBoundLower, true, true);
  EXPECT_EQ(data & kHashMoveMask, 0x1FFFFFu);  // only the low 21 bits of the move
  EXPECT_EQ(HashBoundOf(data), kBoundLower);
  EXPECT_EQ(data >> 25, 0u);
  EXPECT_EQ(MakeHashData(287108, kBoundUpper, false, false), 287108u | (2u << 21));
  // Negative scores and depths come back whole from the packed result.
  const HashEntry entry = UnpackHashResult(PackHashResult(data, -31999, -64));
  EXPECT_EQ(entry.data, data);
  EXPECT_EQ(entry.score, -31999);
  EXPECT_EQ(entry.depth, -64);
}

}  // namespace

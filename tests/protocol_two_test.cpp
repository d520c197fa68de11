// The protocol-2 helpers: what counts as a move-shaped word, the number
// arguments of "time", "otim" and "memory", and the split of a memory budget
// between the two hash tables.
#include <gtest/gtest.h>

#include "eval/pawn_hash.h"
#include "frontend/hash_memory.h"
#include "frontend/protocol_two.h"
#include "search/hash_table.h"

namespace {

TEST(ProtocolTwo, MoveShapedWords) {
  for (const char* word : {"e2e4", "e7e8q", "E2E4", "a1h8", "e2e9x", "h7h8n"})
    EXPECT_EQ(LooksLikeMove(word), std::string(word) != "e2e9x") << word;
  for (const char* word : {"", "e2", "e2e", "i2e4", "e0e4", "O-O", "hint", "ping", "2e4e"})
    EXPECT_FALSE(LooksLikeMove(word)) << word;
}

TEST(ProtocolTwo, KnownCommandWords) {
  for (const char* word : {"sd", "level", "result", "pondering", "time", "memory", "setboard", "accepted"})
    EXPECT_TRUE(IsKnownCommandWord(word)) << word;
  for (const char* word : {"hint", "bk", "SD", "e2e4", "hash", ""}) EXPECT_FALSE(IsKnownCommandWord(word)) << word;
}

TEST(ProtocolTwo, NumberArguments) {
  const NumberArgument plain = ReadNumberArgument("30000");
  EXPECT_TRUE(plain.ok);
  EXPECT_EQ(plain.value, 30000);
  EXPECT_EQ(ReadNumberArgument("-250").value, -250);
  EXPECT_EQ(ReadNumberArgument("2147483647").value, 2147483647);
  for (const char* word : {"99999999999", "2147483648", "-99999999999"}) {
    const NumberArgument n = ReadNumberArgument(word);
    EXPECT_FALSE(n.ok) << word;
    EXPECT_EQ(n.error, "number out of range") << word;
  }
  for (const char* word : {"", "-", "12x", "+5", "1e3", "--5", "x"}) {
    const NumberArgument n = ReadNumberArgument(word);
    EXPECT_FALSE(n.ok) << word;
    EXPECT_EQ(n.error, "not a number") << word;
  }
}

TEST(ProtocolTwo, MemorySplitKeepsTheTotalAndTheDefaultRatio) {
  constexpr uint64_t kMiB = 1048576;
  struct Case {
    uint64_t total, main, pawn;
  };
  const Case cases[] = {
      {24 * kMiB, 16 * kMiB, 8 * kMiB},  // the default sizes exactly
      {64 * kMiB, 32 * kMiB, 16 * kMiB},
      {32 * kMiB, 16 * kMiB, 8 * kMiB},
      {1 * kMiB, 512 * 1024, 256 * 1024},
      {kMinimumHashBytes + kMinimumPawnHashBytes, kMinimumHashBytes, kMinimumPawnHashBytes},
  };
  for (const Case& c : cases) {
    const HashSizes sizes = SplitHashMemory(c.total);
    EXPECT_EQ(sizes.mainBytes, c.main) << c.total;
    EXPECT_EQ(sizes.pawnBytes, c.pawn) << c.total;
  }
  // Every budget from the smallest up: within the total, both tables at
  // least their minimum size, powers of two.
  for (uint64_t total = kMinimumHashBytes + kMinimumPawnHashBytes; total < (uint64_t(1) << 40);
       total = total * 3 / 2 + 1) {
    const HashSizes sizes = SplitHashMemory(total);
    EXPECT_LE(sizes.mainBytes + sizes.pawnBytes, total);
    EXPECT_GE(sizes.mainBytes, kMinimumHashBytes);
    EXPECT_GE(sizes.pawnBytes, kMinimumPawnHashBytes);
    EXPECT_LE(sizes.mainBytes, kMaximumHashBytes);
    EXPECT_LE(sizes.pawnBytes, kMaximumPawnHashBytes);
    EXPECT_EQ(sizes.mainBytes & (sizes.mainBytes - 1), 0u);
    EXPECT_EQ(sizes.pawnBytes & (sizes.pawnBytes - 1), 0u);
  }
  // Too little for the two smallest tables.
  const HashSizes none = SplitHashMemory(kMinimumHashBytes + kMinimumPawnHashBytes - 1);
  EXPECT_EQ(none.mainBytes, 0u);
  EXPECT_EQ(none.pawnBytes, 0u);
}

}  // namespace

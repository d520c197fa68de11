// The protocol-2 helpers: what counts as a move-shaped word and the number
// arguments of "time", "otim" and "memory".
#include <gtest/gtest.h>

#include "frontend/dialect.h"
#include "frontend/protocol_two.h"

namespace {

TEST(ProtocolTwo, MoveShapedWords) {
  for (const char* word : {"e2e4", "e7e8q", "E2E4", "a1h8", "e2e9x", "h7h8n"})
    EXPECT_EQ(LooksLikeMove(word), std::string(word) != "e2e9x") << word;
  for (const char* word : {"", "e2", "e2e", "i2e4", "e0e4", "O-O", "hint", "ping", "2e4e"})
    EXPECT_FALSE(LooksLikeMove(word)) << word;
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

}  // namespace

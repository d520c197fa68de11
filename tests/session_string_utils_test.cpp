// Word splitting, strict number conversion, time texts and the option scan.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "base/protocol_words.h"
#include "session/string_utils.h"

namespace {

using Words = std::vector<std::string>;

TEST(Tokenize, BlankIsTheOnlySeparator) {
  EXPECT_EQ(Tokenize("  go  "), Words{"go"});
  EXPECT_EQ(Tokenize("sd 5"), Words({"sd", "5"}));
  EXPECT_EQ(Tokenize("e2e4\r"), Words{"e2e4\r"});
  EXPECT_EQ(Tokenize("a\tb c"), Words({"a\tb", "c"}));
  EXPECT_TRUE(Tokenize("   ").empty());
  EXPECT_TRUE(Tokenize("").empty());
  Words reused{"old"};
  Tokenize("new words", reused);
  EXPECT_EQ(reused, Words({"new", "words"}));
}

TEST(StringToInt, AcceptsExactDecimalForms) {
  EXPECT_EQ(StringToInt("42"), 42);
  EXPECT_EQ(StringToInt("-42"), -42);
  EXPECT_EQ(StringToInt("007"), 7);
  EXPECT_EQ(StringToInt("000"), 0);
  EXPECT_EQ(StringToInt("0"), 0);
  EXPECT_EQ(StringToInt("-0"), 0);
  EXPECT_EQ(StringToInt("0-5"), -5);
  EXPECT_EQ(StringToInt("2147483647"), 2147483647);
}

TEST(StringToInt, RejectsEverythingElse) {
  for (const char* text : {"+5", " 5", "5 ", "5a", "--5", "-", "", "-5-", "1e3", "99999999999", "0x10", "5\r"})
    EXPECT_THROW(StringToInt(text), string_conversion_error) << "'" << text << "'";
}

TEST(TimeTextToSeconds, MinutesAndSeconds) {
  EXPECT_EQ(TimeTextToSeconds("0"), 10);
  EXPECT_EQ(TimeTextToSeconds("5"), 300);
  EXPECT_EQ(TimeTextToSeconds("0:30"), 30);
  EXPECT_EQ(TimeTextToSeconds("2:05"), 125);
  for (const char* text : {":30", "2:", "x", "", "1:2:3", "99999999", "1:-5", "-1:90", "0:-5"})
    EXPECT_THROW(TimeTextToSeconds(text), string_conversion_error) << "'" << text << "'";
}

TEST(SaturatingAtoi, BehavesLikeAtoiWithoutWrapping) {
  EXPECT_EQ(SaturatingAtoi("42"), 42);
  EXPECT_EQ(SaturatingAtoi("  -7x"), -7);
  EXPECT_EQ(SaturatingAtoi("+3"), 3);
  EXPECT_EQ(SaturatingAtoi("abc"), 0);
  EXPECT_EQ(SaturatingAtoi(""), 0);
  EXPECT_EQ(SaturatingAtoi("99999999999"), 2147483647);
  EXPECT_EQ(SaturatingAtoi("4294967297"), 2147483647);  // atoi would wrap this to 1
  EXPECT_EQ(SaturatingAtoi("-99999999999"), -2147483647 - 1);
}

TEST(ProtocolWords, SpellingsThatThePeersRelyOn) {
  EXPECT_STREQ(Word(kWordCommandNotLegalNow), "command not legal now");
  EXPECT_STREQ(Word(kWordAcceptsRemisOffer), "accepts remis offer");
  EXPECT_STREQ(Word(kWordEngineName), "Ravok");
  EXPECT_STREQ(Word(kWordDrawByAgreement), "draw by mutal agreement");
  EXPECT_STREQ(Word(kWordDrawByFiftyMoveRule), "draw by fifthy move rule");
  EXPECT_STREQ(Word(kWordMoveNow), "?");
  EXPECT_STREQ(ProtocolWords[kProtocolWordCount - 1], "unknown reason");
}

StartupOptions Scan(Words arguments) {
  arguments.insert(arguments.begin(), "ravok");
  return ScanOptions(arguments);
}

TEST(ScanOptions, DefaultsAndSizes) {
  StartupOptions none = Scan({});
  EXPECT_FALSE(none.xboard);
  EXPECT_EQ(none.hashBytes, 16777216u);
  EXPECT_EQ(none.pawnHashBytes, 8388608u);

  StartupOptions all = Scan({"xboard", "hash", "64", "pawnhash", "4"});
  EXPECT_TRUE(all.xboard);
  EXPECT_EQ(all.hashBytes, 67108864u);
  EXPECT_EQ(all.pawnHashBytes, 4194304u);

  EXPECT_EQ(Scan({"hash", "0"}).hashBytes, 16384u);
  EXPECT_EQ(Scan({"hash", "lots"}).hashBytes, 16384u);
  EXPECT_EQ(Scan({"pawnhash", "-1"}).pawnHashBytes, 2048u);
  EXPECT_EQ(Scan({"hash", "8", "hash", "32"}).hashBytes, 33554432u);  // the later one wins
  // Sizes of 2048 MiB and more are kept whole, not wrapped.
  EXPECT_EQ(Scan({"hash", "4096"}).hashBytes, 4096ull * 1048576);
}

TEST(ScanOptions, ConsumptionRules) {
  StartupOptions last = Scan({"xboard", "hash"});
  EXPECT_TRUE(last.xboard);
  EXPECT_EQ(last.hashBytes, 16777216u);  // "hash" as the last word ends the scan

  StartupOptions swallowed = Scan({"hash", "xboard"});
  EXPECT_FALSE(swallowed.xboard);  // "xboard" was taken as the size

  // The usage and version words, anywhere but as a size.
  EXPECT_TRUE(Scan({"xboard", "--help"}).help);
  EXPECT_TRUE(Scan({"-h"}).help);
  EXPECT_TRUE(Scan({"--version", "uci"}).version);
  EXPECT_FALSE(Scan({"hash", "--help"}).help);
  EXPECT_FALSE(Scan({"help", "-help", "--Help", "-v"}).help || Scan({"-version"}).version);
  EXPECT_EQ(swallowed.hashBytes, 16384u);

  EXPECT_FALSE(Scan({"XBOARD"}).xboard);
  EXPECT_TRUE(ScanOptions({"xboard"}).xboard);  // the program name takes part

  // An unknown first word is kept for the start to refuse; the protocol's
  // words in capitals and unknown later words are passed over.
  EXPECT_EQ(Scan({"plya"}).unknownWord, "plya");
  EXPECT_EQ(Scan({"Play", "hash", "8"}).unknownWord, "Play");
  for (Words words : {Words{}, Words{"XBOARD"}, Words{"Hash", "8"}, Words{"p"}, Words{"uci"}, Words{"xboard", "foo"},
                      Words{"hash", "plya"}, Words{"--version"}})
    EXPECT_EQ(Scan(words).unknownWord, "") << words.size();
  EXPECT_EQ(UnknownWordText("plya"), "ravok: unknown word \"plya\"; did you mean play?\n\n" + UsageText());
  EXPECT_EQ(UnknownWordText("XBORD"), "ravok: unknown word \"XBORD\"; did you mean xboard?\n\n" + UsageText());
  EXPECT_EQ(UnknownWordText("foo"), "ravok: unknown word \"foo\"\n\n" + UsageText());
}

}  // namespace

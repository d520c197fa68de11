// Small text utilities of the front end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Thrown when a text is not exactly the decimal form of an integer.
class string_conversion_error {};

// Splits a line into words at blanks (code 32) only; a tab or a carriage
// return belongs to the word it stands in. Empties `words` first.
void Tokenize(const std::string& line, std::vector<std::string>& words);
std::vector<std::string> Tokenize(const std::string& line);

// Splits a line into words at any run of blanks and tabs (UCI's reading:
// interfaces and scripts separate words with either).
std::vector<std::string> TokenizeAtBlanksAndTabs(const std::string& line);

// Strict conversion: "42", "-42", "007", "-0" and "0-5" (leading zeros are
// dropped first) are numbers; "+5", " 5", "5a", "--5", "-" and "" throw.
int StringToInt(const std::string& text);

// A whole number in 64 bits: decimal digits with an optional minus sign
// and nothing else ("+5", "5a", "" and numbers beyond 64 bits give nothing).
std::optional<int64_t> ReadWholeNumber(const std::string& text);

// The time word of "level": "0" is 10 seconds, "5" is minutes, "2:05" is
// minutes and seconds. Throws string_conversion_error for anything else,
// including a negative part of minutes:seconds and a value that does not
// fit 32 bits.
int TimeTextToSeconds(const std::string& text);

// The C library's atoi (leading white space, a sign, digits up to the first
// other character, 0 without digits), but clamped to the range of int
// instead of wrapping on overflow.
int SaturatingAtoi(const std::string& text);

// Seconds with an optional decimal fraction, read the same atoi way
// ("0.1" and "0.1x" are 100, "12abc" is 12000, "abc" is 0), as
// milliseconds: digits beyond the third decimal are dropped, and the value
// is clamped to the range of int seconds.
int64_t SaturatingDecimalMilliseconds(const std::string& text);

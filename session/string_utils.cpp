#include "session/string_utils.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdint>
#include <sstream>

namespace {

void SplitAt(const std::string& line, const char* separators, std::vector<std::string>& words) {
  words.clear();
  size_t start = line.find_first_not_of(separators);
  while (start != std::string::npos) {
    const size_t end = line.find_first_of(separators, start);
    words.emplace_back(line, start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? end : line.find_first_not_of(separators, end);
  }
}

}  // namespace

void Tokenize(const std::string& line, std::vector<std::string>& words) { SplitAt(line, " ", words); }

std::vector<std::string> TokenizeAtBlanksAndTabs(const std::string& line) {
  std::vector<std::string> words;
  SplitAt(line, " \t", words);
  return words;
}

std::vector<std::string> Tokenize(const std::string& line) {
  std::vector<std::string> words;
  Tokenize(line, words);
  return words;
}

int StringToInt(const std::string& text) {
  if (text.empty()) throw string_conversion_error();
  if (text.size() >= 2 && text[0] == '-' && text.find('-', 1) == std::string::npos)
    return -StringToInt(text.substr(1));
  if (text.size() >= 2 && text[0] == '0') {
    size_t first = text.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    return StringToInt(text.substr(first));
  }
  std::istringstream in(text);
  int value = 0;
  in >> value;
  std::ostringstream out;
  out << value;
  if (out.str() != text) throw string_conversion_error();
  return value;
}

int TimeTextToSeconds(const std::string& text) {
  if (text == "0") return 10;
  int64_t seconds;
  size_t colon = text.find(':');
  if (colon == std::string::npos) {
    seconds = int64_t(StringToInt(text)) * 60;
  } else {
    // Minutes and seconds are counts: a sign inside ("1:-5") is no time.
    const int minutes = StringToInt(text.substr(0, colon)), rest = StringToInt(text.substr(colon + 1));
    if (minutes < 0 || rest < 0) throw string_conversion_error();
    seconds = int64_t(minutes) * 60 + rest;
  }
  if (seconds < INT_MIN || seconds > INT_MAX) throw string_conversion_error();
  return int(seconds);
}

int SaturatingAtoi(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t(INT_MAX) + 1) value = int64_t(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return int(value);
}

int64_t SaturatingDecimalMilliseconds(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  const size_t signEnd = i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
  const int64_t whole = SaturatingAtoi(text.substr(i));
  int64_t fraction = 0;
  size_t j = text.find_first_not_of("0123456789", signEnd);
  if (j != std::string::npos && text[j] == '.') {
    int64_t scale = 100;
    for (++j; j < text.size() && text[j] >= '0' && text[j] <= '9' && scale > 0; ++j, scale /= 10)
      fraction += (text[j] - '0') * scale;
  }
  const bool negative = signEnd > i && text[i] == '-';
  return whole * 1000 + (negative ? -fraction : fraction);
}

std::optional<int64_t> ReadWholeNumber(const std::string& text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

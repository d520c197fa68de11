#include "uci/uci_options.h"

#include <algorithm>
#include <cctype>

#include "session/string_utils.h"

namespace {

enum class OptionType { kSpin, kCheck, kButton, kCombo };

struct OptionDefinition {
  UciOptionId id;
  const char* name;
  OptionType type;
  int64_t minimum;
  int64_t maximum;
};

constexpr OptionDefinition kOptions[] = {
    {UciOptionId::kHash, "Hash", OptionType::kSpin, kMinimumHashMebibytes, kMaximumHashMebibytes},
    {UciOptionId::kClearHash, "Clear Hash", OptionType::kButton, 0, 0},
    {UciOptionId::kPonder, "Ponder", OptionType::kCheck, 0, 1},
    {UciOptionId::kMoveOverhead, "Move Overhead", OptionType::kSpin, 0, kMaximumMoveOverhead},
    {UciOptionId::kTimeRule, "Time Rule", OptionType::kCombo, int64_t(TimeRule::kClassic), int64_t(TimeRule::kIncrement)},
};

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

int64_t CurrentValue(UciOptionId id, const UciSettings& settings) {
  switch (id) {
    case UciOptionId::kHash: return settings.hashMebibytes;
    case UciOptionId::kPonder: return settings.ponder ? 1 : 0;
    case UciOptionId::kMoveOverhead: return settings.moveOverhead;
    case UciOptionId::kTimeRule: return int64_t(settings.timeRule);
    case UciOptionId::kClearHash: break;
  }
  return 0;
}

std::string OptionLine(const OptionDefinition& option, const UciSettings& settings) {
  std::string line = std::string("option name ") + option.name + " type ";
  const int64_t value = CurrentValue(option.id, settings);
  switch (option.type) {
    case OptionType::kSpin:
      return line + "spin default " + std::to_string(value) + " min " + std::to_string(option.minimum) + " max " +
             std::to_string(option.maximum);
    case OptionType::kCheck: return line + "check default " + (value != 0 ? "true" : "false");
    case OptionType::kCombo: {
      line += "combo default " + std::string(TimeRuleName(TimeRule(value)));
      for (int64_t choice = option.minimum; choice <= option.maximum; ++choice)
        line += " var " + std::string(TimeRuleName(TimeRule(choice)));
      return line;
    }
    case OptionType::kButton: break;
  }
  return line + "button";
}

// The words from `first` up to (not including) `last`, joined by blanks.
std::string Joined(const std::vector<std::string>& words, size_t first, size_t last) {
  std::string text;
  for (size_t i = first; i < last; ++i) text += (i > first ? " " : "") + words[i];
  return text;
}

// The value text read for the option's type.
OptionChange ReadValue(const OptionDefinition& option, const std::string& text, bool given) {
  OptionChange change;
  change.id = option.id;
  const std::string named = std::string("option ") + option.name;
  if (option.type == OptionType::kButton) {
    change.ok = true;
    return change;
  }
  if (!given) {
    change.problem = named + " needs a value";
    return change;
  }
  if (option.type == OptionType::kCheck) {
    const std::string lowered = Lowered(text);
    change.ok = lowered == "true" || lowered == "false";
    change.value = lowered == "true" ? 1 : 0;
    if (!change.ok) change.problem = named + ": value " + text + " is neither true nor false";
    return change;
  }
  if (option.type == OptionType::kCombo) {
    TimeRule rule = TimeRule::kClassic;
    change.ok = TimeRuleOfName(Lowered(text), rule);
    change.value = int64_t(rule);
    if (!change.ok) change.problem = named + ": value " + text + " is neither classic nor increment";
    return change;
  }
  const auto n = ReadWholeNumber(text);
  change.ok = n && *n >= option.minimum && *n <= option.maximum;
  if (change.ok)
    change.value = *n;
  else
    change.problem = named + ": value " + text + " is not a whole number from " + std::to_string(option.minimum) +
                     " to " + std::to_string(option.maximum);
  return change;
}

}  // namespace

std::vector<std::string> OptionLines(const UciSettings& settings) {
  std::vector<std::string> lines;
  for (const OptionDefinition& option : kOptions) lines.push_back(OptionLine(option, settings));
  return lines;
}

OptionChange ReadSetOption(const std::vector<std::string>& words) {
  OptionChange change;
  if (words.size() < 3 || words[1] != "name") {
    change.problem = "setoption needs: setoption name <name> [value <value>]";
    return change;
  }
  const auto valueWord = std::find(words.begin() + 2, words.end(), "value");
  const size_t nameEnd = size_t(valueWord - words.begin());
  const std::string name = Joined(words, 2, nameEnd);
  const bool given = valueWord != words.end();
  const std::string value = given ? Joined(words, nameEnd + 1, words.size()) : "";
  for (const OptionDefinition& option : kOptions)
    if (Lowered(name) == Lowered(option.name)) return ReadValue(option, value, given);
  change.problem = "no option named " + name;
  return change;
}

#include "uci/uci_options.h"

#include <algorithm>

namespace {

std::string OptionLine(const OptionEntry& option, int64_t value) {
  const std::string line = "option name " + std::string(option.name) + " type ";
  switch (option.kind) {
    case OptionKind::kSpin:
      return line + "spin default " + std::to_string(value) + " min " + std::to_string(option.minimum) + " max " +
             std::to_string(option.maximum);
    case OptionKind::kCheck: return line + "check default " + (value != 0 ? "true" : "false");
    case OptionKind::kCombo: {
      std::string combo = line + "combo default " + std::string(option.choices[size_t(value)]);
      for (const std::string_view choice : option.choices) combo += " var " + std::string(choice);
      return combo;
    }
    case OptionKind::kButton: break;
  }
  return line + "button";
}

// The words from `first` up to (not including) `last`, joined by blanks.
std::string Joined(const std::vector<std::string>& words, size_t first, size_t last) {
  std::string text;
  for (size_t i = first; i < last; ++i) text += (i > first ? " " : "") + words[i];
  return text;
}

// "classic nor increment", or "a, b or c" for more choices.
std::string ChoicesText(const OptionEntry& option) {
  std::string text;
  for (size_t i = 0; i < option.choices.size(); ++i) {
    const bool last = i + 1 == option.choices.size();
    text += (i == 0 ? ""
             : last ? (option.choices.size() == 2 ? " nor " : " or ")
                    : ", ") +
            std::string(option.choices[i]);
  }
  return (option.choices.size() == 2 ? "neither " : "none of ") + text;
}

// The value text read for the option's kind.
OptionSetting ReadValue(const OptionEntry& option, const std::string& text, bool given) {
  OptionSetting change;
  const std::string named = "option " + std::string(option.name);
  std::optional<int64_t> value = 0;
  std::string refusal;
  switch (option.kind) {
    case OptionKind::kButton: break;
    case OptionKind::kCheck: {
      const std::string lowered = Lowered(text);
      value = lowered == "true"    ? std::optional<int64_t>(1)
              : lowered == "false" ? std::optional<int64_t>(0)
                                   : std::nullopt;
      refusal = "is neither true nor false";
      break;
    }
    case OptionKind::kCombo:
      value = ChoiceValue(option, text, true);
      refusal = "is " + ChoicesText(option);
      break;
    case OptionKind::kSpin:
      value = SpinValue(option, text);
      refusal =
          "is not a whole number from " + std::to_string(option.minimum) + " to " + std::to_string(option.maximum);
      break;
  }
  if (option.kind != OptionKind::kButton && !given) {
    change.problem = named + " needs a value";
  } else if (!value) {
    change.problem = named + ": value " + text + " " + refusal;
  } else {
    change.option = &option;
    change.value = *value;
  }
  return change;
}

}  // namespace

std::vector<std::string> OptionLines(const OptionHost& host) {
  std::vector<std::string> lines;
  for (const OptionEntry& option : Options()) lines.push_back(OptionLine(option, option.read(host)));
  return lines;
}

OptionSetting ReadSetOption(const std::vector<std::string>& words) {
  if (words.size() < 3 || words[1] != "name")
    return OptionSetting{nullptr, 0, "setoption needs: setoption name <name> [value <value>]"};
  const auto valueWord = std::find(words.begin() + 2, words.end(), "value");
  const size_t nameEnd = size_t(valueWord - words.begin());
  const std::string name = Joined(words, 2, nameEnd);
  const bool given = valueWord != words.end();
  const std::string value = given ? Joined(words, nameEnd + 1, words.size()) : "";
  if (const OptionEntry* option = FindOption(name, true)) return ReadValue(*option, value, given);
  return OptionSetting{nullptr, 0, "no option named " + name};
}

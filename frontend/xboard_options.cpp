#include "frontend/xboard_options.h"

#include "base/protocol_words.h"

namespace {

std::string FeatureText(const OptionEntry& option, int64_t value) {
  std::string text = std::string(option.name) + " ";
  switch (option.kind) {
    case OptionKind::kSpin:
      return text + "-spin " + std::to_string(value) + " " + std::to_string(option.minimum) + " " +
             std::to_string(option.maximum);
    case OptionKind::kCheck: return text + "-check " + (value != 0 ? "1" : "0");
    case OptionKind::kButton: return text + "-button";
    case OptionKind::kCombo: break;
  }
  text += "-combo";
  for (size_t i = 0; i < option.choices.size(); ++i)
    text += std::string(i == 0 ? " " : " /// ") + (int64_t(i) == value ? "*" : "") + std::string(option.choices[i]);
  return text;
}

}  // namespace

std::vector<std::string> OptionFeatureLines(const OptionHost& host) {
  std::vector<std::string> lines;
  for (const OptionEntry& option : Options())
    if (!option.uciOnly) lines.push_back("feature option=\"" + FeatureText(option, option.read(host)) + "\"");
  return lines;
}

std::optional<int64_t> XboardOptionValue(const OptionEntry& option, const std::string& text) {
  switch (option.kind) {
    case OptionKind::kSpin: return SpinValue(option, text);
    case OptionKind::kCheck:
      if (text == "0" || text == "1") return text == "1";
      return std::nullopt;
    case OptionKind::kCombo: return ChoiceValue(option, text, false);
    case OptionKind::kButton: break;
  }
  return 0;
}

OptionSetting ReadOptionCommand(const std::vector<std::string>& words) {
  // The name may hold blanks, so the words are joined again before the
  // split at the equals sign.
  std::string setting;
  for (size_t i = 1; i < words.size(); ++i) setting += (i > 1 ? " " : "") + words[i];
  const size_t equals = setting.find('=');
  const OptionEntry* option = FindOption(setting.substr(0, equals), false);
  if (!option || option->uciOnly) return OptionSetting{nullptr, 0, "unknown option"};
  if (option->kind == OptionKind::kButton) return OptionSetting{option, 0, ""};
  const std::optional<int64_t> value =
      equals == std::string::npos ? std::nullopt : XboardOptionValue(*option, setting.substr(equals + 1));
  if (!value) return OptionSetting{nullptr, 0, Word(kWordInvalidCommand)};
  return OptionSetting{option, *value, ""};
}

#include "play/levels.h"

#include "search/strength.h"
#include "session/string_utils.h"

int FullLevel() { return int(StrengthLevels().size()) + 1; }

std::optional<int> ReadLevel(const std::string& word) {
  if (word == "full" || word == "max") return FullLevel();
  const std::optional<int64_t> n = ReadWholeNumber(word);
  if (!n || *n < 1 || *n > FullLevel()) return std::nullopt;
  return int(*n);
}

void SetLevel(SessionSettings& settings, int level) {
  settings.limitStrength = level < FullLevel();
  if (settings.limitStrength) settings.strengthElo = StrengthLevels()[size_t(level - 1)].elo;
}

int LevelOf(const SessionSettings& settings) {
  if (!settings.limitStrength) return FullLevel();
  // The highest step at or below the setting's Elo (an Elo set through the
  // options may lie between two steps).
  int level = 1;
  for (const StrengthLevel& step : StrengthLevels())
    if (step.elo <= settings.strengthElo) level = int(&step - StrengthLevels().data()) + 1;
  return level;
}

namespace {

// "about 1070 Elo", "full strength".
std::string Strength(int level) {
  if (level >= FullLevel()) return "full strength";
  return "about " + std::to_string(StrengthLevels()[size_t(level - 1)].elo) + " Elo";
}

}  // namespace

std::string LevelName(int level) { return "level " + std::to_string(level) + " (" + Strength(level) + ")"; }

std::vector<std::string> LevelLines(int current) {
  std::vector<std::string> lines;
  for (int level = 1; level <= FullLevel(); ++level) {
    const std::string number = std::to_string(level);
    lines.push_back((level == current ? "* " : "  ") + std::string(3 - number.size(), ' ') + number + "  " +
                    Strength(level));
  }
  return lines;
}

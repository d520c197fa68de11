// The play mode's levels of strength: the steps of kStrengthLevels, level 1
// the weakest, and above them the full level, the engine unchanged. A level
// is the session's strength settings (limitStrength and strengthElo), so
// GameSession::LimitsForMove applies it to Ravok's searches.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/settings.h"

// The number of the full level: one above the last step.
int FullLevel();

// The level that the words name: a number from 1 to FullLevel(), or
// "full" / "max"; nothing otherwise.
std::optional<int> ReadLevel(const std::string& word);

// Sets the settings to the level (1..FullLevel()).
void SetLevel(SessionSettings& settings, int level);
// The level the settings stand at: the step whose Elo they name, the full
// level when the strength is not limited.
int LevelOf(const SessionSettings& settings);

// "level 3 (about 1070 Elo)", "level 10 (full strength)".
std::string LevelName(int level);
// Every level on a line of its own, "   3  about 1070 Elo", the current one
// marked with a star in front.
std::vector<std::string> LevelLines(int current);

// The options table: every option a dialogue offers, once, with its kind,
// range or choices, the value it starts with in each dialogue and what it
// sets. UCI shows it as its "option" lines and applies "setoption"; xboard
// announces it with "feature option=" lines and applies "option NAME=VALUE".
// A new option is one more entry here, plus the setting it drives.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "search/engine.h"
#include "session/settings.h"

enum class OptionKind { kSpin, kCheck, kButton, kCombo };

// What an option works on: the engine and the dialogue's settings.
struct OptionHost {
  Engine& engine;
  SessionSettings& settings;
};

// What became of a value given to an option.
enum class OptionOutcome {
  kDone,
  kNoMemory,       // the engine cannot have that size: everything stays
  kSearchRunning,  // it must wait until the search has ended
};

struct OptionEntry {
  std::string_view name;
  OptionKind kind;
  // A spin's range; a check is 0 or 1; a combo's value is the index of its
  // choice; a button has no value.
  int64_t minimum = 0;
  int64_t maximum = 0;
  std::span<const std::string_view> choices = {};
  // The value the option starts with in each dialogue; none where the
  // engine decides (the tables' size) or for a button.
  std::optional<int64_t> consoleStart = std::nullopt;
  std::optional<int64_t> uciStart = std::nullopt;
  // Only UCI announces and takes it (its meaning is UCI's own).
  bool uciOnly = false;
  // The value as it stands (what the dialogues announce as the default),
  // and what setting a value does.
  int64_t (*read)(const OptionHost&) = nullptr;
  OptionOutcome (*write)(OptionHost&, int64_t) = nullptr;
};

// A value read for an option in a dialogue's form: the option and its
// value (the number of a spin, 1 or 0 for a check, the choice's index for a
// combo, 0 for a button), or the dialogue's reason for refusing it.
struct OptionSetting {
  const OptionEntry* option = nullptr;  // none when refused
  int64_t value = 0;
  std::string problem;
};

// Every option, in the order the dialogues announce them.
std::span<const OptionEntry> Options();

// The option of that name; UCI's names are matched without regard to case,
// xboard's exactly. Nothing for an unknown name.
const OptionEntry* FindOption(std::string_view name, bool ignoreCase);

// Gives every option that has one its starting value for the dialogue.
void StartOptions(OptionHost host, Dialogue dialogue);

// The value a text gives a spin: a whole number within its range.
std::optional<int64_t> SpinValue(const OptionEntry& option, const std::string& text);
// The index of the choice a text names (`ignoreCase`: UCI's reading).
std::optional<int64_t> ChoiceValue(const OptionEntry& option, std::string_view text, bool ignoreCase);

// The text in lower case, for the names and words UCI reads without regard
// to case.
std::string Lowered(std::string_view text);

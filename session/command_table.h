// The machinery of a dialogue's command table: for each command word, what
// it does while no search runs and while one does, and which dialogues take
// it. A dialogue keeps its table as an array of Command entries over its
// own context, and hands each line's words to RunCommand.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using WordList = std::vector<std::string>;

// The dialogues, as bits of a command's `dialogues`.
enum DialogueBit : uint8_t { kConsoleBit = 1, kXboardBit = 2, kUciBit = 4, kPlayBit = 8 };
inline constexpr uint8_t kConsoleAndXboard = kConsoleBit | kXboardBit;

// Whether a search runs when the command arrives.
enum class CommandState { kIdle, kSearching };

template <typename Context>
struct Command {
  // What the command does with its words (the command word first). False
  // when they cannot be used as the command: the dialogue then reads them
  // as it reads any other unknown line.
  using Action = bool (*)(Context&, const WordList&);

  std::string_view word;
  Action idle;
  Action searching;  // empty: the same as idle
  uint8_t dialogues = kConsoleAndXboard;
};

// The command the word names in the dialogue, or none.
template <typename Context>
const Command<Context>* FindCommand(std::span<const Command<Context>> table, std::string_view word, uint8_t dialogue) {
  for (const Command<Context>& command : table)
    if (command.word == word && (command.dialogues & dialogue) != 0) return &command;
  return nullptr;
}

// Runs the command the first word names, as it runs in `state`. False when
// no command takes the words (also for an empty line).
template <typename Context>
bool RunCommand(std::span<const Command<Context>> table, Context& context, const WordList& words, CommandState state,
                uint8_t dialogue) {
  if (words.empty()) return false;
  const Command<Context>* command = FindCommand(table, words.front(), dialogue);
  if (command == nullptr) return false;
  const typename Command<Context>::Action action =
      state == CommandState::kSearching && command->searching != nullptr ? command->searching : command->idle;
  return action(context, words);
}

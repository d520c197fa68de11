// The machinery of a dialogue's command table: for each command word, what
// it does while no search runs and while one does. A dialogue keeps its
// table as an array of Command entries over its own context, and hands each
// line's words to RunCommand.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

using WordList = std::vector<std::string>;

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
  Action searching = nullptr;  // empty: the same as idle
};

// The command the word names, or none.
template <typename Context>
const Command<Context>* FindCommand(std::span<const Command<Context>> table, std::string_view word) {
  for (const Command<Context>& command : table)
    if (command.word == word) return &command;
  return nullptr;
}

// Runs the command the first word names, as it runs in `state`. False when
// no command takes the words (also for an empty line).
template <typename Context>
bool RunCommand(std::span<const Command<Context>> table, Context& context, const WordList& words, CommandState state) {
  if (words.empty()) return false;
  const Command<Context>* command = FindCommand(table, words.front());
  if (command == nullptr) return false;
  const typename Command<Context>::Action action =
      state == CommandState::kSearching && command->searching != nullptr ? command->searching : command->idle;
  return action(context, words);
}

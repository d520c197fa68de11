// The console and xboard dialogue's command table: every command word, what
// it does while the dialogue is idle and while a search runs, and which
// dialogues take it. A line whose first word no command takes is a move.
#pragma once

#include <span>
#include <string>

#include "frontend/dialect.h"
#include "session/command_table.h"

class Communicator;

using DialogueCommand = Command<Communicator>;

std::span<const DialogueCommand> DialogueCommands();

// The command table's bit of the dialogue the dialect speaks.
inline uint8_t DialogueBitOf(const Dialect& dialect) { return dialect.Xboard() ? kXboardBit : kConsoleBit; }

// A word the table knows: a known command with unusable arguments is
// answered differently from an unknown word.
bool IsKnownCommandWord(const std::string& word);

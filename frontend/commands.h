// The console and xboard dialogue's command table: every command word and
// what it does while the dialogue is idle and while a search runs. A line
// whose first word no command takes is a move.
#pragma once

#include <span>
#include <string>

#include "session/command_table.h"

class Communicator;

using DialogueCommand = Command<Communicator>;

std::span<const DialogueCommand> DialogueCommands();

// A word the table knows: a known command with unusable arguments is
// answered differently from an unknown word.
bool IsKnownCommandWord(const std::string& word);

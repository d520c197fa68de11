// The play mode's command table: each command's word (and the aliases
// people know from other terminal chess programs), what it does while the
// person is to move, and what it does while Ravok thinks on its move:
// answered at once, kept for after Ravok's move, or the search stopped for
// it.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "session/command_table.h"

class PlaySession;

std::span<const Command<PlaySession>> PlayCommands();

// "help": a line for each command.
std::vector<std::string> PlayHelpLines();

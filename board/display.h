// The text display of a game position.
#pragma once

#include <iosfwd>

#include "board/game.h"

// Prints the framed board, rank 8 at the top, and flushes.
void Display(const GamePosition& position, std::ostream& out);

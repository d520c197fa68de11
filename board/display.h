// The text display of a game position.
#pragma once

#include <iosfwd>

#include "board/comm_board.h"

// Prints the framed board, rank 8 at the top, and flushes.
void Display(const CommBoardRepresentation& position, std::ostream& out);

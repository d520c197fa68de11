// Input lines for the command loop and for the polls during a search.
#pragma once

#include <string>

// Never blocks: true when a whole input line is waiting, or when the input
// has ended (the next ReadInputLine then ends the program). Characters that
// already arrived are collected, so a half line neither blocks the search
// nor counts as a line. On its first call the interrupt signal is set to be
// ignored.
bool InputAvailable();

// The next input line without its line end; waits for it. At the end of the
// input or on a read error the program ends at once with status 0 (a last
// line without a line end is still returned first).
std::string ReadInputLine();

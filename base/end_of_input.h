// The end of the input: thrown by whatever reads the engine's input lines
// when there are none left, and caught where the program (or a session) ends.
#pragma once

struct end_of_input {};

// Ravok: a chess engine for the console, the xboard protocol and UCI.
#include <string>

#include "app/startup.h"
#include "base/fatal_error.h"
#include "board/game.h"

int main(int argc, char** argv) {
  try {
    return RunEngine(argc, argv);
  } catch (const GameError& e) {
    FatalError("exception caught: " + e.message());
  }
}

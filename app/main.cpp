// Ravok: a chess engine for the console, the xboard protocol and UCI.
#include <string>

#include "app/startup.h"
#include "base/fatal_error.h"
#include "board/comm_board.h"

int main(int argc, char** argv) {
  try {
    return RunEngine(argc, argv);
  } catch (const CommBoard::CommBoardException& e) {
    FatalError("exception caught: " + e.message());
  }
}

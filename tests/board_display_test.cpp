// The board display of the console's "display" and edit dialogue.
#include <gtest/gtest.h>

#include <sstream>

#include "board/display.h"
#include "board_test_util.h"

using namespace board_test;

namespace {

const char* const kInitialDisplay =
    "    +---+---+---+---+---+---+---+---+\n"
    "  8 | R | N | B | Q | K | B | N | R |\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  7 | P | P | P | P | P | P | P | P |\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  6 |   |   |   |   |   |   |   |   |\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  5 |   |   |   |   |   |   |   |   |\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  4 |   |   |   |   |   |   |   |   |\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  3 |   |   |   |   |   |   |   |   |\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  2 | *P| *P| *P| *P| *P| *P| *P| *P|\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "  1 | *R| *N| *B| *Q| *K| *B| *N| *R|\n"
    "    +---+---+---+---+---+---+---+---+\n"
    "      a   b   c   d   e   f   g   h\n";

std::string DisplayText(const GamePosition& p) {
  std::ostringstream out;
  Display(p, out);
  return out.str();
}

TEST(Display, InitialPosition) { EXPECT_EQ(DisplayText(GamePosition::Initial()), kInitialDisplay); }

}  // namespace

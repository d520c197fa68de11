// The text display of a game position.
#include "board/display.h"

#include <ostream>

namespace {

constexpr const char* kFrameLine = "    +---+---+---+---+---+---+---+---+";

}  // namespace

void Display(const GamePosition& position, std::ostream& out) {
  for (int rank = 7; rank >= 0; --rank) {
    out << kFrameLine << '\n' << "  " << char('1' + rank) << " |";
    for (int file = 0; file < 8; ++file) {
      const int code = position.squares[MakeSquare(file, rank)];
      const int type = code < 0 ? -code : code;
      const char letter = type <= kKing ? kPieceLetters[type] : '?';
      // White pieces carry a star before the letter, Black's a blank after.
      if (code > 0)
        out << " *" << letter << '|';
      else if (code < 0)
        out << ' ' << letter << " |";
      else
        out << "   |";
    }
    out << '\n';
  }
  out << kFrameLine << '\n' << "      a   b   c   d   e   f   g   h" << '\n';
  out.flush();
}

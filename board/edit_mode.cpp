// The edit dialogue: pieces placed square by square, the xboard way ("#",
// "c", "." and piece words) plus "display", "verify" and "end".
#include <cstdlib>
#include <istream>
#include <ostream>

#include "base/end_of_input.h"
#include "base/protocol_words.h"
#include "board/game.h"
#include "board/display.h"
#include "board/moves.h"

namespace {

// Longest part of an edit line that is kept; the rest of the line is read
// and dropped.
constexpr std::size_t kMaxEditLine = 255;

// Reads one line, keeping at most kMaxEditLine characters, drops a carriage
// return before the line end and trims blanks (spaces only) from both ends.
// False at the end of the input.
bool ReadEditLine(std::istream& in, std::string& line) {
  line.clear();
  std::istream::int_type c = in.get();
  if (c == std::istream::traits_type::eof()) return false;
  for (; c != std::istream::traits_type::eof() && c != '\n'; c = in.get())
    if (line.size() < kMaxEditLine) line += char(c);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const std::size_t begin = line.find_first_not_of(' ');
  if (begin == std::string::npos) {
    line.clear();
  } else {
    line.erase(line.find_last_not_of(' ') + 1);
    line.erase(0, begin);
  }
  return true;
}

// Piece code of an edit line's first letter (either case), "X" 0 for an
// empty square; -1 for any other letter.
int CodeOfEditLetter(char letter) {
  switch (letter) {
    case 'P': case 'p': return kPawn;
    case 'N': case 'n': return kKnight;
    case 'B': case 'b': return kBishop;
    case 'R': case 'r': return kRook;
    case 'Q': case 'q': return kQueen;
    case 'K': case 'k': return kKing;
    case 'X': case 'x': return kEmpty;
    default: return -1;
  }
}

// A piece line ("Pe4", "xe4", more characters ignored) puts the piece of
// the colour being placed on the square. False when the line is none.
bool PlacePiece(const std::string& line, int colour, GamePosition& p) {
  if (line.size() <= 2) return false;
  const int type = CodeOfEditLetter(line[0]);
  Square square = 0;
  if (type < 0 || !ReadSquareName(line[1], line[2], square)) return false;
  p.squares[square] = int8_t(colour == kWhite ? type : -type);
  return true;
}

}  // namespace

// The dialogue works on a copy of the current position and changes the game
// only when it ends with a valid position, which then restarts the game
// record (start = current, no moves) and gets the game-over test. A failed
// end leaves the game as it was. The end of the input ends the program, as
// it does in the command loop.
void Game::EditPosition(std::istream& in, std::ostream& out, bool console) {
  GamePosition edited = currentPosition;
  int colour = kWhite;
  bool showBoard = true;
  std::string line;
  for (;;) {
    // Castling follows the placement; no en passant, no move count.
    edited.whiteCastling = edited.CastlingRightsOfPlacement(kWhite);
    edited.blackCastling = edited.CastlingRightsOfPlacement(kBlack);
    edited.epSquare = 0;
    edited.halfMoveCounter = 0;

    // Board and prompt, for the console only.
    if (console) {
      if (showBoard) Display(edited, out);
      out << Word(kWordEdit) << "(" << Word(colour == kWhite ? kWordWhite : kWordBlack) << "): ";
      out.flush();
      showBoard = false;
    }

    if (!ReadEditLine(in, line)) {
      out.flush();
      throw end_of_input();
    }

    if (line == "." || IsWord(line, kWordEnd)) {
      if (!edited.IsValidPosition()) throw GameError("invalid position.");
      SetupPosition(edited);
      return;
    }
    if (line == "#") {
      for (int8_t& square : edited.squares) square = 0;
      showBoard = true;
    } else if (line == "c") {
      colour = 1 - colour;
    } else if (IsWord(line, kWordDisplay)) {
      Display(edited, out);
    } else if (IsWord(line, kWordVerify)) {
      out << Word(kWordCurrentPositionIs) << " " << (edited.IsValidPosition() ? "" : std::string(Word(kWordNot)) + " ")
          << Word(kWordCorrect) << "." << std::endl;
    } else if (PlacePiece(line, colour, edited)) {
      showBoard = true;
    } else {
      out << Word(kWordError) << " (" << Word(kWordInvalidCommand) << "): " << line << std::endl;
    }
  }
}

#include "frontend/edit_dialogue.h"

#include <ostream>
#include <span>

#include "base/protocol_words.h"
#include "board/display.h"
#include "board/moves.h"
#include "session/command_table.h"
#include "session/line_input.h"

namespace {

// Longest part of an edit line that is kept; the rest of the line is
// dropped.
constexpr std::size_t kMaxEditLine = 255;

// The position being edited, the colour being placed and what the
// dialogue shows.
struct Edit {
  GamePosition position;
  std::ostream& out;
  int colour = kWhite;
  bool showBoard = true;
  bool finished = false;
};

// The line as the dialogue reads it: at most kMaxEditLine characters,
// blanks (spaces only) trimmed from both ends.
std::string EditLine(std::string line) {
  if (line.size() > kMaxEditLine) line.resize(kMaxEditLine);
  const std::size_t begin = line.find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  return line.substr(begin, line.find_last_not_of(' ') + 1 - begin);
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
bool PlacePiece(Edit& edit, const std::string& line) {
  if (line.size() <= 2) return false;
  const int type = CodeOfEditLetter(line[0]);
  Square square = 0;
  if (type < 0 || !ReadSquareName(line[1], line[2], square)) return false;
  edit.position.squares[square] = int8_t(edit.colour == kWhite ? type : -type);
  edit.showBoard = true;
  return true;
}

// The commands: each takes the whole line as its word.
constexpr Command<Edit> kEditCommands[] = {
    {"#",
     [](Edit& e, const WordList&) {
       for (int8_t& square : e.position.squares) square = 0;
       return e.showBoard = true;
     }},
    {"c", [](Edit& e, const WordList&) { return e.colour = 1 - e.colour, true; }},
    {".", [](Edit& e, const WordList&) { return e.finished = true; }},
    {"end", [](Edit& e, const WordList&) { return e.finished = true; }},
    {"display",
     [](Edit& e, const WordList&) {
       Display(e.position, e.out);
       return true;
     }},
    {"verify",
     [](Edit& e, const WordList&) {
       e.out << Word(kWordCurrentPositionIs) << " "
             << (e.position.IsValidPosition() ? "" : std::string(Word(kWordNot)) + " ") << Word(kWordCorrect) << "."
             << std::endl;
       return true;
     }},
};

}  // namespace

bool EditGame(Game& game, LineReader& input, std::ostream& out, bool interactive) {
  Edit edit{game.currentPosition, out};
  while (!edit.finished) {
    // Castling follows the placement; no en passant, no move count.
    GamePosition& p = edit.position;
    p.whiteCastling = p.CastlingRightsOfPlacement(kWhite);
    p.blackCastling = p.CastlingRightsOfPlacement(kBlack);
    p.epSquare = 0;
    p.halfMoveCounter = 0;
    if (interactive) {
      if (edit.showBoard) Display(p, out);
      out << Word(kWordEdit) << "(" << Word(edit.colour == kWhite ? kWordWhite : kWordBlack) << "): ";
      out.flush();
      edit.showBoard = false;
    }
    std::string line;
    try {
      line = EditLine(input.ReadLine());
    } catch (...) {
      out.flush();
      throw;
    }
    if (!RunCommand(std::span<const Command<Edit>>(kEditCommands), edit, WordList{line}, CommandState::kIdle) &&
        !PlacePiece(edit, line))
      out << Word(kWordError) << " (" << Word(kWordInvalidCommand) << "): " << line << std::endl;
  }
  if (!edit.position.IsValidPosition()) return false;
  game.SetupPosition(edit.position);
  return true;
}

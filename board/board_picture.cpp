// The board picture: one line per rank, three characters per square.
#include "board/board_picture.h"

namespace {

// The symbol of a piece code (White positive) or of an empty square.
std::string Glyph(int code, PieceGlyphs glyphs) {
  const int type = code < 0 ? -code : code;
  if (glyphs == PieceGlyphs::kAscii) {
    if (code == 0) return ".";
    return std::string(1, code > 0 ? kPieceLetters[type] : char(kPieceLetters[type] - 'A' + 'a'));
  }
  if (code == 0) return "\u00b7";
  // White's king is U+2654, then queen, rook, bishop, knight and pawn;
  // Black's run from U+265A in the same order.
  static const char* const kSymbols[2][7] = {{"", "\u2659", "\u2658", "\u2657", "\u2656", "\u2655", "\u2654"},
                                             {"", "\u265f", "\u265e", "\u265d", "\u265c", "\u265b", "\u265a"}};
  return kSymbols[code < 0][type];
}

std::string FileLine(int viewSide) {
  std::string line = "  ";
  for (int i = 0; i < 8; ++i) {
    line += ' ';
    line += char(viewSide == kWhite ? 'a' + i : 'h' - i);
    line += ' ';
  }
  line.pop_back();
  return line;
}

}  // namespace

std::vector<std::string> BoardPicture(const GamePosition& p, int viewSide, Move lastMove, PieceGlyphs glyphs) {
  const bool white = viewSide == kWhite;
  std::vector<std::string> lines = {FileLine(viewSide)};
  for (int row = 0; row < 8; ++row) {
    const int rank = white ? 7 - row : row;
    const char label = char('1' + rank);
    std::string line = {label, ' '};
    for (int column = 0; column < 8; ++column) {
      const Square s = MakeSquare(white ? column : 7 - column, rank);
      const bool marked = lastMove != 0 && (s == MoveFrom(lastMove) || s == MoveTo(lastMove));
      line += marked ? '[' : ' ';
      line += Glyph(p.squares[s], glyphs);
      line += marked ? ']' : ' ';
    }
    line += ' ';
    line += label;
    lines.push_back(line);
  }
  lines.push_back(lines.front());
  return lines;
}

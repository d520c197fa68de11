// The board as lines of text for a person at a terminal.
#pragma once

#include <string>
#include <vector>

#include "board/game.h"

enum class PieceGlyphs {
  kUnicode,  // the chess symbols U+2654..U+265F, "·" on an empty square
  kAscii,    // letters, upper case White and lower case Black, "." empty
};

// Ten lines: file letters, the eight ranks between their rank numbers, file
// letters again, seen from `viewSide`'s end of the board (White: rank 8 at
// the top and the a-file on the left; Black: rank 1 at the top and the
// h-file on the left). Each square is three characters, its piece between
// two blanks; the from- and to-square of `lastMove` (0: none) stand between
// brackets instead, "[P]" and "[.]". Lines carry no trailing blanks and no
// colour codes; the Unicode form is UTF-8.
std::vector<std::string> BoardPicture(const GamePosition& position, int viewSide, Move lastMove, PieceGlyphs glyphs);

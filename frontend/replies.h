// The texts of the front end's fixed replies: error and illegal-move lines,
// the result line of a finished game and the help text.
#pragma once

#include <string>
#include <vector>

class Game;

using WordList = std::vector<std::string>;

// "Error (reason): w1 w2 ..."
std::string ErrorText(const std::string& reason, const WordList& words);
// "Illegal move: w1 w2 ...", with " (reason)" before the colon when a reason
// is given.
std::string IllegalMoveText(const std::string& reason, const WordList& words);
// The result line of the game: "1-0 {reason}" in xboard mode,
// "game over: 1-0 reason" on the console; no result text for a result other
// than a win or a draw.
std::string ResultText(const Game& game, bool xboard);
// The help text's lines, framing empty lines included.
const std::vector<std::string>& HelpLines();

#include "uci/position_command.h"

#include "board/fen.h"
#include "board/moves.h"

namespace {

using WordList = std::vector<std::string>;

PositionCommand Refused(std::string problem) { return PositionCommand{std::nullopt, std::move(problem)}; }

// The game goes on whatever the game board's own rules would say.
void KeepGameRunning(Game& game) { game.currentPosition.result = kGameRunning; }

}  // namespace

PositionCommand ReadPositionCommand(const WordList& words, bool chess960) {
  // The start: the initial position or a FEN.
  Game game;
  size_t i = 1;
  if (i < words.size() && words[i] == "startpos") {
    ++i;
    if (chess960) {
      GamePosition start = GamePosition::Initial();
      start.chess960 = 1;
      game.SetupPosition(start);
    }
  } else if (i < words.size() && words[i] == "fen") {
    std::string fen;
    for (++i; i < words.size() && words[i] != "moves"; ++i) fen += (fen.empty() ? "" : " ") + words[i];
    try {
      game.SetupPosition(ParseFen(fen, chess960));
    } catch (const GameError& e) {
      return Refused("fen " + fen + ": " + e.message());
    }
  } else {
    return Refused("position needs startpos or fen");
  }
  KeepGameRunning(game);
  // The moves, each legal where it stands.
  if (i < words.size() && words[i++] != "moves") return Refused("unexpected word " + words[i - 1]);
  for (size_t number = 1; i < words.size(); ++i, ++number) {
    try {
      game.PlayMove(ParseMove(game.currentPosition, words[i]));
    } catch (const GameError&) {
      return Refused("move " + std::to_string(number) + ", " + words[i] + ", is not legal there");
    }
    KeepGameRunning(game);
  }
  return PositionCommand{std::move(game), ""};
}

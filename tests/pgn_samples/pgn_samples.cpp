// Writes Ravok's PGN of a few fixed games for a reader that is not Ravok's:
// FOLDER/game-N.pgn, and beside it FOLDER/game-N.fen with Ravok's FEN of
// the final position. Between them the games hold both castlings, en
// passant, promotions with check (one capturing), a disambiguated move, a
// start position with Black to move, and a mate.
#include <iostream>
#include <string>
#include <vector>

#include "board/fen.h"
#include "board/game_file.h"
#include "board/move_advice.h"
#include "board/pgn.h"
#include "search/engine.h"

namespace {

struct Sample {
  const char* fen;  // nullptr: the initial position
  std::vector<std::string> moves;
};

const Sample kSamples[] = {
    {nullptr,
     {"e4", "d5", "exd5", "c5", "dxc6", "Nf6", "cxb7", "Qd7", "bxc8=Q+", "Qd8", "Qxd8+", "Kxd8", "Nf3", "Nc6", "Be2",
      "e5", "O-O", "Bd6", "d4"}},
    {nullptr, {"d4", "d5", "Nc3", "Nc6", "Bf4", "Bf5", "Qd2", "Qd7", "O-O-O", "O-O-O", "e3", "e6", "Kb1", "Kb8"}},
    {"r3k2r/1P6/8/8/3pP3/8/8/R3K2R b KQkq e3 0 30", {"dxe3", "bxa8=Q+", "Kf7", "O-O+", "Kg6", "Qb7", "e2", "Rfe1"}},
    {nullptr, {"f3", "e5", "g4", "Qh4#"}},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: pgn_samples FOLDER\n";
    return 2;
  }
  InitEngineTables();
  const std::string folder = argv[1];
  int number = 0;
  for (const Sample& sample : kSamples) {
    const PgnReadResult start = sample.fen != nullptr ? ReadFen(sample.fen) : PgnReadResult();
    Game game = start.game;
    PgnTags tags = start.tags;
    tags.event = "Ravok PGN sample";
    tags.white = "White";
    tags.black = "Black";
    tags.round = std::to_string(++number);
    for (const std::string& word : sample.moves) {
      const TypedMove typed = ReadTypedMove(game.currentPosition, word);
      if (typed.problem != MoveProblem::kNone) {
        std::cerr << "game " << number << ": " << word << ": " << typed.message << "\n";
        return 1;
      }
      game.PlayMove(typed.move);
    }
    const int plies = int(game.moves.size()) + (game.startPosition.sideToMove == kBlack ? 1 : 0);
    const std::string name = folder + "/game-" + std::to_string(number);
    const std::string finalFen = ToFen(game.currentPosition, tags.firstMoveNumber + plies / 2) + "\n";
    for (const auto& [path, text] : {std::pair{name + ".pgn", PgnText(game, tags)}, std::pair{name + ".fen", finalFen}}) {
      if (const auto error = SaveTextFile(path, text)) {
        std::cerr << *error << "\n";
        return 1;
      }
    }
  }
  return 0;
}

// Self-play for the tuner's training data: Ravok plays itself at a fixed
// node budget from a balanced opening and a few random plies, and keeps
// the quiet positions of the game with the game's result and the search's
// score (tuning/training_data.h).
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "board/game.h"
#include "eval/evaluator.h"
#include "search/engine.h"
#include "tuning/training_data.h"

struct SelfPlaySettings {
  uint64_t nodes = 5000;  // the node budget of every move
  int randomPlies = 4;    // random legal moves after the opening
  SearchStyle search = SearchStyle::kSelective;
  EvaluationSet evaluation = EvaluationSet::kTuned;
  uint64_t seed = 1;  // with the game number, picks the opening's random plies
  // A game whose first search after the random plies scores beyond this
  // (either side) is given up: it would teach one-sided positions only.
  int maxStartScore = 300;
  // Adjudication: won once every search of winPlies plies in a row gives
  // the same side winScore or more; drawn once, from ply drawAfterPly on,
  // every search of drawPlies plies in a row is within drawScore of 0; drawn
  // at maxPlies plies. The rules of the game (mate, stalemate, repetition,
  // fifty moves, insufficient material) end it too.
  int winScore = 1000;
  int winPlies = 4;
  int drawScore = 10;
  int drawPlies = 12;
  int drawAfterPly = 80;
  int maxPlies = 400;
};

// One opening: coordinate moves from the initial position.
using Opening = std::vector<std::string>;

// The openings of a file of coordinate-move lines ('#' comments and blank
// lines passed over).
std::vector<Opening> ReadOpenings(std::istream& in);

struct SelfPlayGame {
  uint64_t number = 0;
  std::string result = "*";  // 1-0, 1/2-1/2, 0-1; * for a game given up
  std::string ending;        // how it ended, for the game line
  int plies = 0;             // from the initial position
  std::vector<TrainingPosition> positions;
};

// The quiescence test of a training position: a capture search (stand pat,
// then every capture and queen promotion, no pruning) from the position,
// prepared as a search root, returns its static score: no capture changes
// it. A position in check is not quiet.
class QuietTest {
 public:
  explicit QuietTest(EvaluationSet evaluation);
  bool IsQuiet(const GamePosition& position);

 private:
  template <int S>
  int CaptureSearch(int alpha, int beta, int depth);

  PawnHashTable pawnTable_;
  Evaluator evaluator_;
  std::unique_ptr<PositionStack> stack_;
};

// Plays game `number` of a run: the opening, random plies drawn from the
// seed and the number, then Ravok against itself on `engine` until the
// rules or the adjudication end it. The same number, opening and settings
// give the same game.
SelfPlayGame PlaySelfPlayGame(Engine& engine, QuietTest& quiet, const Opening& opening, uint64_t number,
                              const SelfPlaySettings& settings);

// A run into a file until it holds `games` games played to a result: games
// 0, 1, 2 ... (a game given up does not count, and the next number is
// played instead), on `threads` threads, each with an engine of its own,
// game g from opening g modulo their number. A file that exists is
// continued: what follows its last complete game is cut off, the games it
// holds are not played again, and the games still missing are appended.
// `header` is written as a comment line, when the file is new and when it
// is continued. `progress` receives a line now and then. Returns the
// number of games this run played to a result.
struct SelfPlayRun {
  std::string path;
  uint64_t games = 0;
  int threads = 1;
  uint64_t hashBytes = uint64_t(16) << 20;
  std::string header;
  double progressSeconds = 10;  // between progress lines
};
uint64_t RunSelfPlay(const SelfPlayRun& run, const std::vector<Opening>& openings, const SelfPlaySettings& settings,
                     const std::function<void(const std::string&)>& progress);

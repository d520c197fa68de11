// The training data that self-play writes and the tuner reads: one quiet
// position a line with the result of its game and the search's score,
//
//   FEN; RESULT; SCORE
//
// FEN with all six fields, RESULT 1-0, 1/2-1/2 or 0-1 (1, 0.5 and 0 are
// read too), SCORE the search's score in centipawns from White's side. A
// game's positions are followed by its line
//
//   # game N: RESULT, P plies, Q positions, ENDING
//
// (RESULT * for a game given up without a result).
//
// Other lines starting with '#' are comments (the commands that made the
// file); blank lines are passed over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct TrainingPosition {
  std::string fen;
  double result = 0.5;  // White's share of the points: 1, 0.5 or 0
  int score = 0;        // White's view
};

// The result as written: 1-0, 1/2-1/2, 0-1.
std::string ResultText(double result);

std::string TrainingLine(const TrainingPosition& position);
// A position line; nullopt for a comment, a game line, a blank line or a
// line that does not follow the format.
std::optional<TrainingPosition> ReadTrainingLine(std::string_view line);

// A game's closing line (RESULT * for a game given up), and the number and
// result of one (nullopt for any other line).
std::string GameLine(uint64_t game, std::string_view result, int plies, int positions, std::string_view ending);
struct GameLineFields {
  uint64_t game;
  std::string result;
};
std::optional<GameLineFields> ReadGameLine(std::string_view line);

// Small helpers for the game-board tests.
#pragma once

#include <initializer_list>
#include <string>

#include "board/game.h"
#include "board/fen.h"
#include "board/moves.h"

namespace board_test {

inline Square Sq(const char* name) { return MakeSquare(name[0] - 'a', name[1] - '1'); }

// A position built square by square without any validity check: "Ke1" puts
// a white king on e1, "ke8" a black king on e8. No castling, no en passant.
inline GamePosition Placement(std::initializer_list<const char*> pieces, int side = kWhite) {
  GamePosition p = GamePosition::Initial();
  for (int8_t& s : p.squares) s = 0;
  p.whiteCastling = p.blackCastling = 0;
  p.sideToMove = uint16_t(side);
  static const char kLetters[] = "PNBRQK";
  for (const char* piece : pieces) {
    const char upper = piece[0] >= 'a' ? char(piece[0] - 32) : piece[0];
    int type = 0;
    while (kLetters[type] != upper) ++type;
    p.squares[Sq(piece + 1)] = int8_t(piece[0] >= 'a' ? -(type + 1) : type + 1);
  }
  return p;
}

// A game started from a FEN position.
inline Game GameFrom(const std::string& fen) {
  Game game;
  game.SetupPosition(ParseFen(fen));
  return game;
}

// Plays move texts on the game, each parsed in the current position.
inline void Play(Game& game, std::initializer_list<const char*> texts) {
  for (const char* text : texts) game.PlayMove(ParseMove(game.currentPosition, text));
}

// The message of the GameError that `action` throws, or
// "no exception".
template <typename Action>
std::string ThrownMessage(Action&& action) {
  try {
    action();
  } catch (const GameError& e) {
    return e.message();
  }
  return "no exception";
}

}  // namespace board_test

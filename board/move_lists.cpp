// The move lists of a game position: the position is loaded as a search
// root and both of the search's generators run on it; legality is the game
// board's own test.
#include "board/move_lists.h"

#include <memory>

#include "board/moves.h"
#include "board/search_position.h"
#include "position/movegen.h"

std::vector<Move> PseudoLegalMoves(const GamePosition& position) {
  const auto stack = std::make_unique<PositionStack>();
  LoadSearchRoot(*stack, position);
  Move moves[2 * kMaxMovesPerPosition];
  const TreePosition& root = stack->Root();
  Move* end = position.sideToMove == kWhite ? GenerateQuiets<kWhite>(root, GenerateCaptures<kWhite>(root, moves))
                                            : GenerateQuiets<kBlack>(root, GenerateCaptures<kBlack>(root, moves));
  return {moves, end};
}

std::vector<Move> LegalMoves(const GamePosition& position) {
  std::vector<Move> legal;
  for (Move m : PseudoLegalMoves(position))
    if (IsLegalMove(position, m)) legal.push_back(m);
  return legal;
}

// Move text, legality and the game make-move on game positions.
#pragma once

#include <string>
#include <vector>

#include "board/game.h"

// Reads a square name from its file letter (a-h, either case) and rank digit
// (1-8). Anything else is no square: false, `square` untouched.
bool ReadSquareName(char file, char rank, Square& square);

// Promotion piece of a move text's fifth letter: B/L bishop, N/S knight,
// R/T rook, Q queen, either case; any other letter means a queen.
int PromotionOfLetter(char letter);

// The move word that the text from-to(-promotion) names in `position`,
// without any legality test: moving and captured types from the squares, 1
// as the captured type of a pawn's en-passant capture, the promotion piece
// in the special field of a pawn move to the first or last rank, and the
// castling word for the side to move's king going to its castling square
// two files or more sideways or, in Chess960, taking its own rook.
Move BuildMoveWord(const GamePosition& position, Square from, Square to, int promotion);

// The side to move's castling word for a wing (0 the king's side, 1 the
// queen's side), legal or not.
Move CastlingMove(const GamePosition& position, int wing);

// Reads coordinate move text ("e2e4", "E2E4", "e7e8n", castling as the king's
// two-square move, in Chess960 as the king taking its own rook, "e1h1") in
// `position`. Throws "Invalid move." when the text is too short, names a
// square off the board or gives an illegal move.
Move ParseMove(const GamePosition& position, const std::string& text);

// The legal moves of the side to move, as position/'s generator lists them:
// captures and queen promotions first, then the other moves. The game's
// result plays no part. The position must be one that position/ can load
// (see LoadTreePosition).
std::vector<Move> LegalMoves(const GamePosition& position);

// Every move the side to move's pieces can make by their own way of moving,
// whether or not it leaves the own king attacked: captures (en passant
// included), pushes, every promotion piece; castling only when it is legal.
// The position must be one that position/ can load.
std::vector<Move> PseudoLegalMoves(const GamePosition& position);

// The moves the game record accepts: the legal moves while the game runs,
// none once it is over or when the side to move is neither White nor Black.
std::vector<Move> PlayableMoves(const GamePosition& position);

// Is the move word one of PlayableMoves? Only the words the generator gives
// count, so a malformed word (stray bits, a wrong moving or captured type, a
// special field off a castling or promotion) is illegal. The position is
// left unchanged.
bool IsLegalMove(const GamePosition& position, Move move);

// The game make-move of a legal move, made by position/'s make-move: the
// squares, the side to move, castling rights, en-passant square (kept only
// when an enemy pawn can take) and half-move counter follow; result and
// reason stay.
void ApplyMove(GamePosition& position, Move move);

enum MoveTextForm : int { kMoveTextUpperCoordinates = 0, kMoveTextAlgebraic = 1, kMoveTextLong = 2 };

// Text of a legal move: form 0 "E2E4", form 2 the long form; form 1 is not
// provided (fatal). Throws "Invalid move." for an illegal move.
std::string MoveToText(const GamePosition& position, Move move, int form);

// Long form: piece letter (none for pawns), from, "-" or "x", to, upper-case
// promotion letter: "e2-e4", "Ng1-f3", "e7xd8Q", "Ke1-g1".
std::string LongMoveText(Move move);

// Coordinate form: "e2e4", "e7e8q".
std::string CoordinateMoveText(Move move);
void AppendCoordinateMoveText(std::string& text, Move move);
// The same in a game: a Chess960 game writes castling as the king taking
// its own rook ("e1h1", UCI's way), with the rook files of `game` (any
// position of the game).
std::string CoordinateMoveText(Move move, const GamePosition& game);
void AppendCoordinateMoveText(std::string& text, Move move, const GamePosition& game);

// Standard algebraic notation (SAN) read on game positions.
#pragma once

#include <string>

#include "board/game.h"

// Reads a move in standard algebraic notation in `position` and returns the
// move word that ParseMove gives for the same move in coordinates. Accepted:
//  - piece moves "Nf3", "Bxc6", told apart by the from-square's file, rank
//    or both ("Nbd2", "R1e2", "Qh4e1"); more than needed is fine, too little
//    (two pieces fit the text) is not;
//  - pawn pushes "e4" and captures "exd5", the en-passant capture written
//    the same way; a pawn capture names its file, a push no file or rank;
//  - promotions "e8=Q", "e8Q", "exd8=N" to N, B, R or Q, required on a
//    pawn's move to the last rank and refused on any other move;
//  - castling "O-O", "O-O-O", "0-0", "0-0-0" (the king's two-file move
//    written "Kg1" is refused);
//  - "x" may be left out of a capture ("Nd5" taking on d5, "ed5"), but a
//    move that takes nothing may not carry it;
//  - any trailing run of "+", "#", "!", "?": ignored, not checked.
// Piece and promotion letters are upper case, files lower case ("bxc3" is a
// pawn's capture, "Bxc3" a bishop's); no spaces, no " e.p.". Any other text,
// and text that fits no legal move or more than one, throws
// GameError("Invalid move."), as ParseMove does. The position is
// not changed.
Move ParseSanMove(const GamePosition& position, const std::string& text);

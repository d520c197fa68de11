// Helpers for the search-position tests: loading a FEN into the root record,
// the reference perft positions, comparing a record with a from-scratch
// build, and walking the legal move tree.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "board/fen.h"
#include "board/search_position.h"
#include "position/attacks.h"
#include "position/build.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "test_position_stack.h"

namespace position_test {

// Loads a FEN position as the search root (ply 0).
// Standard FEN, or Chess960 FEN in either form.
inline void LoadFen(const std::string& fen) { LoadSearchRoot(Stack(), ParseAnyFen(fen)); }

inline Square Sq(const char* name) { return MakeSquare(name[0] - 'a', name[1] - '1'); }

// A move word from coordinates, with the captured type and special field.
inline Move Word(const char* from, const char* to, int piece, int captured = 0, int special = 0) {
  return MakeMoveWord(Sq(from), Sq(to), piece, captured, special);
}

// The reference positions with their leaf counts at depths 1 to 5.
struct PerftReference {
  const char* name;
  const char* fen;
  uint64_t counts[5];
};

// Test names print the position's name instead of the record's bytes.
inline void PrintTo(const PerftReference& reference, std::ostream* out) { *out << reference.name; }

inline const std::vector<PerftReference>& PerftReferences() {
  static const std::vector<PerftReference> references = {
      {"Initial", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281, 4865609}},
      {"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
       {48, 2039, 97862, 4085603, 193690690}},
      {"RookEndgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}},
      {"PromotionsWhite", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
       {6, 264, 9467, 422333, 15833292}},
      {"PromotionsBlack", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
       {6, 264, 9467, 422333, 15833292}},
      {"Talkchess", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487, 89941194}},
      {"Middlegame", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
       {46, 2079, 89890, 3894594, 164075551}},
      // Chess960: six starts and six positions some moves in (Shredder-FEN).
      {"Chess960StartQRNBNKBR", "qrnbnkbr/pppppppp/8/8/8/8/PPPPPPPP/QRNBNKBR w HBhb - 0 1",
       {20, 400, 8950, 198623, 4877156}},
      {"Chess960StartRBBNKNRQ", "rbbnknrq/pppppppp/8/8/8/8/PPPPPPPP/RBBNKNRQ w GAga - 0 1",
       {20, 400, 9032, 203045, 5054554}},
      {"Chess960StartBNRBNKRQ", "bnrbnkrq/pppppppp/8/8/8/8/PPPPPPPP/BNRBNKRQ w GCgc - 0 1",
       {21, 441, 10179, 233585, 5863166}},
      {"Chess960StartRKRBQNBN", "rkrbqnbn/pppppppp/8/8/8/8/PPPPPPPP/RKRBQNBN w CAca - 0 1",
       {19, 361, 7729, 164162, 3904382}},
      {"Chess960StartRKQRNBBN", "rkqrnbbn/pppppppp/8/8/8/8/PPPPPPPP/RKQRNBBN w DAda - 0 1",
       {19, 361, 7782, 166301, 3956472}},
      {"Chess960StartNNQBRKBR", "nnqbrkbr/pppppppp/8/8/8/8/PPPPPPPP/NNQBRKBR w HEhe - 0 1",
       {19, 361, 7710, 163874, 3899268}},
      {"Chess960PlayedCgc", "qnrkbbr1/p2p1pp1/p1p3n1/4p2p/1P2P3/N7/P1PP1PPP/Q1RKBR1N w Cgc - 0 6",
       {24, 510, 13243, 294448, 8144751}},
      {"Chess960PlayedCAca", "rkrnbb1n/1ppppqpp/8/p4p2/8/4N1PP/PPPPPP2/RKR1BBQN w CAca - 2 4",
       {22, 630, 14139, 442797, 10601847}},
      {"Chess960PlayedDfd", "bbqrkrn1/pppppn1p/5pp1/8/5P2/4PR2/PPPP2PP/BBQRK1NN b Dfd - 2 4",
       {20, 503, 10837, 279951, 6613578}},
      {"Chess960PlayedGga", "rbqkbnrn/1pp1pp1p/3p2p1/p7/PP2B3/R1P5/3PPPPP/2QKBNRN b Gga - 1 6",
       {29, 895, 26739, 839377, 26057088}},
      {"Chess960PlayedFAfa", "rk1bbr1n/1pppppqB/8/p2n2p1/PPP5/8/3PPPPP/RKN1BRQN b FAfa - 0 6",
       {33, 786, 26576, 666889, 22885735}},
      {"Chess960PlayedHha", "r1kqbbnr/p1ppp2p/1pn2p2/P5p1/5P2/6BN/RPPPP1PP/1NKQ1B1R b Hha - 1 6",
       {26, 644, 17489, 469699, 13255151}},
  };
  return references;
}

// The pseudo-legal moves of the side to move: captures then quiet moves.
inline std::vector<Move> CapturesAndQuiets() {
  Move buffer[320];
  const bool white = Stack().Current().side == kWhite;
  Move* end = white ? GenerateCaptures<kWhite>(Stack().Current(), buffer) : GenerateCaptures<kBlack>(Stack().Current(), buffer);
  end = white ? GenerateQuiets<kWhite>(Stack().Current(), end) : GenerateQuiets<kBlack>(Stack().Current(), end);
  return std::vector<Move>(buffer, end);
}

inline std::vector<Move> Captures() {
  Move buffer[320];
  const bool white = Stack().Current().side == kWhite;
  return std::vector<Move>(buffer, white ? GenerateCaptures<kWhite>(Stack().Current(), buffer) : GenerateCaptures<kBlack>(Stack().Current(), buffer));
}

inline std::vector<Move> Quiets() {
  Move buffer[320];
  const bool white = Stack().Current().side == kWhite;
  return std::vector<Move>(buffer, white ? GenerateQuiets<kWhite>(Stack().Current(), buffer) : GenerateQuiets<kBlack>(Stack().Current(), buffer));
}

inline std::vector<Move> Evasions() {
  Move buffer[320];
  const bool white = Stack().Current().side == kWhite;
  return std::vector<Move>(buffer, white ? GenerateEvasions<kWhite>(Stack().Current(), buffer) : GenerateEvasions<kBlack>(Stack().Current(), buffer));
}

inline void Make(Move move) {
  if (Stack().Current().side == kWhite)
    MakeWhiteMove(Stack(), move);
  else
    MakeBlackMove(Stack(), move);
}

// After a move: is the king of the side that moved safe?
inline bool MoverKingSafe() {
  const TreePosition& p = Stack().Current();
  return p.side == kWhite ? !IsAttackedBy<kWhite>(p, p.black.kingSquare)
                          : !IsAttackedBy<kBlack>(p, p.white.kingSquare);
}

// The legal moves: the pseudo-legal ones that do not leave the mover's king
// attacked (tested by making them).
inline std::vector<Move> LegalByMaking() {
  std::vector<Move> legal;
  for (Move m : CapturesAndQuiets()) {
    Make(m);
    if (MoverKingSafe()) legal.push_back(m);
    UnmakeMove(Stack());
  }
  return legal;
}

// Visits every node of the legal tree below the current position, to
// `depth` plies, the current node included; moves come from captures and
// quiet moves with the legality test.
inline void WalkTree(int depth, const std::function<void()>& visit) {
  visit();
  if (depth == 0 || ::testing::Test::HasFatalFailure()) return;
  for (Move m : CapturesAndQuiets()) {
    Make(m);
    if (MoverKingSafe()) WalkTree(depth - 1, visit);
    UnmakeMove(Stack());
  }
}

inline std::vector<Move> Sorted(std::vector<Move> moves) {
  std::sort(moves.begin(), moves.end());
  return moves;
}

}  // namespace position_test

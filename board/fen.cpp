#include "board/fen.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace {

[[noreturn]] void Reject(const std::string& why) { throw GameError("Invalid FEN: " + why); }

int CodeOfLetter(char c) {
  static const char kWhiteLetters[] = "PNBRQK";
  static const char kBlackLetters[] = "pnbrqk";
  for (int i = 0; i < 6; ++i) {
    if (c == kWhiteLetters[i]) return i + 1;
    if (c == kBlackLetters[i]) return -(i + 1);
  }
  return 0;
}

void ReadPlacement(const std::string& text, GamePosition& p) {
  int rank = 7, file = 0;
  for (char c : text) {
    if (c == '/') {
      if (file != 8) Reject("rank " + std::to_string(rank + 1) + " does not have eight squares");
      if (--rank < 0) Reject("more than eight ranks");
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
      if (file > 8) Reject("rank " + std::to_string(rank + 1) + " has more than eight squares");
    } else if (int code = CodeOfLetter(c); code != 0) {
      if (file >= 8) Reject("rank " + std::to_string(rank + 1) + " has more than eight squares");
      p.squares[MakeSquare(file++, rank)] = int8_t(code);
    } else {
      Reject(std::string("unexpected character '") + c + "' in the piece placement");
    }
  }
  if (rank != 0 || file != 8) Reject("the piece placement does not have eight full ranks");
}

void ReadCastling(const std::string& text, GamePosition& p) {
  if (text == "-") return;
  for (char c : text) {
    uint16_t* flags = (c == 'K' || c == 'Q') ? &p.whiteCastling : (c == 'k' || c == 'q') ? &p.blackCastling : nullptr;
    if (flags == nullptr) Reject(std::string("unexpected castling letter '") + c + "'");
    uint16_t bit = (c == 'K' || c == 'k') ? kCastleKingSide : kCastleQueenSide;
    if (*flags & bit) Reject(std::string("castling letter '") + c + "' given twice");
    *flags |= bit;
  }
}

void ReadEnPassant(const std::string& text, GamePosition& p) {
  if (text == "-") return;
  if (text.size() != 2 || text[0] < 'a' || text[0] > 'h' || text[1] < '1' || text[1] > '8')
    Reject("bad en-passant square '" + text + "'");
  const Square ep = MakeSquare(text[0] - 'a', text[1] - '1');
  // The square must lie behind a pawn of the opponent that has just made a
  // double step from an empty square.
  const bool white = p.sideToMove == kWhite;
  const int wantedRank = white ? 5 : 2;
  const Square pawnSquare = white ? ep - 8 : ep + 8;
  const Square origin = white ? ep + 8 : ep - 8;
  if (RankOf(ep) != wantedRank || p.squares[pawnSquare] != (white ? -kPawn : kPawn) || p.squares[ep] != 0 ||
      p.squares[origin] != 0)
    Reject("en-passant square " + text + " does not follow a double step");
  const int8_t capturer = white ? kPawn : -kPawn;
  const bool capturable = (FileOf(pawnSquare) > 0 && p.squares[pawnSquare - 1] == capturer) ||
                          (FileOf(pawnSquare) < 7 && p.squares[pawnSquare + 1] == capturer);
  if (capturable) p.epSquare = uint16_t(ep);
}

int ReadCounter(const std::string& text, const char* name, int low, int high) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    Reject(std::string("bad ") + name + " '" + text + "'");
  int value = std::stoi(text);
  if (value < low || value > high) Reject(std::string(name) + " " + text + " is out of range");
  return value;
}

}  // namespace

GamePosition ParseFen(const std::string& fen) {
  std::istringstream in(fen);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  if (fields.size() < 4 || fields.size() > 6)
    Reject("expected four to six fields, found " + std::to_string(fields.size()));

  GamePosition p;
  std::memset(&p, 0, sizeof p);
  p.result = kGameRunning;
  p.reason = kReasonUnknown;
  ReadPlacement(fields[0], p);
  if (fields[1] != "w" && fields[1] != "b") Reject("side to move must be w or b, not '" + fields[1] + "'");
  p.sideToMove = fields[1] == "w" ? kWhite : kBlack;
  ReadCastling(fields[2], p);
  ReadEnPassant(fields[3], p);
  if (fields.size() >= 5) p.halfMoveCounter = int16_t(ReadCounter(fields[4], "half-move clock", 0, 100));
  if (fields.size() >= 6) ReadCounter(fields[5], "move number", 1, 999999);

  std::string message;
  if (!p.IsValidPosition(&message)) throw GameError(message);
  return p;
}

std::string ToFen(const GamePosition& p, int moveNumber) {
  std::string fen;
  for (int rank = 7; rank >= 0; --rank) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      int code = p.squares[MakeSquare(file, rank)];
      if (code == 0) {
        ++empty;
        continue;
      }
      if (empty) fen += char('0' + empty);
      empty = 0;
      char letter = kPieceLetters[code < 0 ? -code : code];
      fen += code < 0 ? char(letter + 32) : letter;
    }
    if (empty) fen += char('0' + empty);
    if (rank > 0) fen += '/';
  }
  fen += p.sideToMove == kWhite ? " w " : " b ";
  std::string castling;
  if (p.whiteCastling & kCastleKingSide) castling += 'K';
  if (p.whiteCastling & kCastleQueenSide) castling += 'Q';
  if (p.blackCastling & kCastleKingSide) castling += 'k';
  if (p.blackCastling & kCastleQueenSide) castling += 'q';
  fen += castling.empty() ? "-" : castling;
  fen += ' ';
  if (p.epSquare != 0) {
    fen += char('a' + FileOf(p.epSquare));
    fen += char('1' + RankOf(p.epSquare));
  } else {
    fen += '-';
  }
  fen += ' ' + std::to_string(p.halfMoveCounter) + ' ' + std::to_string(moveNumber);
  return fen;
}

#include "board/fen.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace {

[[noreturn]] void Reject(const std::string& why, const std::string& plain) {
  throw FenError("Invalid FEN: " + why, plain);
}

// What follows a FEN's fields, for a FEN cut short.
constexpr const char* kFieldsAfter[] = {
    "",
    "the side to move (w or b), the castling rights (KQkq, some of them, or -) and the en-passant square (- or a "
    "square such as e3)",
    "the castling rights (KQkq, some of them, or -) and the en-passant square (- or a square such as e3)",
    "the en-passant square (- or a square such as e3)",
};
// The last field of a FEN of two or three fields.
constexpr const char* kFieldEnds[] = {"", "", "the side to move", "the castling rights"};

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
  const auto rankText = [&] { return "rank " + std::to_string(rank + 1); };
  for (char c : text) {
    if (c == '/') {
      if (file != 8)
        Reject(rankText() + " does not have eight squares",
               "the board's " + rankText() + " (first field) has " + std::to_string(file) +
                   " squares, not eight (a digit counts that many empty squares)");
      if (--rank < 0) Reject("more than eight ranks", "the board (first field) has more than eight ranks");
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
      if (file > 8)
        Reject(rankText() + " has more than eight squares",
               "the board's " + rankText() + " (first field) has more than eight squares");
    } else if (int code = CodeOfLetter(c); code != 0) {
      if (file >= 8)
        Reject(rankText() + " has more than eight squares",
               "the board's " + rankText() + " (first field) has more than eight squares");
      p.squares[MakeSquare(file++, rank)] = int8_t(code);
    } else {
      Reject(std::string("unexpected character '") + c + "' in the piece placement",
             std::string("the board (first field) has '") + c +
                 "', which is no piece: KQRBNP for White, kqrbnp for Black, digits for empty squares, / between "
                 "ranks");
    }
  }
  if (rank != 0 || file != 8)
    Reject("the piece placement does not have eight full ranks",
           "the board (first field) does not have eight full ranks of eight squares, separated by /");
}

void ReadCastling(const std::string& text, GamePosition& p) {
  if (text == "-") return;
  for (char c : text) {
    uint16_t* flags = (c == 'K' || c == 'Q') ? &p.whiteCastling : (c == 'k' || c == 'q') ? &p.blackCastling : nullptr;
    if (flags == nullptr)
      Reject(std::string("unexpected castling letter '") + c + "'",
             "the castling rights (third field) must be K, Q, k, q or -, not '" + text + "'");
    uint16_t bit = (c == 'K' || c == 'k') ? kCastleKingSide : kCastleQueenSide;
    if (*flags & bit)
      Reject(std::string("castling letter '") + c + "' given twice",
             std::string("the castling rights (third field) give '") + c + "' twice");
    *flags |= bit;
  }
}

// Chess960 castling rights, after the board: Shredder-FEN's rook files
// ("HAha"), or X-FEN's K and Q (the outermost rook on that wing) mixed with
// file letters where another rook is meant. Each right needs its side's
// king on its first rank and a rook of its own on that file.
void ReadChess960Castling(const std::string& text, GamePosition& p) {
  if (text == "-") return;
  const std::string field = "the castling rights (third field)";
  for (char c : text) {
    const bool white = c >= 'A' && c <= 'Z';
    const int side = white ? kWhite : kBlack;
    const char letter = white ? c : char(c - 'a' + 'A');
    if (letter != 'K' && letter != 'Q' && (letter < 'A' || letter > 'H'))
      Reject(std::string("unexpected castling letter '") + c + "'",
             field + " must be K, Q, k, q, the rooks' files (A to H, a to h) or -, not '" + text + "'");
    const int sign = white ? 1 : -1;
    const Square rank = white ? A1 : A8;
    int king = 0;
    while (king < 8 && p.squares[rank + king] != sign * kKing) ++king;
    int rook = -1;
    if (letter == 'K') {
      for (int f = 7; f > king && rook < 0; --f)
        if (p.squares[rank + f] == sign * kRook) rook = f;
    } else if (letter == 'Q') {
      for (int f = 0; f < king && rook < 0; ++f)
        if (p.squares[rank + f] == sign * kRook) rook = f;
    } else if (p.squares[rank + (letter - 'A')] == sign * kRook) {
      rook = letter - 'A';
    }
    if (king == 8 || rook < 0 || rook == king)
      Reject(std::string("castling letter '") + c + "' has no rook to castle with",
             field + " give '" + c + "', but " + (white ? "White" : "Black") +
                 " has no king on its first rank and rook there to castle with");
    const int wing = rook > king ? 0 : 1;
    uint16_t& flags = white ? p.whiteCastling : p.blackCastling;
    const uint16_t bit = wing == 0 ? kCastleKingSide : kCastleQueenSide;
    if (flags & bit)
      Reject(std::string("castling letter '") + c + "' given twice",
             field + " give two rights on one wing for " + (white ? "White" : "Black"));
    flags |= bit;
    p.castlingRookFile[side][wing] = uint8_t(rook);
  }
}

void ReadEnPassant(const std::string& text, GamePosition& p) {
  if (text == "-") return;
  if (text.size() != 2 || text[0] < 'a' || text[0] > 'h' || text[1] < '1' || text[1] > '8')
    Reject("bad en-passant square '" + text + "'",
           "the en-passant square (fourth field) must be - or a square such as e3 or e6, not '" + text + "'");
  const Square ep = MakeSquare(text[0] - 'a', text[1] - '1');
  // The square must lie behind a pawn of the opponent that has just made a
  // double step from an empty square.
  const bool white = p.sideToMove == kWhite;
  const int wantedRank = white ? 5 : 2;
  const Square pawnSquare = white ? ep - 8 : ep + 8;
  const Square origin = white ? ep + 8 : ep - 8;
  if (RankOf(ep) != wantedRank || p.squares[pawnSquare] != (white ? -kPawn : kPawn) || p.squares[ep] != 0 ||
      p.squares[origin] != 0)
    Reject("en-passant square " + text + " does not follow a double step",
           "the en-passant square " + text + " (fourth field) is not the square a " + (white ? "black" : "white") +
               " pawn has just passed over with a double step");
  const int8_t capturer = white ? kPawn : -kPawn;
  const bool capturable = (FileOf(pawnSquare) > 0 && p.squares[pawnSquare - 1] == capturer) ||
                          (FileOf(pawnSquare) < 7 && p.squares[pawnSquare + 1] == capturer);
  if (capturable) p.epSquare = uint16_t(ep);
}

// A counter field: `name` and `place` name it ("half-move clock", "fifth").
int ReadCounter(const std::string& text, const char* name, const char* place, int low, int high) {
  const std::string plain = std::string("the ") + name + " (" + place + " field) must be a number from " +
                            std::to_string(low) + (high < 1000 ? " to " + std::to_string(high) : " on") + ", not '" +
                            text + "'";
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    Reject(std::string("bad ") + name + " '" + text + "'", plain);
  int value = std::stoi(text);
  if (value < low || value > high) Reject(std::string(name) + " " + text + " is out of range", plain);
  return value;
}

// The validity check's verdict on a position read from a FEN, in plain
// words.
std::string PlainVerdict(const GamePosition& p, const std::string& message) {
  static const std::pair<const char*, const char*> kPlain[] = {
      {"Black pawn on eight rank.", "a black pawn stands on the eighth rank, where no pawn can stand"},
      {"Black pawn on first rank.", "a black pawn stands on the first rank, where no pawn can stand"},
      {"White pawn on first rank.", "a white pawn stands on the first rank, where no pawn can stand"},
      {"White pawn on eight rank.", "a white pawn stands on the eighth rank, where no pawn can stand"},
      {"White has more than one king.", "White has more than one king"},
      {"Black has more than one king.", "Black has more than one king"},
      {"White has no king.", "White has no king"},
      {"Black has no king.h", "Black has no king"},
  };
  for (const auto& [text, plain] : kPlain)
    if (message == text) return plain;
  for (const int side : {kWhite, kBlack}) {
    const uint16_t given = side == kWhite ? p.whiteCastling : p.blackCastling;
    const uint16_t wrong = given & ~p.CastlingRightsOfPlacement(side);
    if (wrong == 0) continue;
    const bool kingSide = (wrong & kCastleKingSide) != 0;
    const std::string letter(1, side == kWhite ? (kingSide ? 'K' : 'Q') : (kingSide ? 'k' : 'q'));
    const std::string king = side == kWhite ? "e1" : "e8";
    const std::string rook = std::string(1, kingSide ? 'h' : 'a') + (side == kWhite ? "1" : "8");
    return "the castling rights (third field) give " + letter + ", but " + (side == kWhite ? "White" : "Black") +
           " has no king on " + king + " and rook on " + rook + " to castle with";
  }
  if (message == "King can be captured.")
    return std::string(p.sideToMove == kWhite ? "Black" : "White") + "'s king is in check with " +
           (p.sideToMove == kWhite ? "White" : "Black") + " to move, which no game can reach";
  return message;
}

}  // namespace

GamePosition ParseFen(const std::string& fen, bool chess960) {
  std::istringstream in(fen);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  const std::string count = "expected four to six fields, found " + std::to_string(fields.size());
  if (fields.empty()) Reject(count, "the FEN is empty");
  if (fields.size() == 1)
    Reject(count, std::string("the FEN has only the board: ") + kFieldsAfter[1] + " must follow it");
  if (fields.size() < 4)
    Reject(count, std::string("the FEN ends after ") + kFieldEnds[fields.size()] + ": " + kFieldsAfter[fields.size()] +
                      " must follow");
  if (fields.size() > 6)
    Reject(count, "the FEN has " + std::to_string(fields.size()) +
                      " fields, more than six: board, side to move, castling rights, en-passant square, half-move "
                      "clock and move number");

  GamePosition p{};
  p.result = kGameRunning;
  p.reason = kReasonUnknown;
  p.chess960 = chess960;
  ReadPlacement(fields[0], p);
  if (fields[1] != "w" && fields[1] != "b")
    Reject("side to move must be w or b, not '" + fields[1] + "'",
           "the side to move (second field) must be w or b, not '" + fields[1] + "'");
  p.sideToMove = fields[1] == "w" ? kWhite : kBlack;
  if (chess960)
    ReadChess960Castling(fields[2], p);
  else
    ReadCastling(fields[2], p);
  ReadEnPassant(fields[3], p);
  if (fields.size() >= 5) p.halfMoveCounter = int16_t(ReadCounter(fields[4], "half-move clock", "fifth", 0, 100));
  if (fields.size() >= 6) ReadCounter(fields[5], "move number", "sixth", 1, 999999);

  std::string message;
  if (!p.IsValidPosition(&message)) throw FenError(message, PlainVerdict(p, message));
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
  // Chess960 names the rooks' files (Shredder-FEN), standard chess the
  // wings.
  std::string castling;
  for (const int side : {kWhite, kBlack}) {
    const uint16_t rights = side == kWhite ? p.whiteCastling : p.blackCastling;
    const char first = side == kWhite ? 'A' : 'a';
    for (const int wing : {0, 1}) {
      if (!(rights & (wing == 0 ? kCastleKingSide : kCastleQueenSide))) continue;
      castling += p.chess960 ? char(first + p.castlingRookFile[side][wing]) : char((wing == 0 ? 'K' : 'Q') + (first - 'A'));
    }
  }
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

GamePosition ParseAnyFen(const std::string& fen) {
  try {
    return ParseFen(fen);
  } catch (const FenError& standard) {
    // A FEN that is no Chess960 position either is refused for what is
    // wrong with it as standard chess.
    try {
      return ParseFen(fen, true);
    } catch (const FenError&) {
      throw standard;
    }
  }
}

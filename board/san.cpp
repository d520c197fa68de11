// Reading standard algebraic notation: the text's parts are taken off from
// both ends, then the legal moves are searched for the one that fits.
#include "board/san.h"

#include <string_view>

#include "board/moves.h"

namespace {

// Position of `c` in `letters`, -1 when it is not there.
int IndexIn(std::string_view letters, char c) {
  const size_t i = letters.find(c);
  return i == std::string_view::npos ? -1 : int(i);
}

// A square name with a lower-case file.
bool ReadLowerSquare(char file, char rank, Square& square) {
  return file >= 'a' && file <= 'h' && ReadSquareName(file, rank, square);
}

}  // namespace

Move ParseSanMove(const GamePosition& p, const std::string& text) {
  const GameError invalid("Invalid move.");
  const bool white = p.sideToMove == kWhite;
  std::string_view s = text;
  while (!s.empty() && IndexIn("+#!?", s.back()) >= 0) s.remove_suffix(1);

  if (s == "O-O" || s == "0-0" || s == "O-O-O" || s == "0-0-0") {
    const bool kingSide = s.size() == 3;
    const Move m = white ? (kingSide ? kWhiteCastleShort : kWhiteCastleLong)
                         : (kingSide ? kBlackCastleShort : kBlackCastleLong);
    if (!IsLegalMove(p, m)) throw invalid;
    return m;
  }

  // [piece] [file] [rank] [x] square [[=] promotion]
  int type = kPawn;
  if (!s.empty() && IndexIn("NBRQK", s.front()) >= 0) {
    type = kKnight + IndexIn("NBRQK", s.front());
    s.remove_prefix(1);
  }
  int promotion = 0;
  if (!s.empty() && s.back() >= 'A' && s.back() <= 'Z') {
    if (type != kPawn || IndexIn("NBRQ", s.back()) < 0) throw invalid;
    promotion = kKnight + IndexIn("NBRQ", s.back());
    s.remove_suffix(1);
    if (!s.empty() && s.back() == '=') s.remove_suffix(1);
  }
  Square to = 0;
  if (s.size() < 2 || !ReadLowerSquare(s[s.size() - 2], s.back(), to)) throw invalid;
  s.remove_suffix(2);
  const bool captureMark = !s.empty() && s.back() == 'x';
  if (captureMark) s.remove_suffix(1);
  int file = -1, rank = -1;
  if (!s.empty() && s.front() >= 'a' && s.front() <= 'h') {
    file = s.front() - 'a';
    s.remove_prefix(1);
  }
  if (!s.empty() && s.front() >= '1' && s.front() <= '8') {
    rank = s.front() - '1';
    s.remove_prefix(1);
  }
  if (!s.empty()) throw invalid;

  // A pawn push names no file, a pawn capture the file it leaves. Without a
  // promotion letter no legal pawn move to the last rank fits.
  if (type == kPawn) {
    if (rank >= 0 || file == FileOf(to)) throw invalid;
    if (file < 0) file = FileOf(to);
  }
  if (promotion != 0 && RankOf(to) != 0 && RankOf(to) != 7) throw invalid;

  // Exactly one legal move may fit the text. Its special field must be the
  // promotion read (none for a piece move), which also keeps castling,
  // written "O-O", from being read as the king's two-file move.
  Move found = 0;
  int count = 0;
  for (const Move m : PlayableMoves(p)) {
    const Square from = MoveFrom(m);
    if (MovePiece(m) != type || MoveTo(m) != to || MoveSpecial(m) != promotion) continue;
    if ((file >= 0 && FileOf(from) != file) || (rank >= 0 && RankOf(from) != rank)) continue;
    if (captureMark && MoveCaptured(m) == 0) continue;
    found = m;
    ++count;
  }
  if (count != 1) throw invalid;
  return found;
}

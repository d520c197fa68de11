// Standard algebraic notation. Reading: the text's parts are taken off from
// both ends, then the legal moves are searched for the one that fits.
// Writing: the legal moves tell which other pieces could go to the target,
// and the move made on a copy tells check from mate.
#include "board/san.h"

#include <string_view>

#include "board/game_over.h"
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

void AppendSquare(std::string& text, Square s) {
  text += char('a' + FileOf(s));
  text += char('1' + RankOf(s));
}

// The from-square's file, rank or both, as far as other pieces of the same
// type have a legal move to the same target; nothing when none has.
std::string Disambiguation(const GamePosition& p, Move m) {
  const Square from = MoveFrom(m), to = MoveTo(m);
  bool rival = false, sameFile = false, sameRank = false;
  for (const Move other : LegalMoves(p)) {
    const Square otherFrom = MoveFrom(other);
    if (otherFrom == from || MoveTo(other) != to || MovePiece(other) != MovePiece(m)) continue;
    rival = true;
    sameFile |= FileOf(otherFrom) == FileOf(from);
    sameRank |= RankOf(otherFrom) == RankOf(from);
  }
  std::string text;
  if (rival && (!sameFile || sameRank)) text += char('a' + FileOf(from));
  if (sameFile) text += char('1' + RankOf(from));
  return text;
}

// "#" for a mating move, "+" for another check, else "".
const char* CheckMark(const GamePosition& p, Move m) {
  GamePosition after = p;
  ApplyMove(after, m);
  if (!IsSquareAttacked(after.squares, after.FindOwnKing(), p.sideToMove)) return "";
  return HasNoLegalMove(after) ? "#" : "+";
}

}  // namespace

bool ReadSanText(const std::string& text, SanText& san) {
  san = SanText();
  std::string_view s = text;
  while (!s.empty() && IndexIn("+#!?", s.back()) >= 0) s.remove_suffix(1);

  if (s == "O-O" || s == "0-0" || s == "O-O-O" || s == "0-0-0") {
    san.castling = true;
    san.kingSide = s.size() == 3;
    san.piece = kKing;
    return true;
  }

  // [piece] [file] [rank] [x] square [[=] promotion]
  if (!s.empty() && IndexIn("NBRQK", s.front()) >= 0) {
    san.piece = kKnight + IndexIn("NBRQK", s.front());
    s.remove_prefix(1);
  }
  if (!s.empty() && s.back() >= 'A' && s.back() <= 'Z') {
    if (san.piece != kPawn || IndexIn("NBRQ", s.back()) < 0) return false;
    san.promotion = kKnight + IndexIn("NBRQ", s.back());
    s.remove_suffix(1);
    if (!s.empty() && s.back() == '=') s.remove_suffix(1);
  }
  if (s.size() < 2 || !ReadLowerSquare(s[s.size() - 2], s.back(), san.to)) return false;
  s.remove_suffix(2);
  san.captureMark = !s.empty() && s.back() == 'x';
  if (san.captureMark) s.remove_suffix(1);
  if (!s.empty() && s.front() >= 'a' && s.front() <= 'h') {
    san.fromFile = s.front() - 'a';
    s.remove_prefix(1);
  }
  if (!s.empty() && s.front() >= '1' && s.front() <= '8') {
    san.fromRank = s.front() - '1';
    s.remove_prefix(1);
  }
  if (!s.empty()) return false;

  // A pawn push names no file, a pawn capture the file it leaves.
  if (san.piece == kPawn) {
    if (san.fromRank >= 0 || san.fromFile == FileOf(san.to)) return false;
    if (san.fromFile < 0) san.fromFile = FileOf(san.to);
  }
  return true;
}

bool FitsSanText(const SanText& san, Move m) {
  const Square from = MoveFrom(m);
  return MovePiece(m) == san.piece && MoveTo(m) == san.to && (san.fromFile < 0 || FileOf(from) == san.fromFile) &&
         (san.fromRank < 0 || RankOf(from) == san.fromRank);
}

Move ParseSanMove(const GamePosition& p, const std::string& text) {
  const GameError invalid("Invalid move.");
  SanText san;
  if (!ReadSanText(text, san)) throw invalid;
  if (san.castling) {
    const Move m = CastlingMove(p, san.kingSide ? 0 : 1);
    if (!IsLegalMove(p, m)) throw invalid;
    return m;
  }
  // Without a promotion letter a pawn's move to the last rank fails the
  // legality test.
  if (san.promotion != 0 && RankOf(san.to) != 0 && RankOf(san.to) != 7) throw invalid;

  // Exactly one legal move may fit the text. Its special field must be the
  // promotion read (none for a piece move), which also keeps castling,
  // written "O-O", from being read as the king's two-file move.
  Move found = 0;
  int count = 0;
  for (const Move m : PlayableMoves(p)) {
    if (!FitsSanText(san, m) || MoveSpecial(m) != san.promotion) continue;
    if (san.captureMark && MoveCaptured(m) == 0) continue;
    found = m;
    ++count;
  }
  if (count != 1) throw invalid;
  return found;
}

std::string SanMoveText(const GamePosition& p, Move m) {
  if (!IsLegalMove(p, m)) throw GameError("Invalid move.");
  const int type = MovePiece(m);
  std::string text;
  if (type == kKing && MoveSpecial(m) != 0) {
    text = FileOf(MoveTo(m)) == 6 ? "O-O" : "O-O-O";
  } else {
    if (type != kPawn)
      text = kPieceLetters[type] + Disambiguation(p, m);
    else if (MoveCaptured(m) != 0)
      text = char('a' + FileOf(MoveFrom(m)));
    if (MoveCaptured(m) != 0) text += 'x';
    AppendSquare(text, MoveTo(m));
    if (type == kPawn && MoveSpecial(m) != 0) text += {'=', kPieceLetters[MoveSpecial(m)]};
  }
  return text + CheckMark(p, m);
}

std::vector<std::string> SanMoves(const Game& game) {
  // The record may have gone on past a drawn position (force mode, UCI):
  // the replay keeps the game running.
  GamePosition p = game.startPosition;
  p.result = kGameRunning;
  std::vector<std::string> texts;
  texts.reserve(game.moves.size());
  for (Move m : game.moves) {
    texts.push_back(SanMoveText(p, m));
    ApplyMove(p, m);
  }
  return texts;
}
